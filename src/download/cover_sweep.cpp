#include "download/cover_sweep.h"

#include <algorithm>
#include <exception>
#include <system_error>

#include "common/text.h"
#include "engine/fetch/cover_filer.h"

namespace zelidor {

namespace {

// "Canale_5_12_3.jpg", "Canale_5_12_3_1.jpg": what the cover filer writes for channel
// "Canale 5". A separator or NUL byte would reach outside the covers folder or cut the name.
bool filedByUs(std::string_view name, std::string_view channel) {
    const std::string prefix = coverBaseName(channel, "");
    return name.size() > prefix.size() + 4 && name.starts_with(prefix) && name.ends_with(".jpg") &&
           name != "none.jpg" && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace

std::vector<std::string> filedCoversOf(ProgrammeStore& store, std::int64_t day,
                                       const std::string& channel) {
    Statement query = store.database().prepare(
        "SELECT DISTINCT Cover, Palinsesto FROM Programmi "
        "WHERE Data = ? AND fold(Palinsesto) = fold(?) AND Cover IS NOT NULL");
    query.bind(1, day).bindLatin1(2, std::string_view(channel));
    std::vector<std::string> covers;
    while (query.step()) {
        std::optional<std::string> cover = query.latin1(0);
        std::optional<std::string> rowChannel = query.latin1(1);
        if (cover && rowChannel && filedByUs(*cover, *rowChannel) &&
            std::find(covers.begin(), covers.end(), *cover) == covers.end()) {
            covers.push_back(*cover);
        }
    }
    return covers;
}

int removeUnnamedCovers(ProgrammeStore& store, const std::filesystem::path& coversDir,
                        const std::vector<std::string>& covers) {
    int removed = 0;
    try {
        Statement named =
            store.database().prepare("SELECT 1 FROM Programmi WHERE Cover = ? LIMIT 1");
        for (const std::string& cover : covers) {
            named.reset();
            named.bindLatin1(1, std::string_view(cover));
            if (named.step()) {
                continue;  // another programme, of this day or another, still shows it
            }
            // File names are UTF-8 on disk, as the cover filer writes them.
            const std::filesystem::path file = coversDir / latin1ToUtf8(cover);
            std::error_code error;
            if (std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error)) &&
                std::filesystem::remove(file, error)) {
                ++removed;
            }
        }
    } catch (const std::exception&) {
        // What could not be checked stays on disk.
    }
    return removed;
}

}  // namespace zelidor
