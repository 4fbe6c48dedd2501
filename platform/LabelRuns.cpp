#include "platform/LabelRuns.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace {

constexpr std::size_t kLongestCountingLabel = 18;  // digits; their value fits 64 bits

// The value of a label that is the plain decimal text of a whole number (no
// sign, no leading zero), so that printing the value gives the label back.
std::optional<std::uint64_t> countingValue(std::string_view label) {
    if (label.empty() || label.size() > kLongestCountingLabel ||
        (label.size() > 1 && label[0] == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : label) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

struct Digits {
    char text[24];
    std::size_t length;
    std::string_view view() const { return {text, length}; }
};

Digits digitsOf(std::uint64_t number) {
    Digits d{};
    d.length = static_cast<std::size_t>(std::to_chars(d.text, d.text + sizeof d.text, number).ptr -
                                        d.text);
    return d;
}

}  // namespace

void LabelRuns::append(std::string_view label) {
    if (const std::optional<std::uint64_t> number = countingValue(label))
        appendNumber(*number);
    else
        appendText(label);
}

void LabelRuns::appendNumber(std::uint64_t number) {
    if (!runs_.empty()) {
        Run& last = runs_.back();
        const std::uint64_t length = size_ - last.first;
        if (last.counting && number == last.number + length) {
            ++size_;
            return;
        }
        // A number that comes again, as from a counter that has stopped
        // growing, makes a repeated run instead of a run per point.
        if (last.counting && length == 1 && number == last.number) {
            const Digits digits = digitsOf(number);
            last.counting = false;
            last.textBegin = text_.size();
            last.textLength = static_cast<std::uint32_t>(digits.length);
            text_.append(digits.view());
            ++size_;
            return;
        }
        if (!last.counting) {
            const Digits digits = digitsOf(number);
            if (digits.view() == textOf(last)) {
                ++size_;
                return;
            }
        }
    }
    runs_.push_back({size_, number, 0, 0, true});
    ++size_;
}

void LabelRuns::appendText(std::string_view label) {
    if (!runs_.empty() && !runs_.back().counting && label == textOf(runs_.back())) {
        ++size_;
        return;
    }
    runs_.push_back({size_, 0, text_.size(), static_cast<std::uint32_t>(label.size()), false});
    text_.append(label);
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
    return std::string(digitsOf(run.number + (index - run.first)).view());
}

void LabelRuns::forEach(std::size_t first, std::size_t last,
                        const std::function<void(std::size_t, std::string_view)>& visit) const {
    if (first >= last) return;
    if (last > size_) throw std::out_of_range("label index out of range");
    auto run = runs_.begin() + (&runOf(first) - runs_.data());
    for (std::size_t i = first; i < last; ++run) {
        const std::size_t end = run + 1 == runs_.end() ? last : std::min(last, (run + 1)->first);
        if (run->counting) {
            for (; i < end; ++i) visit(i, digitsOf(run->number + (i - run->first)).view());
        } else {
            const std::string_view text = textOf(*run);
            for (; i < end; ++i) visit(i, text);
        }
    }
}
