#include "common/ui/desktop_open.h"

#include <QDesktopServices>
#include <QRegularExpression>

#include "common/ui/qt_text.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

QUrl addressToUrl(const std::string& address) {
    // Addresses come from pages and settings as Latin-1; a path is a file name (UTF-8).
    static const QRegularExpression scheme(u"^[A-Za-z][A-Za-z0-9+.-]*:"_s);
    QString text = fromLatin1(address);
    if (text.startsWith(u'/') || !scheme.match(text).hasMatch()) {
        return QUrl::fromLocalFile(QString::fromStdString(address));
    }
    return QUrl(text);
}

void DesktopOpen::open(const std::string& address) {
    QDesktopServices::openUrl(addressToUrl(address));
}

}  // namespace zelidor::ui
