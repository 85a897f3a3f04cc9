// Layout ST 02's numeric checks against its field tables.
#include <gtest/gtest.h>

#include <array>

#include "layouts/substitution/CamposST2.h"
#include "tests/substitution/RegistrosST2.h"
#include "tests/support/CamposNumericos.h"

namespace rolval {
namespace {

using namespace teste;

// Every field of a return with one record of each type that must hold digits, spoiled in its
// record, is reported as not numeric at its own columns.
TEST(CamposST2, CadaCampoNumericoNasColunasDaTabela) {
  using enum TipoCampo;
  constexpr std::array tipos = {Digitos, Valor, DataAAAAMMDD, PeriodoMMAAAA, CNPJ};
  const std::vector<std::string> retorno = {RegistroA0().TotaisAnexos(100, 100).Linhas(1, 1, 1),
                                            RegistroA1(), RegistroA1("A2"), RegistroA3()};
  ASSERT_TRUE(AchadosST2(retorno).empty());
  for (std::size_t i = 0; i < retorno.size(); ++i)
    ConfereNaoNumericosNasColunas(retorno, i, TabelasST2()[i], tipos);
}

}  // namespace
}  // namespace rolval
