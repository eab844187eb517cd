// zelidor-cli report: the daily report over all channels, as the report window builds it.
#include <algorithm>
#include <memory>

#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/day_option.h"
#include "cli/page_output.h"
#include "cli/printed_messages.h"
#include "common/text.h"
#include "reports/daily_report.h"

namespace zelidor::cli {

namespace {

struct ReportArguments {
    std::string day = "today";
    std::string type = kAllTypes;
    std::string templateName;
    std::string output;
};

// The report window's type list, each type once.
std::string typeHelp() {
    std::vector<std::string> seen{kAllTypes};
    std::string help = std::string("The programme type: '") + kAllTypes +
                       "' for every type, or the beginning of the types to report (letter case "
                       "ignored), such as";
    for (const std::string& type : reportTypeChoices()) {
        if (std::find(seen.begin(), seen.end(), type) == seen.end()) {
            help += (seen.size() == 1 ? " '" : ", '") + latin1ToUtf8(type) + "'";
            seen.push_back(type);
        }
    }
    return help;
}

int runReport(const GlobalOptions& global, const ReportArguments& args) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    ReportRequest request;
    request.appFolder = appFolder;
    request.day = dayOption(args.day, "--day");
    request.typeText = utf8ToLatin1(args.type);
    request.templateName = chosenTemplate(appFolder, args.templateName);
    PrintedMessages dialogs(stderr, stderr);
    return finishPage(buildDailyReport(request, dialogs), appFolder, args.output);
}

}  // namespace

void addReportCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto args = std::make_shared<ReportArguments>();
    auto* cmd = app.add_subcommand(
        "report",
        "Write the daily report over all channels (AppFolder/temp.htm) and print its "
        "path");
    cmd->add_option("--day", args->day, "The day: today or YYYYMMDD")->capture_default_str();
    cmd->add_option("--type", args->type, typeHelp())->capture_default_str();
    addPageOptions(*cmd, args->templateName, args->output);
    cmd->callback([&action, &global, args] {
        action = [&global, args] { return runReport(global, *args); };
    });
}

}  // namespace zelidor::cli
