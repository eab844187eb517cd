// zelidor-cli search: the search window's title search, its result tree printed as text.
#include <cstdio>
#include <memory>

#include "browser/status_texts.h"
#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/day_option.h"
#include "cli/tree_printing.h"
#include "common/text.h"
#include "search/title_search.h"

namespace zelidor::cli {

namespace {

struct SearchArguments {
    std::string text;
    std::string day = "today";
    bool allDays = false;
};

// A node the tree could not take (two programmes at the same hour) is a fact about the data;
// anything else (a database that cannot be read) means the search itself failed.
bool isTreeNotice(const std::string& statusText) {
    return statusText == status::kKeyNotUnique || statusText == status::kElementNotFound;
}

int runSearch(const GlobalOptions& global, const SearchArguments& args) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    Day reference = dayOption(args.day, "--day");
    KeyedTree tree;
    SearchState state;
    std::vector<std::string> statusTexts =
        runTitleSearch(appFolder, utf8ToLatin1(args.text), reference, args.allDays, tree, state);
    printTree(tree, stdout);
    bool failed = false;
    for (const std::string& text : statusTexts) {
        std::fprintf(stderr, "status: %s\n", latin1ToUtf8(text).c_str());
        failed = failed || !isTreeNotice(text);
    }
    return failed ? 1 : 0;
}

}  // namespace

void addSearchCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto args = std::make_shared<SearchArguments>();
    auto* cmd = app.add_subcommand(
        "search",
        "Find the programmes whose title contains TEXT (letter case ignored) and print them by "
        "day and channel, two blanks of indent per level");
    cmd->add_option("TEXT", args->text, "The text to look for, blanks included")->required();
    auto* day = cmd->add_option("--day", args->day, "From this day on: today or YYYYMMDD")
                    ->capture_default_str();
    cmd->add_flag("--all-days", args->allDays, "Search every day, not only from --day on")
        ->excludes(day);
    cmd->callback([&action, &global, args] {
        action = [&global, args] { return runSearch(global, *args); };
    });
}

}  // namespace zelidor::cli
