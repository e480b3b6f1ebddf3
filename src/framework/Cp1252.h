// Code page 1252, the 8-bit text of star names and labels, to and from Qt's
// Unicode strings, by the table of text/Cp1252.h.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString DecodeCp1252(std::string_view bytes);
// Characters that code page 1252 cannot hold become '?'.
std::string EncodeCp1252(const QString& text);
