#include "common/ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "common/ui/qt_text.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A box raised while the program shows the busy pointer (compaction) must still be answerable
// with the ordinary pointer.
class NormalPointer {
  public:
    NormalPointer() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalPointer() { QApplication::restoreOverrideCursor(); }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;
};

}  // namespace

void MessageBoxes::message(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), fromLatin1(title), fromLatin1(text), QMessageBox::NoButton,
                    owner_);
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    NormalPointer pointer;
    box.exec();
}

// A box whose first button gives `yes` and whose "Annulla" (also Escape) gives Cancel.
Answer MessageBoxes::ask(QMessageBox::Icon icon, const std::string& title, const std::string& text,
                         const QString& yesCaption, Answer yes) {
    QMessageBox box(icon, fromLatin1(title), fromLatin1(text), QMessageBox::NoButton, owner_);
    QPushButton* yesButton = box.addButton(yesCaption, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(u"Annulla"_s, QMessageBox::RejectRole);
    box.setDefaultButton(yesButton);
    box.setEscapeButton(cancel);
    NormalPointer pointer;
    box.exec();
    return box.clickedButton() == yesButton ? yes : Answer::Cancel;
}

Answer MessageBoxes::question(const std::string& title, const std::string& text) {
    return ask(QMessageBox::Information, title, text, u"Riprova"_s, Answer::Retry);
}

Answer MessageBoxes::confirm(const std::string& title, const std::string& text) {
    return ask(QMessageBox::Question, title, text, u"OK"_s, Answer::Ok);
}

}  // namespace zelidor::ui
