// The core's message boxes as real Qt boxes over a window, with Italian button texts (the
// program speaks one language, and Qt's own translations are not loaded).
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "common/dialogs.h"

namespace zelidor::ui {

class MessageBoxes : public Dialogs {
  public:
    explicit MessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;
    Answer confirm(const std::string& title, const std::string& text) override;

  private:
    Answer ask(QMessageBox::Icon icon, const std::string& title, const std::string& text,
               const QString& yesCaption, Answer yes);

    QPointer<QWidget> owner_;
};

}  // namespace zelidor::ui
