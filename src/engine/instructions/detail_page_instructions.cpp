// Following a programme's link: the detail section (#STARTGODEEP# ... #ENDGODEEP#), the detail
// page (#OPENNEWWEB#, #STARTREADWEB#, #RESTOREWEB#) and the poster (#TAKEPOSTER#).
#include <algorithm>

#include "common/text.h"
#include "engine/fetch/cover_filer.h"
#include "engine/instructions/instructions.h"
#include "engine/page_lines.h"
#include "engine/poster_picture.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

bool detailSectionWanted(ScriptMachine& machine) {
    const EngineSettings& settings = machine.ports().settings;
    if (settings.listOnly()) {
        return false;
    }
    if (!settings.takeOnlyListed()) {
        return true;
    }
    const std::string& type = machine.state().record.type;
    std::vector<std::string> listed = settings.importTypes();
    return std::any_of(listed.begin(), listed.end(), [&](const std::string& wanted) {
        return !wanted.empty() && type.find(wanted) != std::string::npos;
    });
}

}  // namespace

// #STARTGODEEP#: runs the section up to the next #ENDGODEEP#, or skips it when only the list
// is wanted, or when details are wanted only for listed types and the programme's Type holds
// none of them (a case-sensitive part of the type: "Film" is wanted for "Film TV").
void startGoDeep(ScriptMachine& machine) {
    if (detailSectionWanted(machine)) {
        return;
    }
    machine.advanceToLineContaining("#ENDGODEEP#");
}

// #ENDGODEEP# only marks the end of the section.
void endGoDeep(ScriptMachine&) {}

// #OPENNEWWEB#=#nn#: the detail page at the address in variable nn becomes the page being read,
// from its first line; the listing page stays open at its line. Every failure, a reference
// that is missing or wrong among them, shows this instruction's own box.
void openNewWeb(ScriptMachine& machine) {
    const EnginePaths& paths = machine.paths();
    try {
        std::optional<VariableReference> source = readReference(machine.operand(13));
        if (!source) {
            throw ScriptFailure("#OPENNEWWEB# names no variable");
        }
        machine.download(machine.variable(*source), paths.detailRaw);
        machine.ports().display.hideCompletion();
        if (machine.pages().detailOpen()) {
            throw ScriptFailure("a detail page is already open");
        }
        splitPageLines(paths.detailRaw, paths.detailLines);
        machine.pages().openDetail(paths.detailLines);
    } catch (const std::exception&) {
        machine.leaveBlocksOn(machine.ask(
            "Error on Script Expression : #OPENNEWWEB# , The Poster Image isn't valid!" +
            machine.lineSuffix()));
    }
}

// #RESTOREWEB#: closes the page being read; reading goes on in the listing page after the line
// read before #OPENNEWWEB#. PageLine and Cursor keep the detail page's values until then.
void restoreWeb(ScriptMachine& machine) {
    machine.pages().restoreListing();
}

// #STARTREADWEB#: the page being read starts again from its first line.
void startReadWeb(ScriptMachine& machine) {
    machine.pages().rewind();
    machine.state().resetCursorTo('0');
}

// #TAKEPOSTER#=#nn#: fetches the picture at the address in variable nn, shows it and, when the
// programme has a code, files it under covers/. Cover names the file actually written (a
// numbered name when the plain one is taken). Anything that goes wrong after the reference was
// read ends the instruction silently.
void takePoster(ScriptMachine& machine) {
    std::optional<VariableReference> source = readReference(machine.operand(12));
    if (!source) {
        machine.reportIncomplete(
            "Error on Script Expression : The #TAKEPOSTER# Instruction is not complete !");
        return;
    }
    const EnginePaths& paths = machine.paths();
    EngineDisplay& display = machine.ports().display;
    ProgrammeRecord& record = machine.state().record;
    try {
        machine.download(trimBlanks(machine.variable(*source)), paths.posterBuffer);
        display.hideCompletion();
        std::uint64_t decodedBytes = decodedPictureBytes(paths.posterBuffer);
        if (decodedBytes == 0) {
            return;
        }
        machine.chargeText(static_cast<std::size_t>(decodedBytes));
        display.showPoster(paths.posterBuffer);
        if (!record.code.empty()) {
            std::optional<std::string> filed =
                fileCover(paths.posterBuffer, paths.coversDir,
                          channelNameOf(machine.state().scriptName), record.code);
            if (!filed) {
                return;
            }
            record.cover = *filed;
            display.showField(RecordField::Cover, record.cover);
            display.coverFiled(record.cover);
            return;
        }
        display.showField(RecordField::Cover, record.cover);
    } catch (const std::exception&) {
        // A poster is a nicety: no failure of its own stops the script.
    }
}

}  // namespace zelidor::instructions
