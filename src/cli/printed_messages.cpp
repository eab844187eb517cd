#include "cli/printed_messages.h"

#include "common/text.h"

namespace zelidor::cli {

std::string terminalText(const std::string& latin1) {
    std::string lines;
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        if (latin1[i] == '\r') {
            lines.push_back('\n');
            if (i + 1 < latin1.size() && latin1[i + 1] == '\n') {
                ++i;
            }
        } else {
            lines.push_back(latin1[i]);
        }
    }
    return latin1ToUtf8(lines);
}

void PrintedMessages::message(const std::string& title, const std::string& text, MessageIcon icon) {
    bool problem = icon == MessageIcon::Critical || icon == MessageIcon::Exclamation;
    std::FILE* out = problem ? problems_ : information_;
    std::string body = terminalText(text);
    // A one-line box stays one line, like every other report of the command line.
    const char* separator = body.find('\n') == std::string::npos ? ": " : "\n";
    std::fprintf(out, "%s%s%s\n", terminalText(title).c_str(), separator, body.c_str());
    std::fflush(out);
}

Answer PrintedMessages::question(const std::string& title, const std::string& text) {
    message(title, text, MessageIcon::Question);
    return Answer::Cancel;
}

}  // namespace zelidor::cli
