#pragma once
// The observation page ("Наблюдение", page Values of Book): one tab per
// Type A quantity, the observation grid dgTypeA, the statistics grid dgStat
// and the histogram Histogram1 under its toolbar ToolBar3.
#include <QIcon>
#include <QVector>
#include <functional>
#include <memory>

#include "core/GumModel.h"
#include "ui/pages/Page.h"

class QMenu;

namespace Ui {
class TObservationPage;
}

namespace vormid {

class THistogram;
class TObservationModel;
class TStatisticsModel;
class TSchemaLineDelegate;

class TObservationPage : public TPage {
    Q_OBJECT
public:
    explicit TObservationPage(QWidget* parent = nullptr);
    ~TObservationPage() override;

    // Shows the controller's model and writes through it.
    void Attach(TModelController& controller) override;
    // Rebuilds the tabs from the quantity list (first tab selected).
    void Reload() override;
    // The page comes into view: as Reload, keeping the selected quantity.
    void Entered() override;
    // A quantity changed elsewhere: refresh when it is the one shown.
    void QuantityChanged(int index);
    // Shows the tab of the quantity at index (nothing when it has none).
    void ShowQuantityTab(int index);

    // "Копиране" -> "Статистика": the statistics table as tab-separated text
    // and as an HTML table on the clipboard. Nothing without a quantity.
    void CopyStatistics();
    // The shown quantity's index in the model, or -1.
    int CurrentQuantity() const;
    THistogram* Histogram() const;

private:
    void SelectTab(int tab);
    void ShowQuantity();
    void RefreshViews();
    void CellTyped(int row, int column, const QString& text);
    void MoveOn(int row, int column);
    void CopyCells();
    void PasteCells();
    void ClearCells();
    void ShowGridMenu(const QPoint& at);
    // Inserts a measurement before the current one, or deletes the current
    // one (n follows).
    void InsertMeasurement();
    void DeleteMeasurement();
    // Writes the shown quantity; its own change does not rebuild the grid
    // under an editor that is still committing.
    void StoreShown(const std::function<void(TGumParam&)>& fn);
    void SetupToolbar();
    void ShowOptionsOnButtons();
    void ChooseAxis(int which, int value);
    void ChooseXS(int value);
    void SizeStatisticsColumns();

    std::unique_ptr<Ui::TObservationPage> ui_;
    TGumModel* model_ = nullptr;  // the controller's
    QVector<int> tabQuantities_;  // model index of each tab
    TObservationModel* observations_ = nullptr;
    TStatisticsModel* statistics_ = nullptr;
    TSchemaLineDelegate* lineDelegate_ = nullptr;
    QMenu* pmAxis_ = nullptr;
    QMenu* pmXS_ = nullptr;
    int axisButton_ = 0;  // 1 left, 2 right, 3 labels: who opened pmAxis
    QVector<QIcon> ilHisto_;
    bool storing_ = false;
    QMenu* pmGrid_ = nullptr;
};

}  // namespace vormid
