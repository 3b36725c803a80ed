#pragma once
// The program's text is single bytes, never converted; Qt's is UTF-16. Every
// crossing goes through these two, byte for character (Latin-1), so a byte that
// went into a widget comes back unchanged.

#include <QString>
#include <string>

inline QString ToQString(const std::string& Text) {
  return QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()));
}

// Characters outside the single-byte range become '?'.
inline std::string ToStdString(const QString& Text) {
  QByteArray Bytes = Text.toLatin1();
  return std::string(Bytes.constData(), static_cast<size_t>(Bytes.size()));
}
