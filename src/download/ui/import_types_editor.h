// The type list of the download window (ListView2, Text1, "Nuovo Tipo", "Salva", "Elimina"):
// the programme types whose detail pages are fetched when the download is limited to them.
// The list is read from the settings file at every change, so the engine of a running download
// sees an edit at once.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/dialogs.h"
#include "download/ui/frm_import_tv_layout.h"

namespace zelidor::ui {

class ImportTypesEditor : public QObject {
    Q_OBJECT
  public:
    // report: where a failure is shown (the main window's status bar).
    ImportTypesEditor(FrmImportTVLayout& ui, std::filesystem::path appFolder, Dialogs& dialogs,
                      std::function<void(const QString&)> report, QObject* parent);

    void LoadImportTypes();

  private:
    void newType();
    void editType(const QString& key);
    void saveType();
    void deleteType();
    void showEditor(const QString& text);

    FrmImportTVLayout& ui_;
    std::filesystem::path appFolder_;
    Dialogs& dialogs_;
    std::function<void(const QString&)> report_;
    // The entry being edited: none, a new one (empty key), or the stored one with this key.
    std::optional<QString> editing_;
};

}  // namespace zelidor::ui
