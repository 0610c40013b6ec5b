#include "core/RtfReader.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "core/Cp1251.h"
#include "core/RtfCodePages.h"

namespace vormid {
namespace {

// Deeper nesting than any real document has is read in the state of the
// deepest group, so that the state stack stays small.
constexpr std::size_t kMaxDepth = 256;

enum class TDest : std::uint8_t { Text, Skip, FontTable, ColorTable, Picture, ListProps };

struct TParaState {
    TRtfAlignment Alignment = TRtfAlignment::Left;
    TRtfList List = TRtfList::None;
    int FirstIndent = 0;
    int LeftIndent = 0;
};

struct TGroupState {
    TDest Dest = TDest::Text;
    TRtfCharFormat Format;
    TRtfCodePage CodePage = TRtfCodePage::Cp1251;
    TParaState Para;
    int Uc = 1;
    bool StarPending = false;  // "\*" opened this group: unknown destinations are skipped
};

struct TFont {
    std::string RawName;  // bytes up to the ";"
    std::string Name;     // decoded, UTF-8
    int Charset = 1;
    bool Closed = false;
};

// The destinations that hold no document text and are skipped whole.
bool IsSkippedDestination(std::string_view w) {
    static constexpr std::string_view kSkipped[] = {
        "author",
        "buptim",
        "comment",
        "creatim",
        "datafield",
        "doccomm",
        "docvar",
        "falt",
        "field_inst",
        "fldinst",
        "filetbl",
        "footer",
        "footerf",
        "footerl",
        "footerr",
        "footnote",
        "ftncn",
        "ftnsep",
        "ftnsepc",
        "header",
        "headerf",
        "headerl",
        "headerr",
        "info",
        "keywords",
        "listoverridetable",
        "listtable",
        "listtext",
        "nonshppict",
        "operator",
        "pntext",
        "printim",
        "private",
        "revtbl",
        "revtim",
        "rsidtbl",
        "rxe",
        "stylesheet",
        "subject",
        "tc",
        "template",
        "title",
        "txe",
        "xe",
        "xmlnstbl",
        "themedata",
        "colorschememapping",
        "latentstyles",
        "datastore",
        "generator",
        "userprops",
        "pgdsctbl",
    };
    return std::find(std::begin(kSkipped), std::end(kSkipped), w) != std::end(kSkipped);
}

// Control words that stand for one character, and those of an alignment and
// of raised or lowered text.
constexpr std::pair<std::string_view, char32_t> kCharWords[] = {
    {"line", '\n'},     {"tab", '\t'},      {"cell", '\t'},        {"emdash", 0x2014},    {"endash", 0x2013},
    {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022}};
constexpr std::pair<std::string_view, TRtfAlignment> kAlignmentWords[] = {{"ql", TRtfAlignment::Left},
                                                                          {"qc", TRtfAlignment::Center},
                                                                          {"qr", TRtfAlignment::Right},
                                                                          {"qj", TRtfAlignment::Justify}};
constexpr std::pair<std::string_view, TRtfVertical> kVerticalWords[] = {
    {"sub", TRtfVertical::Subscript}, {"super", TRtfVertical::Superscript}, {"nosupersub", TRtfVertical::Normal}};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int ClampInt(long long v, int lo, int hi) { return static_cast<int>(std::clamp<long long>(v, lo, hi)); }

class TReader {
public:
    explicit TReader(std::string_view s) : s_(s) { stack_.emplace_back(); }

    TRtfDocument Run() {
        while (pos_ < s_.size()) Step();
        if (picDepth_ != 0) FinishPicture(picDepth_);
        EndParagraph(false);
        auto it = fonts_.find(deff_);
        doc_.DefaultFont = it != fonts_.end() ? it->second.Name : std::string();
        return std::move(doc_);
    }

private:
    TGroupState& State() { return stack_.back(); }

