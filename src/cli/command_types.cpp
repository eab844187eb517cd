// zelidor-cli types: the programme types whose detail pages are fetched when the download is
// limited to listed types.
#include <cstdio>
#include <memory>

#include "cli/app_folder.h"
#include "cli/command.h"
#include "common/text.h"
#include "config/import_types.h"

namespace zelidor::cli {

void addTypesCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto* types = app.add_subcommand("types", "List, add or remove the listed programme types");
    types->require_subcommand(1);
    auto open = [&global] { return ImportTypeStore(resolveAppFolder(global.appFolder)); };

    types->add_subcommand("list", "Show the listed types")->callback([&action, open] {
        action = [open] {
            for (const std::string& type : open().list()) {
                if (!type.empty()) {
                    std::printf("%s\n", latin1ToUtf8(type).c_str());
                }
            }
            return 0;
        };
    });

    // Option values must outlive parsing: they are read when the chosen action runs.
    auto word = std::make_shared<std::string>();
    auto* add = types->add_subcommand("add", "Add a type");
    add->add_option("WORD", *word, "The type as the listings write it (e.g. Film)")->required();
    add->callback([&action, open, word] {
        action = [open, word] {
            open().add(utf8ToLatin1(*word));
            return 0;
        };
    });

    auto* remove = types->add_subcommand("remove", "Remove a type");
    remove->add_option("WORD", *word, "The type to remove (letter case ignored)")->required();
    remove->callback([&action, open, word] {
        action = [open, word] {
            if (!open().remove(utf8ToLatin1(*word))) {
                throw CommandError("no listed type '" + utf8ToLatin1(*word) + "'");
            }
            return 0;
        };
    });
}

}  // namespace zelidor::cli
