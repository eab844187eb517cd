// A text that works like a link: drawn as one, clickable, and reachable with the keyboard
// (Tab, then Enter or Space), so a screen reader user can follow it too.
#pragma once

#include <QLabel>

namespace zelidor::ui {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zelidor::ui
