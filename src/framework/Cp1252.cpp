// Code page 1252 to and from Qt's Unicode strings through the one table of
// src/text, as Qt 6 has no codec for it.
#include "framework/Cp1252.h"

#include "text/Cp1252.h"

QString DecodeCp1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  for (size_t i = 0; i < bytes.size(); ++i)
    text[static_cast<qsizetype>(i)] =
        QChar(static_cast<char16_t>(Cp1252Character(static_cast<unsigned char>(bytes[i]))));
  return text;
}

std::string EncodeCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    const int byte = Cp1252Byte(c.unicode());
    bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return bytes;
}
