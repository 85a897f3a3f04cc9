// The numeric checks of layouts 03 and ST 01 against their field tables.
#include <gtest/gtest.h>

#include <array>

#include "layouts/older/CamposAntigos.h"
#include "tests/older/RegistrosAntigos.h"
#include "tests/support/CamposNumericos.h"

namespace rolval {
namespace {

using namespace teste;
using enum TipoCampo;

// Every field that must hold digits (the registration too: these layouts check it as digits),
// spoiled in the valid record, is reported as not numeric at its own columns.
constexpr std::array Numericos = {Digitos, Valor, DataDDMMAAAA, PeriodoMMAAAA, Inscricao, CNPJ};

TEST(CamposAntigos, CadaCampoNumericoNasColunasDaTabela) {
  for (const auto& [valido, tabela] :
       {std::pair{ROL03Valido(), &TabelaROL03()}, std::pair{ST01Valido(), &TabelaST01()}}) {
    // The spoiled record is the second: the first line tells the layout.
    const std::vector<std::string> registros = {valido, valido};
    ASSERT_TRUE(ExecutaRegistros(registros).achados.empty()) << tabela->tipo;
    ConfereNaoNumericosNasColunas(registros, 1, *tabela, Numericos);
  }
}

}  // namespace
}  // namespace rolval
