// Annex records X01 to X06 of the monthly return: the count field, the items at their own
// columns up to the largest count, the CFOP and code lists, the totals and the saved lines.
#include <gtest/gtest.h>

#include "layouts/Layouts.h"
#include "layouts/monthly/EstadoMensal.h"
#include "tests/monthly/RegistrosMensais.h"
#include "tests/support/Casos.h"

namespace rolval::teste {
namespace {

using Achados = std::vector<std::string>;

const std::string Msg7 = "Campo numérico é esperado";
const std::string Msg16 = "Campo obrigatório não informado";
const std::string Msg23 = "CFOP inválido";

struct CasoUltimoItem {
  const char* tipo;
  int quantidade;
  std::string item;
  int coluna;  // of the spoiled field in the last item
  const char* valor;
  int fim;
  const char* mensagem;
};

class UltimoItem : public ::testing::TestWithParam<CasoUltimoItem> {};

TEST_P(UltimoItem, LidoEReportadoNasSuasColunas) {
  const CasoUltimoItem& c = GetParam();
  ROLMensal rol = ComPreRequisitos();
  rol.Anexo(c.tipo, std::vector<std::string>(static_cast<std::size_t>(c.quantidade), c.item));
  rol.Registro(4, c.coluna, c.valor);
  EXPECT_EQ(ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao()).achados,
            Achados{Achado(4, c.coluna, c.fim, c.mensagem)});
}

INSTANTIATE_TEST_SUITE_P(
    ContagemMaxima, UltimoItem,
    ::testing::Values(
        CasoUltimoItem{"X01 ", 12, ItemX01(102), 794, "000", 796,
                       "Campo obrigatório não informado"},  // 46 + 68 x 11
        CasoUltimoItem{"X05 ", 12, ItemX01(102), 849, "A", 861, "Campo numérico é esperado"},
        CasoUltimoItem{"X05A", 44, ItemX05A(102), 866, "000", 868,
                       "Campo obrigatório não informado"},  // 49 + 19 x 43
        CasoUltimoItem{"X05B", 44, ItemX05A(102), 869, "A", 881, "Campo numérico é esperado"},
        CasoUltimoItem{"X02 ", 32, ItemX02(), 852, "0123456788", 861,
                       "Dígito controle inválido"},  // 46 + 26 x 31
        CasoUltimoItem{"X06 ", 32, ItemX02(), 865, "A", 877, "Campo numérico é esperado"},
        CasoUltimoItem{"X03 ", 53, ItemX03(5), 878, "000", 880,
                       "Campo obrigatório não informado"},  // 46 + 16 x 52
        CasoUltimoItem{"X03 ", 53, ItemX03(5), 881, "A", 893, "Campo numérico é esperado"},
        CasoUltimoItem{"X03A", 22, ItemX03A(5), 847, "C", 847,
                       "Conteúdo deve ser 'A','B' ou 'S'"},  // 49 + 38 x 21
        CasoUltimoItem{"X04 ", 19, ItemX04(), 869, "A", 881,
                       "Campo numérico é esperado"}),  // 77 + 44 x 18
    [](const ::testing::TestParamInfo<CasoUltimoItem>& info) {
      return NomeDeTeste(info.param.tipo) + "Coluna" + std::to_string(info.param.coluna);
    });

// A count outside its range, or not numeric: one finding, nothing read, nothing counted.
struct CasoQuantidade {
  const char* tipo;
  std::string item;
  const char* quantidade;
  const char* mensagem;
};

class QuantidadeDeItens : public ::testing::TestWithParam<CasoQuantidade> {};

TEST_P(QuantidadeDeItens, RegistroNaoLido) {
  const CasoQuantidade& c = GetParam();
  ROLMensal rol;
  rol.Anexo(c.tipo, {c.item}).Registro(2, 44, c.quantidade).Registro(2, 46, "AAAAAAAAAA");
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados, Achados{Achado(2, 44, 45, c.mensagem)});
  for (std::int32_t lidas : Mensal(r.execucao).LinhasLidas) EXPECT_EQ(lidas, 0);
}

const char* const Msg10 = "Qtd Ocorrências anexo inválida";

