// Date parts with blanks around their digits, and unit codes at the edges of the capital letters.
#include <gtest/gtest.h>

#include "checks/Cadastros.h"
#include "checks/Datas.h"
#include "run/Falha.h"
#include "tests/support/Casos.h"

namespace rolval {
namespace {

struct CasoParte {
  const char* texto;
  int tipo;
  bool valida;
};

class PartesComBrancos : public ::testing::TestWithParam<CasoParte> {};

TEST_P(PartesComBrancos, BrancosEmVoltaDosDigitosSaoAceitos) {
  const CasoParte& c = GetParam();
  EXPECT_EQ(ValidaData(c.texto, 1, c.tipo), c.valida) << '"' << c.texto << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Datas, PartesComBrancos,
    ::testing::Values(CasoParte{"1 012001", DataDDMMAAAA, true},   // day "1 "
                      CasoParte{" 1012001", DataDDMMAAAA, true},   // day " 1"
                      CasoParte{"01 12001", DataDDMMAAAA, true},   // month " 1"
                      CasoParte{"3 022001", DataDDMMAAAA, true},   // day 3 of February
                      CasoParte{"3 13 001", DataDDMMAAAA, false},  // month 13
                      CasoParte{"0101 201", DataDDMMAAAA, false},  // year 201
                      CasoParte{"1 2001", DataMMAAAA, true},
                      CasoParte{"012001  ", DataDDMMAAAA, false}),  // month 20, year "01  "
    [](const ::testing::TestParamInfo<CasoParte>& info) {
      return teste::NomeDeTeste(info.param.texto);
    });

TEST(PartesComBrancos, ParteEmBrancoOuComBrancoNoMeioEFalhaDaExecucao) {
  for (const char* texto : {"  012001", "01  2001", "01012 01", "0101    "})
    EXPECT_THROW(ValidaData(texto, 1, DataDDMMAAAA), FalhaExecucao) << '"' << texto << '"';
}

TEST(ValidaUFTabela, ForaDasLetrasMaiusculasNaoEUnidade) {
  // The characters just before 'A' and just after 'Z', and bytes above 0x7F.
  for (const char* uf : {"@C", "A@", "[C", "S[", "`P", "S{",
                         "\xC1"
                         "C",
                         "S\xD0", "\x80\x80"})
    EXPECT_FALSE(ValidaUF(uf)) << uf;
  EXPECT_TRUE(ValidaUF("AC"));
  EXPECT_TRUE(ValidaUF("TO"));
  EXPECT_FALSE(ValidaUF("AA"));
  EXPECT_FALSE(ValidaUF("ZZ"));
}

}  // namespace
}  // namespace rolval
