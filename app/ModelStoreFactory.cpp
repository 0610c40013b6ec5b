#include "app/ModelStoreFactory.h"

#include "ui/MemoryModelStore.h"

namespace vormid {

std::unique_ptr<IModelStore> MakeModelStore() { return std::make_unique<TMemoryModelStore>(); }

}  // namespace vormid