INSTANTIATE_TEST_SUITE_P(
    Faixas, QuantidadeDeItens,
    ::testing::Values(CasoQuantidade{"X01 ", ItemX01(102), "13", Msg10},
                      CasoQuantidade{"X05 ", ItemX01(102), "00", Msg10},
                      CasoQuantidade{"X05A", ItemX05A(102), "45", Msg10},
                      CasoQuantidade{"X05B", ItemX05A(102), "1A", "Campo numérico é esperado"},
                      CasoQuantidade{"X02 ", ItemX02(), "33", Msg10},
                      CasoQuantidade{"X06 ", ItemX02(), " 1", "Campo numérico é esperado"},
                      CasoQuantidade{"X03 ", ItemX03(5), "54", Msg10},
                      CasoQuantidade{"X03A", ItemX03A(5), "23", Msg10},
                      CasoQuantidade{"X04 ", ItemX04(), "20", Msg10}),
    [](const ::testing::TestParamInfo<CasoQuantidade>& info) {
      return NomeDeTeste(std::string(info.param.tipo) + "Quantidade" + info.param.quantidade);
    });

// Spoils of the record under test (line 4 after the prerequisites) and their findings.
struct CasoItem {
  const char* tipo;
  std::vector<std::string> itens;
  std::vector<std::pair<int, const char*>> estragos;
  Achados esperados;
};

// Named by the record type.
std::string NomeTipo(const ::testing::TestParamInfo<CasoItem>& info) {
  return NomeDeTeste(info.param.tipo);
}

class CamposDoItem : public ::testing::TestWithParam<CasoItem> {};

TEST_P(CamposDoItem, Achados) {
  const CasoItem& c = GetParam();
  ROLMensal rol = ComPreRequisitos();
  rol.Anexo(c.tipo, c.itens);
  for (const auto& [coluna, valor] : c.estragos) rol.Registro(4, coluna, valor);
  EXPECT_EQ(ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao()).achados, c.esperados);
}

INSTANTIATE_TEST_SUITE_P(
    Cfop, CamposDoItem,
    ::testing::Values(
        // X01: every field of the first item, the CFOP of the second at 114-116, in column order.
        CasoItem{"X01 ",
                 {ItemX01(102), ItemX01(103)},
                 {{46, "A02"}, {62, "A"}, {101, "A"}, {114, "500"}, {143, "A"}},
                 {Achado(4, 46, 48, Msg7), Achado(4, 62, 74, Msg7), Achado(4, 101, 113, Msg7),
                  Achado(4, 114, 116, Msg23), Achado(4, 143, 155, Msg7)}},
        CasoItem{"X05 ",
                 {ItemX01(102)},
                 {{46, "000"}, {49, "A"}, {75, "A"}, {88, "A"}},
                 {Achado(4, 46, 48, Msg16), Achado(4, 49, 61, Msg7), Achado(4, 75, 87, Msg7),
                  Achado(4, 88, 100, Msg7)}},
        // X05A and X05B: a CFOP of the X05 list only; the first failing CFOP check only.
        CasoItem{"X05A",
                 {ItemX05A(103), ItemX05A(0), ItemX05A(500), ItemX05A(102), ItemX05A(102, 0, 0)},
                 {{103, "A02"}},
                 {Achado(4, 46, 48, Msg23), Achado(4, 65, 67, Msg16), Achado(4, 84, 86, Msg23),
                  Achado(4, 103, 105, Msg7), Achado(4, 125, 127, Msg16)}},
        CasoItem{"X05B", {ItemX05A(102)}, {{52, "1 "}}, {Achado(4, 52, 64, Msg7)}}),
    NomeTipo);

INSTANTIATE_TEST_SUITE_P(
    Registros, CamposDoItem,
    ::testing::Values(
        // X02 and X06: the third item at 98-123; zeros are no registry number here.
        CasoItem{
            "X02 ",
            {ItemX02(), ItemX02(), ItemX02()},
            {{98, "0000000000"}, {108, "000"}, {111, "A"}},
            {Achado(4, 98, 107, Msg16), Achado(4, 108, 110, Msg16), Achado(4, 111, 123, Msg7)}},
        CasoItem{"X06 ",
                 {ItemX02("1234567890")},
                 {{56, "A"}},
                 {Achado(4, 46, 55, "Dígito controle inválido"), Achado(4, 56, 58, Msg7)}},
        // X03A: a code of the X03 list, its kind, two required numbers, a registry number that may
        // be 0.
        CasoItem{
            "X03A",
            {ItemX03A(5, 'B'), ItemX03A(6, 'S'), ItemX03A(0, ' '), ItemX03A(5, 'C', "0123456788")},
            {{50, "000000000"}, {97, "00"}, {109, "A"}},
            {Achado(4, 50, 58, Msg16), Achado(4, 84, 86, "Código Inválido"),
             Achado(4, 97, 98, Msg16), Achado(4, 109, 121, Msg7), Achado(4, 122, 124, Msg16),
             Achado(4, 125, 125, Msg16), Achado(4, 163, 163, "Conteúdo deve ser 'A','B' ou 'S'"),
             Achado(4, 175, 184, "Dígito controle inválido")}}),
    NomeTipo);

