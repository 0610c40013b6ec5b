#include "ui/widgets/BudgetMarkup.h"

#include <cctype>

#include "ui/TextCodec.h"

namespace vormid {

std::vector<TMarkupRun> MarkupRuns(const std::string& s) {
    std::vector<TMarkupRun> runs(1);
    auto script = [&](int sc) {
        if (!runs.back().Text.isEmpty()) runs.emplace_back();
        runs.back().Script = sc;
    };
    std::string plain;
    auto flush = [&] {
        runs.back().Text += FromCp1251(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            plain += s[i];
            continue;
        }
        const char c = s[i + 1];
        if (c == 'b' || c == 't' || c == 'n') {
            flush();
            script(c == 'b' ? -1 : c == 't' ? 1 : 0);
            ++i;
        } else if (c == 'u') {
            std::size_t j = i + 2;
            unsigned code = 0;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])) && code < 0x110000)
                code = code * 10 + static_cast<unsigned>(s[j++] - '0');
            flush();
            if (j > i + 2 && code < 0x110000) runs.back().Text += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            i = j - 1;
        } else if (c == '\'' && i + 3 < s.size() + 0 && std::isxdigit(static_cast<unsigned char>(s[i + 2])) &&
                   std::isxdigit(static_cast<unsigned char>(s[i + 3]))) {
            plain += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            plain += s[i];
        }
    }
    flush();
    return runs;
}

QString MarkupPlain(const std::string& s) {
    QString out;
    for (const auto& r : MarkupRuns(s)) out += r.Text;
    return out;
}

QString MarkupHtml(const std::string& s) {
    QString out;
    for (const auto& r : MarkupRuns(s)) {
        const QString t = r.Text.toHtmlEscaped();
        out += r.Script < 0 ? "<sub>" + t + "</sub>" : r.Script > 0 ? "<sup>" + t + "</sup>" : t;
    }
    return out;
}

}  // namespace vormid
