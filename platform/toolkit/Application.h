#pragma once
// The window toolkit layer over Qt Widgets, in the vocabulary the window is
// written in: TApplication (here), the form and its controls (Forms.h),
// colours (Colours.h); StrToFloat, FloatToStr and Exception come from
// platform/conversions, the chart from platform/chart.
//
// The application object: starts Qt, owns the windows, runs the event loop,
// and reports errors to the user. Click handlers run through Dispatch, which
// catches whatever leaves them: Qt's event loop must never see an exception.

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/Forms.h"

namespace toolkit {
class FocusReturn;
class NameOnlyFileTypes;
}  // namespace toolkit

class TApplication {
    Q_DECLARE_TR_FUNCTIONS(TApplication)

public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Starts Qt, in the user's language.
    void Initialize();
    // Texts the tool writes from now on, and Qt's dialogs, in `locale`'s language.
    void UseLanguage(const QLocale& locale);

    // Creates a window of class Form, stores it in `reference` and keeps it
    // until shutdown; the first window created is the main window.
    template <class Form>
    void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>(nullptr);
        reference = form.get();
        adopt(std::move(form));
    }

    // Shows the main window and runs the event loop until it is closed.
    void Run();

    void ShowException(const std::exception& error);
    // Whatever was thrown: a std::exception as above, running out of memory
    // and anything else in words of their own.
    void ShowException(std::exception_ptr error);

    // Where reports go. Unset, a message box shows them; tests record them.
    std::function<void(const std::string& message)> OnException;

    // The folder of the last file saved during this run, where file dialogs
    // open: the home folder at first.
    QString LastSaveFolder() const;
    void SetLastSaveFolder(const QString& folder) { lastSaveFolder_ = folder; }

private:
    void adopt(std::unique_ptr<QWidget> form);

    int argc_ = 1;
    char* argv_[2];
    std::unique_ptr<QApplication> qt_;
    std::unique_ptr<toolkit::FocusReturn> focusReturn_;
    std::unique_ptr<toolkit::NameOnlyFileTypes> nameOnlyFileTypes_;
    std::vector<std::unique_ptr<QWidget>> forms_;
    QString lastSaveFolder_;
};

// The one application object, alive while the TApplication is.
extern TApplication* Application;

// Runs `work` from inside a Qt event and reports what it throws.
template <class Work>
void RunGuarded(Work&& work) noexcept {
    try {
        work();
    } catch (...) {
        Application->ShowException(std::current_exception());
    }
}

// Runs a form's click handler and reports what it throws.
template <class Form>
void Dispatch(Form* form, void (Form::*handler)(TObject*), TObject* sender) noexcept {
    RunGuarded([&] { (form->*handler)(sender); });
}
