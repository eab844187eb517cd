#include "browser/ui/monitor_alert.h"

#include "common/ui/app_icons.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

const QString kFound = u"Trovato Programma TV !"_s;

}  // namespace

MonitorAlert::MonitorAlert(StatusPanels& panels) : panels_(panels) {
    panels_.reserveNews(kFound);
    timer1_.setObjectName(u"Timer1"_s);
    timer1_.setInterval(500);
    connect(&timer1_, &QTimer::timeout, this, &MonitorAlert::tick);
}

void MonitorAlert::raise() {
    alertOn_ = true;
    timer1_.start();
}

bool MonitorAlert::answer() {
    if (!timer1_.isActive() || !alertOn_) {
        return false;
    }
    timer1_.stop();
    panels_.clearNews();
    return true;
}

void MonitorAlert::tick() {
    if (panels_.newsShown()) {
        panels_.clearNews();
        return;
    }
    int side = panels_.newsPictureSide();
    panels_.setNews(appPicture(u"smile"_s, QSize(side, side), panels_.devicePixelRatioF()), kFound);
}

}  // namespace zelidor::ui
