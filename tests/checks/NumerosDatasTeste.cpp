// Numeric fields, the REG/TB check digit, amounts and dates.
#include <gtest/gtest.h>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "run/Falha.h"
#include "tests/support/Casos.h"

namespace rolval {
namespace {

TEST(ValidaNumerico, AceitaSoDigitosEmTodasAsPosicoes) {
  EXPECT_TRUE(ValidaNumerico("0000", 1, 4));
  EXPECT_TRUE(ValidaNumerico("xx1234yy", 3, 4));
  EXPECT_FALSE(ValidaNumerico("    ", 1, 4));
  EXPECT_FALSE(ValidaNumerico("12 4", 1, 4));
  EXPECT_FALSE(ValidaNumerico(" 123", 1, 4));
  EXPECT_FALSE(ValidaNumerico("123 ", 1, 4));
  for (const char* s : {"+123", "-123", "12.3", "12,3", "12a3"})
    EXPECT_FALSE(ValidaNumerico(s, 1, 4)) << s;
}

TEST(ValidaNumerico, CampoCortadoPeloFimDaLinhaNaoENumerico) {
  const std::string linha(13, '1');  // a 16-character field at column 1 ends 3 characters early
  EXPECT_FALSE(ValidaNumerico(linha, 1, 16));
  EXPECT_TRUE(ValidaNumerico(linha, 1, 13));
  EXPECT_FALSE(ValidaNumerico(linha, 14, 1));
  EXPECT_FALSE(ValidaNumerico(linha, 40, 2));
  EXPECT_FALSE(ValidaNumerico("", 1, 1));
}

TEST(CalculaDigito, ExemplosDoRegistroLocal) {
  EXPECT_EQ(CalculaDigito("0123456789"), '9');
  EXPECT_EQ(CalculaDigito("0500000000"), '0');  // k = 10 gives 0
  EXPECT_EQ(CalculaDigito("0000000000"), '0');  // k = 11 gives 0
  EXPECT_EQ(CalculaDigito("1234567890"), '7');  // sum 2+18+24+28+30+30+28+24+18 = 202, r 4, k 7
  EXPECT_EQ(CalculaDigito("0"), '0');
  EXPECT_EQ(CalculaDigito(""), '0');
}

TEST(CalculaDigito, PrimeiraPosicaoPesaDois) {
  // Only the first digit differs: weight 2 (not 10) makes the check digits differ by 2 mod 11.
  EXPECT_EQ(CalculaDigito("1000000000"), '9');  // 2 -> r 2 -> k 9
  EXPECT_EQ(CalculaDigito("0100000000"), '2');  // 9 -> r 9 -> k 2
}

TEST(ValorNumerico, ConverteInteirosExatos) {
  EXPECT_EQ(ValorNumerico("000000000000010"), 10.0);
  EXPECT_EQ(ValorNumerico("999999999999999"), 999999999999999.0);
  EXPECT_EQ(ValorNumerico("9007199254740993"),
            9007199254740992.0);  // rounded to the nearest double
  EXPECT_EQ(ValorInteiro("012"), 12);
}

struct CasoData {
  const char* texto;
  int tipo;
  bool valida;
};

class ValidaDataTabela : public ::testing::TestWithParam<CasoData> {};

TEST_P(ValidaDataTabela, Resultado) {
  const CasoData& c = GetParam();
  EXPECT_EQ(ValidaData(c.texto, 1, c.tipo), c.valida) << c.texto;
}

INSTANTIATE_TEST_SUITE_P(
    Datas, ValidaDataTabela,
    ::testing::Values(
        CasoData{"00000000", DataDDMMAAAA, true}, CasoData{"29022000", DataDDMMAAAA, true},
        CasoData{"29021900", DataDDMMAAAA, true}, CasoData{"29022100", DataDDMMAAAA, true},
        CasoData{"31122001", DataDDMMAAAA, true}, CasoData{"01019999", DataDDMMAAAA, true},
        CasoData{"29022001", DataDDMMAAAA, false}, CasoData{"31042001", DataDDMMAAAA, false},
        CasoData{"32012001", DataDDMMAAAA, false}, CasoData{"00012001", DataDDMMAAAA, false},
        CasoData{"01002001", DataDDMMAAAA, false}, CasoData{"01132001", DataDDMMAAAA, false},
        CasoData{"01011899", DataDDMMAAAA, false}, CasoData{"00002001", DataDDMMAAAA, false},
        CasoData{"01000000", DataDDMMAAAA, false}, CasoData{"000000", DataMMAAAA, true},
        CasoData{"012001", DataMMAAAA, true}, CasoData{"002001", DataMMAAAA, false},
        CasoData{"132001", DataMMAAAA, false}, CasoData{"121899", DataMMAAAA, false}),
    [](const ::testing::TestParamInfo<CasoData>& info) {
      return teste::NomeDeTeste(info.param.texto);
    });

TEST(ValidaData, LeNaColunaDada) {
  EXPECT_TRUE(ValidaData("xxxx052005yy", 5, DataMMAAAA));
  EXPECT_FALSE(ValidaData("xxxx132005yy", 5, DataMMAAAA));
}

TEST(ValidaData, ParteQueNaoENumeroEFalhaDaExecucao) {
  EXPECT_THROW(ValidaData("0A012001", 1, DataDDMMAAAA), FalhaExecucao);
  EXPECT_THROW(ValidaData("0101", 1, DataDDMMAAAA), FalhaExecucao);  // year beyond the line
}

TEST(ValidaData, OutroTipoNaoLeNadaEAceita) { EXPECT_TRUE(ValidaData("zz", 1, 7)); }

}  // namespace
}  // namespace rolval
