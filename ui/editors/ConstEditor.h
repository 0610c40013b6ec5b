#pragma once
// The page "Const" of the quantity editor: the value of a constant, kept
// with the text the user typed.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui {
class TConstEditor;
}

namespace vormid {

class TConstEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TConstEditor(QWidget* parent = nullptr);
    ~TConstEditor() override;

    void Display(TGumParam& quantity) override;

private:
    void feConstChange(double value);

    std::unique_ptr<Ui::TConstEditor> ui_;
};

}  // namespace vormid
