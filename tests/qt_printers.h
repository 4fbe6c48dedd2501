#pragma once
// Failures show a QString as its text rather than its UTF-16 code units.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
