#include "config/ui/frm_about.h"

#include <QPushButton>

#include "common/ui/app_icons.h"
#include "common/ui/link_label.h"
#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

// The window's plan, in twips.
constexpr double kWidth = 7200;
constexpr double kHeight = 5250;
constexpr double kCreditsLeft = 2400;
constexpr double kCreditsTop = 240;
constexpr double kCreditsWidth = 4560;
constexpr double kCreditsHeight = 3600;
constexpr double kLineSpacing = 300;
constexpr double kPictureSize = 720;

const std::array<QString, kCreditLines> kCredits = {
    u"Zelidor 1.2"_s,
    u"La Tua Zelidor Interattiva!"_s,
    QString(),
    u"Go here for Updates !!"_s,
    u"zelidor.example.org/aggiornamenti"_s,
    QString(),
    u"Controlla Spesso Gli Aggiornamenti Per Nuovi Palinsesti!"_s,
    QString(),
    u"Iscriviti Alla Mailing List per le News"_s,
    QString(),
    u"Thanks To"_s,
    u"Marta Bellini"_s,
    u"Giorgio Ferraresi"_s,
    u"Lucia Tramonti"_s,
    u"Davide Orsenigo"_s,
    u"e a tutti gli autori dei palinsesti"_s,
};

}  // namespace

FrmAbout::FrmAbout(Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window),
      desktop_(desktop),
      twips_(twipsFor(nullptr)),
      scroll_(kCreditsHeight, kLineSpacing),
      cycle_([](int n) { return static_cast<int>(QRandomGenerator::global()->bounded(n)); }) {
    build();
    connect(&timer1_, &QTimer::timeout, this, &FrmAbout::scrollTick);
    connect(&timer2_, &QTimer::timeout, this, &FrmAbout::pictureTick);
    timer1_.setObjectName(u"Timer1"_s);
    timer2_.setObjectName(u"Timer2"_s);
    timer1_.start(40);
    timer2_.start(200);
    pictureTick();
}

void FrmAbout::build() {
    setObjectName(u"FrmAbout"_s);
    setWindowTitle(u"About Zelidor"_s);
    setFixedSize(twips_.toPixels(kWidth), twips_.toPixels(kHeight));
    auto* title = named<QLabel>(this, "LblTitle", u"Zelidor"_s);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setGeometry(twips_.toPixels(270), twips_.toPixels(240), twips_.toPixels(1950),
                       twips_.toPixels(600));
    auto* version = named<QLabel>(this, "LblVersion", u"Versione 1.2"_s);
    version->setGeometry(twips_.toPixels(270), twips_.toPixels(840), twips_.toPixels(1950),
                         twips_.toPixels(300));
    buildCredits();
    buildPictures();

    auto* site = new LinkLabel(u"La pagina dell'autore"_s, this);
    site->setObjectName(u"Label1"_s);
    site->setGeometry(twips_.toPixels(kCreditsLeft), twips_.toPixels(4020), twips_.toPixels(3000),
                      twips_.toPixels(300));
    connect(site, &LinkLabel::clicked, this, [this] { desktop_.open(kAuthorPage); });
    auto* mail = new LinkLabel(u"Scrivi all'autore"_s, this);
    mail->setObjectName(u"Label3"_s);
    mail->setGeometry(twips_.toPixels(kCreditsLeft), twips_.toPixels(4440), twips_.toPixels(3000),
                      twips_.toPixels(300));
    connect(mail, &LinkLabel::clicked, this, [this] { desktop_.open(kAuthorMail); });

    auto* ok = named<QPushButton>(this, "CmdOk", u"Chiudi"_s);
    ok->setGeometry(twips_.toPixels(5520), twips_.toPixels(4560), twips_.toPixels(1440),
                    twips_.toPixels(450));
    connect(ok, &QPushButton::clicked, this, &FrmAbout::close);
}

void FrmAbout::buildCredits() {
    picture1_ = named<QWidget>(this, "Picture1");
    picture1_->setGeometry(twips_.toPixels(kCreditsLeft), twips_.toPixels(kCreditsTop),
                           twips_.toPixels(kCreditsWidth), twips_.toPixels(kCreditsHeight));
    picture1_->setAutoFillBackground(true);
    picture1_->setBackgroundRole(QPalette::Base);
    // The box scrolls, so a screen reader is given all the credits at once.
    QStringList all;
    for (int i = 0; i < kCreditLines; ++i) {
        QByteArray name = "Label4_" + QByteArray::number(i);
        auto* line = named<QLabel>(picture1_, name.constData(), kCredits[std::size_t(i)]);
        line->setAlignment(Qt::AlignHCenter);
        lines_[std::size_t(i)] = line;
        all.append(kCredits[std::size_t(i)]);
    }
    picture1_->setAccessibleName(u"Riconoscimenti"_s);
    picture1_->setAccessibleDescription(all.join(u'\n'));
    end_ = named<QLabel>(picture1_, "Label5", u"--- End ---"_s);
    end_->setAlignment(Qt::AlignHCenter);
    placeCredits();
}

void FrmAbout::buildPictures() {
    const char* names[] = {"Image10", "Image11", "Image12"};
    const char* pictures[] = {"about1", "about2", "about3"};
    int size = twips_.toPixels(kPictureSize);
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i] = named<QLabel>(this, names[i]);
        images_[i]->setPixmap(
            appPicture(QLatin1String(pictures[i]), QSize(size, size), devicePixelRatioF()));
        images_[i]->setGeometry(twips_.toPixels(270), twips_.toPixels(2550), size, size);
        images_[i]->hide();
    }
}

void FrmAbout::placeCredits() {
    int width = picture1_->width();
    int height = twips_.toPixels(kLineSpacing);
    for (int i = 0; i < kCreditLines; ++i) {
        lines_[std::size_t(i)]->setGeometry(0, twips_.toPixels(scroll_.lineTop(i)), width, height);
    }
    end_->setGeometry(0, twips_.toPixels(scroll_.endTop()), width, height);
}

void FrmAbout::scrollTick() {
    if (scroll_.tick()) {
        placeCredits();
    } else {
        timer1_.stop();
    }
}

void FrmAbout::pictureTick() {
    PictureCycle::Step step = cycle_.tick();
    QLabel* image12 = images_[2];
    if (step.moved) {
        image12->move(twips_.toPixels(step.left), twips_.toPixels(step.top));
        return;
    }
    images_[0]->move(image12->pos());
    images_[1]->move(image12->pos());
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i]->setVisible(step.visible == static_cast<int>(10 + i));
    }
}

}  // namespace zelidor::ui
