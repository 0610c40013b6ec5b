#pragma once
// The quantity editor pnlParamData beside the quantity list: the kind box
// qcbParamType, the description, the units, the comment and the notebook
// BookParam, whose page is chosen by the quantity's kind.
#include <array>
#include <memory>

#include <QWidget>

#include "core/GumTypes.h"

namespace Ui {
class TQuantityEditor;
}

namespace vormid {

class TGumParam;
class TKindEditor;
class TModelController;

class TQuantityEditor : public QWidget {
    Q_OBJECT
public:
    explicit TQuantityEditor(QWidget* parent = nullptr);
    ~TQuantityEditor() override;

    void Attach(TModelController& controller);
    // Shows the selected quantity (nothing shown when none is selected).
    void DisplaySelected();
    // The page of BookParam for a kind; null for Undefined.
    TKindEditor* PageOf(TParamKind kind) const;

private:
    void qcbParamTypeChange(int item);
    void edDescriptionChange(const QString& text);
    void UnitsChange();
    void CommentarChange();

    std::unique_ptr<Ui::TQuantityEditor> ui_;
    TModelController* controller_ = nullptr;
    // The BookParam page of each kind, by kind code; null: no page.
    std::array<TKindEditor*, 6> pages_{};
};

}  // namespace vormid