    void Step() {
        char c = s_[pos_];
        if (c == '{') {
            ++pos_;
            if (stack_.size() >= kMaxDepth) {
                ++overflow_;
                return;
            }
            TGroupState next = State();
            next.StarPending = false;
            stack_.push_back(next);
            return;
        }
        if (c == '}') {
            ++pos_;
            if (overflow_ > 0) {
                --overflow_;
                return;
            }
            if (stack_.size() > 1) CloseGroup();
            return;
        }
        if (c == '\\') {
            ReadControl();
            return;
        }
        ++pos_;
        if (c == '\r' || c == '\n') return;
        Byte(static_cast<unsigned char>(c));
    }

    void CloseGroup() {
        TDest dest = State().Dest;
        if (dest == TDest::Picture && picDepth_ == stack_.size()) FinishPicture(stack_.size());
        if (dest == TDest::FontTable && stack_[stack_.size() - 2].Dest == TDest::Text)
            stack_[stack_.size() - 2].CodePage = FontCodePage(deff_);  // text before any \f
        if (dest == TDest::ListProps && listDepth_ == stack_.size()) {
            // The list properties belong to the paragraph around the group.
            stack_[stack_.size() - 2].Para.List = list_;
            listDepth_ = 0;
        }
        stack_.pop_back();
    }

    void ReadControl() {
        std::size_t start = pos_ + 1;
        if (start >= s_.size()) {
            pos_ = s_.size();
            return;
        }
        char n = s_[start];
        if (!IsLetter(n)) {
            pos_ = start + 1;
            ControlSymbol(n);
            return;
        }
        std::size_t p = start;
        while (p < s_.size() && IsLetter(s_[p])) ++p;
        std::string_view word = s_.substr(start, p - start);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (p + 1 < s_.size() && s_[p] == '-' && IsDigit(s_[p + 1])) {
            negative = true;
            ++p;
        }
        while (p < s_.size() && IsDigit(s_[p])) {
            hasParam = true;
            if (param < 100000000000LL) param = param * 10 + (s_[p] - '0');
            ++p;
        }
        if (negative) param = -param;
        if (p < s_.size() && s_[p] == ' ') ++p;
        pos_ = p;
        ControlWord(word, hasParam, ClampInt(param, -2147483647, 2147483647));
    }

    void ControlSymbol(char n) {
        TGroupState& st = State();
        if (n == '*') {
            st.StarPending = true;
            return;
        }
        if (n == '\'') {
            unsigned char byte = 0;
            int digits = 0;
            while (digits < 2 && pos_ < s_.size()) {
                int v = HexValue(s_[pos_]);
                if (v < 0) break;
                byte = static_cast<unsigned char>(byte * 16 + v);
                ++pos_;
                ++digits;
            }
            if (digits > 0) Byte(byte, true);
            return;
        }
        switch (n) {
            case '\\':
            case '{':
            case '}':
                Byte(static_cast<unsigned char>(n), true);
                break;
            case '~':
                Char(0x00A0);
                break;
            case '_':
                Char(0x2011);
                break;
            case '\r':
            case '\n':
                ParagraphEnd();
                break;  // "\" before a line end reads as \par
            default:
                break;  // "\-" optional hyphen, "\:" and others
        }
    }

    void ControlWord(std::string_view w, bool hasParam, int param) {
        TGroupState& st = State();
        if (st.Dest == TDest::Skip) {
            if (w == "bin" && hasParam) SkipBinary(param, nullptr);
            return;
        }
        if (st.StarPending) {
            st.StarPending = false;
            if (w == "pn") {
                StartList();
                return;
            }
            if (w != "shppict") {
                st.Dest = TDest::Skip;
                if (w == "objdata" || w == "objclass") doc_.HasUnsupported = true;
                return;
            }
            return;  // a picture for readers that know it: read what it holds
        }
        switch (st.Dest) {
            case TDest::FontTable:
                FontTableWord(w, hasParam, param);
                return;
            case TDest::ColorTable:
                ColorTableWord(w, param);
                return;
            case TDest::Picture:
                PictureWord(w, hasParam, param);
                return;
            case TDest::ListProps:
                ListWord(w);
                return;
            default:
                break;
        }
        TextWord(w, hasParam, param);
    }

