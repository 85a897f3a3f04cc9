#include "run/Latin1.h"

#include "run/CaminhosRapidos.h"
#include "run/Campo.h"

#include <cstdint>
#include <cstring>

namespace rolval {

namespace {

// Characters converted in one go into a buffer on the stack, then appended at once: the
// destination grows once per block instead of once per character.
constexpr std::size_t Bloco = 256;

// How many characters from the start of `s` are below 0x80 (ASCII): eight at a time on the
// fast path, then one by one.
std::size_t TrechoAscii(std::string_view s) {
  std::size_t i = 0;
  if constexpr (caminhos::TextosEmPalavras) {
    for (; i + 8 <= s.size(); i += 8)
      if ((Carrega8(s.data() + i) & 0x8080808080808080ULL) != 0) break;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

}  // namespace

bool SoAscii(std::string_view s) { return TrechoAscii(s) == s.size(); }

void AcrescentaLatin1(std::string& destino, std::string_view utf8) {
  char saida[Bloco];
  std::size_t usado = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    // A run of ASCII goes over as it is.
    const std::size_t ascii = TrechoAscii(utf8.substr(i));
    if (ascii > 0) {
      if (usado > 0) {
        destino.append(saida, usado);
        usado = 0;
      }
      destino.append(utf8.data() + i, ascii);
      i += ascii;
      continue;
    }
    const auto c = static_cast<unsigned char>(utf8[i]);
    // Length of the sequence and its code point.
    std::size_t n = (c >= 0xF0) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC0) ? 2 : 1;
    if (i + n > utf8.size()) n = utf8.size() - i;
    unsigned long ponto = (n == 2) ? (c & 0x1Fu) : (n == 3) ? (c & 0x0Fu) : (c & 0x07u);
    for (std::size_t k = 1; k < n; ++k)
      ponto = (ponto << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    saida[usado++] = n >= 2 && ponto <= 0xFF ? static_cast<char>(ponto) : '?';
    if (usado == Bloco) {
      destino.append(saida, usado);
      usado = 0;
    }
    i += n;
  }
  destino.append(saida, usado);
}

std::string ParaLatin1(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  AcrescentaLatin1(s, utf8);
  return s;
}

void AcrescentaUtf8(std::string& destino, std::string_view latin1) {
  const std::size_t ascii = TrechoAscii(latin1);
  if (ascii == latin1.size()) {
    destino.append(latin1);
    return;
  }
  // Written straight into the destination, made long enough for every character to take two
  // bytes and cut to what was written: on the fast path eight ASCII characters at a time, the
  // others one by one.
  const std::size_t inicio = destino.size();
  destino.resize(inicio + ascii + 2 * (latin1.size() - ascii));
  char* saida = destino.data() + inicio;
  std::memcpy(saida, latin1.data(), ascii);
  saida += ascii;
  const char* p = latin1.data() + ascii;
  const char* const fim = latin1.data() + latin1.size();
  const auto converte = [&saida](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      *saida++ = ch;
    } else {
      *saida++ = static_cast<char>(0xC0 | (c >> 6));
      *saida++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  };
  if constexpr (caminhos::TextosEmPalavras) {
    while (fim - p >= 8) {
      if ((Carrega8(p) & 0x8080808080808080ULL) == 0) {
        std::memcpy(saida, p, 8);
        saida += 8;
      } else {
        for (int k = 0; k < 8; ++k) converte(p[k]);
      }
      p += 8;
    }
  }
  while (p < fim) converte(*p++);
  destino.resize(static_cast<std::size_t>(saida - destino.data()));
}

std::string ParaUtf8(std::string_view latin1) {
  std::string s;
  s.reserve(latin1.size() + latin1.size() / 8);
  AcrescentaUtf8(s, latin1);
  return s;
}

}  // namespace rolval
