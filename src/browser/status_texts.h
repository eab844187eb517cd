// The texts the guide writes into the third panel of the main window's status bar: a failure is
// shown as an error number and its description joined by one blank, or as the single "*".
#pragma once

#include <filesystem>
#include <string>

namespace zelidor::status {

// A failed step whose cause the panel does not spell out.
inline constexpr const char* kFailed = "*";

// A tree node whose key is already in the tree.
inline constexpr const char* kKeyNotUnique = "35602 Key is not unique in collection";

// A tree node whose parent is not in the tree.
inline constexpr const char* kElementNotFound = "35601 Element not found";

// A file the operation needs is missing (a card template).
inline std::string fileNotFound(const std::filesystem::path& file) {
    return "53 File not found: " + file.string();
}

// A file the operation writes cannot be written (the generated page).
inline std::string cannotWrite(const std::filesystem::path& file) {
    return "75 Path/File access error: " + file.string();
}

// A database that cannot be opened or read; description is the store's own message.
inline std::string databaseFailure(const std::string& description) {
    return "3049 " + description;
}

// A folder of the installation is missing. Two blanks before the arrow, as the message has
// always been written.
inline std::string missingFolder(const std::filesystem::path& folder) {
    return "The Directory " + folder.string() + " Doesn't Exist !  -> Bad Installation??";
}

}  // namespace zelidor::status
