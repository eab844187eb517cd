// zelidor-cli export-xmltv: the stored listings as an XMLTV file for media centres and TV
// servers, on standard output or into a file.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

#include "browser/catalogue.h"
#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/day_option.h"
#include "common/text.h"
#include "xmltv/xmltv_export.h"

namespace zelidor::cli {

namespace {

struct ExportArguments {
    std::string from = "today";
    int days = 0;
    std::vector<std::string> channels;
    std::string output;
};

// A name the catalogue does not know would give an export without that channel and no word
// why.
std::vector<std::string> chosenChannels(const std::filesystem::path& appFolder,
                                        const std::vector<std::string>& given) {
    std::vector<std::string> chosen;
    if (given.empty()) {
        return chosen;
    }
    Catalogue catalogue = loadCatalogue(appFolder, "0");
    const auto& list = catalogue.downloadList;
    for (const std::string& utf8 : given) {
        std::string name = utf8ToLatin1(utf8);
        if (std::none_of(list.begin(), list.end(),
                         [&](const auto& item) { return item.key == name; })) {
            throw CommandError("no channel '" + name + "' in " +
                               utf8ToLatin1((appFolder / "TV").string()) +
                               " (see zelidor-cli channels)");
        }
        chosen.push_back(name);
    }
    return chosen;
}

int runExport(const GlobalOptions& global, const ExportArguments& args) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    XmltvRequest request;
    request.from = dayOption(args.from, "--from");
    request.days = args.days;
    request.channels = chosenChannels(appFolder, args.channels);

    XmltvSummary summary;
    if (args.output.empty()) {
        ProgrammeStore store(ProgrammeStore::defaultFile(appFolder), Database::Mode::ReadOnly);
        summary = writeXmltv(store, appFolder, request, TimeZone::italy(), std::cout);
        if (!std::cout.flush()) {
            throw CommandError("cannot write to standard output");
        }
    } else {
        summary = exportXmltvFile(appFolder, request, args.output);
    }
    if (!summary.zoneFromDatabase) {
        std::fprintf(stderr,
                     "zelidor-cli: no tz database (Europe/Rome); times follow the European "
                     "summer-time rule in force since 1996\n");
    }
    std::fprintf(stderr, "channels: %d; programmes: %d; left out (no hour or no title): %d\n",
                 summary.channels, summary.programmes, summary.leftOut);
    if (!args.output.empty()) {
        std::printf("%s\n", args.output.c_str());
    }
    return 0;
}

}  // namespace

void addExportXmltvCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto args = std::make_shared<ExportArguments>();
    auto* cmd = app.add_subcommand(
        "export-xmltv", "Write the stored listings as an XMLTV file (standard output without -o)");
    cmd->add_option("--from", args->from, "First listing day: today or YYYYMMDD")
        ->capture_default_str();
    cmd->add_option("--days", args->days, "Number of listing days (default: every stored day)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--channel", args->channels, "A channel to export (repeat for more)");
    cmd->add_option("-o,--output", args->output, "The file to write (written whole or not at all)");
    cmd->callback([&action, &global, args] {
        action = [&global, args] { return runExport(global, *args); };
    });
}

}  // namespace zelidor::cli
