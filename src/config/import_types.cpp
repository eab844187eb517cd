#include "config/import_types.h"

#include "config/config_database.h"

namespace zelidor {

namespace {

constexpr std::string_view kFirstMatch =
    " WHERE rowid = (SELECT min(rowid) FROM Importa WHERE fold(Titolo) = fold(?))";

}  // namespace

ImportTypeStore::ImportTypeStore(const std::filesystem::path& appFolder)
    : db_(configDatabaseFile(appFolder)) {
    prepareConfigDatabase(db_, appFolder);
}

std::vector<std::string> ImportTypeStore::list() {
    std::vector<std::string> titles;
    Statement query = db_.prepare("SELECT Titolo FROM Importa ORDER BY rowid");
    while (query.step()) {
        titles.push_back(query.latin1(0).value_or(""));
    }
    return titles;
}

void ImportTypeStore::add(std::string_view latin1) {
    db_.prepare("INSERT INTO Importa (Titolo) VALUES (?)").bindLatin1(1, latin1).run();
}

bool ImportTypeStore::remove(std::string_view latin1) {
    db_.prepare("DELETE FROM Importa" + std::string(kFirstMatch)).bindLatin1(1, latin1).run();
    return db_.changes() > 0;
}

bool ImportTypeStore::rename(std::string_view fromLatin1, std::string_view toLatin1) {
    Statement update = db_.prepare("UPDATE Importa SET Titolo = ?" + std::string(kFirstMatch));
    update.bindLatin1(1, toLatin1).bindLatin1(2, fromLatin1);
    update.run();
    return db_.changes() > 0;
}

}  // namespace zelidor
