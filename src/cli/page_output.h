// What the card and report commands share: the choice of the card template and the handling of
// the page the core writes to AppFolder/temp.htm.
#pragma once

#include <filesystem>
#include <string>

#include <CLI/CLI.hpp>

#include "browser/guide_page.h"

namespace zelidor::cli {

// The template to fill: the one given (a file name in AppFolder/htmlcards, ".htm" may be left
// out), or else the Card setting of database/config.db. A name that is not in htmlcards is a
// CommandError naming the templates there. An empty setting is passed on as it is, so the core
// tells the user that no template is chosen.
std::string chosenTemplate(const std::filesystem::path& appFolder, const std::string& givenUtf8);

// The --template and -o options of the commands that write a page.
void addPageOptions(CLI::App& command, std::string& templateName, std::string& output);

// Reports what the build wrote into the status panel on standard error, copies the page to
// output (when given) and prints the path of the page: the copy, or AppFolder/temp.htm. The
// copy is the page byte for byte: its cover pictures are linked as covers\NAME relative to its
// own folder, and a note on standard error says so when that is not the application folder.
// Returns 0 when the page was built with nothing reported, 1 otherwise.
int finishPage(const PageBuild& build, const std::filesystem::path& appFolder,
               const std::string& output);

}  // namespace zelidor::cli
