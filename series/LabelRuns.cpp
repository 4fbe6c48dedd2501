#include "series/LabelRuns.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace series {

namespace {

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

void LabelRuns::appendCounting(std::uint64_t first, std::size_t count, std::uint64_t stickAt) {
    // Whatever came before, the first two labels of a counting stretch leave a
    // counting run ending at the second, which each further label extends; and
    // two equal labels leave a repeated run that each further one extends. So
    // two appends each, then a bare size increase, give the runs one by one would.
    const auto appendMany = [this](std::uint64_t from, std::uint64_t n, std::uint64_t step) {
        for (std::uint64_t k = 0; k < std::min<std::uint64_t>(n, 2); ++k)
            appendNumber(from + k * step);
        if (n > 2) size_ += n - 2;
    };
    const std::uint64_t top = std::max(first, stickAt);
    const std::uint64_t counted = std::min<std::uint64_t>(count, top - first + 1);
    appendMany(first, counted, 1);
    appendMany(top, count - counted, 0);
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

}  // namespace series
