#pragma once
// The page "TypeB" of the quantity editor: a stated uncertainty, error bound or distribution interval.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui { class TTypeBEditor; }

namespace vormid {

class TTypeBEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TTypeBEditor(QWidget* parent = nullptr);
    ~TTypeBEditor() override;

private:
    std::unique_ptr<Ui::TTypeBEditor> ui_;
};

}  // namespace vormid
