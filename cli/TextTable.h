#pragma once
// Plain-text table with columns padded to their widest cell (UTF-8 aware).
#include <ostream>
#include <string>
#include <vector>

namespace vormid::cli {

class TextTable {
public:
    // right_aligned[i]: whether column i is padded on the left.
    explicit TextTable(std::vector<bool> right_aligned) : right_(std::move(right_aligned)) {}

    void AddRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    // A line of "-" across the table after the rows added so far.
    void AddRule() { rules_.push_back(rows_.size()); }
    void Write(std::ostream& out) const;

private:
    std::vector<bool> right_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::size_t> rules_;
};

}  // namespace vormid::cli