// X04: the period (day, day, month, year) must lie before the return's month; the due date may
// fall in that month but not later. Each case spoils one item of a single-item X04.
struct CasoX04 {
  const char* periodo;
  const char* vencimento;
  Achados esperados;
};

class PeriodoX04 : public ::testing::TestWithParam<CasoX04> {};

TEST_P(PeriodoX04, Achados) {
  const CasoX04& c = GetParam();
  ROLMensal rol = ComPreRequisitos();
  rol.Anexo("X04 ", {ItemX04(c.periodo, c.vencimento)});
  EXPECT_EQ(ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao()).achados, c.esperados)
      << c.periodo << " " << c.vencimento;
}

INSTANTIATE_TEST_SUITE_P(
    Datas, PeriodoX04,
    ::testing::Values(
        CasoX04{"0131122004", "31012005", {}},
        CasoX04{"0131012005", "10012005", {Achado(4, 46, 55, "Período Apuração Incorreto")}},
        CasoX04{"A131122004", "10012005", {Achado(4, 46, 55, Msg7)}},
        CasoX04{"0000000000", "10012005", {Achado(4, 46, 55, Msg16)}},
        CasoX04{"0130022004", "10012005", {Achado(4, 46, 55, "Data Inválida")}},
        CasoX04{"1505122004", "10012005", {Achado(4, 46, 55, "Dia de término inválido")}},
        CasoX04{"0131122004", "01022005", {Achado(4, 56, 63, "Vencimento Incorreto")}},
        CasoX04{"0131122004", "00000000", {Achado(4, 56, 63, Msg16)}},
        CasoX04{"0131122004", "32012005", {Achado(4, 56, 63, "Data Inválida")}},
        CasoX04{"0131122004", "1001200A", {Achado(4, 56, 63, Msg7)}}),
    [](const ::testing::TestParamInfo<CasoX04>& info) {
      return "Periodo" + std::string(info.param.periodo) + "_Vencimento" + info.param.vencimento;
    });

TEST(AnexosMensais, DetalheAntesDoSeuAnexoNaoEncontraOCodigo) {
  // The lists are as far as they have been read: an X05A or X03A before its X05 or X03.
  ROLMensal rol;
  rol.Anexo("X05A", {ItemX05A(102)}).Anexo("X05 ", {ItemX01(102)});
  rol.Anexo("X03A", {ItemX03A(5)}).Anexo("X03 ", {ItemX03(5)});
  EXPECT_EQ(ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao()).achados,
            (Achados{Achado(2, 46, 48, Msg23), Achado(4, 46, 48, "Código Inválido")}));
}

