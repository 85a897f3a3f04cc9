// The monthly return 04/05: the framing of every record (prefix against the header, sequence,
// record type) and the header record "ABC " field by field, with its sums and kept amounts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "layouts/Layouts.h"
#include "layouts/monthly/EstadoMensal.h"
#include "tests/monthly/RegistrosMensais.h"
#include "tests/support/Casos.h"

namespace rolval::teste {
namespace {

using Achados = std::vector<std::string>;

std::string V(std::int64_t valor) { return Digitos(valor, 15); }

// Spoils of one record: (record, column, text) in order.
struct Estrago {
  int registro;
  int coluna;
  std::string valor;
};

Achados Roda(ROLMensal rol, const std::vector<Estrago>& estragos,
             const TabelaLayouts& tabela = TabelaSemFechamento()) {
  for (const Estrago& e : estragos) rol.Registro(e.registro, e.coluna, e.valor);
  return ExecutaConteudo(ComCRLF(rol.Registros()), tabela).achados;
}

TEST(RetornoMensal, RetornoCoerenteComTodosOsAnexosX01aX06Passa) {
  ROLMensal rol;
  rol.Anexo("X01 ", {ItemX01(102, 40)})
      .Anexo("X02 ", {ItemX02("0123456789", 7)})
      .Anexo("X03 ", {ItemX03(5, 3)})
      .Anexo("X03A", {ItemX03A(5)})
      .Anexo("X04 ", {ItemX04("0131122004", "10012005", 10, 12)})
      .Anexo("X05 ", {ItemX01(102, 30, 5, 6)})
      .Anexo("X05A", {ItemX05A(102, 5)})
      .Anexo("X05B", {ItemX05A(102, 6)})
      .Anexo("X06 ", {ItemX02("0123456789", 9)});
  // Header amounts equal to the annex totals, and own-tax balance 0.
  rol.Cabecalho(44, V(40)).Cabecalho(74, V(7)).Cabecalho(89, V(3)).Cabecalho(104, V(2));
  rol.Cabecalho(194, V(52)).Cabecalho(209, V(30)).Cabecalho(224, V(13)).Cabecalho(254, V(9));
  rol.Cabecalho(359, V(52));
  const ResultadoExecucao r = ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao());
  EXPECT_EQ(r.linhasSaida.at(0), "ARQUIVO OK.");
  EXPECT_EQ(r.linhasSaida.at(7), "012/3456789    01/2005  ");
}

TEST(RetornoMensal, ListaDeRetornosTresPorLinhaEContribuinteNaJanela) {
  std::vector<ROLMensal> rols;
  for (const char* insc : {"012345678", "123456789", "200000000", "300000000"})
    rols.emplace_back(PrefixoPara("05", "022004", InscricaoComDigito(insc)));
  const ResultadoExecucao r = ExecutaConteudo(ComCRLF(Junta(rols)), TabelaPadrao());
  ASSERT_EQ(r.linhasSaida.at(0), "ARQUIVO OK.");
  EXPECT_EQ(r.linhasSaida.at(7),
            "012/3456789    02/2004  123/4567897    02/2004  200/0000007    02/2004  ");
  EXPECT_EQ(r.linhasSaida.at(8), "300/0000005    02/2004  ");
  EXPECT_EQ(r.linhasSaida.back(), "Foram Validadas 004 ROL(s).");
  EXPECT_EQ(r.tela.contribs, (Achados{"012/3456789", "123/4567897", "200/0000007", "300/0000005"}));
}

// The identification of a file's only header, spoiled one field at a time.
struct CasoCabecalho {
  int coluna;
  const char* valor;
  Achados esperados;
};

// Named by the column and the text written there.
std::string NomeCaso(const ::testing::TestParamInfo<CasoCabecalho>& info) {
  return "Coluna" + std::to_string(info.param.coluna) + "_" + NomeDeTeste(info.param.valor);
}

class IdentificacaoDoCabecalho : public ::testing::TestWithParam<CasoCabecalho> {};

TEST_P(IdentificacaoDoCabecalho, Achados) {
  const CasoCabecalho& c = GetParam();
  EXPECT_EQ(Roda(ROLMensal(), {{1, c.coluna, c.valor}}), c.esperados) << c.coluna << " " << c.valor;
}

INSTANTIATE_TEST_SUITE_P(
    Campos, IdentificacaoDoCabecalho,
    ::testing::Values(
        CasoCabecalho{15, "X", {}},
        CasoCabecalho{15, "Y", {Achado(1, 15, 15, "Conteúdo só pode ser 'X' ou ' '")}},
        CasoCabecalho{16, "02", {Achado(1, 16, 17, "Dia Início Período Inválida")}},
        CasoCabecalho{16, "0A", {Achado(1, 16, 17, "Campo numérico é esperado")}},
        CasoCabecalho{18, "30", {Achado(1, 18, 19, "Dia de término inválido")}},
        CasoCabecalho{18, " 1", {Achado(1, 18, 19, "Campo numérico é esperado")}},
        // Month 13: no date, but inside the window; its last day is not checked.
        CasoCabecalho{20, "132005", {Achado("012/3456789", "13/2005", 1, 20, 25, "Data Inválida")}},
        CasoCabecalho{
            20,
            "131998",
            {Achado("012/3456789", "13/1998", 1, 20, 25, "Data Inválida"),
             Achado("012/3456789", "13/1998", 1, 20, 25, "Referência incompatível com versão")}},
        CasoCabecalho{20,
                      "0A2005",
                      {Achado("012/3456789", "0A2005", 1, 20, 25, "Campo numérico é esperado")}},
        CasoCabecalho{26,
                      "0123456788",
                      {Achado("012/3456788", "01/2005", 1, 26, 35, "Dígito controle inválido")}},
        CasoCabecalho{26,
                      "012345678A",
                      {Achado("012345678A ", "01/2005", 1, 26, 35, "Campo numérico é esperado")}},
        CasoCabecalho{
            26,
            "0000000000",
            {Achado("000/0000000", "01/2005", 1, 26, 35, "Campo obrigatório não informado")}}),
    NomeCaso);

// Each version covers a window of reference periods, both edges included.
struct CasoJanela {
  const char* versao;
  const char* periodo;
  bool aceita;
};

// Named by version and period.
std::string NomeJanela(const ::testing::TestParamInfo<CasoJanela>& info) {
  return "Versao" + std::string(info.param.versao) + "_" + info.param.periodo;
}

class JanelaDaVersao : public ::testing::TestWithParam<CasoJanela> {};

TEST_P(JanelaDaVersao, Codigo51) {
  const CasoJanela& c = GetParam();
  const PrefixoMensal p = PrefixoPara(c.versao, c.periodo);
  const std::string periodo = std::string(c.periodo).insert(2, "/");
  const Achados esperados = c.aceita ? Achados{}
                                     : Achados{Achado("012/3456789", periodo, 1, 20, 25,
                                                      "Referência incompatível com versão")};
  EXPECT_EQ(Roda(ROLMensal(p), {}, TabelaPadrao()), esperados) << c.versao << " " << c.periodo;
}

INSTANTIATE_TEST_SUITE_P(
    Bordas, JanelaDaVersao,
    ::testing::Values(CasoJanela{"04", "091998", false}, CasoJanela{"04", "101998", true},
                      CasoJanela{"04", "082000", true}, CasoJanela{"04", "092000", false},
                      CasoJanela{"05", "082000", false}, CasoJanela{"05", "092000", true}),
    NomeJanela);

// February's last day follows the year divisible by 4, 2100 included.
class UltimoDiaDeFevereiro : public ::testing::TestWithParam<CasoJanela> {};

TEST_P(UltimoDiaDeFevereiro, Codigo15) {
  const CasoJanela& c = GetParam();  // here: versao, period, and whether 29 is the last day
  PrefixoMensal p = PrefixoPara(c.versao, c.periodo);
  const std::string periodo = std::string(c.periodo).insert(2, "/");
  for (const char* dia : {"28", "29"}) {
    p.diaFim = dia;
    const bool certo = (std::string(dia) == "29") == c.aceita;
    EXPECT_EQ(Roda(ROLMensal(p), {}),
              certo ? Achados{}
                    : Achados{Achado("012/3456789", periodo, 1, 18, 19, "Dia de término inválido")})
        << c.periodo << " " << dia;
  }
}

INSTANTIATE_TEST_SUITE_P(Anos, UltimoDiaDeFevereiro,
                         ::testing::Values(CasoJanela{"04", "022000", true},
                                           CasoJanela{"05", "022100", true},
                                           CasoJanela{"04", "021999", false}),
                         NomeJanela);

// A second return whose header differs from the first in one field (line 2).
class SegundoCabecalho : public ::testing::TestWithParam<CasoCabecalho> {};

TEST_P(SegundoCabecalho, Achados) {
  const CasoCabecalho& c = GetParam();
  ROLMensal segundo;
  segundo.Cabecalho(c.coluna, c.valor);
  const ResultadoExecucao r =
      ExecutaConteudo(ComCRLF(Junta({ROLMensal(), segundo})), TabelaPadrao());
  EXPECT_EQ(r.achados, c.esperados) << c.coluna << " " << c.valor;
}

INSTANTIATE_TEST_SUITE_P(
    Campos, SegundoCabecalho,
    ::testing::Values(
        CasoCabecalho{1, "***X", {Achado(2, 1, 4, "Marca teleprocessamento inválida")}},
        CasoCabecalho{5, "06", {Achado(2, 5, 6, "Versão da ROL é incorreta")}},
        CasoCabecalho{5, "0A", {Achado(2, 5, 6, "Campo numérico é esperado")}},
        CasoCabecalho{36, "00A1", {Achado(2, 36, 39, "Campo numérico é esperado")}}),
    NomeCaso);

TEST(RetornoMensal, PeriodoNaoNumericoGuardaOAnterior) {
  ROLMensal segundo;
  segundo.Cabecalho(20, "AB2005").Cabecalho(18, "30");
  const ResultadoExecucao r =
      ExecutaConteudo(ComCRLF(Junta({ROLMensal(), segundo})), TabelaPadrao());
  EXPECT_EQ(r.achados,
            (Achados{Achado("012/3456789", "AB2005", 2, 20, 25, "Campo numérico é esperado"),
                     Achado("012/3456789", "AB2005", 2, 18, 19, "Dia de término inválido")}));
}

TEST(RetornoMensal, VersaoDiferenteDaDoArquivoCodigo50) {
  // A layout-05 file with a return of version 04, and the other way round; the annex of that
  // return agrees with its own header.
  ROLMensal v04(PrefixoPara("04", "012000"));
  v04.Anexo("X01 ", {ItemX01(102)});
  ROLMensal v05(PrefixoPara("05", "012005"));
  v05.Anexo("X01 ", {ItemX01(102)});
  const std::string linha50 =
      Achado("012/3456789", "00/0000", 3, 5, 6, "Arquivo com ROLs de versões diferentes");
  EXPECT_EQ(ExecutaConteudo(ComCRLF(Junta({v05, v04})), TabelaPadrao()).achados, Achados{linha50});
  EXPECT_EQ(ExecutaConteudo(ComCRLF(Junta({v04, v05})), TabelaPadrao()).achados, Achados{linha50});
}

TEST(RetornoMensal, SequenciaSegueOCabecalho) {
  // A header numbered 0002: code 9, and the records after it are expected from 0002 on.
  ROLMensal segundo;
  segundo.Anexo("X01 ", {ItemX01(102)}).Anexo("X01 ", {ItemX01(103)}).Anexo("X01 ", {ItemX01(104)});
  segundo.Cabecalho(36, "0002").Registro(4, 36, "0009");
  const ResultadoExecucao r =
      ExecutaConteudo(ComCRLF(Junta({ROLMensal(), segundo})), TabelaPadrao());
  EXPECT_EQ(r.achados, (Achados{Achado(2, 36, 39, "Contador de sequência incorreto"),
                                Achado(5, 36, 39, "Contador de sequência incorreto")}));
}

TEST(RetornoMensal, TipoDeRegistroDesconhecidoNaoEValidado) {
  ROLMensal rol;
  rol.Anexo("X01 ", {ItemX01(102)}).Anexo("X01 ", {ItemX01(102)}).Anexo("X01 ", {ItemX01(102)});
  rol.Cabecalho(841, "001");
  rol.Registro(2, 40, "X13 ").Registro(2, 46, "ZZZ").Registro(3, 40, "x01 ");
  EXPECT_EQ(ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao()).achados,
            (Achados{Achado(2, 40, 43, "Identificação Registro Inválida"),
                     Achado(3, 40, 43, "Identificação Registro Inválida")}));
}

