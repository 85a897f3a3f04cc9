// The field tables of every record type: each field inside its record, in ascending columns, no
// two fields sharing a column, every column of a record a field or declared filler; and the
// lookup of a column's field with the occurrence of a repeated item.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "layouts/CamposLayouts.h"

namespace rolval {
namespace {

class TabelaDeCampos : public testing::TestWithParam<const TabelaRegistro*> {};

TEST_P(TabelaDeCampos, CobreORegistroSemSobreposicao) {
  const TabelaRegistro& t = *GetParam();
  ASSERT_GT(t.comprimento, 0);
  ASSERT_FALSE(t.campos.empty());
  // For every column, the field (index) and occurrence that hold it.
  std::vector<int> dono(static_cast<std::size_t>(t.comprimento) + 1, -1);
  std::vector<int> vezDono(dono.size(), -1);
  std::set<std::string_view> nomes;
  int anterior = 0;
  for (std::size_t i = 0; i < t.campos.size(); ++i) {
    const CampoRegistro& c = t.campos[i];
    SCOPED_TRACE(std::string(c.nome) + " at column " + std::to_string(c.coluna));
    EXPECT_FALSE(c.nome.empty());
    EXPECT_TRUE(c.tipo == TipoCampo::Filler || nomes.insert(c.nome).second) << "name twice";
    EXPECT_GT(c.coluna, anterior) << "columns not ascending";
    anterior = c.coluna;
    EXPECT_GE(c.tamanho, 1);
    EXPECT_GE(c.vezes, 0);
    if (c.vezes > 0) {
      EXPECT_GE(c.largura, c.tamanho) << "occurrences overlap one another";
    }
    for (int vez = 0; vez < std::max<int>(c.vezes, 1); ++vez) {
      const int inicio = c.ColunaDe(vez);
      ASSERT_GE(inicio, 1);
      ASSERT_LE(inicio + c.tamanho - 1, t.comprimento) << "occurrence " << vez << " past the end";
      for (int coluna = inicio; coluna < inicio + c.tamanho; ++coluna) {
        EXPECT_EQ(dono[static_cast<std::size_t>(coluna)], -1) << "column " << coluna << " twice";
        dono[static_cast<std::size_t>(coluna)] = static_cast<int>(i);
        vezDono[static_cast<std::size_t>(coluna)] = vez;
      }
    }
  }
  for (int coluna = 1; coluna <= t.comprimento; ++coluna) {
    SCOPED_TRACE("column " + std::to_string(coluna));
    const auto k = static_cast<std::size_t>(coluna);
    ASSERT_NE(dono[k], -1) << "neither a field nor filler";
    int vez = -1;
    EXPECT_EQ(CampoNaColuna(t, coluna, &vez), &t.campos[static_cast<std::size_t>(dono[k])]);
    EXPECT_EQ(vez, vezDono[k]);
  }
  EXPECT_EQ(CampoNaColuna(t, 0), nullptr);
  EXPECT_EQ(CampoNaColuna(t, t.comprimento + 1), nullptr);
  EXPECT_EQ(TabelaDoRegistro(t.tipo), &t);
}

INSTANTIATE_TEST_SUITE_P(TodosOsRegistros, TabelaDeCampos,
                         testing::ValuesIn(TodasAsTabelas().begin(), TodasAsTabelas().end()),
                         [](const testing::TestParamInfo<const TabelaRegistro*>& info) {
                           return std::string(info.param->tipo);
                         });

// Columns the record layouts and the messages name, and the field and occurrence they fall in.
TEST(CampoNaColuna, AchaOCampoEAOcorrencia) {
  struct Caso {
    std::string_view tipo;
    int coluna;
    std::string_view nome;
    int numero;
    int ocorrencia;
  };
  const Caso casos[] = {
      {"ABC ", 194, "Total dos créditos", 0, 0},
      {"ABC ", 856, "Linhas do anexo X05", 0, 0},
      {"X05 ", 114, "CFOP", 0, 1},   // the second item's CFOP
      {"X02", 110, "Número", 0, 2},  // the third item: 98-107, 108-110, 111-123
      {"X11", 885, "Valor do total 2 do anexo X11", 0, 29},  // the thirtieth item, 858-885
      {"X07", 243, "Total 2", 0, 0},
      {"X07", 244, "Não usado", 0, 0},
      {"A0", 289, "Total do anexo I", 14, 0},    // "Valor do campo 14 incorreto"
      {"A0", 408, "CNPJ do declarante", 28, 0},  // "Dig. Controle Campo 28 Incorreto"
      {"A0", 60, "Vencimento da parcela", 0, 1},
      {"A0", 596, "Data da assinatura", 35, 0},
      {"A3", 46, "Segundo valor", 0, 0},
      {"ROL03", 716, "Valor do vencimento", 0, 8},
      {"ST01", 274, "Vencimento da parcela", 0, 2},
      {"ST01", 16, "Período (dias, mês e ano)", 4, 0},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(std::string(caso.tipo) + " column " + std::to_string(caso.coluna));
    const TabelaRegistro* t = TabelaDoRegistro(caso.tipo);
    ASSERT_NE(t, nullptr);
    int vez = -1;
    const CampoRegistro* c = CampoNaColuna(*t, caso.coluna, &vez);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->nome, caso.nome);
    EXPECT_EQ(c->numero, caso.numero);
    EXPECT_EQ(vez, caso.ocorrencia);
  }
  EXPECT_EQ(TabelaDoRegistro("X13"), nullptr);
  EXPECT_EQ(TabelaDoRegistro(""), nullptr);
  const TabelaRegistro& a0 = *TabelaDoRegistro("A0");
  ASSERT_NE(CampoDeNumero(a0, 21), nullptr);
  EXPECT_EQ(CampoDeNumero(a0, 21)->coluna, 380);
  EXPECT_EQ(CampoDeNumero(a0, 35)->nome, "Nome do signatário");  // the first of the two
  EXPECT_EQ(CampoDeNumero(a0, 22), nullptr);
  EXPECT_EQ(CampoChamado(a0, "UF favorecida").coluna, 168);
  EXPECT_THROW(CampoChamado(a0, "Nenhum"), std::out_of_range);
}

}  // namespace
}  // namespace rolval
