#include "engine/script_machine.h"

#include <fstream>
#include <stdexcept>

#include "common/number.h"

namespace zelidor {

EnginePaths::EnginePaths(const std::filesystem::path& folder)
    : appFolder(folder),
      tempDir(folder / "TempDir"),
      listingRaw(tempDir / "html.txt"),
      listingLines(tempDir / "html1.txt"),
      detailRaw(tempDir / "FileWebB.txt"),
      detailLines(tempDir / "FileWeb.txt"),
      posterBuffer(tempDir / "buffercover.jpg"),
      coversDir(folder / "covers") {}

ScriptMachine::ScriptMachine(const std::filesystem::path& appFolder, EnginePorts ports)
    : ports_(ports), paths_(appFolder), pages_(paths_.listingLines) {}

void ScriptMachine::startSession() {
    meter_.startSession();
}

std::string_view ScriptMachine::operand(std::size_t offset) const {
    return operandAt(currentLine(), state_.keywordPos, offset);
}

bool ScriptMachine::advanceToLineContaining(std::string_view marker) {
    if (state_.curLine >= ScriptLines::kLastLine) {
        return false;
    }
    int found = state_.lines.nextLineContaining(state_.curLine, marker);
    state_.curLine = found != 0 ? found : ScriptLines::kLastLine;
    return found != 0;
}

std::uint64_t ScriptMachine::textHandled() const {
    return textCharged_ + state_.vars.bytesHandled() + pages_.bytesReread() +
           state_.lines.bytesScanned();
}

std::string ScriptMachine::lineSuffix() const {
    return "Line : " + std::to_string(state_.curLine);
}

Answer ScriptMachine::ask(const std::string& text) {
    state_.msgAnswer = ports_.dialogs.question(kInstructionBoxTitle, text);
    return state_.msgAnswer;
}

void ScriptMachine::leaveBlocksOn(Answer answer) {
    if (answer == Answer::Cancel) {
        state_.loopExit = true;
        state_.ifExit = true;
    }
}

void ScriptMachine::reportIncomplete(std::string_view message) {
    Answer answer = ask(std::string(message) + lineSuffix());
    state_.stopRun = true;
    leaveBlocksOn(answer);
}

std::size_t ScriptMachine::cursorColumn() const {
    constexpr std::int64_t kWidestColumn = 0x7FFFFFFF;
    std::optional<std::int64_t> column = wholeNumber(state_.cursor);
    if (!column || *column < 1 || *column > kWidestColumn) {
        throw ScriptFailure("the cursor \"" + state_.cursor + "\" is not a column");
    }
    return static_cast<std::size_t>(*column);
}

bool ScriptMachine::download(const std::string& url, const std::filesystem::path& file) {
    return deliver(url, file) != Delivery::NotOpened;
}

Delivery ScriptMachine::deliver(const std::string& url, const std::filesystem::path& file) {
    meter_.startPage();
    if (url.empty()) {
        // Never leave the previous download in place: it would be read as this page.
        std::ofstream truncate(file, std::ios::binary | std::ios::trunc);
        if (!truncate) {
            throw std::runtime_error("cannot write " + file.string());
        }
        return Delivery::NotOpened;
    }
    auto onBytes = [this](std::size_t count) {
        chargeText(count);
        meter_.addBytes(count);
        ports_.display.showTransfer(meter_.pageText(), meter_.sessionText(), meter_.speedText());
    };
    return ports_.fetcher.deliverToFile(url, file, onBytes);
}

}  // namespace zelidor
