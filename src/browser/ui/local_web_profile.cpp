#include "browser/ui/local_web_profile.h"

#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>

using namespace Qt::StringLiterals;

namespace zelidor::ui {

bool isLocalScheme(const QString& scheme) {
    return scheme == u"file"_s || scheme == u"data"_s || scheme == u"qrc"_s;
}

void LocalOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (!isLocalScheme(info.requestUrl().scheme())) {
        info.block(true);
    }
}

LocalWebProfile::LocalWebProfile() : profile_(std::make_unique<QWebEngineProfile>()) {
    profile_->setUrlRequestInterceptor(&interceptor_);
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    QWebEngineSettings* settings = profile_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
}

LocalWebProfile::~LocalWebProfile() {
    profile_->setUrlRequestInterceptor(nullptr);
}

}  // namespace zelidor::ui
