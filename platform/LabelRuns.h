#pragma once
// The label texts of a series, kept as runs instead of one string per point.
// A counting run stands for "n", "n+1", "n+2", … (the labels the curves get),
// a repeated run for one text appearing again and again. Any sequence of
// texts can be stored; counting labels cost nothing per point.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class LabelRuns {
public:
    std::size_t size() const { return size_; }
    void append(std::string_view label);
    // Appends the label that is the decimal text of `number`, without making it.
    void appendNumber(std::uint64_t number);
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

    void appendText(std::string_view label);
    const Run& runOf(std::size_t index) const;
    std::string_view textOf(const Run& run) const;

    std::vector<Run> runs_;
    std::string text_;
    std::size_t size_ = 0;
};
