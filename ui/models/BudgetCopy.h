#pragma once
// What "Копиране" - "Стойности" puts on the clipboard: one budget as a table
// an office program pastes well, as tab-separated text and as HTML. A
// heading names the model and the result; the units stand in a column of
// their own (or in a column's header) instead of after each number; the
// footer, the result line and the notes of the marked cells follow.
#include <QString>

namespace vormid {

class TGumModel;
struct TDisplayState;

struct TBudgetCopy {
    QString Text;  // tab-separated, lines ended by CR LF
    QString Html;
};

// Budget budget of model with the columns display shows (the bars left
// out, the units column always in); nothing for a bad index.
TBudgetCopy CopyBudget(const TGumModel& model, int budget, const TDisplayState& display);

}  // namespace vormid