const std::string Msg20 = "Anexo com cabeçalho inválido";
const std::string Msg24 = "Valor incorreto";
const std::string Msg16 = "Campo obrigatório não informado";
const std::string Msg7 = "Campo numérico é esperado";

// Spoils of a return and the findings they must give.
using Caso = std::pair<std::vector<Estrago>, Achados>;

// Named by the spoils: column and text of each, an amount without its leading zeros.
std::string NomeEstragos(const ::testing::TestParamInfo<Caso>& info) {
  std::string nome;
  for (const Estrago& e : info.param.first) {
    std::string_view valor = e.valor;
    const bool soDigitos =
        !valor.empty() && valor.find_first_not_of("0123456789") == std::string_view::npos;
    if (soDigitos) valor = valor.substr(std::min(valor.find_first_not_of('0'), valor.size() - 1));
    if (!nome.empty()) nome += '_';
    nome += "C" + std::to_string(e.coluna) + "_" + NomeDeTeste(valor);
  }
  return nome;
}

// An annex record must carry its header's identification: one code 20, at the first field
// that differs (Complemento and Marcador are not compared).
class IdentificacaoDoAnexo : public ::testing::TestWithParam<Caso> {};

TEST_P(IdentificacaoDoAnexo, UmCodigo20) {
  ROLMensal rol;
  rol.Anexo("X01 ", {ItemX01(102)});
  EXPECT_EQ(Roda(rol, GetParam().first, TabelaPadrao()), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixo, IdentificacaoDoAnexo,
    ::testing::Values(Caso{{{2, 7, "99999999"}, {2, 15, "X"}}, {}},
                      Caso{{{2, 1, "*** "}}, {Achado(2, 1, 4, Msg20)}},
                      Caso{{{2, 5, "04"}}, {Achado(2, 5, 6, Msg20)}},
                      Caso{{{2, 16, "02"}}, {Achado(2, 16, 17, Msg20)}},
                      Caso{{{2, 18, "30"}}, {Achado(2, 18, 19, Msg20)}},
                      Caso{{{2, 26, "1234567890"}},
                           {Achado("123/4567890", "01/2005", 2, 26, 35, Msg20)}},
                      Caso{{{2, 20, "022005"}, {2, 26, "1234567890"}},
                           {Achado("123/4567890", "02/2005", 2, 20, 25, Msg20)}},
                      Caso{{{2, 1, "####"},
                            {2, 5, "04"},
                            {2, 16, "02"},
                            {2, 18, "30"},
                            {2, 20, "022005"},
                            {2, 26, "1234567890"}},
                           {Achado("123/4567890", "02/2005", 2, 1, 4, Msg20)}}),
    NomeEstragos);

TEST(RetornoMensal, InscricaoZeradaViraZero) {
  // The header's registration becomes "0": listed as 000/0000000, and the annex records that
  // carry the ten zeros as read no longer agree with it.
  ROLMensal rol(PrefixoPara("05", "012005", "0000000000"));
  rol.Anexo("X01 ", {ItemX01(102)});
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados,
            (Achados{Achado("000/0000000", "01/2005", 1, 26, 35, "Campo obrigatório não informado"),
                     Achado("000/0000000", "01/2005", 2, 26, 35, Msg20)}));
  EXPECT_EQ(r.execucao.ListaROLs, "000/0000000    01/2005  ");
  EXPECT_EQ(r.execucao.CabecalhoROL.Inscricao, "0");
}

