#pragma once
// The page "Описание" of the model notebook: the model's description.
#include <memory>

#include "ui/pages/Page.h"

namespace Ui {
class TDescriptionPage;
}

namespace vormid {

class TDescriptionPage : public TPage {
    Q_OBJECT
public:
    explicit TDescriptionPage(QWidget* parent = nullptr);
    ~TDescriptionPage() override;

    void Reload() override;

private:
    void EditorChange();

    std::unique_ptr<Ui::TDescriptionPage> ui_;
};

}  // namespace vormid
