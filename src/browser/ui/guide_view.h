// WebBrowser1: the HTML view of the main window. It shows local pages only; a click on a link
// to anything else (the web link of a programme, a mail address) goes to the desktop's "open"
// and never into the view.
#pragma once

#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

#include "common/dialogs.h"

namespace zelidor::ui {

class OfflinePage : public QWebEnginePage {
    Q_OBJECT
  public:
    OfflinePage(QWebEngineProfile* profile, Desktop& desktop, QObject* parent);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

  private:
    void handOver(const QUrl& url);
    Desktop& desktop_;
};

class GuideView : public QWebEngineView {
    Q_OBJECT
  public:
    GuideView(QWebEngineProfile* profile, Desktop& desktop, QWidget* parent);

    void showFile(const std::filesystem::path& file);
    // The local file shown now, if the page is one.
    std::filesystem::path shownFile() const;
};

}  // namespace zelidor::ui
