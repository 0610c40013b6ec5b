#pragma once
// A one-line label that shows name markup (a quantity's units above its
// grids) drawn by TNameMarkupPainter, with the plain text as its accessible
// name. It is as wide as the drawn text.
#include <QWidget>
#include <string>

namespace vormid {

class TNameLabel : public QWidget {
    Q_OBJECT
public:
    explicit TNameLabel(QWidget* parent = nullptr);

    void SetMarkup(const std::string& markup);
    const std::string& Markup() const { return markup_; }
    // The markup without its markers, as a list would show it.
    QString PlainText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string markup_;
};

}  // namespace vormid
