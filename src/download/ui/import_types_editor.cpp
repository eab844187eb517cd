#include "download/ui/import_types_editor.h"

#include "common/sqlite.h"
#include "common/ui/app_icons.h"
#include "common/ui/qt_text.h"
#include "config/import_types.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

// The error number and description of a failure with no current entry, as the database
// engine of the settings file would word it.
const QString kNoCurrentEntry = u"3021 Nessun tipo scelto: scegline uno dalla lista"_s;

}  // namespace

ImportTypesEditor::ImportTypesEditor(FrmImportTVLayout& ui, std::filesystem::path appFolder,
                                     Dialogs& dialogs, std::function<void(const QString&)> report,
                                     QObject* parent)
    : QObject(parent),
      ui_(ui),
      appFolder_(std::move(appFolder)),
      dialogs_(dialogs),
      report_(std::move(report)) {
    connect(ui_.command4, &QPushButton::clicked, this, &ImportTypesEditor::newType);
    connect(ui_.command6, &QPushButton::clicked, this, &ImportTypesEditor::saveType);
    connect(ui_.command5, &QPushButton::clicked, this, &ImportTypesEditor::deleteType);
    connect(ui_.listView2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { editType(item->text()); });
    connect(ui_.text1, &QLineEdit::returnPressed, this, &ImportTypesEditor::saveType);
}

void ImportTypesEditor::LoadImportTypes() {
    ui_.listView2->clear();
    try {
        for (const std::string& title : ImportTypeStore(appFolder_).list()) {
            QString text = fromLatin1(title);
            if (!text.isEmpty() && ui_.listView2->findItems(text, Qt::MatchExactly).isEmpty()) {
                ui_.listView2->addItem(new QListWidgetItem(appIcon(u"root"_s), text));
            }
        }
    } catch (const StoreError& error) {
        report_(fromLatin1(error.what()));
    }
}

void ImportTypesEditor::showEditor(const QString& text) {
    ui_.text1->setText(text);
    ui_.text1->show();
    ui_.text1->setFocus();
}

void ImportTypesEditor::newType() {
    editing_ = QString();
    showEditor({});
}

void ImportTypesEditor::editType(const QString& key) {
    editing_ = key;
    showEditor(key);
}

// A type that is already listed (in any letter case) is not stored again: a second row would
// keep the type listed after "Elimina" removed the first.
void ImportTypesEditor::saveType() {
    if (!editing_) {
        return;
    }
    const QString text = ui_.text1->text().trimmed();
    try {
        ImportTypeStore types(appFolder_);
        const bool listed = !ui_.listView2->findItems(text, Qt::MatchFixedString).isEmpty();
        if (editing_->isEmpty()) {
            if (!text.isEmpty() && !listed) {
                types.add(toLatin1(text));
            }
        } else if (!text.isEmpty() &&
                   (!listed || text.compare(*editing_, Qt::CaseInsensitive) == 0)) {
            types.rename(toLatin1(*editing_), toLatin1(text));
        }
    } catch (const StoreError& error) {
        report_(fromLatin1(error.what()));
    }
    editing_.reset();
    ui_.text1->hide();
    LoadImportTypes();
}

void ImportTypesEditor::deleteType() {
    if (!editing_ || editing_->isEmpty()) {
        report_(kNoCurrentEntry);
        return;
    }
    if (dialogs_.confirm(toLatin1(ui_.text1->text()), "Cancellare Questa Parola?") != Answer::Ok) {
        return;
    }
    try {
        ImportTypeStore(appFolder_).remove(toLatin1(*editing_));
    } catch (const StoreError& error) {
        report_(fromLatin1(error.what()));
    }
    editing_.reset();
    ui_.text1->hide();
    LoadImportTypes();
}

}  // namespace zelidor::ui
