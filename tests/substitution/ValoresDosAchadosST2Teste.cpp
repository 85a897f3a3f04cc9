// The values that the findings of layout ST 02 about totals, counts, the balance and check digits
// carry: the one in the file and the one computed from it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

TEST(ValoresDosAchadosST2, DeclaradoECalculadoDeCadaTotalContagemEDigito) {
  struct Caso {
    const char* nome;
    std::function<void(RegistroA0&)> monta;
    CodigoST codigo;
    int inicio;
    std::optional<double> declarado;
    std::optional<double> calculado;
  };
  // Field 21 once annex I's total of 100 is in the balance.
  const std::int64_t campo21 = RegistroA0().TotaisAnexos(100, 0).Valor(21);
  const Caso casos[] = {
      {"annex I total against its records' sum",
       [](RegistroA0& r) { r.TotaisAnexos(500, 0).Linhas(1, 0, 0); },
       CodigoST::TotalDoCampoIncorreto, 275, 500, 100},
      {"annex I lines declared against lines read",
       [](RegistroA0& r) { r.TotaisAnexos(100, 0).Linhas(2, 0, 0); },
       CodigoST::LinhasAnexoInvalidas, 786, 2, 1},
      {"field 21 against the installments' sum",
       [](RegistroA0& r) { r.Linhas(1, 0, 0).TotaisAnexos(100, 0).Parcela(1, "20000815", 600); },
       CodigoST::SomaParcelasDifere, 380, static_cast<double>(campo21), 600},
      {"field 21 against the balance",
       [](RegistroA0& r) { r.Linhas(1, 0, 0).TotaisAnexos(100, 0).Valor(21, 7); },
       CodigoST::ValorDoCampoIncorreto, 380, 7, static_cast<double>(campo21)},
      {"CNPJ check digits, as one number",
       [](RegistroA0& r) { r.Linhas(1, 0, 0).TotaisAnexos(100, 0).Poe(395, "11222333000182"); },
       CodigoST::DigitoDoCampoIncorreto, 395, 82, 81},
  };
  for (const Caso& c : casos) {
    RegistroA0 a0;
    c.monta(a0);
    const AchadoVisto a =
        AchadoUnico(ComCRLF({a0, RegistroA1()}), LetraST, static_cast<int>(c.codigo), c.inicio);
    EXPECT_EQ(a.declarado, c.declarado) << c.nome;
    EXPECT_EQ(a.calculado, c.calculado) << c.nome;
    EXPECT_EQ(a.tipoRegistro, "A0") << c.nome;
  }
}

}  // namespace
}  // namespace rolval::teste
