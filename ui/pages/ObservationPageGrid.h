#pragma once
// The views of the observation page: a delegate that draws a number's
// exponent raised in a smaller font after its mantissa, and the observation
// grid's view, which moves on with Enter by the grid's rules and offers its
// cell block to copy, paste and clear.
#include <QStyledItemDelegate>
#include <QTableView>

namespace vormid {

class TExponentDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // exponentRole: the model role that holds the exponent text.
    TExponentDelegate(int exponentRole, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int exponentRole_;
};

class TObservationView : public QTableView {
    Q_OBJECT
public:
    explicit TObservationView(QWidget* parent = nullptr);

signals:
    // Enter was pressed in (or on) the cell; the page decides where to go.
    void enterPressed(int row, int column);
    void copyRequested();
    void pasteRequested();
    // Delete outside an editor: the selected readings are to be cleared.
    void clearRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enterInEditor_ = false;
};

}  // namespace vormid
