// zelidor-cli channels: the channel catalogue as the main window's tree shows it.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "browser/catalogue.h"
#include "cli/app_folder.h"
#include "cli/command.h"
#include "common/text.h"

namespace zelidor::cli {

namespace {

// The category of a channel node, from the picture the tree draws it with; the texts are those
// of the main window's category filter.
std::string categoryText(const std::string& treeImage) {
    static const std::pair<const char*, const char*> kCategories[] = {
        {"parabola", "1 Satellite"},
        {"televisione2", "2 Televisione"},
        {"televisione", "3 Cinema"},
        {"sport", "4 Sport"},
        {"ragazzi", "5 Ragazzi"}};
    for (const auto& [image, text] : kCategories) {
        if (treeImage == image) {
            return text;
        }
    }
    return "";
}

// The value of the detail node drawn with the given picture (build date, author, web site); a
// value the tree could not show (empty, or repeated) stays empty here too.
std::string detail(const KeyedTree& tree, const TreeNode& channel, const char* image) {
    for (const TreeNode* node : tree.children(channel.key)) {
        if (node->image == image) {
            return node->text;
        }
    }
    return "";
}

int runChannels(const GlobalOptions& global, int category) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    Catalogue catalogue = loadCatalogue(appFolder, std::to_string(category));
    for (const std::string& text : catalogue.statusTexts) {
        std::fprintf(stderr, "status: %s\n", latin1ToUtf8(text).c_str());
    }
    std::error_code error;
    if (!std::filesystem::is_directory(appFolder / "TV", error)) {
        return 1;  // a bad installation, not an empty catalogue
    }
    const KeyedTree& tree = catalogue.tree;
    for (const TreeNode* channel : tree.children("R")) {
        std::string line = channel->text + "\t" + categoryText(channel->image) + "\t" +
                           detail(tree, *channel, "tempo1") + "\t" +
                           detail(tree, *channel, "smile1") + "\t" +
                           detail(tree, *channel, "explorer1");
        std::printf("%s\n", latin1ToUtf8(line).c_str());
    }
    return 0;
}

}  // namespace

void addChannelsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto category = std::make_shared<int>(0);
    auto* cmd = app.add_subcommand(
        "channels",
        "List the channel catalogue in alphabetical order, one channel a line: name, category, "
        "build date, author and web site, separated by tabs");
    cmd->add_option("--category", *category,
                    "Only one category: 1 Satellite, 2 Televisione, 3 Cinema, 4 Sport, 5 Ragazzi "
                    "(0: all)")
        ->check(CLI::Range(0, 5));
    cmd->callback([&action, &global, category] {
        action = [&global, category] { return runChannels(global, *category); };
    });
}

}  // namespace zelidor::cli
