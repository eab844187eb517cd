// zelidor-cli monitor: the keyword monitor's word list (database/monitor.db) and its search.
#include <cstdio>
#include <memory>

#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/day_option.h"
#include "cli/tree_printing.h"
#include "common/text.h"
#include "monitor/monitor_search.h"
#include "monitor/monitor_words.h"

namespace zelidor::cli {

namespace {

// The list as the monitor window shows it, or a CommandError when the store cannot be read.
std::vector<std::string> watchedWords(const std::filesystem::path& appFolder) {
    std::vector<std::string> statusTexts;
    std::vector<std::string> words = loadMonitorList(appFolder, statusTexts);
    if (!statusTexts.empty()) {
        throw CommandError("cannot read the watched words: " + statusTexts.front());
    }
    return words;
}

int listWords(const std::filesystem::path& appFolder) {
    for (const std::string& word : watchedWords(appFolder)) {
        std::printf("%s\n", latin1ToUtf8(word).c_str());
    }
    return 0;
}

int addWord(const std::filesystem::path& appFolder, const std::string& word) {
    if (word.empty()) {
        throw CommandError("an empty word cannot be watched");
    }
    MonitorWords store(MonitorWords::defaultFile(appFolder));
    // The match ignores letter case, so a second spelling would only repeat the results.
    if (auto existing = store.find(word)) {
        std::fprintf(stderr, "'%s' is watched already\n", latin1ToUtf8(existing->word).c_str());
        return 0;
    }
    store.save(std::nullopt, word);
    return 0;
}

int removeWord(const std::filesystem::path& appFolder, const std::string& word) {
    MonitorWords store(MonitorWords::defaultFile(appFolder));
    // Every row of the word goes, so that it leaves the list even if it was stored twice.
    int removed = 0;
    while (auto found = store.find(word)) {
        if (!store.remove(found->row)) {
            break;
        }
        ++removed;
    }
    if (removed == 0) {
        throw CommandError("no watched word '" + word + "'");
    }
    return 0;
}

int runMonitor(const std::filesystem::path& appFolder, const Day& reference) {
    KeyedTree tree;
    SearchState state;
    runMonitorSearch(appFolder, watchedWords(appFolder), reference, tree, state);
    printTree(tree, stdout);
    return 0;
}

}  // namespace

void addMonitorCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto* monitor = app.add_subcommand(
        "monitor", "List, add or remove the watched words, or look for them in the titles");
    monitor->require_subcommand(1);
    auto folder = [&global] { return resolveAppFolder(global.appFolder); };

    monitor->add_subcommand("list", "Show the watched words, the last added first")
        ->callback([&action, folder] { action = [folder] { return listWords(folder()); }; });

    // Option values must outlive parsing: they are read when the chosen action runs.
    auto word = std::make_shared<std::string>();
    auto* add = monitor->add_subcommand("add", "Watch a word or phrase");
    add->add_option("WORD", *word, "Looked for in the titles, letter case ignored")->required();
    add->callback([&action, folder, word] {
        action = [folder, word] { return addWord(folder(), utf8ToLatin1(*word)); };
    });

    auto* remove = monitor->add_subcommand("remove", "Stop watching a word (letter case ignored)");
    remove->add_option("WORD", *word, "The watched word")->required();
    remove->callback([&action, folder, word] {
        action = [folder, word] { return removeWord(folder(), utf8ToLatin1(*word)); };
    });

    auto day = std::make_shared<std::string>("today");
    auto* run = monitor->add_subcommand(
        "run",
        "Look for every watched word in the titles from the day on and print the results "
        "under each word, two blanks of indent per level");
    run->add_option("--day", *day, "The first day: today or YYYYMMDD")->capture_default_str();
    run->callback([&action, folder, day] {
        action = [folder, day] { return runMonitor(folder(), dayOption(*day, "--day")); };
    });
}

}  // namespace zelidor::cli
