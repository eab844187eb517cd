#include "cli/answer_policy.h"

#include <cstdio>
#include <stdexcept>

#include "common/text.h"

namespace zelidor::cli {

namespace {

Answer parseOne(const std::string& word) {
    std::string w = foldLatin1(trimBlanks(word));
    if (w == "retry") {
        return Answer::Retry;
    }
    if (w == "cancel") {
        return Answer::Cancel;
    }
    throw std::invalid_argument("unknown answer '" + word + "' (use retry, cancel or ask)");
}

}  // namespace

AnswerPolicy AnswerPolicy::parse(const std::string& text) {
    AnswerPolicy policy;
    if (foldLatin1(trimBlanks(text)) == "ask") {
        policy.ask_ = true;
        return policy;
    }
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        policy.answers_.push_back(parseOne(text.substr(start, comma - start)));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    // A single word is a fixed answer; a list is answered in turn, then Cancel.
    policy.repeatLast_ = policy.answers_.size() == 1;
    return policy;
}

Answer AnswerPolicy::next(const std::function<Answer()>& ask) {
    if (ask_) {
        return ask();
    }
    if (given_ < answers_.size()) {
        return answers_[given_++];
    }
    return repeatLast_ && !answers_.empty() ? answers_.back() : Answer::Cancel;
}

ConsoleDialogs::ConsoleDialogs(AnswerPolicy policy, Report report)
    : policy_(std::move(policy)), report_(std::move(report)) {}

void ConsoleDialogs::message(const std::string& title, const std::string& text, MessageIcon) {
    report_("message", title, text, "");
}

Answer ConsoleDialogs::question(const std::string& title, const std::string& text) {
    Answer answer = policy_.next([&] { return askOnTerminal(title, text); });
    report_("question", title, text, answerName(answer));
    return answer;
}

Answer askOnTerminal(const std::string& title, const std::string& text) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty) {
        return Answer::Cancel;
    }
    std::fprintf(tty, "\n[%s] %s\nRetry or Cancel? [r/C] ", latin1ToUtf8(title).c_str(),
                 latin1ToUtf8(text).c_str());
    std::fflush(tty);
    char line[64] = {};
    Answer answer = Answer::Cancel;
    if (std::fgets(line, sizeof line, tty) && (line[0] == 'r' || line[0] == 'R')) {
        answer = Answer::Retry;
    }
    std::fclose(tty);
    return answer;
}

std::string answerName(Answer answer) {
    switch (answer) {
        case Answer::Retry:
            return "retry";
        case Answer::Cancel:
            return "cancel";
        case Answer::Ok:
            return "ok";
    }
    return "cancel";
}

}  // namespace zelidor::cli
