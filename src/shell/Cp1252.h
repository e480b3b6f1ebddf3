// Code page 1252, the 8-bit text of star names and labels, to and from Qt's
// Unicode strings. Qt 6 has no codec for it, so the 32 code points that differ
// from Latin-1 (bytes 0x80 to 0x9F) come from a table here.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString DecodeCp1252(std::string_view bytes);
// Characters that code page 1252 cannot hold become '?'.
std::string EncodeCp1252(const QString& text);
