#include "lexicon/CaptionStore.h"

#include <algorithm>

namespace vormid::lexicon {

const char* FindCaption(std::uint16_t id) noexcept {
    const Caption* end = kCaptions + kCaptionCount;
    const Caption* it =
        std::lower_bound(kCaptions, end, id, [](const Caption& c, std::uint16_t key) { return c.id < key; });
    return (it != end && it->id == id) ? it->text : nullptr;
}

}  // namespace vormid::lexicon
