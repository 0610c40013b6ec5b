#pragma once
// What the main window knows of each of its pages: the page reads and writes
// the model through the model controller, refills itself when the whole model
// changes, may act when it is entered, keeps its part of the display state
// that the model file stores, and offers its menu commands.
#include <QList>
#include <QWidget>

#include "core/DisplayState.h"

class QAction;

namespace vormid {

class TModelController;
struct TCommandEnables;

class TPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Called once, before anything else; the page connects to the
    // controller's signals here.
    virtual void Attach(TModelController& controller) { controller_ = &controller; }
    // The whole model was replaced: fill every control again.
    virtual void Reload() {}
    // The page became the shown one.
    virtual void Entered() {}
    // The display state kept in the model file; an opened model's is
    // applied just before the Reload that shows it.
    virtual void StoreDisplay(TDisplayState& state) const { Q_UNUSED(state) }
    virtual void ApplyDisplay(const TDisplayState& state) { Q_UNUSED(state) }
    // The document's enabling rules changed (page buttons of its own).
    virtual void UpdateEnables(const TCommandEnables& enables) { Q_UNUSED(enables) }
    // Commands the page adds to the main menus "Редактиране" and "Бюджет".
    virtual QList<QAction*> EditActions() const { return {}; }
    virtual QList<QAction*> BudgetActions() const { return {}; }

protected:
    TModelController* controller_ = nullptr;
};

}  // namespace vormid
