#pragma once
// The label texts of a series, kept as runs instead of one string per point.
// A counting run stands for "n", "n+1", "n+2", … (the labels the curves get),
// a repeated run for one text appearing again and again (a counter that has
// stopped growing). Counting labels cost nothing per point.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace series {

class LabelRuns {
public:
    std::size_t size() const { return size_; }
    // Appends the label that is the decimal text of `number`, without making it.
    void appendNumber(std::uint64_t number);
    // Appends `count` labels first, first + 1, … up to stickAt, then stickAt
    // for the rest (all `first` when first ≥ stickAt): the same runs
    // appendNumber would make one by one.
    void appendCounting(std::uint64_t first, std::size_t count, std::uint64_t stickAt);
    // Appends any other text.
    void appendText(std::string_view label);
    // Room for `count` more runs and their texts, so that a batch cannot run
    // out of memory.
    void reserveRuns(std::size_t count) {
        runs_.reserve(runs_.size() + count);
        text_.reserve(text_.size() + count * 20);  // the digits of any 64-bit number
    }
    std::string at(std::size_t index) const;
    // Calls visit(index, label) for the labels of [first, last) in order, in
    // constant time each and without a heap string: for writing all of them.
    void forEach(std::size_t first, std::size_t last,
                 const std::function<void(std::size_t, std::string_view)>& visit) const;
    std::size_t runCount() const { return runs_.size(); }

private:
    struct Run {
        std::uint64_t first;       // index of the run's first label
        std::uint64_t number;      // counting: the first label's value
        std::uint64_t textBegin;   // repeated: where the text starts in text_
        std::uint32_t textLength;  // repeated: its length
        bool counting;
    };

    const Run& runOf(std::size_t index) const;
    std::string_view textOf(const Run& run) const;

    std::vector<Run> runs_;
    std::string text_;
    std::size_t size_ = 0;
};

}  // namespace series
