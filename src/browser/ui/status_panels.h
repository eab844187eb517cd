// StatusBar1 of the main window: panel 1 the date, panel 2 a clock that keeps time, panel 3 the
// messages of the guide's operations, panel 4 ("news") the found-programme alert. A click on any
// panel is reported, for the alert to be answered.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <array>

namespace zelidor::ui {

class StatusPanels : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusPanels(QWidget* parent);

    void setMessage(const QString& text);
    QString message() const;
    // Panel 4: a picture beside a text, or nothing at all.
    void setNews(const QPixmap& picture, const QString& text);
    void clearNews();
    // Makes panel 4 wide enough for a picture of one line's height beside the text, so that
    // showing and clearing it, as the alert does twice a second, never moves the other panels.
    void reserveNews(const QString& text);
    int newsPictureSide() const;
    bool newsShown() const;
    QLabel* panel(int number) const { return panels_.at(static_cast<std::size_t>(number - 1)); }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void tick();

    std::array<QLabel*, 4> panels_{};
    QLabel* newsPicture_ = nullptr;
    QTimer clock_;
};

}  // namespace zelidor::ui
