#include "platform/toolkit/FileDialogs.h"

#include <QAbstractFileIconProvider>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPushButton>
#include <QRegularExpression>

#include "platform/conversions/Exception.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/AtomicFileWriter.h"

namespace toolkit {

namespace {

// Icons and type names told from a file's name and kind alone. Qt's own
// provider reads a file's first bytes when the name leaves its type open, and
// the dialog asks it on the GUI thread: one file whose read blocks (/proc/kmsg,
// a device, a stalled network share) froze the whole program.
class NameOnlyIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        if (!info.isFile()) return QAbstractFileIconProvider::icon(info.isDir() ? Folder : File);
        const QIcon themed = QIcon::fromTheme(typeOf(info).iconName());
        return themed.isNull() ? QAbstractFileIconProvider::icon(File) : themed;
    }
    QString type(const QFileInfo& info) const override {
        // Folders, links, pipes and devices are named by their kind alone.
        if (!info.isFile()) return QAbstractFileIconProvider::type(info);
        const QMimeType mime = typeOf(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeType typeOf(const QFileInfo& info) const {
        return mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }

    QMimeDatabase mimeTypes_;
};

// Alive as long as any dialog's model may ask it.
NameOnlyIcons& nameOnlyIcons() {
    static NameOnlyIcons icons;
    return icons;
}

// A save dialog. Qt's own greys out Save, and ignores Enter, for a name longer
// than the file system takes, without a word; here such a name is accepted,
// so that saving reports it ("File name too long").
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, const QStringList& filters)
        : QFileDialog(parent, title, Application->LastSaveFolder()) {
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        setIconProvider(&nameOnlyIcons());
        setNameFilters(filters);
        setDefaultSuffix(filterExtension(filters.value(0)));
        connect(this, &QFileDialog::filterSelected, this,
                [this](const QString& filter) { setDefaultSuffix(filterExtension(filter)); });
        // Only Qt's own dialog has the button; a desktop's dialog checks names itself.
        if (auto* buttons = findChild<QDialogButtonBox*>()) {
            saveButton_ = buttons->button(QDialogButtonBox::Save);
            if (saveButton_) saveButton_->installEventFilter(this);
        }
    }

    void accept() override {
        if (nameTooLong())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == saveButton_ && event->type() == QEvent::EnabledChange &&
            !saveButton_->isEnabled() && nameTooLong())
            saveButton_->setEnabled(true);
        return QFileDialog::eventFilter(watched, event);
    }

private:
    bool nameTooLong() const {
        const QStringList files = selectedFiles();
        return !files.isEmpty() && toolkit::nameTooLong(files.front());
    }

    QPushButton* saveButton_ = nullptr;
};

}  // namespace

QString filterExtension(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

void saveThroughDialog(QWidget* parent, const QString& title, const QStringList& filters,
                       const QString& suggestedName,
                       const std::function<void(const ChosenFile&)>& save) {
    SaveDialog dialog(parent, title, filters);
    dialog.selectFile(suggestedName);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const ChosenFile chosen{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
        try {
            save(chosen);
            Application->SetLastSaveFolder(QFileInfo(chosen.name).absolutePath());
            return;
        } catch (const Exception& error) {
            Application->ShowException(error);
        }
    }
}

}  // namespace toolkit
