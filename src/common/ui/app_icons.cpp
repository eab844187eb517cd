#include "common/ui/app_icons.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

QString iconFile(const QString& key) {
    return u":/icons/"_s + key + u".svg"_s;
}

}  // namespace

QIcon appIcon(const QString& key) {
    QString file = iconFile(key);
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

QIcon commandIcon(const QString& key, const QString& themeName) {
    return QIcon::fromTheme(themeName, appIcon(key));
}

QPixmap appPicture(const QString& name, const QSize& size, qreal devicePixelRatio) {
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(iconFile(name));
    if (renderer.isValid()) {
        QPainter painter(&picture);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return picture;
}

QStringList appIconKeys() {
    QStringList keys;
    const QStringList files = QDir(u":/icons"_s).entryList({u"*.svg"_s}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        keys.append(file.chopped(4));
    }
    return keys;
}

}  // namespace zelidor::ui