    void TextWord(std::string_view w, bool hasParam, int param) {
        TGroupState& st = State();
        TRtfCharFormat& f = st.Format;
        const bool on = !hasParam || param != 0;
        for (const auto& [word, cp] : kCharWords)
            if (w == word) return Char(cp);
        for (const auto& [word, alignment] : kAlignmentWords)
            if (w == word) st.Para.Alignment = alignment;
        for (const auto& [word, vertical] : kVerticalWords)
            if (w == word) f.Vertical = vertical;
        if (w == "par" || w == "sect" || w == "page" || w == "row")
            ParagraphEnd();
        else if (w == "trowd")
            doc_.HasUnsupported = true;
        else if (w == "pard")
            st.Para = TParaState{};
        else if (w == "plain") {
            f = TRtfCharFormat{};
            st.CodePage = FontCodePage(deff_);
            f.Font = FontName(deff_);
        } else if (w == "b")
            f.Bold = on;
        else if (w == "i")
            f.Italic = on;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "uldash" || w == "ulw" || w == "ulth" ||
                 w == "ulwave" || w == "uldashd" || w == "uldashdd")
            f.Underline = on;
        else if (w == "ulnone")
            f.Underline = false;
        else if (w == "fs")
            f.HalfPoints = hasParam && param > 0 ? std::clamp(param, 2, 3276) : 24;
        else if (w == "f" && hasParam) {
            f.Font = FontName(param);
            st.CodePage = FontCodePage(param);
        } else if (w == "cf") {
            if (hasParam && param > 0 && static_cast<std::size_t>(param) < colors_.size() && colorSet_[param]) {
                f.HasColor = true;
                f.Color = colors_[param];
            } else {
                f.HasColor = false;
                f.Color = {};
            }
        } else if (w == "fi")
            st.Para.FirstIndent = std::clamp(param, -31680, 31680);
        else if (w == "li")
            st.Para.LeftIndent = std::clamp(param, 0, 31680);
        else if (w == "u" && hasParam)
            UnicodeChar(param);
        else if (w == "uc")
            st.Uc = hasParam ? std::clamp(param, 0, 16) : 1;
        else if (w == "bin")
            SkipBinary(hasParam ? param : 0, nullptr);
        else if (w == "ansicpg" && hasParam) {
            docPage_ = CodePageOfAnsiCpg(param);
            st.CodePage = docPage_;
        } else if (w == "deff" && hasParam)
            deff_ = param;
        else if (w == "fonttbl")
            st.Dest = TDest::FontTable;
        else if (w == "colortbl") {
            st.Dest = TDest::ColorTable;
            colors_.assign(1, TRtfColor{});
            colorSet_.assign(1, false);
            current_ = TRtfColor{};
        } else if (w == "pict")
            StartPicture();
        else if (w == "object") {
            doc_.HasUnsupported = true;
            st.Dest = TDest::Skip;
        } else if (w == "pn")
            StartList();
        else if (IsSkippedDestination(w))
            st.Dest = TDest::Skip;
    }

    // Fonts ---------------------------------------------------------------
    void FontTableWord(std::string_view w, bool hasParam, int param) {
        if (w == "f" && hasParam) {
            fontIndex_ = param;
            TFont& font = fonts_[param];
            font = TFont{};
        } else if (w == "fcharset" && hasParam) {
            auto it = fonts_.find(fontIndex_);
            if (it != fonts_.end()) it->second.Charset = param;
        } else if (w == "bin" && hasParam) {
            SkipBinary(param, nullptr);
        } else if (IsSkippedDestination(w) || w == "panose" || w == "fname") {
            State().Dest = TDest::Skip;
        }
    }

