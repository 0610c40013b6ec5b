// TGumModel::Clear: the model as a new one.
#include "core/GumModel.h"

namespace vormid {

void TGumModel::Clear() {
    Params.Clear();
    Correlations.Clear();
    Budgets.clear();
    ModelName.clear();
    EvalMethod = em_Gum;
    Description.clear();
    Equation.clear();
    FormatSettings = TNumberFormatSettings{};
}

}  // namespace vormid
