#include "tools/NumerosFederais.h"

#include <initializer_list>

#include "tools/CamposFixos.h"

namespace rolval::amostras {

namespace {

// The check digit of the digits at `inicio` in `destino` with these weights: 0 when the remainder
// by 11 is 0 or 1, else 11 minus the remainder.
char DigitoVerificador(const std::string& destino, std::size_t inicio,
                       std::initializer_list<int> pesos) {
  int soma = 0;
  std::size_t i = inicio;
  for (const int peso : pesos) soma += (destino[i++] - '0') * peso;
  const int resto = soma % 11;
  return static_cast<char>('0' + (resto < 2 ? 0 : 11 - resto));
}

}  // namespace

void AcrescentaCNPJ(std::string& destino, std::int64_t base) {
  const std::size_t inicio = destino.size();
  AcrescentaDigitos(destino, 12, base);
  destino.push_back(DigitoVerificador(destino, inicio, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
  destino.push_back(DigitoVerificador(destino, inicio, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
}

void AcrescentaCPF(std::string& destino, std::int64_t base) {
  const std::size_t inicio = destino.size();
  AcrescentaDigitos(destino, 9, base);
  destino.push_back(DigitoVerificador(destino, inicio, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
  destino.push_back(DigitoVerificador(destino, inicio, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
}

}  // namespace rolval::amostras
