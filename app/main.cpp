#include "app/Startup.h"
#include "app/Unit1.h"

// The command line is ignored; Qt's Windows entry point (WinMain) passes it
// on, so main takes it.
int main(int, char**) {
    TApplication application;
    return StartUp(Form1);
}
