#include "cli/OutputJson.h"

namespace vormid::cli {

void WriteJson(const Json& doc, std::ostream& out) {
    out << doc.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace vormid::cli
