#include "tools/Parcelamento.h"

#include <algorithm>
#include <stdexcept>

#include "checks/Datas.h"
#include "tools/CamposFixos.h"

namespace rolval::amostras {

namespace {

// Days in the `meses` months that begin with mes/ano.
int DiasNaJanela(int ano, int mes, int meses) {
  int dias = 0;
  for (int n = 0; n < meses; ++n) {
    const Dia m = MesesDepois(ano, mes, n);
    dias += DiasDoMes(m.mes, m.ano);
  }
  return dias;
}

// The day `indice` days (0-based) after the first day of mes/ano.
Dia DiaDoIndice(int ano, int mes, int indice) {
  Dia d = MesesDepois(ano, mes, 0);
  for (int n = 1; indice >= DiasDoMes(d.mes, d.ano); ++n) {
    indice -= DiasDoMes(d.mes, d.ano);
    d = MesesDepois(ano, mes, n);
  }
  d.dia = indice + 1;
  return d;
}

}  // namespace

Dia MesesDepois(int ano, int mes, int n) {
  const int corrido = ano * 12 + (mes - 1) + n;
  return {corrido / 12, corrido % 12 + 1, 1};
}

Dia SorteiaDia(Sorteio& sorteio, int ano, int mes, int meses) {
  return DiaDoIndice(ano, mes,
                     static_cast<int>(sorteio.Entre(0, DiasNaJanela(ano, mes, meses) - 1)));
}

std::size_t SorteiaParcelas(Sorteio& sorteio, std::int64_t total, int ano, int mes, int meses,
                            std::span<Parcela> parcelas) {
  if (total < 0) throw std::logic_error("a negative total cannot be split into installments");
  if (total == 0 || parcelas.empty()) return 0;
  const int dias = DiasNaJanela(ano, mes, meses);
  const auto maximo =
      std::min<std::int64_t>({static_cast<std::int64_t>(parcelas.size()), total, dias});
  const auto n = static_cast<int>(sorteio.Entre(1, maximo));
  // The window is cut into n stretches of days and each installment falls due in its own stretch,
  // so the due dates rise and never repeat.
  std::int64_t resto = total;
  for (int k = 0; k < n; ++k) {
    Parcela& p = parcelas[static_cast<std::size_t>(k)];
    const int primeiro = k * dias / n;
    const int ultimo = (k + 1) * dias / n - 1;
    p.vencimento = DiaDoIndice(ano, mes, static_cast<int>(sorteio.Entre(primeiro, ultimo)));
    // Each installment leaves at least 1 for every one after it; none is more than twice an even
    // share.
    const int depois = n - 1 - k;
    if (depois == 0) {
      p.valor = resto;
    } else {
      const std::int64_t parte = resto / (depois + 1);
      p.valor = sorteio.Entre(1, std::min(resto - depois, 2 * parte));
    }
    resto -= p.valor;
  }
  return static_cast<std::size_t>(n);
}

void AcrescentaDDMMAAAA(std::string& destino, const Dia& dia) {
  AcrescentaDigitos(destino, 2, dia.dia);
  AcrescentaDigitos(destino, 2, dia.mes);
  AcrescentaDigitos(destino, 4, dia.ano);
}

void AcrescentaAAAAMMDD(std::string& destino, const Dia& dia) {
  AcrescentaDigitos(destino, 4, dia.ano);
  AcrescentaDigitos(destino, 2, dia.mes);
  AcrescentaDigitos(destino, 2, dia.dia);
}

}  // namespace rolval::amostras
