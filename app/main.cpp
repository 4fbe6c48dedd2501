#include "app/Startup.h"
#include "app/Unit1.h"

int main() {
    TApplication application;
    return StartUp(Form1);
}
