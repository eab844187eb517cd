#include "cli/page_output.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "browser/card_template.h"
#include "cli/command.h"
#include "common/file_bytes.h"
#include "common/text.h"
#include "config/config_store.h"

namespace zelidor::cli {

namespace {

std::string templateNames(const CardTemplateList& list) {
    if (list.names.empty()) {
        return "there are none";
    }
    std::string names = "there are:";
    for (const std::string& name : list.names) {
        names += " " + name;
    }
    return names;
}

bool sameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::weakly_canonical(a, error) ==
           std::filesystem::weakly_canonical(b, error);
}

std::filesystem::path copyPage(const std::filesystem::path& page,
                               const std::filesystem::path& appFolder, const std::string& output) {
    std::filesystem::path copy = std::filesystem::absolute(output).lexically_normal();
    std::optional<std::string> read = readFileBytes(page);
    if (!read) {
        throw CommandError("cannot read the page " + utf8ToLatin1(page.string()));
    }
    const std::string& text = *read;
    if (!writePageFile(copy, text)) {
        throw CommandError("cannot write the page to " + utf8ToLatin1(copy.string()));
    }
    if (text.find("covers\\") != std::string::npos && !sameFolder(copy.parent_path(), appFolder)) {
        std::fprintf(stderr,
                     "note: the copy links its cover pictures as covers\\NAME beside itself; "
                     "they are in %s\n",
                     (appFolder / "covers").string().c_str());
    }
    return copy;
}

}  // namespace

std::string chosenTemplate(const std::filesystem::path& appFolder, const std::string& givenUtf8) {
    std::string name = utf8ToLatin1(givenUtf8);
    if (name.empty()) {
        name = ConfigStore(appFolder).read().card;
        if (name.empty()) {
            return name;
        }
    }
    CardTemplateList list = listCardTemplates(appFolder);
    auto known = [&](const std::string& candidate) {
        return std::find(list.names.begin(), list.names.end(), candidate) != list.names.end();
    };
    if (known(name)) {
        return name;
    }
    if (!givenUtf8.empty() && known(name + ".htm")) {
        return name + ".htm";
    }
    std::string folder = utf8ToLatin1((appFolder / "htmlcards").string());
    throw CommandError(
        givenUtf8.empty()
            ? "the card template '" + name + "' of the settings is not in " + folder +
                  "; choose one with --template (" + templateNames(list) + ")"
            : "no card template '" + name + "' in " + folder + " (" + templateNames(list) + ")");
}

int finishPage(const PageBuild& build, const std::filesystem::path& appFolder,
               const std::string& output) {
    for (const std::string& text : build.statusTexts) {
        std::fprintf(stderr, "status: %s\n", latin1ToUtf8(text).c_str());
    }
    if (!build.page) {
        return 1;
    }
    std::filesystem::path shown = *build.page;
    if (!output.empty()) {
        shown = copyPage(*build.page, appFolder, output);
    }
    std::printf("%s\n", shown.string().c_str());
    return build.statusTexts.empty() ? 0 : 1;
}

void addPageOptions(CLI::App& command, std::string& templateName, std::string& output) {
    command.add_option("--template", templateName,
                       "A card template of htmlcards/ (default: the one chosen in the settings)");
    command.add_option("-o,--output", output,
                       "Also copy the page to FILE and print that path instead; cover pictures "
                       "are linked relative to the page, so they show when FILE is in the "
                       "application folder");
}

}  // namespace zelidor::cli
