// FrmMonitor, "Monitor Programmi": the list of watched words (the newest first), their editing,
// and the search of every word from the day of the main window's calendar on. The main window
// runs that search at start-up with this window loaded but hidden, and raises its alert when
// something matched; the window being activated ends the alert.
#pragma once

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "common/dialogs.h"
#include "common/ui/guide_host.h"
#include "monitor/ui/frm_monitor_layout.h"

namespace zelidor::ui {

class FrmMonitor : public QWidget {
    Q_OBJECT
  public:
    FrmMonitor(std::filesystem::path appFolder, Dialogs& dialogs, GuideHost& host, QWidget* parent);

    // Reloads the word list from the store.
    void CARICA_LISTA();
    // "Ricerca Ora": the tree rebuilt with every listed word; true when anything matched.
    bool search();

    const FrmMonitorLayout& controls() const { return ui_; }

  signals:
    void activated();

  protected:
    bool event(QEvent* event) override;

  private:
    void startNewWord();
    void chooseWord(const QListWidgetItem& item);
    void saveWord();
    void deleteWord();
    void report(const std::vector<std::string>& failures);

    std::filesystem::path appFolder_;
    Dialogs& dialogs_;
    GuideHost& host_;
    FrmMonitorLayout ui_;
    std::optional<std::int64_t> currentRow_;  // the row "Salva" and "Elimina" act on
};

}  // namespace zelidor::ui
