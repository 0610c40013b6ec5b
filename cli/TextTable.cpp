#include "cli/TextTable.h"

#include <algorithm>

#include "core/NameMarkup.h"

namespace vormid::cli {

void TextTable::Write(std::ostream& out) const {
    std::vector<std::size_t> width;
    for (const auto& row : rows_) {
        if (width.size() < row.size()) width.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], DisplayWidth(row[c]));
    }
    std::size_t total = 0;
    for (std::size_t w : width) total += w + 2;
    total = total >= 2 ? total - 2 : 0;
    auto rule = [&] { out << std::string(total, '-') << '\n'; };
    for (std::size_t r = 0; r <= rows_.size(); ++r) {
        if (std::count(rules_.begin(), rules_.end(), r)) rule();
        if (r == rows_.size()) break;
        std::string line;
        const auto& row = rows_[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::size_t pad = width[c] - DisplayWidth(row[c]);
            const bool right = c < right_.size() && right_[c];
            if (c > 0) line += "  ";
            if (right) line += std::string(pad, ' ');
            line += row[c];
            if (!right && c + 1 < row.size()) line += std::string(pad, ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
}

}  // namespace vormid::cli
