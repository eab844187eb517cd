// zelidor-cli card: the card page of one channel on one day, as the main window builds it when
// the user clicks the channel and the day.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "browser/card_page.h"
#include "browser/catalogue.h"
#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/day_option.h"
#include "cli/page_output.h"
#include "cli/printed_messages.h"
#include "common/text.h"

namespace zelidor::cli {

namespace {

struct CardArguments {
    std::string channel;
    std::string day = "today";
    std::string templateName;
    std::string output;
};

// Only the channels the catalogue shows can be clicked; any other name would give an empty
// page that looks like a day without programmes.
void requireChannel(const std::filesystem::path& appFolder, const std::string& channel) {
    Catalogue catalogue = loadCatalogue(appFolder, "0");
    auto& list = catalogue.downloadList;
    if (std::none_of(list.begin(), list.end(),
                     [&](const auto& item) { return item.key == channel; })) {
        throw CommandError("no channel '" + channel + "' in " +
                           utf8ToLatin1((appFolder / "TV").string()) +
                           " (see zelidor-cli channels)");
    }
}

int runCard(const GlobalOptions& global, const CardArguments& args) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    CardRequest request;
    request.appFolder = appFolder;
    request.day = dayOption(args.day, "--day");
    request.channel = utf8ToLatin1(args.channel);
    requireChannel(appFolder, request.channel);
    request.templateName = chosenTemplate(appFolder, args.templateName);
    PrintedMessages dialogs(stderr, stderr);
    return finishPage(buildCardPage(request, dialogs), appFolder, args.output);
}

}  // namespace

void addCardCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto args = std::make_shared<CardArguments>();
    auto* cmd = app.add_subcommand(
        "card",
        "Write the card page of one channel on one day (AppFolder/temp.htm) and print "
        "its path");
    cmd->add_option("--channel", args->channel, "The channel, as 'channels' lists it")->required();
    cmd->add_option("--day", args->day, "The day: today or YYYYMMDD")->capture_default_str();
    addPageOptions(*cmd, args->templateName, args->output);
    cmd->callback(
        [&action, &global, args] { action = [&global, args] { return runCard(global, *args); }; });
}

}  // namespace zelidor::cli
