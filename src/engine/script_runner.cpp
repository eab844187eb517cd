// RunChannelScript and ExecuteScriptBlocks: one channel-day from loading the script to the end
// of its second pass.
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "common/day.h"
#include "engine/builtin_script.h"
#include "engine/fetch/update_check.h"
#include "engine/page_lines.h"
#include "engine/script_machine.h"

namespace zelidor {

namespace {

constexpr std::string_view kWebQueryMarker = "#WEBQUERY#";
constexpr const char* kCompletion = "Download Completato !";
constexpr const char* kPageFound = "Page Found...Gathering Information";

}  // namespace

void ScriptMachine::checkForUpdateOnce() {
    if (state_.updateChecked) {
        return;
    }
    if (ports_.settings.checkUpdate()) {
        try {
            checkForUpdate(ports_.fetcher, ports_.dialogs, ports_.desktop,
                           ports_.settings.updateHost());
        } catch (const std::exception&) {
            // The check never stands in the way of the download.
        }
    }
    state_.updateChecked = true;
}

void ScriptMachine::loadScript(const std::vector<std::string>* scriptLines) {
    if (scriptLines) {
        state_.lines.load(*scriptLines);
        return;
    }
    if (!loadBuiltinScript(state_.lines, state_.scriptName, ports_.settings.listingsHost())) {
        ports_.dialogs.message(kProgramTitle, "NIENTE", MessageIcon::Information);
    }
}

// The first line naming a web query wins; its address replaces the line.
void ScriptMachine::findWebQuery() {
    state_.webQueryUrl.clear();
    state_.stopRun = false;
    while (state_.curLine < ScriptLines::kLastLine && !state_.stopRun) {
        ++state_.curLine;
        if (!state_.lines.contains(state_.curLine, kWebQueryMarker)) {
            continue;
        }
        state_.stopRun = true;
        const std::string& line = state_.lines.text(state_.curLine);
        if (std::optional<std::string> address = webQueryAddress(line, state_.dayStamp)) {
            state_.lines.set(state_.curLine, *address);
            state_.webQueryUrl = *address;
        } else {
            // Without "http:" there is nothing to fetch; the line itself names the failure.
            state_.webQueryUrl = substituteDayPlaceholders(line, state_.dayStamp);
            state_.connectionFailed = true;
        }
    }
}

void ScriptMachine::reportUnexpected(const std::string& what, int code) {
    std::string text = "ERROR : " + std::to_string(code) + " " + what;
    if (code != 0) {
        text += " (" + std::string(std::strerror(code)) + ")";
    }
    ports_.dialogs.message(kProgramTitle, text, MessageIcon::Information);
}

// Fetches the listing page and rewrites it as lines. False ends the channel-day: the address
// could not be opened (logged), or the page could not be kept in TempDir, in which case the
// blocks must not run over whatever an earlier run left there. A listing whose transfer broke
// off counts as one that could not be opened: the programmes after the cut are missing, and a
// part of the day must never replace the whole day stored earlier.
bool ScriptMachine::fetchListing(ChannelDayResult& result) {
    bool fetched = false;
    if (!state_.connectionFailed) {
        if (ports_.settings.openListingInBrowser()) {
            ports_.desktop.open(state_.webQueryUrl);
        }
        errno = 0;
        try {
            fetched = deliver(state_.webQueryUrl, paths_.listingRaw) == Delivery::Whole;
        } catch (const std::exception& e) {
            reportUnexpected(e.what(), errno);
            ports_.display.hideCompletion();
            return false;
        }
        state_.connectionFailed = !fetched;
    }
    ports_.display.hideCompletion();
    if (state_.connectionFailed) {
        ports_.display.appendLog("ERRORE DI CONNESSIONE AL SITO " + state_.webQueryUrl);
        return false;
    }
    errno = 0;
    try {
        splitPageLines(paths_.listingRaw, paths_.listingLines);
    } catch (const std::exception& e) {
        reportUnexpected(e.what(), errno);
        return false;
    }
    result.listingFetched = true;
    return true;
}

// Everything a channel-day starts from: its names, an empty record and script, no open page.
void ScriptMachine::beginChannelDay(const std::string& scriptName, const std::string& dayStamp) {
    if (!Day::parse(dayStamp)) {
        throw std::invalid_argument("not a yyyymmdd day: " + dayStamp);
    }
    state_.scriptName = scriptName;
    state_.dayStamp = dayStamp;
    // A half-built record of the previous channel-day must not leak into this one.
    state_.record.reset();
    ports_.display.resetLiveView();
    dispatched_ = 0;
    nesting_ = 0;
    stored_ = 0;
    traceFrames_.clear();

    checkForUpdateOnce();

    state_.lines.clear();
    state_.curLine = 0;
    state_.saveCounter = 0;
    state_.connectionFailed = false;
    pages_.releaseAll();
    std::error_code ignored;
    std::filesystem::create_directories(paths_.tempDir, ignored);
    std::filesystem::create_directories(paths_.coversDir, ignored);
}

ChannelDayResult ScriptMachine::runChannelScript(const std::string& scriptName,
                                                 const std::string& dayStamp,
                                                 const std::vector<std::string>* scriptLines) {
    beginChannelDay(scriptName, dayStamp);
    ChannelDayResult result;
    loadScript(scriptLines);
    findWebQuery();
    state_.curLine = 0;
    result.webQueryUrl = state_.webQueryUrl;
    if (state_.webQueryUrl.empty()) {
        ports_.dialogs.message(kProgramTitle,
                               "The Script : " + state_.scriptName + " IS NOT a VALID SCRIPT !",
                               MessageIcon::Information);
        return result;
    }
    result.scriptValid = true;

    if (fetchListing(result)) {
        ports_.display.showStatus(kPageFound);
        BlocksEnd end = executeScriptBlocks();
        result.completed = end == BlocksEnd::Completed;
        result.cancelled = end == BlocksEnd::Cancelled;
        result.lineBudgetExhausted = end == BlocksEnd::LineBudget;
    }
    pages_.releaseAll();
    result.saveCounter = state_.saveCounter;
    result.programmesStored = stored_;
    result.linesDispatched = dispatched_;
    return result;
}

bool ScriptMachine::askGeneralFailure() {
    state_.msgAnswer = ports_.dialogs.question(
        kProgramTitle,
        "General Script Failure, Check Script's Line n\xB0 : " + std::to_string(state_.curLine));
    return state_.msgAnswer != Answer::Cancel;
}

// Runs one step of the executor. A run-time failure of the script asks the general question:
// Retry abandons the failing instruction (with every #IF# and #REPEAT# that dispatched it) and
// the executor goes on with the next line; Cancel ends the blocks (false).
template <class Step>
bool ScriptMachine::guarded(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return askGeneralFailure();
    }
}

