// Any channel file must give a header without a crash, and a value never holds a field
// separator that the reader should have cut at.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "engine/script_header.h"

namespace {

void checkValue(const std::optional<std::string>& value) {
    if (value &&
        (value->find('\n') != std::string::npos || value->find('\r') != std::string::npos)) {
        // Only a quoted field may carry a line end; a quoted field never keeps its quotes.
        if (value->find('"') != std::string::npos) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    zelidor::ScriptHeader header = zelidor::readScriptHeader(in);
    checkValue(header.antenna);
    checkValue(header.dateBuild);
    checkValue(header.madeBy);
    checkValue(header.webSite);
    return 0;
}
