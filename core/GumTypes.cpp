// GumTypes.h holds only constants; this unit keeps the library non-empty
// until the rest of the core is in place.
#include "core/GumTypes.h"
