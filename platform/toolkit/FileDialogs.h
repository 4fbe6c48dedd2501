#pragma once
// The dialogs in front of saving and printing. File dialogs are the desktop's
// own where its platform theme offers one (GNOME's, KDE's, a portal's), and
// otherwise Qt's, which here never reads a file's content to tell its type and
// looks each type's icon up once, so that a folder such as /proc, one holding
// a FIFO or one of 100,000 files lists at once. They open
// in the folder of the last file saved during this run, ask before replacing a
// file, and add the selected filter's extension to a name typed without one.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QApplication;
class QWidget;

namespace toolkit {

// While it lives, every file dialog of `application` that is Qt's own (Qt's
// print dialog opens one to print to a file) tells files' types by their
// names alone.
class NameOnlyFileTypes : public QObject {
public:
    explicit NameOnlyFileTypes(QApplication& application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

struct ChosenFile {
    QString name;
    QString filter;  // the filter selected when the name was accepted
};

// Asks for a file and hands it to `save`. When `save` throws
// conversions::Exception, the error is reported and the dialog opens again on
// the same folder and name, for the user to correct, until a save succeeds or
// the user cancels.
void saveThroughDialog(QWidget* parent, const QString& title, const QStringList& filters,
                       const QString& suggestedName,
                       const std::function<void(const ChosenFile&)>& save);

// The extension a filter such as "PNG image (*.png)" offers, or "" for none.
QString filterExtension(const QString& filter);

}  // namespace toolkit
