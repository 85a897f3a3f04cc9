#include "run/Latin1.h"

namespace rolval {

void AcrescentaLatin1(std::string& destino, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      destino.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    // Length of the sequence and its code point.
    std::size_t n = (c >= 0xF0) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC0) ? 2 : 1;
    if (i + n > utf8.size()) n = utf8.size() - i;
    unsigned long ponto = (n == 2) ? (c & 0x1Fu) : (n == 3) ? (c & 0x0Fu) : (c & 0x07u);
    for (std::size_t k = 1; k < n; ++k) ponto = (ponto << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    destino.push_back(n >= 2 && ponto <= 0xFF ? static_cast<char>(ponto) : '?');
    i += n;
  }
}

std::string ParaLatin1(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  AcrescentaLatin1(s, utf8);
  return s;
}

void AcrescentaUtf8(std::string& destino, std::string_view latin1) {
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      destino.push_back(ch);
    } else {
      destino.push_back(static_cast<char>(0xC0 | (c >> 6)));
      destino.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::string ParaUtf8(std::string_view latin1) {
  std::string s;
  s.reserve(latin1.size() + latin1.size() / 8);
  AcrescentaUtf8(s, latin1);
  return s;
}

}  // namespace rolval
