#include "cli/Terminal.h"

#include <cstdio>

#include "run/Latin1.h"

namespace rolval {

namespace {

void AcrescentaEscape(std::string& destino, unsigned char c) {
  char texto[5];
  std::snprintf(texto, sizeof texto, "\\x%02X", c);
  destino.append(texto, 4);
}

bool EControle(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string EscapaParaTerminal(std::string_view texto) {
  std::string s;
  s.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const auto c = static_cast<unsigned char>(texto[i]);
    if (EControle(c)) {
      AcrescentaEscape(s, c);
    } else if (c == 0xC2 && i + 1 < texto.size() &&
               static_cast<unsigned char>(texto[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(texto[i + 1]) <= 0x9F) {
      // A C1 control character (U+0080 to U+009F), shown by its code as in the report.
      AcrescentaEscape(s, static_cast<unsigned char>(texto[++i]));
    } else {
      s.push_back(static_cast<char>(c));
    }
  }
  return s;
}

void ConversorRelatorio::Converte(std::string_view latin1, std::string& destino) {
  if (!terminal_) {
    AcrescentaUtf8(destino, latin1);
    return;
  }
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (crPendente_) {
      crPendente_ = false;
      if (c == '\n') {
        destino.append("\r\n");
        continue;
      }
      AcrescentaEscape(destino, '\r');
    }
    if (c == '\r') {
      crPendente_ = true;
    } else if (EControle(c) || (c >= 0x80 && c <= 0x9F)) {
      AcrescentaEscape(destino, c);
    } else {
      AcrescentaUtf8(destino, std::string_view(&ch, 1));
    }
  }
}

void ConversorRelatorio::Termina(std::string& destino) {
  if (crPendente_) AcrescentaEscape(destino, '\r');
  crPendente_ = false;
}

}  // namespace rolval
