#pragma once
// A small document model of the rich texts the model file keeps: paragraphs
// with alignment, indents and bullets, runs of text with one character
// format each, and pictures. Text is UTF-8. RtfReader fills it, RtfWriter
// writes it, and the window's adapter maps it to and from its editor.
#include <cstdint>
#include <string>
#include <vector>

namespace vormid {

struct TRtfColor {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TRtfColor&) const = default;
};

enum class TRtfVertical : std::uint8_t { Normal, Superscript, Subscript };

struct TRtfCharFormat {
    std::string Font;     // family name; empty for the document's default font
    int HalfPoints = 24;  // font size in half points (RTF's \fs)
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool HasColor = false;  // false: the automatic (window text) colour
    TRtfColor Color;
    TRtfVertical Vertical = TRtfVertical::Normal;
    bool operator==(const TRtfCharFormat&) const = default;
};

enum class TRtfPictureType : std::uint8_t { Png, Jpeg };

struct TRtfPicture {
    TRtfPictureType Type = TRtfPictureType::Png;
    std::string Data;    // the image file's bytes
    int PixelWidth = 0;  // \picw, \pich: the image's own size
    int PixelHeight = 0;
    int WidthTwips = 0;  // shown size (goal size scaled); 0 when not given
    int HeightTwips = 0;
    bool operator==(const TRtfPicture&) const = default;
};

// Text of one format, or one picture (then Text is empty).
struct TRtfRun {
    TRtfCharFormat Format;
    std::string Text;  // UTF-8; "\t" a tab, "\n" a line break within the paragraph
    bool IsPicture = false;
    TRtfPicture Picture;
    bool operator==(const TRtfRun&) const = default;
};

enum class TRtfAlignment : std::uint8_t { Left, Center, Right, Justify };
enum class TRtfList : std::uint8_t { None, Bullet, Numbered };

struct TRtfParagraph {
    TRtfAlignment Alignment = TRtfAlignment::Left;
    TRtfList List = TRtfList::None;
    int FirstIndentTwips = 0;  // \fi, relative to the left indent
    int LeftIndentTwips = 0;   // \li
    std::vector<TRtfRun> Runs;
    bool operator==(const TRtfParagraph&) const = default;
};

struct TRtfDocument {
    std::vector<TRtfParagraph> Paragraphs;
    std::string DefaultFont;  // the \deff font's family
    // Content that the model cannot hold and that is left out: embedded
    // objects, metafile and bitmap pictures, tables. Writing the document
    // back loses it, so editors warn before they do.
    bool HasUnsupported = false;
    bool operator==(const TRtfDocument&) const = default;
};

}  // namespace vormid
