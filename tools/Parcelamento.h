#pragma once
// Days and installment schedules for the generator: a day drawn inside a window of whole months,
// and a total split into installments of at least 1, each due on a day of its own, in rising order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "tools/Sorteio.h"

namespace rolval::amostras {

struct Dia {
  int ano = 0;
  int mes = 0;
  int dia = 1;
};

// The first day of the month `n` months after mes/ano (before it when `n` is negative).
Dia MesesDepois(int ano, int mes, int n);

// A day drawn from the `meses` months (1 or more) that begin with mes/ano.
Dia SorteiaDia(Sorteio& sorteio, int ano, int mes, int meses);

struct Parcela {
  Dia vencimento;
  std::int64_t valor = 0;
};

// Splits `total` (0 or more) into 1 to parcelas.size() installments, none when it is 0, due on
// distinct days of the `meses` months that begin with mes/ano, each later than the one before.
// Returns how many were written to the front of `parcelas`.
std::size_t SorteiaParcelas(Sorteio& sorteio, std::int64_t total, int ano, int mes, int meses,
                            std::span<Parcela> parcelas);

// Appends a day as eight digits, DDMMAAAA or AAAAMMDD.
void AcrescentaDDMMAAAA(std::string& destino, const Dia& dia);
void AcrescentaAAAAMMDD(std::string& destino, const Dia& dia);

}  // namespace rolval::amostras