    void FontTableByte(unsigned char b) {
        auto it = fonts_.find(fontIndex_);
        if (it == fonts_.end() || it->second.Closed) return;
        TFont& font = it->second;
        if (b == ';') {
            font.Closed = true;
            TRtfCodePage page = CodePageOfCharset(font.Charset, docPage_);
            // A font name is a name in the document's letters even when the
            // font's own characters are symbols.
            if (page == TRtfCodePage::Symbol) page = TRtfCodePage::Cp1252;
            for (unsigned char c : font.RawName) AppendUtf8(font.Name, DecodeCodePageByte(page, c));
            while (!font.Name.empty() && font.Name.back() == ' ') font.Name.pop_back();
            while (!font.Name.empty() && font.Name.front() == ' ') font.Name.erase(0, 1);
            return;
        }
        if (font.RawName.size() < 256) font.RawName += static_cast<char>(b);
    }

    std::string FontName(int index) const {
        auto it = fonts_.find(index);
        return it != fonts_.end() ? it->second.Name : std::string();
    }

    TRtfCodePage FontCodePage(int index) const {
        auto it = fonts_.find(index);
        return it != fonts_.end() ? CodePageOfCharset(it->second.Charset, docPage_) : docPage_;
    }

    // Colours -------------------------------------------------------------
    void ColorTableWord(std::string_view w, int param) {
        auto v = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
        if (w == "red")
            current_.Red = v;
        else if (w == "green")
            current_.Green = v;
        else if (w == "blue")
            current_.Blue = v;
    }

    void ColorTableByte(unsigned char b) {
        if (b != ';') return;
        if (colors_.size() >= 65536) return;
        // The entry before the first ";" is the automatic colour (index 0).
        if (!firstColorDone_) {
            firstColorDone_ = true;
            colors_[0] = current_;
            colorSet_[0] = false;
        } else {
            colors_.push_back(current_);
            colorSet_.push_back(true);
        }
        current_ = TRtfColor{};
    }

    // Pictures ------------------------------------------------------------
    void StartPicture() {
        FinishPicture(picDepth_);
        State().Dest = TDest::Picture;
        picDepth_ = stack_.size();
        pic_ = TRtfPicture{};
        picKnown_ = false;
        picUnsupported_ = false;
        picScaleX_ = picScaleY_ = 100;
        picGoalW_ = picGoalH_ = 0;
        nibble_ = -1;
    }

    void PictureWord(std::string_view w, bool hasParam, int param) {
        if (w == "pngblip")
            pic_.Type = TRtfPictureType::Png, picKnown_ = true;
        else if (w == "jpegblip")
            pic_.Type = TRtfPictureType::Jpeg, picKnown_ = true;
        else if (w == "wmetafile" || w == "emfblip" || w == "dibitmap" || w == "wbitmap" || w == "macpict" ||
                 w == "pmmetafile" || w == "wbmbitspixel")
            picUnsupported_ = true;
        else if (w == "picw")
            pic_.PixelWidth = std::clamp(param, 0, 100000);
        else if (w == "pich")
            pic_.PixelHeight = std::clamp(param, 0, 100000);
        else if (w == "picwgoal")
            picGoalW_ = std::clamp(param, 0, 10000000);
        else if (w == "pichgoal")
            picGoalH_ = std::clamp(param, 0, 10000000);
        else if (w == "picscalex")
            picScaleX_ = std::clamp(param, 1, 10000);
        else if (w == "picscaley")
            picScaleY_ = std::clamp(param, 1, 10000);
        else if (w == "bin" && hasParam)
            SkipBinary(param, &pic_.Data);
        else if (IsSkippedDestination(w) || w == "picprop" || w == "blipuid")
            State().Dest = TDest::Skip;
    }

