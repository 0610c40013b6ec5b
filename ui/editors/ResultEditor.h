#pragma once
// The page "Result" of the quantity editor: how a result's uncertainty is expanded and written.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui { class TResultEditor; }

namespace vormid {

class TResultEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TResultEditor(QWidget* parent = nullptr);
    ~TResultEditor() override;

private:
    std::unique_ptr<Ui::TResultEditor> ui_;
};

}  // namespace vormid
