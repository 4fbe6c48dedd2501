#pragma once
// Start-up: initialise, create the main window, run the event loop. An error
// that escapes is shown to the user, and the exit code then says the program
// failed: 1, where a normal close gives 0.

#include "platform/conversions/Conversions.h"
#include "platform/toolkit/Application.h"

template <class Form>
int StartUp(Form*& mainForm) {
    try {
        Application->Initialize();
        Application->CreateForm(mainForm);
        Application->Run();
        return 0;
    } catch (const Exception& error) {
        Application->ShowException(error);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 1;
}
