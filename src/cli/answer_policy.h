// How the command line answers the engine's Retry/Cancel boxes: always the same answer, a list
// answered in turn (then Cancel), or a prompt on the terminal.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/dialogs.h"

namespace zelidor::cli {

class AnswerPolicy {
  public:
    // "retry", "cancel", "ask", or a comma list such as "retry,retry,cancel". Throws
    // std::invalid_argument for anything else.
    static AnswerPolicy parse(const std::string& text);

    // The answer to the next question; ask() is called only for the "ask" policy.
    Answer next(const std::function<Answer()>& ask);
    bool asks() const { return ask_; }

  private:
    std::vector<Answer> answers_;  // a fixed answer is a list of one that repeats
    bool repeatLast_ = false;
    bool ask_ = false;
    std::size_t given_ = 0;
};

// Dialogs for the command line: messages go to a message sink (stderr by default), questions are
// answered by the policy (asking on the terminal for "ask") and reported with their answer.
class ConsoleDialogs : public Dialogs {
  public:
    using Report = std::function<void(const std::string& kind, const std::string& title,
                                      const std::string& text, const std::string& answer)>;

    ConsoleDialogs(AnswerPolicy policy, Report report);
    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;

  private:
    AnswerPolicy policy_;
    Report report_;
};

// Prompts on the controlling terminal; Cancel when there is none or the input ends.
Answer askOnTerminal(const std::string& title, const std::string& text);

std::string answerName(Answer answer);

}  // namespace zelidor::cli
