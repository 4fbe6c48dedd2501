#include "platform/toolkit/FileDialogs.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMutex>
#include <QPushButton>
#include <QRegularExpression>
#include <map>

#include "platform/conversions/Exception.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/AtomicFileWriter.h"

namespace toolkit {

namespace {

// Icons and type names told from a file's extension alone, each looked up
// once. Qt's own provider reads a file's first bytes when the name leaves its
// type open; a theme lookup of a name the theme lacks searches every icon
// folder on disk, each time; and matching a name against every known pattern
// takes microseconds. The dialog asks for every file it lists, on the GUI
// thread: one file whose read blocks (/proc/kmsg, a device, a stalled network
// share), or a folder of thousands of files, froze the whole program.
class NameOnlyIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType kind) const override {
        return known(kind == Folder ? kFolder : kFile).icon;
    }
    QIcon icon(const QFileInfo& info) const override {
        if (!info.isFile()) return icon(info.isDir() ? Folder : File);
        return known(extensionOf(info)).icon;
    }
    QString type(const QFileInfo& info) const override {
        // Folders, links, pipes and devices are named by their kind alone.
        if (!info.isFile()) return QAbstractFileIconProvider::type(info);
        return known(extensionOf(info)).description;
    }

private:
    struct Type {
        QIcon icon;
        QString description;
    };
    // Keys that no extension can be.
    static constexpr char kFolder[] = "/folder", kFile[] = "/file";

    static QString extensionOf(const QFileInfo& info) { return info.suffix().toLower(); }

    // The model may ask from its gatherer thread as well as the GUI thread.
    const Type& known(const QString& key) const {
        const QMutexLocker lock(&mutex_);
        auto found = types_.find(key);
        if (found == types_.end()) found = types_.emplace(key, lookUp(key)).first;
        return found->second;
    }

    Type lookUp(const QString& key) const {
        if (key == kFolder || key == kFile) {
            const IconType kind = key == kFolder ? Folder : File;
            return {QAbstractFileIconProvider::icon(kind), {}};
        }
        const QMimeType mime = mimeTypes_.mimeTypeForFile(
            key.isEmpty() ? QStringLiteral("file") : "file." + key, QMimeDatabase::MatchExtension);
        QIcon themed = QIcon::fromTheme(mime.iconName());
        if (themed.isNull()) themed = QIcon::fromTheme(mime.genericIconName());
        if (themed.isNull()) themed = known(kFile).icon;
        return {themed, mime.comment().isEmpty() ? mime.name() : mime.comment()};
    }

    QMimeDatabase mimeTypes_;
    mutable QRecursiveMutex mutex_;
    mutable std::map<QString, Type> types_;  // never erased: references stay valid
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

NameOnlyFileTypes::NameOnlyFileTypes(QApplication& application) {
    application.installEventFilter(this);
}

// A dialog is polished before it shows, and before the event loop hands its
// model the first files listed.
bool NameOnlyFileTypes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish)
        if (auto* dialog = qobject_cast<QFileDialog*>(watched);
            dialog && dialog->iconProvider() != &nameOnlyIcons())
            dialog->setIconProvider(&nameOnlyIcons());
    return false;
}

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
        } catch (const conversions::Exception& error) {
            Application->ShowException(error);
        }
    }
}

}  // namespace toolkit
