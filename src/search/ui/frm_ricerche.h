// FrmRicerche, "Ricerche": the programmes whose title holds a text, from the day of the main
// window's calendar on (or of every day), as a tree grouped by day and channel.
#pragma once

#include <QWidget>
#include <filesystem>

#include "common/ui/guide_host.h"
#include "search/ui/frm_ricerche_layout.h"

namespace zelidor::ui {

class FrmRicerche : public QWidget {
    Q_OBJECT
  public:
    FrmRicerche(std::filesystem::path appFolder, GuideHost& host, QWidget* parent);

    // "Ricerca Ora" (and Enter in the text): the tree rebuilt from nothing for the text.
    void search();
    // Puts the keyboard focus in the text, as the main window's search command does.
    void focusText();

    const FrmRicercheLayout& controls() const { return ui_; }

  private:
    std::filesystem::path appFolder_;
    GuideHost& host_;
    FrmRicercheLayout ui_;
};

}  // namespace zelidor::ui
