#pragma once
// A file written whole or not at all. The bytes go to a temporary file beside
// the target (QSaveFile), which takes the target's name only on commit(): a
// failed or abandoned save leaves no partial file behind and an existing file
// of that name untouched. Failures throw Exception with a message naming the
// file and the reason: Cannot save "/ro/chart.png": Permission denied
// A name holding a control character or too long for the file system, and a
// folder that is missing or takes no files, are refused before anything is
// written.

#include <QCoreApplication>
#include <QSaveFile>
#include <QString>
#include <optional>
#include <string_view>

namespace toolkit {

class AtomicFileWriter {
    Q_DECLARE_TR_FUNCTIONS(toolkit::AtomicFileWriter)

public:
    // Opens the temporary file; throws when that cannot be done.
    explicit AtomicFileWriter(const QString& fileName);

    void write(std::string_view bytes);
    // Puts the file in place of any old one. Destroying the writer without
    // committing discards what was written.
    void commit();

private:
    [[noreturn]] void fail(const QString& reason) const;
    static QString systemReason();
    // Why the temporary file could not be created, `error` the system's number.
    QString openFailure(int error) const;

    QSaveFile file_;
};

// A file's name inside a message: quoted, escaped, on one short line.
QString quotedFileName(const QString& fileName);
// The message for a file that cannot be saved.
QString cannotSaveMessage(const QString& fileName, const QString& reason);

// The first control character (line break, tab, NUL, …) in `fileName`, if any.
std::optional<QChar> controlCharacterIn(const QString& fileName);

// Whether the last part of `fileName` is longer than the file system of its
// folder takes (counted in bytes, as the system counts it).
bool nameTooLong(const QString& fileName);

}  // namespace toolkit
