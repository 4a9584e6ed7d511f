#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace korvanta::gui {

// File paths between the core (std::filesystem) and Qt, in the platform's
// file-name encoding.
inline QString PathText(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

inline std::filesystem::path TextPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

}  // namespace korvanta::gui
