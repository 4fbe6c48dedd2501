#pragma once
// Start-up: initialise, create the main window, run the event loop. An error
// that escapes is shown to the user, and the exit code is 0 in every case.

#include "platform/Application.h"
#include "platform/Exception.h"

template <class Form>
int StartUp(Form*& mainForm) {
    try {
        Application->Initialize();
        Application->CreateForm(mainForm);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
