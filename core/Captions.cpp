#include "core/Captions.h"

#include "core/GumTypes.h"

namespace vormid {
namespace {

constexpr std::string_view kDistributionCaptions[kDistributionCount] = {
    "Нормално",
    "Лог. нормално",
    "t-разпределение",
    "Правоъгълно",
    "Триъгълно",
    "Трапецовидно",
    "Квадратично",
    "U-разпределение",
    "Косинусово-разпределение",
    "1/2 Косинусово-разпределение",
};

}  // namespace

std::string_view DistributionCaption(int code) {
    return code >= 0 && code < kDistributionCount ? kDistributionCaptions[code] : std::string_view();
}

}  // namespace vormid
