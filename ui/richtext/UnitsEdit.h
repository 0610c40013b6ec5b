#pragma once
// The units field of a quantity ("rtfUnits"): one line whose only formatting
// is subscript and superscript, kept in the model as name markup ("\b"
// subscript follows, "\t" superscript follows, "\n" normal again). The frame
// around it shows whether it has the focus.
#include <QColor>
#include <QWidget>
#include <memory>
#include <string>

class QMenu;
class QTextEdit;

namespace vormid {

class TUnitsEdit : public QWidget {
    Q_OBJECT
public:
    explicit TUnitsEdit(QWidget* parent = nullptr);

    // Shows the markup; emits nothing.
    void SetUnits(const std::string& markup);
    // The markup of what the field shows.
    std::string Units() const { return units_; }

    // The frame's colour: RGB(247,176,70) with the focus, RGB(101,138,171)
    // without.
    QColor FrameColor() const;

    // The text area itself (focus, tests).
    QTextEdit* TextEdit() const { return edit_; }

    // The context menu "pmUnits" with its entries enabled for the moment.
    std::unique_ptr<QMenu> CreateContextMenu();

signals:
    // The markup changed through the user.
    void unitsEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnContentsChanged();
    // The field's own paragraph format, applied without counting as an edit.
    void ApplyParagraph();

    QTextEdit* edit_ = nullptr;
    std::string units_;
    // The field changes its own document (SetUnits, its paragraph format):
    // no edit of the user.
    bool settingUnits_ = false;
};

}  // namespace vormid
