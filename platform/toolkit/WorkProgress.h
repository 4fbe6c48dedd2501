#pragma once
// Long work on the GUI thread, such as writing a file of millions of rows.
// Once it has taken half a second, a dialog shows how far it got and offers
// Cancel. Meanwhile its window takes no input, as under a modal dialog, so
// that nothing changes what the work reads; but the window's close button
// still reaches the window (a modal dialog would swallow it), and a form then
// asks whether to stop the work (TForm::closeEvent). On Yes the work is
// cancelled, and the window closes once the work has unwound.

#include <QObject>
#include <QProgressDialog>
#include <QString>

namespace toolkit {

class WorkProgress : public QObject {
    Q_OBJECT

public:
    // Work for the window of `parent`: `title` and `label` for its dialog,
    // `stopQuestion` asked when the window is closed meanwhile.
    WorkProgress(QWidget* parent, const QString& title, const QString& label, QString stopQuestion);
    ~WorkProgress() override;
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Shows `done` (0 to 1) of the work and, once the dialog shows, handles
    // the events that came meanwhile. False once the user cancelled.
    bool advance(double done);

    // The work under way in `window`, if any.
    static WorkProgress* runningIn(const QWidget* window);

    // Asks whether to stop the work and close the window; on Yes, cancels the
    // work and closes the window after it.
    void askToStopAndClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inWindow(const QObject* receiver) const;

    QWidget* window_;
    QProgressDialog dialog_;
    QString stopQuestion_;
    bool closeWhenDone_ = false;
};

}  // namespace toolkit
