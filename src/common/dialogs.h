// Message boxes and the desktop's "open", as the core asks for them. Windows implement these
// with real boxes; the command line and the tests with policies and recorders.
#pragma once

#include <string>

namespace zelidor {

enum class Answer { Ok = 1, Cancel = 2, Retry = 4 };
enum class MessageIcon { Information, Exclamation, Critical, Question };

// The title of boxes that carry no title of their own.
inline constexpr const char* kProgramTitle = "Zelidor";

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A box with an OK button only.
    virtual void message(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // The engine's box with Retry and Cancel and the information icon; whoever implements it
    // decides the answer (a window asks the user, a test or the command line follows a policy).
    virtual Answer question(const std::string& title, const std::string& text) = 0;
    // A box with OK and Cancel and the question icon, for a change the user must confirm
    // (deleting an entry of a list). Whoever cannot ask answers Cancel: nothing is changed.
    virtual Answer confirm(const std::string& /*title*/, const std::string& /*text*/) {
        return Answer::Cancel;
    }
};

// The desktop's "open" of a web address or a file (the user's default program).
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual void open(const std::string& address) = 0;
};

}  // namespace zelidor
