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

Answer MessageBoxes::question(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Information, fromLatin1(title), fromLatin1(text),
                    QMessageBox::NoButton, owner_);
    QPushButton* retry = box.addButton(u"Riprova"_s, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(u"Annulla"_s, QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.setEscapeButton(cancel);
    NormalPointer pointer;
    box.exec();
    return box.clickedButton() == retry ? Answer::Retry : Answer::Cancel;
}

Answer MessageBoxes::confirm(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, fromLatin1(title), fromLatin1(text),
                    QMessageBox::NoButton, owner_);
    QPushButton* ok = box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(u"Annulla"_s, QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    NormalPointer pointer;
    box.exec();
    return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

}  // namespace zelidor::ui
