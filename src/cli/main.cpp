// zelidor-cli: the program's core without windows.
#include <cstdio>
#include <exception>

#include "cli/command.h"
#include "common/text.h"

int main(int argc, char** argv) {
    using namespace zelidor::cli;
    CLI::App app{"Zelidor: download TV listings and read them as card pages and reports",
                 "zelidor-cli"};
    app.require_subcommand(1);
    // Options of the whole program (--app-folder) may also stand after the subcommand: the
    // subcommands added below inherit this and hand on what they do not know.
    app.fallthrough();
    // A wrong option is reported like every other failure: one line, so a calling script can
    // show it as it stands.
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return "zelidor-cli: " + std::string(e.what()) + " (see --help)\n";
    });
    GlobalOptions global;
    app.add_option("--app-folder", global.appFolder,
                   "Application folder (TV/, database/, htmlcards/ ...); default: the folder of "
                   "this program");
    CommandAction action;
    addDownloadCommand(app, global, action);
    addTypesCommand(app, global, action);
    addChannelsCommand(app, global, action);
    addCardCommand(app, global, action);
    addReportCommand(app, global, action);
    addSearchCommand(app, global, action);
    addMonitorCommand(app, global, action);
    addCompactCommand(app, global, action);
    addExportXmltvCommand(app, global, action);
    addRunScriptCommand(app, global, action);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and friends end with 0; every argument the user must fix ends with 1, like any
        // other failure, whatever code the parser has for it.
        return app.exit(e) == 0 ? 0 : 1;
    }
    try {
        return action ? action() : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zelidor-cli: %s\n", zelidor::latin1ToUtf8(e.what()).c_str());
        return 1;
    }
}
