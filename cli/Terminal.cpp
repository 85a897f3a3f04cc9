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

void ConversorRelatorio::CrSolto(std::string& destino) const {
  if (terminal_)
    AcrescentaEscape(destino, '\r');
  else
    destino.push_back('\r');
}

void ConversorRelatorio::Converte(std::string_view latin1, std::string& destino) {
  while (!latin1.empty()) {
    if (crPendente_) {
      crPendente_ = false;
      if (latin1.front() == '\n') {
        destino.push_back('\n');
        latin1.remove_prefix(1);
        continue;
      }
      CrSolto(destino);
    }
    // Up to the next CR, which may end a line.
    const std::size_t cr = latin1.find('\r');
    const std::string_view trecho = latin1.substr(0, cr);
    if (!terminal_) {
      AcrescentaUtf8(destino, trecho);
    } else {
      for (const char ch : trecho) {
        const auto c = static_cast<unsigned char>(ch);
        if (EControle(c) || (c >= 0x80 && c <= 0x9F))
          AcrescentaEscape(destino, c);
        else
          AcrescentaUtf8(destino, std::string_view(&ch, 1));
      }
    }
    if (cr == std::string_view::npos) return;
    crPendente_ = true;
    latin1.remove_prefix(cr + 1);
  }
}

void ConversorRelatorio::Termina(std::string& destino) {
  if (crPendente_) CrSolto(destino);
  crPendente_ = false;
}

}  // namespace rolval
