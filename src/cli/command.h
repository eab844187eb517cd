// The pieces every subcommand of zelidor-cli shares.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace zelidor::cli {

struct GlobalOptions {
    std::string appFolder;  // --app-folder; empty means the executable's folder
};

// The work of the chosen subcommand, run after parsing; returns the exit code.
using CommandAction = std::function<int()>;

// A failure the user caused or must fix: reported as one line on standard error, exit code 1.
class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every subcommand registers itself on the application and, when chosen, puts its work into
// action.
void addDownloadCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addTypesCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addRunScriptCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addChannelsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addCardCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addReportCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addSearchCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addMonitorCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addCompactCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void addExportXmltvCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);

}  // namespace zelidor::cli
