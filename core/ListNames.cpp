// ListNames: the tokenizer's names entered into the quantity list.
#include "core/ListNames.h"

#include "core/Tokenizer.h"

namespace vormid {

void ListNames(const std::string& text, TGumParams& quantities) noexcept {
    try {
        for (const std::string& name : TokenizeNames(text)) {
            TGumParam* q = quantities.FindByName(name);
            if (q == nullptr) {
                q = quantities.Add();
                q->Name = name;
                q->SetKind(TParamKind::Undefined);
                q->Unconfirmed = true;
            } else if (q->Kind == TParamKind::Result) {
                q->SetKind(TParamKind::VarResult);
            }
        }
    } catch (...) {
        // A failure (out of memory, say) ends the listing; the quantities
        // added so far stay, as a partial refresh of the list.
    }
}

}  // namespace vormid