// The header body: sums A and B and their totals, required texts, marks.
class CorpoDoCabecalho : public ::testing::TestWithParam<Caso> {};

TEST_P(CorpoDoCabecalho, Achados) {
  EXPECT_EQ(Roda(ROLMensal(), GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Somas, CorpoDoCabecalho,
    ::testing::Values(
        // 44-119 summed into 194; then 209 starts the second sum, so 359 stays 0.
        Caso{{{1, 44, V(5)}, {1, 59, V(1)}, {1, 119, V(4)}, {1, 134, "X"}, {1, 194, V(10)}}, {}},
        Caso{{{1, 59, V(10)}, {1, 194, V(11)}}, {Achado(1, 194, 208, Msg24)}},
        Caso{{{1, 119, V(1)}, {1, 194, V(1)}}, {Achado(1, 134, 193, Msg16)}},
        Caso{{{1, 224, V(3)}, {1, 284, V(1)}, {1, 359, V(4)}}, {Achado(1, 299, 358, Msg16)}},
        Caso{{{1, 224, V(3)}, {1, 359, V(4)}}, {Achado(1, 359, 373, Msg24)}},
        Caso{{{1, 374, "S"}}, {}},
        Caso{{{1, 374, " "}}, {Achado(1, 374, 374, "Conteúdo deve ser 'S' ou 'N'")}},
        Caso{{{1, 480, V(2)}, {1, 495, V(2)}}, {}},
        Caso{{{1, 480, V(1)}, {1, 495, V(2)}}, {Achado(1, 495, 509, Msg24)}},
        Caso{{{1, 834, "s"}}, {Achado(1, 834, 834, "Conteúdo deve ser 'S' ou 'N'")}},
        // Without the totals mark 570 and 585 must be 0; with it they carry 405 + 510 and 420 +
        // 495.
        Caso{{{1, 570, V(1)}, {1, 585, V(1)}},
             {Achado(1, 570, 584, Msg24), Achado(1, 585, 599, Msg24)}},
        Caso{{{1, 834, "S"},
              {1, 224, V(7)},
              {1, 359, V(7)},
              {1, 405, V(2)},
              {1, 510, V(3)},
              {1, 570, V(5)},
              {1, 420, V(1)},
              {1, 480, V(4)},
              {1, 495, V(4)},
              {1, 585, V(5)}},
             {}},
        Caso{{{1, 834, "S"},
              {1, 405, V(2)},
              {1, 510, V(3)},
              {1, 570, V(6)},
              {1, 420, V(1)},
              {1, 585, V(2)}},
             {Achado(1, 570, 584, Msg24), Achado(1, 585, 599, Msg24)}},
        Caso{{{1, 673, V(1)},
              {1, 703, V(2)},
              {1, 733, V(3)},
              {1, 763, V(6)},
              {1, 688, V(4)},
              {1, 718, V(5)},
              {1, 748, V(6)},
              {1, 778, V(15)}},
             {}},
        Caso{{{1, 703, V(2)}, {1, 763, V(3)}, {1, 748, V(1)}},
             {Achado(1, 763, 777, Msg24), Achado(1, 778, 792, Msg24)}},
        // Numbers checked for digits only, and declared line counts.
        Caso{{{1, 615, "00000A"}, {1, 636, " 000000"}, {1, 841, "  5"}},
             {Achado(1, 615, 620, Msg7), Achado(1, 636, 642, Msg7), Achado(1, 841, 843, Msg7)}},
        // The order of the body: 44 to 555, then 834, then 570 to 778, then 804, 819 and the
        // counts.
        Caso{{{1, 44, "A"},
              {1, 555, "A"},
              {1, 834, "A"},
              {1, 570, "A"},
              {1, 778, "A"},
              {1, 804, "A"},
              {1, 819, "A"},
              {1, 889, "A"}},
             {Achado(1, 44, 58, Msg7), Achado(1, 555, 569, Msg7),
              Achado(1, 834, 834, "Conteúdo deve ser 'S' ou 'N'"), Achado(1, 570, 584, Msg7),
              Achado(1, 778, 792, Msg7), Achado(1, 804, 818, Msg7), Achado(1, 819, 833, Msg7),
              Achado(1, 889, 891, Msg7)}}),
    NomeEstragos);

TEST(RetornoMensal, ValoresGuardadosDoCabecalho) {
  // First return: amounts kept and checked against its annexes when the second header arrives.
  ROLMensal primeiro;
  primeiro.Anexo("X02 ", {ItemX02("0123456789", 9)});
  primeiro.Cabecalho(74, V(9)).Cabecalho(194, V(9)).Cabecalho(224, V(9)).Cabecalho(359, V(9));
  // Second return: 74 not numeric is kept as 0; 405, 804 and 819 open the X10 and X08 totals.
  ROLMensal segundo(PrefixoPara("05", "022005"));
  segundo.Cabecalho(74, "A").Cabecalho(405, V(2)).Cabecalho(804, V(3)).Cabecalho(819, V(4));
  segundo.Cabecalho(841, "007").Cabecalho(889, "012").Cabecalho(7, "12345678");
  ExecucaoRetida r;
  r.Roda(Junta({primeiro, segundo}), TabelaSemFechamento());
  EXPECT_EQ(r.achados, Achados{Achado("012/3456789", "02/2005", 3, 74, 88, Msg7)});
  const EstadoMensal& m = Mensal(r.execucao);
  EXPECT_EQ(m.cabecalho.TotalX02, 0);
  EXPECT_EQ(m.cabecalho.TotalCreditos, 0);
  EXPECT_EQ(m.retorno.TotX10a, -2);
  EXPECT_EQ(m.retorno.TotX08a, 3);
  EXPECT_EQ(m.retorno.TotX08b, 4);
  EXPECT_EQ(m.retorno.TotX02, 0);  // reset by the second header
  EXPECT_EQ(m.LinhasDeclaradas[0], 7);
  EXPECT_EQ(m.LinhasDeclaradas[16], 12);
  EXPECT_EQ(m.LinhasLidas[1], 0);  // the X02 of the first return no longer counts
  EXPECT_EQ(m.ReferenciaAAAAMM, "200502");
  EXPECT_EQ(Mensal(r.execucao).LinhaCabecalho, 3);
  EXPECT_EQ(r.execucao.CabecalhoROL.Complemento, "12345678");
  EXPECT_EQ(r.execucao.QtdROLs, 2);
}

}  // namespace
}  // namespace rolval::teste
