#include "app/ModelStoreFactory.h"

#include "ui/GumModelStore.h"

namespace vormid {

std::unique_ptr<IModelStore> MakeModelStore() { return std::make_unique<TGumModelStore>(); }

}  // namespace vormid
