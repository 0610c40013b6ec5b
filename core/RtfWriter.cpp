#include "core/RtfWriter.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/Cp1251.h"

namespace vormid {
namespace {

// A font name as the font table can hold it: no ";" (it ends the name), no
// control characters, no spaces at the ends. Fonts are told apart by this
// form, so that two names that read back the same share one entry.
std::string CleanFontName(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != ';' && static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    std::size_t b = 0;
    while (b < out.size() && out[b] == ' ') ++b;
    return out.substr(b);
}

class TWriter {
public:
    TWriter(const TRtfDocument& doc, const TRtfWriteOptions& options) : doc_(doc) {
        defaultFont_ = CleanFontName(doc.DefaultFont);
        if (defaultFont_.empty()) defaultFont_ = CleanFontName(options.DefaultFont);
        fonts_.push_back(defaultFont_);
    }

    std::string Run() {
        std::size_t estimate = 256;
        for (const auto& p : doc_.Paragraphs) {
            for (const auto& r : p.Runs) {
                estimate += r.Text.size() * 2 + 16;
                if (r.IsPicture) estimate += r.Picture.Data.size() * 2 + r.Picture.Data.size() / 64 + 80;
                if (!r.Format.Font.empty()) FontIndex(r.Format.Font);
                if (r.Format.HasColor) ColorIndex(r.Format.Color);
            }
            if (p.List == TRtfList::Bullet) needSymbol_ = true;
        }
        body_.reserve(estimate);
        WriteBody();
        std::string out;
        out.reserve(body_.size() + 512);
        out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset204 ";
            AppendEscaped(out, fonts_[i], true);
            out += ";}";
        }
        if (needSymbol_) out += "{\\f" + std::to_string(fonts_.size()) + "\\fnil\\fcharset2 Symbol;}";
        out += "}\r\n";
        if (!colors_.empty()) {
            out += "{\\colortbl ;";
            for (const auto& c : colors_) {
                out += "\\red" + std::to_string(c.Red) + "\\green" + std::to_string(c.Green) + "\\blue" +
                       std::to_string(c.Blue) + ";";
            }
            out += "}\r\n";
        }
        out += "\\viewkind4\\uc1";
        out += body_;
        out += "}\r\n";
        return out;
    }

private:
    int FontIndex(const std::string& raw) {
        std::string name = CleanFontName(raw);
        if (name.empty()) return 0;
        auto it = std::find(fonts_.begin(), fonts_.end(), name);
        if (it != fonts_.end()) return static_cast<int>(it - fonts_.begin());
        fonts_.push_back(name);
        return static_cast<int>(fonts_.size() - 1);
    }

    int ColorIndex(const TRtfColor& c) {
        auto it = std::find(colors_.begin(), colors_.end(), c);
        if (it != colors_.end()) return static_cast<int>(it - colors_.begin()) + 1;
        colors_.push_back(c);
        return static_cast<int>(colors_.size());
    }

    void Word(std::string_view w) {
        body_ += '\\';
        body_ += w;
        pendingSpace_ = true;
    }
    void Word(std::string_view w, int n) {
        Word(w);
        body_ += std::to_string(n);
    }
    void Delimit() {
        if (pendingSpace_) body_ += ' ';
        pendingSpace_ = false;
    }

    void WriteParagraphProps(const TRtfParagraph& p) {
        Word("pard");
        if (p.Alignment == TRtfAlignment::Center)
            Word("qc");
        else if (p.Alignment == TRtfAlignment::Right)
            Word("qr");
        else if (p.Alignment == TRtfAlignment::Justify)
            Word("qj");
        int fi = p.FirstIndentTwips, li = p.LeftIndentTwips;
        if (p.List != TRtfList::None && fi == 0 && li == 0) fi = -360, li = 360;
        if (fi != 0) Word("fi", fi);
        if (li != 0) Word("li", li);
    }

    void WriteListMarker(const TRtfParagraph& p, bool first, int number) {
        Delimit();
        if (p.List == TRtfList::Bullet) {
            const int sym = static_cast<int>(fonts_.size());
            body_ += "{\\pntext\\f" + std::to_string(sym) + "\\'b7\\tab}";
            if (first) body_ += "{\\*\\pn\\pnlvlblt\\pnf" + std::to_string(sym) + "\\pnindent0{\\pntxtb\\'b7}}";
        } else {
            body_ += "{\\pntext\\f0 " + std::to_string(number) + ".\\tab}";
            if (first) body_ += "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}";
        }
    }

    void WriteFormat(const TRtfCharFormat& f) {
        const int font = FontIndex(f.Font);
        if (!haveFormat_ || font != curFont_) Word("f", font);
        if (!haveFormat_ || f.HalfPoints != cur_.HalfPoints) Word("fs", f.HalfPoints);
        const int color = f.HasColor ? ColorIndex(f.Color) : 0;
        if ((!haveFormat_ && color != 0) || (haveFormat_ && color != curColor_)) Word("cf", color);
        if (f.Bold != (haveFormat_ && cur_.Bold)) f.Bold ? Word("b") : Word("b", 0);
        if (f.Italic != (haveFormat_ && cur_.Italic)) f.Italic ? Word("i") : Word("i", 0);
        if (f.Underline != (haveFormat_ && cur_.Underline)) f.Underline ? Word("ul") : Word("ulnone");
        TRtfVertical was = haveFormat_ ? cur_.Vertical : TRtfVertical::Normal;
        if (f.Vertical != was) {
            if (f.Vertical == TRtfVertical::Superscript)
                Word("super");
            else if (f.Vertical == TRtfVertical::Subscript)
                Word("sub");
            else
                Word("nosupersub");
        }
        cur_ = f;
        curFont_ = font;
        curColor_ = color;
        haveFormat_ = true;
    }