    void PictureByte(unsigned char b) {
        int v = HexValue(static_cast<char>(b));
        if (v < 0) return;
        if (nibble_ < 0) {
            nibble_ = v;
        } else {
            pic_.Data += static_cast<char>(nibble_ * 16 + v);
            nibble_ = -1;
        }
    }

    void FinishPicture(std::size_t depth) {
        if (picDepth_ == 0 || depth != picDepth_) return;
        picDepth_ = 0;
        if (!picKnown_ || picUnsupported_ || pic_.Data.empty()) {
            doc_.HasUnsupported = true;
            return;
        }
        pic_.WidthTwips = static_cast<int>(static_cast<long long>(picGoalW_) * picScaleX_ / 100);
        pic_.HeightTwips = static_cast<int>(static_cast<long long>(picGoalH_) * picScaleY_ / 100);
        TRtfRun run;
        run.Format = stack_[depth - 1].Format;
        run.IsPicture = true;
        run.Picture = std::move(pic_);
        para_.Runs.push_back(std::move(run));
        pic_ = TRtfPicture{};
    }

    // Lists ---------------------------------------------------------------
    void StartList() {
        State().Dest = TDest::ListProps;
        listDepth_ = stack_.size();
        list_ = TRtfList::Bullet;
        State().StarPending = false;
    }

    void ListWord(std::string_view w) {
        if (w == "pnlvlblt")
            list_ = TRtfList::Bullet;
        else if (w == "pndec" || w == "pnlvlbody")
            list_ = TRtfList::Numbered;
        else if (w == "pnlvlcont")
            list_ = TRtfList::None;
        else if (w == "pntxtb" || w == "pntxta")
            State().Dest = TDest::Skip;
    }

    // Text ----------------------------------------------------------------
    void SkipBinary(int count, std::string* into) {
        std::size_t n = count > 0 ? std::min<std::size_t>(static_cast<std::size_t>(count), s_.size() - pos_) : 0;
        if (into) into->append(s_.substr(pos_, n));
        pos_ += n;
    }

    void Byte(unsigned char b, bool escaped = false) {
        TGroupState& st = State();
        switch (st.Dest) {
            case TDest::Text:
                if (b < 0x20 && b != '\t') return;
                Char(b < 0x80 && (escaped || st.CodePage != TRtfCodePage::Symbol) ? char32_t{b}
                                                                                  : DecodeCodePageByte(st.CodePage, b));
                return;
            case TDest::FontTable:
                FontTableByte(b);
                return;
            case TDest::ColorTable:
                ColorTableByte(b);
                return;
            case TDest::Picture:
                if (!escaped) PictureByte(b);
                return;
            default:
                return;
        }
    }

    void UnicodeChar(int param) {
        char32_t cp = static_cast<char32_t>(param < 0 ? param + 65536 : param);
        pos_ = SkipRtfFallback(s_, pos_, State().Uc);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            highSurrogate_ = cp;
            return;
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF) {
            if (highSurrogate_ != 0) {
                char32_t full = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
                highSurrogate_ = 0;
                Char(full);
            } else {
                Char(0xFFFD);
            }
            return;
        }
        if (cp == 0 || cp > 0x10FFFF) return;
        Char(cp);
    }

