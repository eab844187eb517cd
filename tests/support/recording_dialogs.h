// Message boxes, questions and the desktop's "open" as a test sees them: every box is kept in
// order, and questions are answered from a queue, then with the fallback answer.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "common/dialogs.h"

namespace zelidor::test {

struct Box {
    std::string title;
    std::string text;
    MessageIcon icon;  // Question for a question box

    friend bool operator==(const Box&, const Box&) = default;
    friend void PrintTo(const Box& box, std::ostream* out) {
        *out << "{" << box.title << " | " << box.text << " | " << static_cast<int>(box.icon) << "}";
    }
};

class RecordingDialogs : public Dialogs, public Desktop {
  public:
    void message(const std::string& title, const std::string& text, MessageIcon icon) override {
        boxes.push_back({title, text, icon});
    }
    Answer question(const std::string& title, const std::string& text) override {
        return answer(title, text);
    }
    Answer confirm(const std::string& title, const std::string& text) override {
        return answer(title, text);
    }
    void open(const std::string& address) override { opened.push_back(address); }

    std::vector<Box> boxes;
    std::vector<std::string> opened;
    std::deque<Answer> answers;
    Answer fallback = Answer::Cancel;

  private:
    Answer answer(const std::string& title, const std::string& text) {
        boxes.push_back({title, text, MessageIcon::Question});
        if (answers.empty()) {
            return fallback;
        }
        Answer next = answers.front();
        answers.pop_front();
        return next;
    }
};

}  // namespace zelidor::test