TEST(AnexosMensais, ListasTotaisELinhasGuardadas) {
  ROLMensal rol;
  rol.Anexo("X05 ", {ItemX01(102, 1, 1, 2), ItemX01(0, 2, 3), ItemX01(500, 4, 4)})
      .Anexo("X05 ", {ItemX01(102, 8, 10, 20), ItemX01(1, 16, 5), ItemX01(103)})
      .Anexo("X05A", {ItemX05A(102, 7), ItemX05A(103, 5), ItemX05A(102, 1), ItemX05A(1, 9)})
      .Anexo("X05B", {ItemX05A(102, 3)})
      .Anexo("X01 ", {ItemX01(102, 32), ItemX01(103, 64)})
      .Anexo("X02 ", {ItemX02("0123456789", 5), ItemX02("0123456789", 6)})
      .Anexo("X06 ", {ItemX02("0123456789", 7)})
      .Anexo("X03 ", {ItemX03(5, 100), ItemX03(1, 1), ItemX03(7, 10)})
      .Anexo("X04 ",
             {ItemX04("0131122004", "10012005", 100, 90), ItemX04("0131122004", "10012005", 1, 4)})
      .Anexo("X05A", {ItemX05A(103)})
      .Anexo("X03A", {ItemX03A(5)});
  rol.Registro(3, 114, "ABC").Registro(9, 62, "A1!");  // a CFOP and an X03 code not numeric
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados, (Achados{Achado(2, 114, 116, Msg16), Achado(2, 182, 184, Msg23),
                                Achado(3, 114, 116, Msg7), Achado(4, 103, 105, Msg23),
                                Achado(9, 62, 64, Msg7), Achado(10, 77, 89, "Valor incorreto")}));
  const RetornoMensal& m = Mensal(r.execucao).retorno;
  // One entry per CFOP in order of first appearance; CFOP 0 always an entry of its own.
  ASSERT_EQ(m.CfopX05.size(), 5u);
  const std::vector<std::tuple<int, double, double>> esperadoX05 = {
      {102, 11, 22}, {0, 3, 0}, {500, 4, 0}, {0, 5, 0}, {103, 0, 0}};
  for (std::size_t i = 0; i < esperadoX05.size(); ++i) {
    EXPECT_EQ(m.CfopX05[i].cfop, std::get<0>(esperadoX05[i])) << i;
    EXPECT_EQ(m.CfopX05[i].valor1, std::get<1>(esperadoX05[i])) << i;
    EXPECT_EQ(m.CfopX05[i].valor2, std::get<2>(esperadoX05[i])) << i;
  }
  ASSERT_EQ(m.CfopX05A.size(), 3u);
  EXPECT_EQ(m.CfopX05A[0].cfop, 102);
  EXPECT_EQ(m.CfopX05A[0].valor, 8);
  EXPECT_EQ(m.CfopX05A[1].cfop, 103);
  EXPECT_EQ(m.CfopX05A[1].valor, 5);
  EXPECT_EQ(m.CfopX05A[2].cfop, 1);
  EXPECT_EQ(m.CfopX05A[2].valor, 9);
  ASSERT_EQ(m.CfopX05B.size(), 1u);
  EXPECT_EQ(m.CfopX05B[0].valor, 3);
  EXPECT_EQ(m.TotX05, 1 + 2 + 4 + 8 + 16);
  EXPECT_EQ(m.TotX01, 96);
  EXPECT_EQ(m.TotX02, 11);
  EXPECT_EQ(m.TotX06, 7);
  EXPECT_EQ(m.TotX03, 111);  // the amount of an item whose code is not numeric still counts
  EXPECT_EQ(m.CodigosX03, (std::vector<std::int32_t>{5, 0, 7}));
  EXPECT_EQ(m.TotX04, -10 + 3);  // Q - P of each item, code 24 or not
  EXPECT_EQ(Mensal(r.execucao).LinhaX05, 3);
  EXPECT_EQ(Mensal(r.execucao).LinhaX05A, 11);
  EXPECT_EQ(Mensal(r.execucao).LinhaX03A, 12);
  const EstadoMensal& e = Mensal(r.execucao);
  EXPECT_EQ(e.LinhasLidas[static_cast<std::size_t>(Anexo::X05)], 6);
  EXPECT_EQ(e.LinhasLidas[static_cast<std::size_t>(Anexo::X05A)], 5);
  EXPECT_EQ(e.LinhasLidas[static_cast<std::size_t>(Anexo::X03)], 3);
}

TEST(AnexosMensais, LinhaDoDetalheGuardadaMesmoComQuantidadeInvalida) {
  ROLMensal rol;
  rol.Anexo("X05 ", {ItemX01(102)}).Anexo("X05A", {ItemX05A(102)}).Anexo("X03A", {ItemX03A(5)});
  rol.Anexo("X05 ", {ItemX01(102)});
  rol.Registro(3, 44, "00").Registro(4, 44, "AA").Registro(5, 44, "13");
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados.size(), 3u);
  EXPECT_EQ(Mensal(r.execucao).LinhaX05A, 3);
  EXPECT_EQ(Mensal(r.execucao).LinhaX03A, 4);
  EXPECT_EQ(Mensal(r.execucao).LinhaX05, 2);  // set only once the count is accepted
}

}  // namespace
}  // namespace rolval::teste
