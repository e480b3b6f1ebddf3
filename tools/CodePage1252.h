// Conversion between UTF-8 and the program's 8-bit text, code page 1252
// (Latin-1 plus the extra characters Windows puts at 0x80..0x9F).
#pragma once

#include <string>
#include <string_view>

// Characters the code page has become their byte. Latin letters with a
// diacritic it lacks lose the diacritic ("Bibhā" -> "Bibha"), combining marks
// are dropped, and anything else (other scripts, control characters, bytes
// that are not UTF-8) becomes '?'. *replaced tells whether any character was
// not carried over as it stood.
std::string Utf8ToCp1252(std::string_view utf8, bool* replaced = nullptr);

// Every byte to its character. The five bytes code page 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// value, so that Utf8ToCp1252 gives the byte back.
std::string Cp1252ToUtf8(std::string_view text);
