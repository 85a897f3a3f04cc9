#include "checks/Numeros.h"

#include <cstdlib>
#include <string>

namespace rolval {

char CalculaDigito(std::string_view numero) {
  const std::string_view n = Apara(numero);
  const std::size_t l = n.size();
  if (l < 2) return '0';
  long soma = 0;
  for (std::size_t i = 1; i <= l - 1; ++i) {
    const char c = n[i - 1];
    if (c < '0' || c > '9') return '\0';  // no valid check digit for a number with a non-digit
    const long peso = (i == 1) ? 2 : static_cast<long>(l - i + 1);
    soma += (c - '0') * peso;
  }
  const long k = 11 - soma % 11;
  return (k >= 10) ? '0' : static_cast<char>('0' + k);
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
