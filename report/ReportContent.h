#pragma once
// The uncertainty report as plain content: sections of paragraphs, tables
// and pictures, built from the model and its calculated budgets. Every
// output (print preview, PDF, ODT, HTML) draws this one description, so
// what a report holds is decided and tested here, below any painting.
// Text is UTF-8 throughout.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/Statistics.h"

namespace vormid::report {

enum class TScript : std::uint8_t { Normal, Subscript, Superscript };
enum class TAlign : std::uint8_t { Left, Center, Right, Justify };

struct TColor {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TColor&) const = default;
};

// A picture: image file bytes from a rich text, or the histogram of a Type A
// series, which the renderer draws as the observation page does.
struct TPicture {
    enum class TKind : std::uint8_t { Image, Histogram };
    TKind Kind = TKind::Image;
    std::string Bytes;  // PNG or JPEG (Image)
    // The series of a histogram; shared with the report, never changed.
    std::shared_ptr<const SeriesStatistics> Series;
    double WidthPt = 0;  // shown size in points; 0: the picture's own
    double HeightPt = 0;
    std::string Caption;  // text for outputs without pictures
};

// Text of one format, or a picture (then Text is empty).
struct TSpan {
    std::string Text;  // "\n" breaks the line
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TScript Script = TScript::Normal;
    bool HasColor = false;
    TColor Color;
    double SizePt = 0;  // 0: the size of the paragraph's style
    std::string Font;   // empty: the report's font
    bool IsPicture = false;
    TPicture Picture;
};

enum class TParagraphStyle : std::uint8_t {
    Title,       // the report's title
    Heading,     // a section
    Subheading,  // a part of a section (one result, one series)
    Body,
    Note,       // a footnote-like remark under a table
    Statement,  // the result statement, set off
};

struct TParagraph {
    TParagraphStyle Style = TParagraphStyle::Body;
    TAlign Align = TAlign::Left;
    double IndentPt = 0;
    bool Bullet = false;
    bool NewPage = false;  // begins a page (a budget starts on its own)
    std::vector<TSpan> Spans;
};

struct TCell {
    std::vector<TSpan> Spans;
    TAlign Align = TAlign::Left;
    int ColumnSpan = 1;
};

// What a row is, for its background and rules.
enum class TRowRole : std::uint8_t { Header, Body, Tinted, FooterLabel, FooterValue };

struct TRow {
    TRowRole Role = TRowRole::Body;
    std::vector<TCell> Cells;
};

struct TTable {
    // The first HeaderRows rows are the header; a table that breaks across
    // pages repeats them.
    int HeaderRows = 1;
    std::vector<TRow> Rows;
    // Relative widths of the columns; empty: equal.
    std::vector<double> Widths;
    double SizePt = 0;  // font size of the table; 0: the body's
    std::string Name;   // what the table shows, for tests and anchors
};

using TBlock = std::variant<TParagraph, TTable, TPicture>;

struct TSection {
    std::vector<TBlock> Blocks;
};

struct TReport {
    std::string Title;     // also the document's title in the outputs
    std::string PageText;  // the page footer: "%1" the page, "%2" the pages
    std::vector<TSection> Sections;
    // A budget (or the whole calculation) failed; the report says where.
    bool BudgetFailed = false;
};

// Text of a span list, pictures as their captions: for tests and for the
// outputs that need plain text.
std::string PlainText(const std::vector<TSpan>& spans);

}  // namespace vormid::report
