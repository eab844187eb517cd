// zelidor-cli compact: "Compatta il Database..." of the main window, for the programme database.
#include <cstdio>

#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/printed_messages.h"
#include "config/compaction.h"
#include "engine/programme_store.h"

namespace zelidor::cli {

void addCompactCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto* cmd = app.add_subcommand(
        "compact",
        "Compact the programme database (database/Zelidor.db) in place and print the "
        "sizes before and after");
    cmd->callback([&action, &global] {
        action = [&global] {
            // The success box is the command's output; the failure box its one line of error.
            PrintedMessages dialogs(stdout, stderr);
            auto file = ProgrammeStore::defaultFile(resolveAppFolder(global.appFolder));
            return CompactDatabaseFile(file, dialogs) ? 0 : 1;
        };
    });
}

}  // namespace zelidor::cli
