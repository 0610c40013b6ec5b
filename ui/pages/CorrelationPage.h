#pragma once
// The page "Корелация" of the model notebook: the grid dgCorr of correlated
// pairs of input quantities with its in-place editors, the quantity box
// cbCorrParam and the coefficient box febCorrel (whose button takes r from
// two Type A series), and the buttons btnAddCorr and btnDelCorr. Every
// change goes through the model controller's EditCorrelations.
#include <memory>
#include <string>

#include "ui/pages/Page.h"

namespace Ui {
class TCorrelationPage;
}
class QComboBox;
class QLabel;
class QModelIndex;
class QTableView;

namespace vormid {

class CorrelationModel;
class TCoefficientEdit;

class TCorrelationPage : public TPage {
    Q_OBJECT
public:
    explicit TCorrelationPage(QWidget* parent = nullptr);
    ~TCorrelationPage() override;

    void Attach(TModelController& controller) override;
    void Reload() override;
    void UpdateEnables(const TCommandEnables& enables) override;

    // Opens the in-place editor over the current cell (what a click on the
    // selected cell, Enter or F2 does).
    void OpenEditor();

    // The message of a duplicate pair.
    static QString DuplicateMessage() { return QStringLiteral("Комбинацията от величини вече съществува!"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Add();
    void Delete();
    void Refresh();
    void CurrentChanged(const QModelIndex& current);
    void HideEditors();
    void PlaceEditors();
    void FillQuantityBox();
    void QuantityChosen(int item);
    void CoefficientTyped(const QString& text);
    void KeepCoefficient();
    void CoefficientFromSeries();
    void ShowCoefficientState(const QString& text);
    bool SeriesAvailable(int row) const;
    void SetCurrent(int row, int column);
    // The pair's names at row, empty past the end of the list.
    std::string Name(int row, int column) const;

    std::unique_ptr<Ui::TCorrelationPage> ui_;
    CorrelationModel* model_;
    QTableView* grid_;
    QComboBox* quantityBox_;
    TCoefficientEdit* coefficientBox_;
    // The cell the shown editor belongs to (-1: none shown).
    int editorRow_ = -1;
    int editorColumn_ = -1;
    // The coefficient of the pair when its box was opened (or last left
    // with a number): while the box holds a text that is incomplete or
    // refused, the pair holds this one.
    std::string keptText_;
    double keptValue_ = 0.0;
    // A mouse press hit the cell that was already current.
    bool pressOnCurrent_ = false;
};

}  // namespace vormid
