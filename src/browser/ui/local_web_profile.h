// The one web profile of the program: off the record, JavaScript off, and no way for a page to
// reach the network. Pages shown by the program are local files (the start page, card pages,
// reports, help); a page that asks for a remote picture, style sheet or script gets nothing.
// Create it after the QApplication and before any window, so that every page dies before it.
#pragma once

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <memory>

namespace zelidor::ui {

// Lets only local schemes through; every other request is blocked before it is sent.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

bool isLocalScheme(const QString& scheme);

class LocalWebProfile {
  public:
    LocalWebProfile();
    ~LocalWebProfile();
    LocalWebProfile(const LocalWebProfile&) = delete;
    LocalWebProfile& operator=(const LocalWebProfile&) = delete;

    QWebEngineProfile* profile() const { return profile_.get(); }

  private:
    // The profile does not own its interceptor, so the interceptor is declared first and dies
    // last.
    LocalOnlyInterceptor interceptor_;
    std::unique_ptr<QWebEngineProfile> profile_;
};

}  // namespace zelidor::ui
