#pragma once
// The keyboard focus comes back when a dialog closes: to the window that
// opened it, on the widget that had the focus there. Window managers do not
// all do this themselves; when a message box and the file dialog behind it
// close together (a replace confirmed), some leave no window focused, and
// the keyboard does nothing until the user clicks.

#include <QHash>
#include <QObject>
#include <QPointer>

class QApplication;
class QDialog;

namespace toolkit {

class FocusReturn : public QObject {
public:
    // Watches every dialog of `application`, Qt's own among them, while it lives.
    explicit FocusReturn(QApplication& application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QDialog*, QPointer<QWidget>> focusBefore_;  // of each dialog shown
};

}  // namespace toolkit
