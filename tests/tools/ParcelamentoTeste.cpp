// Installment schedules of the sample generator: the amounts add up to the total, each at least
// 1, and the due dates rise strictly and stay inside the window of months.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "checks/Datas.h"
#include "tools/Parcelamento.h"

namespace rolval::amostras {
namespace {

int Chave(const Dia& d) { return d.ano * 10000 + d.mes * 100 + d.dia; }

TEST(Parcelamento, SomaODiaEOsLimitesDaJanela) {
  struct Caso {
    std::int64_t total;
    int ano, mes, meses;
    std::size_t maximo;
  };
  const Caso casos[] = {
      {1, 2000, 7, 3, 6},          // a single unit: one installment
      {5, 1999, 12, 3, 6},         // across the turn of the year
      {6, 2000, 2, 1, 6},          // February of a leap year
      {9'999'999, 1994, 7, 5, 9},  // up to nine entries
      {40, 2015, 11, 3, 1},        // room for one only
  };
  for (const Caso& c : casos) {
    for (std::uint64_t semente = 1; semente <= 200; ++semente) {
      SCOPED_TRACE(std::to_string(c.total) + " seed " + std::to_string(semente));
      Sorteio sorteio(semente);
      std::array<Parcela, 9> parcelas{};
      const std::size_t n = SorteiaParcelas(sorteio, c.total, c.ano, c.mes, c.meses,
                                            std::span(parcelas.data(), c.maximo));
      ASSERT_GE(n, 1u);
      ASSERT_LE(n, std::min<std::int64_t>(static_cast<std::int64_t>(c.maximo), c.total));
      const Dia fim = MesesDepois(c.ano, c.mes, c.meses - 1);
      const int primeiro = c.ano * 10000 + c.mes * 100 + 1;
      const int ultimo = fim.ano * 10000 + fim.mes * 100 + DiasDoMes(fim.mes, fim.ano);
      std::int64_t soma = 0;
      int anterior = 0;
      for (std::size_t k = 0; k < n; ++k) {
        const Dia& d = parcelas[k].vencimento;
        EXPECT_GE(parcelas[k].valor, 1);
        soma += parcelas[k].valor;
        EXPECT_GE(d.dia, 1);
        EXPECT_LE(d.dia, DiasDoMes(d.mes, d.ano));
        EXPECT_GT(Chave(d), anterior);
        EXPECT_GE(Chave(d), primeiro);
        EXPECT_LE(Chave(d), ultimo);
        anterior = Chave(d);
      }
      EXPECT_EQ(soma, c.total);
    }
  }
}

TEST(Parcelamento, TotalZeroNaoTemParcelas) {
  Sorteio sorteio(1);
  std::array<Parcela, 6> parcelas{};
  EXPECT_EQ(SorteiaParcelas(sorteio, 0, 2000, 7, 3, parcelas), 0u);
}

TEST(Parcelamento, MesesAntesEDepois) {
  EXPECT_EQ(Chave(MesesDepois(2000, 1, -1)), 19991201);
  EXPECT_EQ(Chave(MesesDepois(1999, 12, 1)), 20000101);
  EXPECT_EQ(Chave(MesesDepois(2000, 7, 185)), 20151201);
  EXPECT_EQ(Chave(MesesDepois(1994, 7, 50)), 19980901);
}

}  // namespace
}  // namespace rolval::amostras
