#include "platform/toolkit/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace toolkit {

namespace {

QString& lastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}

}  // namespace

QString filterExtension(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<ChosenFile> askFileToSave(QWidget* parent, const QString& title,
                                        const QStringList& filters, const QString& suggestedName) {
    QFileDialog dialog(parent, title, lastFolder());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(filterExtension(filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterExtension(filter)); });
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    ChosenFile chosen{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
    lastFolder() = QFileInfo(chosen.name).absolutePath();
    return chosen;
}

}  // namespace toolkit
