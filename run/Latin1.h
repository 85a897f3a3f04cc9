#pragma once
// Conversions between the UTF-8 of the program's texts and the Latin-1 (ISO-8859-1) of the files
// it writes. One Latin-1 byte is one character.
#include <string>
#include <string_view>

namespace rolval {

// Appends `utf8` to `destino` as Latin-1. Characters outside Latin-1 become "?".
void AcrescentaLatin1(std::string& destino, std::string_view utf8);
std::string ParaLatin1(std::string_view utf8);

// True when every byte of `s` is below 0x80 (ASCII), which reads the same in Latin-1 and UTF-8.
bool SoAscii(std::string_view s);

// Appends the Latin-1 bytes `latin1` to `destino` as UTF-8.
void AcrescentaUtf8(std::string& destino, std::string_view latin1);
std::string ParaUtf8(std::string_view latin1);

}  // namespace rolval
