#include "checks/Numeros.h"

#include <cstdlib>
#include <string>

#include "run/Campo.h"

namespace rolval {

bool ValidaNumerico(std::string_view linha, int coluna, int tamanho) {
  const std::string_view campo = Campo(linha, coluna, tamanho);
  // A field cut short by the end of the line, or all blanks, is not numeric.
  if (tamanho <= 0 || static_cast<int>(campo.size()) != tamanho) return false;
  for (const char c : campo)
    if (c < '0' || c > '9') return false;
  return true;
}

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

double ValorNumerico(std::string_view digitos) {
  if (digitos.size() <= 18) return static_cast<double>(ValorInteiro(digitos));
  const std::string copia(digitos);
  return std::strtod(copia.c_str(), nullptr);
}

std::int64_t ValorInteiro(std::string_view digitos) {
  std::int64_t v = 0;
  for (const char c : digitos) v = v * 10 + (c - '0');
  return v;
}

}  // namespace rolval
