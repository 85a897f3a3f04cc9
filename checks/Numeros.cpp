#include "checks/Numeros.h"

#include <cstdlib>
#include <string>

namespace rolval {

char CalculaDigito(std::string_view numero) {
  // The usual case, ten characters without blanks around them: the word-at-a-time sum.
  if (caminhos::DigitosEmPalavras && numero.size() == 10 && numero.front() != ' ' &&
      numero.back() != ' ') {
    const char* n = numero.data();
    if (!digitos::rapido::OitoDigitos(Carrega8(n)) || n[8] < '0' || n[8] > '9') return '\0';
    return digitos::rapido::DigitoDeDez(n);
  }
  const std::string_view n = Apara(numero);
  const std::size_t l = n.size();
  if (l < 2) return '0';
  // The first digit weighs 2; the digit at 0-based position i after it weighs l - i. Any
  // non-digit before the check digit leaves the number without a valid check digit.
  if (!digitos::SoDigitos(n.substr(0, l - 1))) return '\0';
  std::uint64_t soma = static_cast<std::uint64_t>(n[0] - '0') * 2;
  for (std::size_t i = 1; i + 1 < l; ++i)
    soma += static_cast<std::uint64_t>(n[i] - '0') * static_cast<std::uint64_t>(l - i);
  return digitos::DigitoDaSoma(soma);
}

namespace digitos {

double ValorNumericoLongo(std::string_view texto) {
  // The conversion needs a terminated text; fields are short, so a buffer on the stack does.
  char curto[64];
  if (texto.size() < sizeof curto) {
    std::memcpy(curto, texto.data(), texto.size());
    curto[texto.size()] = '\0';
    return std::strtod(curto, nullptr);
  }
  const std::string copia(texto);
  return std::strtod(copia.c_str(), nullptr);
}

}  // namespace digitos

}  // namespace rolval
