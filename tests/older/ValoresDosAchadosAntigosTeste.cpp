// The values that the findings of layouts 03 and ST 01 about sums, balances and check digits
// carry: the one in the file and the one computed from it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "tests/older/RegistrosAntigos.h"

namespace rolval::teste {
namespace {

TEST(ValoresDosAchadosAntigos, DeclaradoECalculadoDeCadaSomaSaldoEDigito) {
  struct Caso {
    const char* nome;
    std::function<Registro()> monta;
    char catalogo;
    int codigo;
    int inicio;
    std::optional<double> declarado;
    std::optional<double> calculado;
  };
  const Caso casos[] = {
      {"03: C against A - B", [] { return ROL03Valido().Valor(116, 16, 700); }, LetraMensal,
       static_cast<int>(CodigoM::ValorIncorreto), 116, 700, 600},
      {"03: E against the first sum", [] { return ROL03Valido().Valor(292, 16, 10); }, LetraMensal,
       static_cast<int>(CodigoM::ValorIncorreto), 292, 10, 150},
      {"03: registration check digit", [] { return ROL03Valido().Poe(35, "8"); }, LetraMensal,
       static_cast<int>(CodigoM::DigitoControleInvalido), 26, 8, 9},
      {"ST 01: field 17 against the installments' sum",
       [] { return ST01Valido().Valor(ColunaParcela(1) + 8, 15, 60); }, LetraST,
       static_cast<int>(CodigoST::SomaParcelasDifere), 213, 100, 60},
      {"ST 01: field 16 against the balance", [] { return ST01Valido().Valor(198, 15, 5); },
       LetraST, static_cast<int>(CodigoST::ValorDoCampoIncorreto), 198, 5, 0},
      {"ST 01: CNPJ check digits, as one number",
       [] { return ST01Valido().Poe(27, "11222333000182"); }, LetraST,
       static_cast<int>(CodigoST::DigitoDoCampoIncorreto), 27, 82, 81},
  };
  for (const Caso& c : casos) {
    const AchadoVisto a = AchadoUnico(ComCRLF({c.monta()}), c.catalogo, c.codigo, c.inicio);
    EXPECT_EQ(a.declarado, c.declarado) << c.nome;
    EXPECT_EQ(a.calculado, c.calculado) << c.nome;
  }
}

}  // namespace
}  // namespace rolval::teste