    // Text of a font name (inTable) or of a run.
    static void AppendEscaped(std::string& out, std::string_view utf8, bool inTable) {
        std::size_t i = 0;
        while (i < utf8.size()) {
            char32_t cp = 0;
            if (!NextUtf8(utf8, i, cp)) {
                ++i;
                cp = 0xFFFD;
            }
            if (cp == '\\' || cp == '{' || cp == '}') {
                out += '\\';
                out += static_cast<char>(cp);
            } else if (cp == ';' && inTable) {
                // A font name ends at ";".
            } else if (cp == '\t' && !inTable) {
                out += "\\tab ";
            } else if (cp == '\n' && !inTable) {
                out += "\\line ";
            } else if (cp >= 0x20 && cp < 0x7F) {
                out += static_cast<char>(cp);
            } else if (cp < 0x20 || cp == 0x7F) {
                // Other control characters have no place in the text.
            } else if (auto byte = cp == 0x98 ? std::nullopt : CodePointToCp1251(cp)) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned>(*byte));
                out += buf;
            } else if (inTable) {
                out += '?';  // font tables hold code-page names only
            } else if (cp > 0xFFFF) {
                char32_t v = cp - 0x10000;
                AppendRtfUnicode(out, static_cast<int>(0xD800 + (v >> 10)));
                AppendRtfUnicode(out, static_cast<int>(0xDC00 + (v & 0x3FF)));
            } else {
                AppendRtfUnicode(out, static_cast<int>(cp));
            }
        }
    }

    void WritePicture(const TRtfRun& r) {
        const TRtfPicture& pic = r.Picture;
        Delimit();
        body_ += pic.Type == TRtfPictureType::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
        int w = pic.WidthTwips > 0 ? pic.WidthTwips : pic.PixelWidth * 15;
        int h = pic.HeightTwips > 0 ? pic.HeightTwips : pic.PixelHeight * 15;
        body_ += "\\picw" + std::to_string(pic.PixelWidth) + "\\pich" + std::to_string(pic.PixelHeight);
        body_ += "\\picwgoal" + std::to_string(w) + "\\pichgoal" + std::to_string(h) + "\r\n";
        static constexpr char kHex[] = "0123456789abcdef";
        std::size_t col = 0;
        for (unsigned char b : pic.Data) {
            body_ += kHex[b >> 4];
            body_ += kHex[b & 15];
            if (++col == 64) {
                body_ += "\r\n";
                col = 0;
            }
        }
        body_ += '}';
    }

    void WriteBody() {
        const TRtfParagraph* prev = nullptr;
        int number = 0;
        for (const TRtfParagraph& p : doc_.Paragraphs) {
            bool changed = !prev || p.Alignment != prev->Alignment || p.List != prev->List ||
                           p.FirstIndentTwips != prev->FirstIndentTwips || p.LeftIndentTwips != prev->LeftIndentTwips;
            if (changed) WriteParagraphProps(p);
            number = p.List == TRtfList::None ? 0 : (changed ? 1 : number + 1);
            if (p.List != TRtfList::None) WriteListMarker(p, changed, number);
            if (!haveFormat_) WriteFormat(p.Runs.empty() ? TRtfCharFormat{} : p.Runs.front().Format);
            for (const TRtfRun& r : p.Runs) {
                WriteFormat(r.Format);
                if (r.IsPicture) {
                    WritePicture(r);
                    continue;
                }
                text_.clear();
                AppendEscaped(text_, r.Text, false);
                if (text_.empty()) continue;
                Delimit();
                body_ += text_;
            }
            Word("par");
            body_ += "\r\n";
            pendingSpace_ = false;
            prev = &p;
        }
        if (doc_.Paragraphs.empty()) {
            Word("pard");
            WriteFormat(TRtfCharFormat{});
            Word("par");
            body_ += "\r\n";
        }
    }

    const TRtfDocument& doc_;
    std::string defaultFont_;
    std::vector<std::string> fonts_;
    std::vector<TRtfColor> colors_;
    bool needSymbol_ = false;
    std::string body_;
    std::string text_;
    bool pendingSpace_ = false;
    bool haveFormat_ = false;
    TRtfCharFormat cur_;
    int curFont_ = 0;
    int curColor_ = 0;
};

}  // namespace

void AppendRtfUnicode(std::string& out, long unit) {
    out += "\\u" + std::to_string(unit > 32767 && unit < 65536 ? unit - 65536 : unit) + '?';
}

std::string WriteRtf(const TRtfDocument& doc, const TRtfWriteOptions& options) { return TWriter(doc, options).Run(); }

}  // namespace vormid
