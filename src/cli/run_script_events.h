// Everything a script run tells the world, in the order it happened: messages, questions with
// their answers, log lines, fetches, filed covers, status texts, the completion and, when
// tracing, every dispatched line with the variables it changed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/answer_policy.h"
#include "engine/ports.h"
#include "engine/script_engine.h"

namespace zelidor::cli {

struct RunEvent {
    std::string kind;  // message, question, log, fetch, cover, status, done, line
    std::map<std::string, std::string> fields;  // Latin-1 texts
    int line = 0;                               // for "line"
    bool ok = false;                            // for "fetch"
    std::vector<VariableChange> changes;        // for "line"
};

class RunEventLog : public EngineDisplay, public Dialogs, public Desktop {
  public:
    explicit RunEventLog(AnswerPolicy policy) : policy_(std::move(policy)) {}

    // EngineDisplay
    void appendLog(const std::string& line) override { add("log", {{"text", line}}); }
    void showStatus(const std::string& text) override { add("status", {{"text", text}}); }
    void showCompletion(const std::string& text) override { add("done", {{"text", text}}); }
    void coverFiled(const std::string& fileName) override { add("cover", {{"file", fileName}}); }
    void showMainStatus(const std::string& text) override { add("status", {{"text", text}}); }
    // Dialogs
    void message(const std::string& title, const std::string& text, MessageIcon) override {
        add("message", {{"title", title}, {"text", text}});
    }
    Answer question(const std::string& title, const std::string& text) override;
    // Desktop
    void open(const std::string& address) override { add("open", {{"address", address}}); }

    void fetched(const std::string& url, const std::string& file, bool ok);
    void traced(const TraceStep& step);

    const std::vector<RunEvent>& events() const { return events_; }

  private:
    void add(std::string kind, std::map<std::string, std::string> fields);

    AnswerPolicy policy_;
    std::vector<RunEvent> events_;
};

}  // namespace zelidor::cli
