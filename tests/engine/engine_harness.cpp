#include "engine_harness.h"

#include <stb_image_write.h>

#include "common/sqlite.h"

namespace zelidor::test {

namespace {

constexpr const char* kInstructionTitle = "Script Engine Information";
constexpr std::string_view kGeneralFailure = "General Script Failure, Check Script's Line n\xB0 : ";

std::string answerName(Answer answer) {
    switch (answer) {
        case Answer::Retry:
            return "Retry";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Ok:
            return "Ok";
    }
    return "?";
}

}  // namespace

void EventLog::add(std::string event) {
    ++count_;
    last_ = event;
    if (events_.size() < kKeptEvents) {
        events_.push_back(std::move(event));
    }
}

std::size_t EventLog::countStartingWith(const std::string& prefix) const {
    std::size_t n = 0;
    for (const std::string& e : events_) {
        n += e.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return n;
}

void EventLog::clear() {
    events_.clear();
    count_ = 0;
    last_.clear();
}

void RecordingDisplay::showField(RecordField field, const std::string& text) {
    fields[field] = text;
}

void RecordingDisplay::resetLiveView() {
    fields.clear();
}

void RecordingDisplay::showStatus(const std::string& text) {
    log_.add("status " + text);
}

void RecordingDisplay::showCompletion(const std::string& text) {
    log_.add("completion " + text);
}

void RecordingDisplay::appendLog(const std::string& line) {
    log_.add("log " + line);
}

void RecordingDisplay::showTransfer(const std::string&, const std::string& sessionText,
                                    const std::optional<std::string>&) {
    ++transfers;
    lastSessionText = sessionText;
}

void RecordingDisplay::showPoster(const std::filesystem::path&) {
    log_.add("poster");
}

void RecordingDisplay::coverFiled(const std::string& fileName) {
    log_.add("cover " + fileName);
}

void RecordingDisplay::showMainStatus(const std::string& text) {
    log_.add("main-status " + text);
}

void ScriptedDialogs::message(const std::string& title, const std::string& text, MessageIcon) {
    if (title != kProgramTitle) {
        badTitles.push_back(title);
    }
    log_.add("message " + text);
}

Answer ScriptedDialogs::question(const std::string& title, const std::string& text) {
    Answer answer = fallback;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (text.rfind(kGeneralFailure, 0) == 0) {
        if (title != kProgramTitle) {
            badTitles.push_back(title);
        }
        log_.add("failure " + text.substr(kGeneralFailure.size()) + " -> " + answerName(answer));
    } else {
        if (title != kInstructionTitle) {
            badTitles.push_back(title);
        }
        log_.add("ask " + text + " -> " + answerName(answer));
    }
    return answer;
}

void RecordingDesktop::open(const std::string& address) {
    log_.add("open " + address);
}

void RecordingSink::save(const ProgrammeRow& row) {
    if (failure) {
        throw StoreError(*failure);
    }
    rows.push_back(row);
}

bool LoggingFetcher::downloadToFile(const std::string& url, const std::filesystem::path& file,
                                    const std::function<void(std::size_t)>& onBytes) {
    log_.add("fetch " + url);
    return inner_.downloadToFile(url, file, onBytes);
}

std::optional<std::string> LoggingFetcher::downloadToText(const std::string& url) {
    log_.add("fetch " + url);
    return inner_.downloadToText(url);
}

EngineHarness::EngineHarness(PageFetcher* source)
    : fetcher(source ? *source : pages, log),
      engine(dir.path(), EnginePorts{display, dialogs, desktop, settings, fetcher, sink}) {
    dir.makeAppFolders();
    engine.startSession();
}

ChannelDayResult EngineHarness::run(const std::vector<std::string>& script,
                                    const std::string& scriptName, const std::string& day) {
    return engine.runScript(scriptName, day, script);
}

ChannelDayResult EngineHarness::runBuiltin(const std::string& scriptName, const std::string& day) {
    return engine.runBuiltinScript(scriptName, day);
}

void EngineHarness::answer(std::initializer_list<Answer> list) {
    dialogs.answers.insert(dialogs.answers.end(), list.begin(), list.end());
}

std::string jpegPicture(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 37);
    }
    std::string out;
    auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(size));
    };
    stbi_write_jpg_to_func(append, &out, width, height, 3, pixels.data(), 90);
    return out;
}

std::string describe(const ProgrammeRow& row) {
    auto text = [](const std::optional<std::string>& value) {
        return value ? "\"" + *value + "\"" : std::string("null");
    };
    auto number = [](const std::optional<std::int64_t>& value) {
        return value ? std::to_string(*value) : std::string("null");
    };
    return "{Data " + number(row.data) + ", Ora " + text(row.ora) + ", Titolo " + text(row.titolo) +
           ", Link " + text(row.link) + ", Commenti " + text(row.commenti) + ", Cover " +
           text(row.cover) + ", Palinsesto " + text(row.palinsesto) + ", Numerazione " +
           number(row.numerazione) + ", Type " + text(row.type) + "}";
}

}  // namespace zelidor::test
