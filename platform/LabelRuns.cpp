#include "platform/LabelRuns.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace {

// The value of a label that is the plain decimal text of a whole number (no
// sign, no leading zero), so that printing the value gives the label back.
std::optional<std::uint64_t> countingValue(std::string_view label) {
    if (label.empty() || label.size() > 18 || (label.size() > 1 && label[0] == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : label) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

}  // namespace

void LabelRuns::append(std::string_view label) {
    const std::optional<std::uint64_t> number = countingValue(label);
    if (!runs_.empty()) {
        Run& last = runs_.back();
        const std::uint64_t length = size_ - last.first;
        if (last.counting && number && *number == last.number + length) {
            ++size_;
            return;
        }
        if (!last.counting && label == textOf(last)) {
            ++size_;
            return;
        }
        // A counting run of one whose label comes again becomes a repeated run.
        if (last.counting && length == 1 && number && *number == last.number) {
            last.counting = false;
            last.textBegin = text_.size();
            last.textLength = static_cast<std::uint32_t>(label.size());
            text_.append(label);
            ++size_;
            return;
        }
    }
    Run run{size_, number.value_or(0), text_.size(), 0, number.has_value()};
    if (!number) {
        run.textLength = static_cast<std::uint32_t>(label.size());
        text_.append(label);
    }
    runs_.push_back(run);
    ++size_;
}

const LabelRuns::Run& LabelRuns::runOf(std::size_t index) const {
    if (index >= size_) throw std::out_of_range("label index out of range");
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), index,
                                        [](std::size_t i, const Run& r) { return i < r.first; });
    return *(after - 1);
}

std::string_view LabelRuns::textOf(const Run& run) const {
    return std::string_view(text_).substr(run.textBegin, run.textLength);
}

std::string LabelRuns::at(std::size_t index) const {
    const Run& run = runOf(index);
    if (!run.counting) return std::string(textOf(run));
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, run.number + (index - run.first));
    return std::string(digits, end.ptr);
}
