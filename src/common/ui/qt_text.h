// The one place where the core's text (Latin-1 bytes, UTF-8 file names) becomes Qt's and back.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelidor::ui {

inline QString fromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters outside Latin-1 become '?', as the core could not store them either.
inline std::string toLatin1(const QString& text) {
    QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

inline std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

}  // namespace zelidor::ui
