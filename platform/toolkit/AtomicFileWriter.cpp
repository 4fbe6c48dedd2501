#include "platform/toolkit/AtomicFileWriter.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/conversions/Exception.h"
#include "platform/conversions/MessageText.h"

namespace toolkit {

QString quotedFileName(const QString& fileName) {
    return QString::fromStdString(conversions::quotedForMessage(
        QDir::toNativeSeparators(fileName).toStdString(), conversions::kFileName));
}

QString cannotSaveMessage(const QString& fileName, const QString& reason) {
    return AtomicFileWriter::tr("Cannot save %1: %2").arg(quotedFileName(fileName), reason);
}

std::optional<QChar> controlCharacterIn(const QString& fileName) {
    for (const QChar c : fileName)
        if (c.category() == QChar::Other_Control) return c;
    return std::nullopt;
}

bool nameTooLong(const QString& fileName) {
    const QFileInfo file(fileName);
#ifdef _WIN32
    // Windows' file systems take names of up to 255 UTF-16 units.
    return file.fileName().size() > 255;
#else
    long limit = pathconf(QFile::encodeName(file.absolutePath()).constData(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX;  // a folder that is missing, or sets no limit
    return QFile::encodeName(file.fileName()).size() > limit;
#endif
}

AtomicFileWriter::AtomicFileWriter(const QString& fileName) : file_(fileName) {
    if (fileName.isEmpty())
        throw conversions::Exception(tr("Cannot save: no file name given").toStdString());
    // A line break or tab pasted with a name is invisible in the dialog's
    // field (shown as a space) but would become part of the file's name.
    if (const std::optional<QChar> control = controlCharacterIn(fileName))
        fail(tr("the name contains the control character %1")
                 .arg(QString::fromStdString(
                     conversions::escapedForMessage(QString(*control).toStdString()))));
    // The temporary file has no name of its own, so only the final rename,
    // after all the writing, would find the name too long.
    if (nameTooLong(fileName)) fail(tr("File name too long"));
    // Unbuffered: with Qt's write buffer, a write that fails while commit()
    // flushes it (a full disk, a size limit) goes unnoticed and commit()
    // succeeds with the file cut short. Writes here are large chunks anyway.
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(openFailure(errno));
}

// The system answers "No such file or directory" both for a folder that is
// missing and for one that takes no new files (/proc); the reason says which.
QString AtomicFileWriter::openFailure(int error) const {
    const QFileInfo folder(QFileInfo(file_.fileName()).absolutePath());
    if (!folder.exists()) return tr("the folder does not exist");
    if (!folder.isDir()) return tr("%1 is not a folder").arg(quotedFileName(folder.filePath()));
    if (error == ENOENT) return tr("no files can be created in the folder");
    return file_.errorString();
}

void AtomicFileWriter::write(std::string_view bytes) {
    while (!bytes.empty()) {
        errno = 0;
        const qint64 written = file_.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0) fail(errno != 0 ? systemReason() : file_.errorString());
        // A short write is followed by another, which reports the reason.
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFileWriter::commit() {
    errno = 0;
    if (!file_.commit())
        fail(file_.error() != QFileDevice::NoError || errno == 0 ? file_.errorString()
                                                                 : systemReason());
}

// Qt reports a write that stops short as a success with fewer bytes and keeps
// no reason for it; the system's error number, set by the call that failed,
// has it ("File too large", "No space left on device").
QString AtomicFileWriter::systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

void AtomicFileWriter::fail(const QString& reason) const {
    throw conversions::Exception(cannotSaveMessage(file_.fileName(), reason).toStdString());
}

}  // namespace toolkit
