#include "report/ReportText.h"

#include "core/Cp1251.h"
#include "core/NameMarkup.h"
#include "core/RtfReader.h"

namespace vormid::report {

TSpan Plain(std::string text, bool bold) {
    TSpan s;
    s.Text = std::move(text);
    s.Bold = bold;
    return s;
}

TCell Cell(std::vector<TSpan> spans, TAlign align) {
    TCell c;
    c.Spans = std::move(spans);
    c.Align = align;
    return c;
}

TParagraph Para(TParagraphStyle style, std::vector<TSpan> spans) {
    TParagraph p;
    p.Style = style;
    p.Spans = std::move(spans);
    return p;
}

TParagraph Para(TParagraphStyle style, std::string text) { return Para(style, {Plain(std::move(text))}); }

std::vector<TSpan> Titled(std::string label, std::string_view nameMarkup) {
    std::vector<TSpan> spans{Plain(std::move(label))};
    Append(spans, MarkupSpans(nameMarkup, true));
    return spans;
}

void Append(std::vector<TSpan>& to, std::vector<TSpan> spans) {
    for (auto& s : spans) to.push_back(std::move(s));
}

std::vector<TSpan> MarkupSpans(std::string_view cp1251, bool bold) {
    std::vector<TSpan> spans;
    for (const TNameRun& run : NameMarkupRuns(cp1251)) {
        TSpan s = Plain(CodePointsToUtf8(run.Text), bold);
        s.Script = run.Script == TNameScript::Subscript     ? TScript::Subscript
                   : run.Script == TNameScript::Superscript ? TScript::Superscript
                                                            : TScript::Normal;
        spans.push_back(std::move(s));
    }
    return spans;
}

std::vector<TSpan> NumberSpans(const TFormattedNumber& n, const std::string& prefix, const std::string& suffixMarkup) {
    std::vector<TSpan> spans{Plain(prefix + n.Mantissa)};
    if (!n.Exponent.empty()) {
        TSpan e = Plain(n.Exponent);
        e.Script = TScript::Superscript;
        spans.push_back(std::move(e));
    }
    if (!suffixMarkup.empty()) {
        spans.push_back(Plain(" "));
        Append(spans, MarkupSpans(suffixMarkup));
    }
    return spans;
}

std::vector<TSpan> CellSpans(const TBudgetCell& c) {
    std::vector<TSpan> spans;
    for (const TCellPart& part : CellParts(c)) {
        if (part.Kind == TCellPartKind::Markup) {
            Append(spans, MarkupSpans(part.Text, c.Bold));
            continue;
        }
        TSpan s = Plain(part.Text, c.Bold);
        if (part.Kind != TCellPartKind::Text) s.Script = TScript::Superscript;  // an exponent, a mark
        spans.push_back(std::move(s));
    }
    return spans;
}

namespace {

TAlign AlignOf(TRtfAlignment a) {
    switch (a) {
        case TRtfAlignment::Center:
            return TAlign::Center;
        case TRtfAlignment::Right:
            return TAlign::Right;
        case TRtfAlignment::Justify:
            return TAlign::Justify;
        default:
            return TAlign::Left;
    }
}

TSpan SpanOf(const TRtfRun& run) {
    TSpan s;
    if (run.IsPicture) {
        s.IsPicture = true;
        s.Picture.Kind = TPicture::TKind::Image;
        s.Picture.Bytes = run.Picture.Data;
        // Twips are 1/20 of a point.
        s.Picture.WidthPt = run.Picture.WidthTwips / 20.0;
        s.Picture.HeightPt = run.Picture.HeightTwips / 20.0;
        s.Picture.Caption = "[картина]";
        return s;
    }
    const TRtfCharFormat& f = run.Format;
    s.Text = run.Text;
    s.Bold = f.Bold;
    s.Italic = f.Italic;
    s.Underline = f.Underline;
    s.Script = f.Vertical == TRtfVertical::Subscript     ? TScript::Subscript
               : f.Vertical == TRtfVertical::Superscript ? TScript::Superscript
                                                         : TScript::Normal;
    s.HasColor = f.HasColor;
    s.Color = {f.Color.Red, f.Color.Green, f.Color.Blue};
    s.SizePt = f.HalfPoints / 2.0;
    s.Font = f.Font;
    return s;
}

}  // namespace

std::vector<TParagraph> RichTextParagraphs(std::string_view bytes) {
    std::vector<TParagraph> out;
    if (bytes.empty()) return out;
    if (!IsRtf(bytes)) {
        // Plain text: one paragraph per line.
        const std::string text = Cp1251ToUtf8(bytes);
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            TParagraph p;
            p.Spans.push_back(Plain(std::move(line)));
            out.push_back(std::move(p));
            start = end + 1;
        }
        return out;
    }
    const TRtfDocument doc = ReadRtf(bytes);
    for (const TRtfParagraph& rp : doc.Paragraphs) {
        TParagraph p;
        p.Align = AlignOf(rp.Alignment);
        p.IndentPt = rp.LeftIndentTwips / 20.0;
        p.Bullet = rp.List != TRtfList::None;
        for (const TRtfRun& run : rp.Runs) p.Spans.push_back(SpanOf(run));
        out.push_back(std::move(p));
    }
    // An editor's text ends with an empty paragraph; it adds nothing here.
    while (!out.empty() && PlainText(out.back().Spans).empty()) out.pop_back();
    return out;
}

std::string PlainText(const std::vector<TSpan>& spans) {
    std::string text;
    for (const TSpan& s : spans) text += s.IsPicture ? s.Picture.Caption : s.Text;
    return text;
}

}  // namespace vormid::report
