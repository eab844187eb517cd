#include "config/compaction.h"

#include <string>

#include "common/text.h"
#include "config/compaction_steps.h"

namespace zelidor {

namespace {

// Upper case of Windows-1252 text, accented letters included (à -> À, œ -> Œ); ß and letters
// without a capital in the code page stay as they are.
std::string upperLatin1(std::string text) {
    for (char& c : text) {
        auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
            c = static_cast<char>(byte - 0x20);
        } else if (byte == 0x9A || byte == 0x9C || byte == 0x9E) {  // š œ ž
            c = static_cast<char>(byte - 0x10);
        } else if (byte == 0xFF) {  // ÿ
            c = static_cast<char>(0x9F);
        }
    }
    return text;
}

std::string sizeText(std::uintmax_t bytes) {
    return std::to_string(bytes) + " Bytes";
}

void reportSuccess(Dialogs& dialogs, const std::filesystem::path& path, std::uintmax_t before,
                   std::uintmax_t after) {
    // Paths on disk are UTF-8; the boxes show Latin-1.
    std::string text = upperLatin1(utf8ToLatin1(path.string())) + " erfolgreich gepackt.\r\n\r\n" +
                       "Gr\xF6\xDF"
                       "e vor dem Packen:\t" +
                       sizeText(before) + "\r\n" +
                       "Gr\xF6\xDF"
                       "e nach dem Packen:\t" +
                       sizeText(after);
    dialogs.message("Packen erfolgreich beendet", text, MessageIcon::Information);
}

void reportFailure(Dialogs& dialogs, const CompactionError& error) {
    dialogs.message("Fehler w\xE4hrend des Packvorgangs",
                    std::to_string(error.number()) + ": " + utf8ToLatin1(error.what()),
                    MessageIcon::Critical);
}

}  // namespace

bool CompactDatabaseFile(const std::filesystem::path& path, Dialogs& dialogs) {
    std::filesystem::path backup;
    try {
        backup = compactionBackupName(path);
        std::uintmax_t before = fileSizeOf(path);
        removeDatabaseFiles(backup);
        compactCopy(path, backup);
        verifyDatabaseFile(backup);
        replaceDatabaseFile(backup, path);
        reportSuccess(dialogs, path, before, fileSizeOf(path));
        return true;
    } catch (const CompactionError& error) {
        if (!backup.empty()) {
            try {
                removeDatabaseFiles(backup);
            } catch (const CompactionError&) {
                // The first failure is the one worth reporting; a backup that cannot be removed
                // is harmless to the database and is replaced by the next run.
            }
        }
        reportFailure(dialogs, error);
        return false;
    }
}

}  // namespace zelidor
