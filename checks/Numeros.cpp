#include "checks/Numeros.h"

#include <cstdlib>
#include <string>

namespace rolval {

namespace {

// The weighted sum of a 10-character number (the registration of the home unit, the most common
// case): its first eight characters tested as one word, the weights written out.
bool SomaDeDez(std::string_view n, std::uint64_t& soma) {
  if (!digitos::OitoDigitos(digitos::Carrega8(n.data())) || n[8] < '0' || n[8] > '9') return false;
  const auto d = [&](std::size_t i) { return static_cast<std::uint64_t>(n[i] - '0'); };
  soma = d(0) * 2 + d(1) * 9 + d(2) * 8 + d(3) * 7 + d(4) * 6 + d(5) * 5 + d(6) * 4 + d(7) * 3 +
         d(8) * 2;
  return true;
}

// Modulus 11 of the weighted sum: 10 and 11 give 0.
char DigitoDaSoma(std::uint64_t soma) {
  const std::uint64_t k = 11 - soma % 11;
  return (k >= 10) ? '0' : static_cast<char>('0' + k);
}

}  // namespace

char CalculaDigito(std::string_view numero) {
  if (digitos::PalavraUtil && numero.size() == 10 && numero.front() != ' ' &&
      numero.back() != ' ') {
    std::uint64_t soma = 0;
    if (!SomaDeDez(numero, soma)) return '\0';
    return DigitoDaSoma(soma);
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
  return DigitoDaSoma(soma);
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
