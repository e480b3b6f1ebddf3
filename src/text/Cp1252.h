// Code page 1252, the 8-bit text of star names and tags: Latin-1 plus the
// extra characters Windows puts at 0x80..0x9F. One table for every reader and
// writer of that text, with one rule for control characters: every byte is
// one character and back, the C0 controls, DEL and the five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) being the control
// characters of the same value. So whatever bytes a map holds are shown and
// typed back unchanged; keeping control characters out of what is stored is
// the writer's business.
#pragma once

#include <string>
#include <string_view>

// The character of a byte.
char32_t Cp1252Character(unsigned char byte);

// The byte of a character, or -1 when the code page has none.
int Cp1252Byte(char32_t character);

// Characters the code page has become their byte. Latin letters with a
// diacritic it lacks lose the diacritic ("Bibhā" -> "Bibha"), combining marks
// are dropped, and anything else (other scripts, bytes that are not UTF-8)
// becomes '?'. *replaced tells whether any character was not carried over as
// it stood.
std::string Utf8ToCp1252(std::string_view utf8, bool* replaced = nullptr);

// Appends a character (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Every byte to its character in UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
