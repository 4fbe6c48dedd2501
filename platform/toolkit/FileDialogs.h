#pragma once
// The dialogs in front of saving and printing. File dialogs are Qt's own (the
// same on every desktop), open in the folder of the last file saved during
// this run, ask before replacing a file, and add the selected filter's
// extension to a name typed without one.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace toolkit {

struct ChosenFile {
    QString name;
    QString filter;  // the filter selected when the name was accepted
};

// Empty when the user cancelled.
std::optional<ChosenFile> askFileToSave(QWidget* parent, const QString& title,
                                        const QStringList& filters, const QString& suggestedName);

// The extension a filter such as "PNG image (*.png)" offers, or "" for none.
QString filterExtension(const QString& filter);

}  // namespace toolkit
