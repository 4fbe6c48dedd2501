#pragma once
// Reads a CSV or TSV table back, strictly: every record ends in `lineEnd`, a
// quoted field may hold separators, quotes (doubled) and line breaks, and
// anything else (a stray quote, a bare line break in CSV, a missing last line
// end) fails the read.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Record = std::vector<std::string>;

inline std::optional<std::vector<Record>> parseTable(std::string_view text, char separator,
                                                     std::string_view lineEnd) {
    std::vector<Record> records;
    Record record;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) return std::nullopt;
                if (text[i] != '"') {
                    field += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < text.size() && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
                if (text[i] == '"') return std::nullopt;
                field += text[i++];
            }
        }
        record.push_back(std::move(field));
        field.clear();
        if (i < text.size() && text[i] == separator) {
            ++i;
        } else if (text.substr(i, lineEnd.size()) == lineEnd) {
            i += lineEnd.size();
            records.push_back(std::move(record));
            record.clear();
        } else {
            return std::nullopt;
        }
    }
    if (!record.empty()) return std::nullopt;
    return records;
}
