// The generator's records against the field tables: every record of a generated file is of a
// record type the tables know, of that type's length, and an annex record holds no more items
// than its table allows, its unused columns left blank.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "layouts/CamposLayouts.h"
#include "layouts/monthly/CamposMensal.h"
#include "run/Campo.h"
#include "tools/GeradorAmostras.h"

namespace rolval {
namespace {

namespace am = rolval::amostras;

TEST(CamposGerador, RegistrosGeradosSeguemAsTabelas) {
  struct Caso {
    std::string_view layout;
    int itens;
    std::string (*tipo)(std::string_view linha);
  };
  const Caso casos[] = {
      {"04", 40, [](std::string_view l) { return std::string(Campo(l, 40, 4)); }},
      {"05", 13, [](std::string_view l) { return std::string(Campo(l, 40, 4)); }},
      {"ST02", 5, [](std::string_view l) { return std::string(Campo(l, 1, 2)); }},
      {"03", 0, [](std::string_view) { return std::string("ROL03"); }},
      {"ST01", 0, [](std::string_view) { return std::string("ST01"); }},
  };
  const CampoRegistro& quantidade = CampoQuantidadeItens();
  for (const Caso& caso : casos) {
    am::OpcoesAmostra opcoes;
    opcoes.layout = caso.layout;
    opcoes.retornos = 2;
    opcoes.itens = caso.itens;
    const std::string texto = am::GeraAmostraTexto(opcoes);
    int registros = 0;
    for (std::size_t inicio = 0; inicio < texto.size(); ++registros) {
      const std::size_t fim = texto.find("\r\n", inicio);
      ASSERT_NE(fim, std::string::npos);
      const std::string_view linha = std::string_view(texto).substr(inicio, fim - inicio);
      inicio = fim + 2;
      const std::string tipo = caso.tipo(linha);
      SCOPED_TRACE(std::string(caso.layout) + " record " + std::to_string(registros + 1) + " " +
                   tipo);
      const TabelaRegistro* tabela = TabelaDoRegistro(tipo);
      ASSERT_NE(tabela, nullptr);
      EXPECT_EQ(static_cast<int>(linha.size()), tabela->comprimento);
      // A monthly annex of repeated items: the count within the table's, blanks after the last.
      if ((caso.layout != "04" && caso.layout != "05") || tabela->tipo == "ABC") continue;
      const CampoRegistro* item = CampoNaColuna(*tabela, quantidade.Ultima() + 1);
      ASSERT_NE(item, nullptr);
      if (item->vezes == 0) continue;
      const int n = std::stoi(std::string(Campo(linha, quantidade.coluna, quantidade.tamanho)));
      EXPECT_GE(n, 1);
      EXPECT_LE(n, item->vezes);
      const auto fimItens = static_cast<std::size_t>(item->ColunaDe(n) - 1);
      EXPECT_EQ(linha.find_first_not_of(' ', fimItens), std::string_view::npos);
    }
    EXPECT_GE(registros, opcoes.retornos);
  }
}

}  // namespace
}  // namespace rolval
