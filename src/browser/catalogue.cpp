#include "browser/catalogue.h"

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

#include "browser/status_texts.h"
#include "common/number.h"
#include "common/text.h"
#include "engine/script_header.h"

namespace zelidor {

namespace {

constexpr const char* kRootKey = "R";

struct CategoryLook {
    const char* treeImage;
    int smallIcon;  // the same picture's position in the channel image list
};

// Categories 1 to 5; anything else has no look and no place in the tree.
constexpr std::array<CategoryLook, 5> kCategoryLooks = {{
    {"parabola", 2},
    {"televisione2", 5},
    {"televisione", 4},
    {"sport", 14},
    {"ragazzi", 15},
}};

const CategoryLook* lookOf(std::optional<std::int16_t> category) {
    if (!category || *category < 1 || *category > static_cast<int>(kCategoryLooks.size())) {
        return nullptr;
    }
    return &kCategoryLooks[static_cast<std::size_t>(*category - 1)];
}

bool isChannelFile(const std::filesystem::directory_entry& entry) {
    std::error_code ignored;
    if (!entry.is_regular_file(ignored)) {
        return false;
    }
    std::string name = entry.path().filename().string();
    return name.size() >= 4 && foldLatin1(name.substr(name.size() - 4)) == ".zdr";
}

// The channel files of the folder in alphabetical order (letter case ignored, as the file list
// of the desktop shows them). A folder that cannot be listed gives no value.
std::optional<std::vector<std::filesystem::path>> channelFiles(
    const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::filesystem::path> files;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        if (isChannelFile(*it)) {
            files.push_back(it->path());
        }
    }
    auto sortKey = [](const std::filesystem::path& p) {
        std::string name = p.filename().string();
        return std::make_pair(foldLatin1(name), name);
    };
    std::sort(files.begin(), files.end(),
              [&](const auto& a, const auto& b) { return sortKey(a) < sortKey(b); });
    return files;
}

// File names on disk are UTF-8; the program's texts are Latin-1.
std::string channelNameOf(const std::filesystem::path& file) {
    std::string name = utf8ToLatin1(file.filename().string());
    return name.substr(0, name.size() - 4);
}

class CatalogueBuilder {
  public:
    explicit CatalogueBuilder(int filter) : filter_(filter) {
        result_.tree.addRoot(kRootKey, "Palinsesti Disponibili", "root1");
        result_.tree.expand(kRootKey);
    }

    void fail(std::string text) { result_.statusTexts.push_back(std::move(text)); }

    void addChannel(const std::filesystem::path& file) {
        // Every file starts from empty values, so a key it lacks never shows another file's.
        ScriptHeader header;
        if (auto read = readScriptHeaderFile(file)) {
            header = *read;
        } else {
            fail(status::kFailed);
        }
        std::optional<std::int16_t> category = channelCategory(header.antenna);
        if (header.antenna && !category) {
            fail(status::kFailed);  // a value outside the 16-bit range is not taken
        }
        std::string name = channelNameOf(file);
        bool shown = filter_ == 0 || (category && *category == filter_);
        if (!shown) {
            return;
        }
        if (const CategoryLook* look = lookOf(category)) {
            addNode(kRootKey, name, name, look->treeImage);
            result_.downloadList.insert(result_.downloadList.begin(),
                                        DownloadListItem{name, look->smallIcon});
        }
        addNode(name, name + header.dateBuild.value_or(""), header.dateBuild.value_or(""),
                "tempo1");
        addNode(name, name + header.madeBy.value_or(""), header.madeBy.value_or(""), "smile1");
        addNode(name, name + header.webSite.value_or(""), header.webSite.value_or(""), "explorer1");
    }

    Catalogue take() { return std::move(result_); }

  private:
    void addNode(const std::string& parent, std::string key, std::string text, std::string image) {
        if (result_.tree.addChild(parent, std::move(key), std::move(text), std::move(image)) !=
            NodeAdded::Added) {
            fail(status::kFailed);
        }
    }

    int filter_;
    Catalogue result_;
};

}  // namespace

int categoryFilter(std::string_view filterText) {
    double value = leadingNumber(filterText.substr(0, std::min<std::size_t>(2, filterText.size())));
    return static_cast<int>(roundHalfEven(value));
}

std::optional<std::int16_t> channelCategory(const std::optional<std::string>& antenna) {
    if (!antenna) {
        return std::nullopt;
    }
    std::int64_t value = roundHalfEven(leadingNumber(*antenna));
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

Catalogue loadCatalogue(const std::filesystem::path& appFolder, std::string_view filterText) {
    CatalogueBuilder builder(categoryFilter(filterText));
    std::filesystem::path folder = appFolder / "TV" / "";
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored)) {
        builder.fail(status::missingFolder(folder));
    }
    auto files = channelFiles(folder);
    if (!files) {
        builder.fail(status::kFailed);
        return builder.take();
    }
    for (const auto& file : *files) {
        builder.addChannel(file);
    }
    return builder.take();
}

}  // namespace zelidor
