#pragma once
// The model store the program works on.
#include <memory>

#include "ui/ModelStore.h"

namespace vormid {

std::unique_ptr<IModelStore> MakeModelStore();

}  // namespace vormid
