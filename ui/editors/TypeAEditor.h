#pragma once
// The page "TypeA" of the quantity editor: how a Type A quantity's estimate and uncertainty come from its observations.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui { class TTypeAEditor; }

namespace vormid {

class TTypeAEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TTypeAEditor(QWidget* parent = nullptr);
    ~TTypeAEditor() override;

private:
    std::unique_ptr<Ui::TTypeAEditor> ui_;
};

}  // namespace vormid
