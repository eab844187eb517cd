// FrmAbout: the credits scrolling up in their box, a small picture that takes turns and jumps,
// and the two links to the author (web page and mail), opened by the desktop.
#pragma once

#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>
#include <array>

#include "common/dialogs.h"
#include "common/ui/twips.h"
#include "config/ui/about_animation.h"

namespace zelidor::ui {

inline constexpr const char* kAuthorPage = "https://zelidor.example.org/autore/";
inline constexpr const char* kAuthorMail = "mailto:autore@zelidor.example.org";

class FrmAbout : public QWidget {
    Q_OBJECT
  public:
    FrmAbout(Desktop& desktop, QWidget* parent);

    const CreditScroll& credits() const { return scroll_; }

  private:
    void build();
    void buildCredits();
    void buildPictures();
    void scrollTick();
    void pictureTick();
    void placeCredits();

    Desktop& desktop_;
    Twips twips_;
    CreditScroll scroll_;
    PictureCycle cycle_;
    QWidget* picture1_ = nullptr;
    std::array<QLabel*, kCreditLines> lines_{};
    QLabel* end_ = nullptr;
    std::array<QLabel*, 3> images_{};  // Image10, Image11, Image12
    QTimer timer1_;
    QTimer timer2_;
};

}  // namespace zelidor::ui
