#include "cli/run_script_events.h"

namespace zelidor::cli {

Answer RunEventLog::question(const std::string& title, const std::string& text) {
    Answer answer = policy_.next([&] { return askOnTerminal(title, text); });
    add("question", {{"title", title}, {"text", text}, {"answer", answerName(answer)}});
    return answer;
}

void RunEventLog::fetched(const std::string& url, const std::string& file, bool ok) {
    add("fetch", {{"url", url}, {"file", file}});
    events_.back().ok = ok;
}

void RunEventLog::traced(const TraceStep& step) {
    add("line", {{"text", step.text}});
    events_.back().line = step.line;
    events_.back().changes = step.changes;
}

void RunEventLog::add(std::string kind, std::map<std::string, std::string> fields) {
    events_.push_back(RunEvent{std::move(kind), std::move(fields), 0, false, {}});
}

}  // namespace zelidor::cli