bool ScriptMachine::runPass(std::string_view opener, std::string_view closer) {
    state_.curLine = 0;
    if (!guarded([this] { pages_.openListing(); })) {
        return false;
    }
    state_.resetCursorTo('0');
    state_.stopRun = false;
    bool inBlock = false;
    while (state_.curLine < ScriptLines::kLastLine && !state_.stopRun) {
        ++state_.curLine;
        bool goOn = guarded([&] {
            if (!inBlock) {
                inBlock = state_.lines.contains(state_.curLine, opener);
            } else if (state_.lines.contains(state_.curLine, closer)) {
                state_.stopRun = true;
            } else {
                dispatch();
            }
        });
        if (!goOn) {
            return false;
        }
    }
    pages_.releaseAll();
    state_.curLine = 0;
    return true;
}

ScriptMachine::BlocksEnd ScriptMachine::executeScriptBlocks() {
    textAtStart_ = textHandled();
    try {
        if (!runPass("#DOWNLOADINFO#", "#ENDDOWNLOADINFO#") ||
            !runPass("#COMMENTS#", "#ENDCOMMENTS#")) {
            pages_.releaseAll();
            return BlocksEnd::Cancelled;
        }
    } catch (const LineBudgetExhausted&) {
        askGeneralFailure();
        pages_.releaseAll();
        return BlocksEnd::LineBudget;
    }
    ports_.display.showCompletion(kCompletion);
    pages_.releaseAll();
    return BlocksEnd::Completed;
}

}  // namespace zelidor
