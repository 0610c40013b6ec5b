#pragma once
// A page of the quantity editor's notebook BookParam: the controls of one
// quantity kind. The quantity editor attaches every page to the model
// controller and asks the page of the selected quantity's kind to display it.
#include <QWidget>

namespace vormid {

class TGumParam;
class TModelController;

class TKindEditor : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Called once; the page connects to the controller here.
    virtual void Attach(TModelController& controller) { controller_ = &controller; }
    // Fills the controls from the quantity. Called under the controller's
    // loading scope, so nothing the page sets counts as an edit.
    virtual void Display(TGumParam& quantity) { Q_UNUSED(quantity) }

protected:
    TModelController* controller_ = nullptr;
};

}  // namespace vormid
