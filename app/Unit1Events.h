#pragma once
// The slots Unit1.ui binds the two buttons' clicked() signals to. uic
// connects to them through this class, which it can see whole before TForm1
// exists; each slot runs TForm1's command (Button1Click, Button2Click) through
// Dispatch, so nothing a command throws reaches Qt.

#include "platform/toolkit/Application.h"
#include "platform/toolkit/Forms.h"

class TForm1Events : public TForm {
    Q_OBJECT

public:
    using TForm::TForm;

    virtual void Button1Click(TObject* Sender) = 0;
    virtual void Button2Click(TObject* Sender) = 0;

public slots:
    void Button1Clicked() { Dispatch(this, &TForm1Events::Button1Click, sender()); }
    void Button2Clicked() { Dispatch(this, &TForm1Events::Button2Click, sender()); }
};
