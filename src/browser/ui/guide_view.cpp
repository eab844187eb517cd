#include "browser/ui/guide_view.h"

#include <QWebEngineNewWindowRequest>

#include "browser/ui/local_web_profile.h"
#include "common/ui/qt_text.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

OfflinePage::OfflinePage(QWebEngineProfile* profile, Desktop& desktop, QObject* parent)
    : QWebEnginePage(profile, parent), desktop_(desktop) {
    // A link with a target (target=_blank) asks for a new window instead of a navigation.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { handOver(request.requestedUrl()); });
}

bool OfflinePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    bool local = isLocalScheme(url.scheme());
    if (type == NavigationTypeLinkClicked && isMainFrame && !local) {
        handOver(url);
        return false;
    }
    // Frames, redirects and typed addresses are let in only when they are local.
    return local;
}

void OfflinePage::handOver(const QUrl& url) {
    if (!url.isEmpty() && !isLocalScheme(url.scheme())) {
        desktop_.open(toLatin1(url.toString(QUrl::FullyEncoded)));
    }
}

GuideView::GuideView(QWebEngineProfile* profile, Desktop& desktop, QWidget* parent)
    : QWebEngineView(parent) {
    setPage(new OfflinePage(profile, desktop, this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void GuideView::showFile(const std::filesystem::path& file) {
    load(QUrl::fromLocalFile(fromPath(file)));
}

std::filesystem::path GuideView::shownFile() const {
    QUrl shown = url();
    return shown.isLocalFile() ? toPath(shown.toLocalFile()) : std::filesystem::path();
}

}  // namespace zelidor::ui
