#include "ui/MemoryModelStore.h"

namespace vormid {

void TMemoryModelStore::Clear() {
    name_.clear();
    method_ = 0;
}

void TMemoryModelStore::Load() {
    throw TModelStoreError(("Файлът " + fileName_ + " не може да бъде отворен: няма формат на моделите.").toStdString());
}

void TMemoryModelStore::Save() {
    throw TModelStoreError(("Файлът " + fileName_ + " не може да бъде записан: няма формат на моделите.").toStdString());
}

}  // namespace vormid