    void Char(char32_t cp) {
        if (State().Dest != TDest::Text) return;
        // Control characters have no place in the text (the writer drops them too).
        if ((cp < 0x20 && cp != '\t' && cp != '\n') || cp == 0x7F) return;
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            AppendChar(0xFFFD);
        }
        AppendChar(cp);
    }

    void AppendChar(char32_t cp) {
        const TRtfCharFormat& f = State().Format;
        if (para_.Runs.empty() || para_.Runs.back().IsPicture || !(para_.Runs.back().Format == f)) {
            TRtfRun run;
            run.Format = f;
            para_.Runs.push_back(std::move(run));
        }
        AppendUtf8(para_.Runs.back().Text, cp);
    }

    void ParagraphEnd() {
        if (State().Dest != TDest::Text) return;
        EndParagraph(true);
    }

    // A paragraph takes the properties in force at its end. The text after
    // the last \par is a paragraph only when it holds something: rich-edit
    // controls end every text with a \par.
    void EndParagraph(bool explicitEnd) {
        if (!explicitEnd && para_.Runs.empty()) return;
        const TParaState& p = State().Para;
        para_.Alignment = p.Alignment;
        para_.List = p.List;
        para_.FirstIndentTwips = p.FirstIndent;
        para_.LeftIndentTwips = p.LeftIndent;
        doc_.Paragraphs.push_back(std::move(para_));
        para_ = TRtfParagraph{};
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    std::vector<TGroupState> stack_;
    std::size_t overflow_ = 0;
    char32_t highSurrogate_ = 0;

    TRtfDocument doc_;
    TRtfParagraph para_;

    TRtfCodePage docPage_ = TRtfCodePage::Cp1251;
    int deff_ = 0;
    std::map<int, TFont> fonts_;
    int fontIndex_ = 0;

    std::vector<TRtfColor> colors_{TRtfColor{}};
    std::vector<bool> colorSet_{false};
    TRtfColor current_;
    bool firstColorDone_ = false;

    std::size_t picDepth_ = 0;
    TRtfPicture pic_;
    bool picKnown_ = false;
    bool picUnsupported_ = false;
    int picScaleX_ = 100, picScaleY_ = 100, picGoalW_ = 0, picGoalH_ = 0;
    int nibble_ = -1;

    std::size_t listDepth_ = 0;
    TRtfList list_ = TRtfList::None;
};

TRtfDocument ReadPlain(std::string_view bytes) {
    TRtfDocument doc;
    TRtfParagraph para;
    auto flush = [&] {
        doc.Paragraphs.push_back(std::move(para));
        para = TRtfParagraph{};
    };
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            if (!text.empty()) para.Runs.push_back(TRtfRun{TRtfCharFormat{}, std::move(text), false, {}});
            text.clear();
            flush();
            continue;
        }
        if (b < 0x20 && b != '\t') continue;
        AppendUtf8(text, Cp1251ToCodePointLossless(b));
    }
    if (!text.empty()) para.Runs.push_back(TRtfRun{TRtfCharFormat{}, std::move(text), false, {}});
    if (!para.Runs.empty()) flush();
    return doc;
}

}  // namespace

std::size_t SkipRtfFallback(std::string_view s, std::size_t i, int count) {
    while (count > 0 && i < s.size() && s[i] != '{' && s[i] != '}') {
        const std::size_t at = i++;
        if (s[at] == '\r' || s[at] == '\n') continue;  // line ends are no characters
        --count;
        if (s[at] != '\\' || i == s.size()) continue;
        if (s[i] == '\'') {
            ++i;
            for (int k = 0; k < 2 && i < s.size() && HexValue(s[i]) >= 0; ++k) ++i;
        } else if (IsLetter(s[i])) {
            std::size_t p = i;
            while (p < s.size() && IsLetter(s[p])) ++p;
            if (s.substr(i, p - i) == "bin") return at;  // binary data is read as such
            if (p + 1 < s.size() && s[p] == '-' && IsDigit(s[p + 1])) ++p;
            while (p < s.size() && IsDigit(s[p])) ++p;
            i = p < s.size() && s[p] == ' ' ? p + 1 : p;
        } else {
            ++i;  // a control symbol
        }
    }
    return i;
}

bool IsRtf(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) <= 32) ++i;
    return bytes.substr(i).starts_with("{\\rtf");
}

TRtfDocument ReadRtf(std::string_view bytes) {
    if (!IsRtf(bytes)) return ReadPlain(bytes);
    return TReader(bytes).Run();
}

}  // namespace vormid
