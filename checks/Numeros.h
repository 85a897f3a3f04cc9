#pragma once
// Numeric fields and the check digit of the home-state registration number (REG/TB).
#include <cstdint>
#include <string_view>

namespace rolval {

// True when the line holds all `tamanho` characters of the field at 1-based column `coluna` and
// every one of them is a digit 0-9.
bool ValidaNumerico(std::string_view linha, int coluna, int tamanho);

// The check digit ("0" to "9") that the last character of `numero` must equal: weights 2, then
// L-1 down to 2, modulus 11, with 10 and 11 giving 0. Blanks around the number are ignored.
char CalculaDigito(std::string_view numero);

// The value of a field of digits as a whole number in double precision (rounded to the nearest
// double beyond 2^53). The field must be digits only.
double ValorNumerico(std::string_view digitos);

// The value of a short field of digits (a count, a code) as an integer. Digits only.
std::int64_t ValorInteiro(std::string_view digitos);

}  // namespace rolval
