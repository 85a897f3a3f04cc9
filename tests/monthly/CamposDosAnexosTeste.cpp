// The annex validators read every field where the annex types' tables put it: a field of digits
// spoiled in the second item (in X07's single body) is reported at that item's columns as the
// table gives them, and the records the test builders make from the same tables are clean.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layouts/monthly/CamposMensal.h"
#include "tests/monthly/RegistrosMensais.h"
#include "tests/support/CamposZerados.h"

namespace rolval::teste {
namespace {

using Achados = std::vector<std::string>;

Achados Executa(const ROLMensal& rol) {
  return ExecutaConteudo(ComCRLF(rol.Registros()), TabelaSemFechamento()).achados;
}

TEST(CamposDosAnexos, CampoDeDigitosEstragadoReportadoNasColunasDaTabela) {
  struct Tipo {
    const char* tipo;
    std::string item;
  };
  const Tipo tipos[] = {
      {"X01 ", ItemX01(102)},       {"X02 ", ItemX02()},     {"X03 ", ItemX03(5)},
      {"X03A", ItemX03A(5)},        {"X04 ", ItemX04()},     {"X05 ", ItemX01(102)},
      {"X05A", ItemX05A(102)},      {"X05B", ItemX05A(102)}, {"X06 ", ItemX02()},
      {"X07 ", CorpoX07{}.Texto()}, {"X07A", ItemX07A()},    {"X07B", ItemX07A()},
      {"X08 ", ItemX08()},          {"X09 ", ItemX09()},     {"X10 ", ItemX08()},
      {"X11 ", ItemX11()},          {"X12 ", ItemX12()},
  };
  ASSERT_EQ(std::size(tipos), TabelasAnexosMensais().size());
  const int fimDaQuantidade = CampoQuantidadeItens().Ultima();
  for (const Tipo& t : tipos) {
    const TabelaRegistro* tabela = TabelaMensal(t.tipo);
    ASSERT_NE(tabela, nullptr) << t.tipo;
    const std::vector<std::string> itens(std::string_view(t.tipo) == "X07 " ? 1 : 2, t.item);
    ROLMensal limpo = ComPreRequisitos();
    limpo.Anexo(t.tipo, itens);
    EXPECT_EQ(Executa(limpo), Achados{}) << t.tipo;

    int estragados = 0;
    for (const CampoRegistro& campo : tabela->campos) {
      if (campo.coluna <= fimDaQuantidade) continue;  // the prefix and the count
      if (!GuardaDigitos(campo.tipo) && campo.tipo != TipoCampo::Inscricao) continue;
      const int i = campo.vezes > 0 ? 1 : 0;
      ROLMensal rol = limpo;
      rol.Registro(4, campo.UltimaDe(i), "A");
      EXPECT_EQ(Executa(rol), Achados{Achado(4, campo.ColunaDe(i), campo.UltimaDe(i),
                                             "Campo numérico é esperado")})
          << t.tipo << " " << campo.nome;
      ++estragados;
    }
    EXPECT_GE(estragados, 2) << t.tipo;
  }
}

}  // namespace
}  // namespace rolval::teste
