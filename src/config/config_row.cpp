#include "config/config_row.h"

#include <optional>
#include <system_error>

#include "common/text.h"

namespace zelidor {

namespace {

bool isCardTemplate(const std::filesystem::directory_entry& entry) {
    std::error_code ignored;
    return entry.is_regular_file(ignored) &&
           foldLatin1(entry.path().extension().string()) == ".htm";
}

}  // namespace

ConfigRow defaultConfigRow(const std::filesystem::path& appFolder) {
    ConfigRow row;
    std::optional<std::string> first;
    std::error_code error;  // a missing folder simply offers no template
    for (std::filesystem::directory_iterator it(appFolder / "htmlcards", error), end;
         !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (isCardTemplate(*it) && (!first || name < *first)) {
            first = name;
        }
    }
    if (first) {
        // File names on disk are UTF-8; the program's texts are Latin-1.
        row.card = utf8ToLatin1(*first);
    }
    return row;
}

}  // namespace zelidor
