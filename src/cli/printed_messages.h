// Message boxes of the guide commands, printed instead of shown, in UTF-8: "title: text" for a
// one-line text, otherwise the title on a line of its own and the text below it. Information goes
// to one stream, warnings and errors to another, so a command can make a success report its output
// while failures stay on standard error.
#pragma once

#include <cstdio>
#include <string>

#include "common/dialogs.h"

namespace zelidor::cli {

class PrintedMessages : public Dialogs {
  public:
    PrintedMessages(std::FILE* information, std::FILE* problems)
        : information_(information), problems_(problems) {}

    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    // These commands never ask; should the core ever do so, Cancel is the safe answer.
    Answer question(const std::string& title, const std::string& text) override;

  private:
    std::FILE* information_;
    std::FILE* problems_;
};

// A box's text for a terminal: Latin-1 to UTF-8, CR LF and lone CR to LF.
std::string terminalText(const std::string& latin1);

}  // namespace zelidor::cli
