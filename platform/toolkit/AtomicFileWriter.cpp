#include "platform/toolkit/AtomicFileWriter.h"

#include <QDir>
#include <cerrno>
#include <cstring>

#include "platform/conversions/Exception.h"

namespace toolkit {

QString cannotSaveMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral("Cannot save \"%1\": %2").arg(QDir::toNativeSeparators(fileName), reason);
}

AtomicFileWriter::AtomicFileWriter(const QString& fileName) : file_(fileName) {
    if (fileName.isEmpty()) throw Exception("Cannot save: no file name given");
    // Unbuffered: with Qt's write buffer, a write that fails while commit()
    // flushes it (a full disk, a size limit) goes unnoticed and commit()
    // succeeds with the file cut short. Writes here are large chunks anyway.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(file_.errorString());
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
    throw Exception(cannotSaveMessage(file_.fileName(), reason).toStdString());
}

}  // namespace toolkit
