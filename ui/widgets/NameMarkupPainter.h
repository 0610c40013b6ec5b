#pragma once
// One drawing and one measuring of name markup (quantity names and units),
// shared by every grid, tab and list of the window: text after "\b" is
// lowered by 4 pixels, text after "\t" raised by 2, both one point smaller
// and regular; text after "\n" is back on the base line in the table's font.
// A text without markers is drawn as it is, cut with an ellipsis.
#include <QFont>
#include <QString>
#include <string_view>

class QPainter;
class QRect;

namespace vormid {

class TNameMarkupPainter {
public:
    // base: the font of the table (bold for names).
    explicit TNameMarkupPainter(const QFont& base);

    // Draws the Windows-1251 markup left-aligned in rect, centred vertically,
    // in the painter's pen; nothing is drawn outside rect.
    void Draw(QPainter& painter, const QRect& rect, std::string_view markup) const;
    // Width in pixels that Draw takes for the whole text.
    int Width(std::string_view markup) const;

    // Vertical offsets of the scripts from the base line, in pixels.
    static constexpr int kSubscriptDrop = 4;
    static constexpr int kSuperscriptRise = 2;

private:
    QFont base_;
    QFont script_;
};

// The plain text of markup for the window (markers dropped, code points
// decoded), trimmed: what a list shows when it cannot paint.
QString NameMarkupPlainText(std::string_view markup);

}  // namespace vormid
