// Monthly return, layout 03: identification, amounts and running sums, the two passes over the
// due-date entries, the closing rules of K and L, the list of returns.
#include <gtest/gtest.h>

#include <functional>

#include "tests/older/CasosAntigos.h"
#include "tests/older/RegistrosAntigos.h"

namespace rolval {
namespace {

using namespace teste;

const std::string Insc = "012/3456789";
const std::string Per = "05/1996";

const char* const M1 = "Marca teleprocessamento inválida";
const char* const M2 = "Versão da ROL é incorreta";
const char* const M3 = "Mês/Ano de referência inválido";
const char* const M4 = "Dígito controle inválido";
const char* const M7 = "Campo numérico é esperado";
const char* const M12 = "Data Inválida";
const char* const M14 = "Conteúdo só pode ser 'X' ou ' '";
const char* const M15 = "Dia de término inválido";
const char* const M16 = "Campo obrigatório não informado";
const char* const M24 = "Valor incorreto";
const char* const M25 = "Vencimento Incorreto";
const char* const M26 = "Dia Início Período Inválida";

// A finding of the spoiled record, which every case puts on line 2.
const AchadosNaLinha E{Insc, Per, 2};
std::string EP(const std::string& periodo, int inicio, int fim, std::string_view mensagem) {
  return AchadosNaLinha{Insc, periodo, 2}(inicio, fim, mensagem);
}

using Caso = CasoRegistro<Registro>;

// Each case spoils a valid record and puts it between two valid ones: the findings are those of
// line 2 only, in order, and nothing carries over to line 3.
void Confere(const std::vector<Caso>& casos) {
  ConfereCasos(casos, ROL03Valido,
               [](const Registro& r) { return AchadosEntreValidos(ROL03Valido(), r); });
}

const std::string Letras16 = "ABCDEFGHIJKLMNOP";

TEST(ROL03Identificacao, CadaCampoComSeuCodigo) {
  Confere({
      {"marca", [](Registro& r) { r.Poe(1, "***X"); }, {E(1, 4, M1)}},
      {"versão não numérica", [](Registro& r) { r.Poe(5, "0A"); }, {E(5, 6, M7)}},
      {"versão 04", [](Registro& r) { r.Poe(5, "04"); }, {E(5, 6, M2)}},
      {"marcador X", [](Registro& r) { r.Poe(15, "X"); }, {}},
      {"marcador Y", [](Registro& r) { r.Poe(15, "Y"); }, {E(15, 15, M14)}},
      {"dia início 00", [](Registro& r) { r.Poe(16, "00"); }, {E(16, 17, M26)}},
      {"dia início 32, maior que o fim",
       [](Registro& r) { r.Poe(16, "32"); },
       {E(16, 17, M26), E(18, 19, M15)}},
      {"dia início não numérico ainda é comparado com o fim",
       [](Registro& r) { r.Poe(16, "3A"); },
       {E(16, 17, M7), E(18, 19, M15)}},
      {"dia fim igual ao início",
       [](Registro& r) { r.Poe(16, "01").Poe(18, "01"); },
       {E(18, 19, M15)}},
      {"dia fim não numérico", [](Registro& r) { r.Poe(18, "3 "); }, {E(18, 19, M7)}},
      {"dígito de controle",
       [](Registro& r) { r.Poe(26, "0123456788"); },
       {LinhaAchado("012/3456788", Per, 2, 26, 35, M4)}},
      {"inscrição não numérica sai como lida",
       [](Registro& r) { r.Poe(26, "01234567A9"); },
       {LinhaAchado("01234567A9 ", Per, 2, 26, 35, M7)}},
  });
}

TEST(ROL03Identificacao, JanelaDoPeriodoDeReferencia) {
  Confere({
      {"07/1994, o primeiro aceito", [](Registro& r) { r.Poe(20, "071994"); }, {}},
      {"09/1998, o último aceito", [](Registro& r) { r.Poe(20, "091998"); }, {}},
      {"06/1994", [](Registro& r) { r.Poe(20, "061994"); }, {EP("06/1994", 20, 25, M3)}},
      {"10/1998", [](Registro& r) { r.Poe(20, "101998"); }, {EP("10/1998", 20, 25, M3)}},
      {"mês 13 é data inválida, não fora da janela",
       [](Registro& r) { r.Poe(20, "131995"); },
       {EP("13/1995", 20, 25, M12)}},
      // Without a reference key no due date can come before it.
      {"período não numérico",
       [](Registro& r) { r.Poe(20, "05199X").Poe(516, "10011990"); },
       {EP("05199X", 20, 25, M7)}},
  });
}

TEST(ROL03Identificacao, InscricaoZeradaSaiComoZeroEmTodoORegistro) {
  Registro r = ROL03Valido();
  r.Poe(26, "0000000000").Valor(116, 16, 601);
  const auto res = ExecutaRegistros({ROL03Valido(), r});
  EXPECT_EQ(res.achados,
            (std::vector<std::string>{LinhaAchado("000/0000000", Per, 2, 26, 35, M16),
                                      LinhaAchado("000/0000000", Per, 2, 116, 131, M24)}));
  EXPECT_EQ(res.tela.contribs, (std::vector<std::string>{Insc, "000/0000000"}));
}

TEST(ROL03Montantes, DiferencaSomasESaldos) {
  Confere({
      {"C diferente de A - B", [](Registro& r) { r.Valor(116, 16, 601); }, {E(116, 131, M24)}},
      {"A não numérico conta 0 na diferença",
       [](Registro& r) { r.Poe(84, "000000000000100X"); },
       {E(84, 99, M7), E(116, 131, M24)}},
      {"parcela da primeira soma", [](Registro& r) { r.Valor(148, 16, 1); }, {E(292, 307, M24)}},
      {"D entra na primeira soma", [](Registro& r) { r.Valor(276, 16, 1); }, {E(292, 307, M24)}},
      {"E não numérico não é comparado, mas conta 0 para I",
       [](Registro& r) { r.Poe(292, Letras16); },
       {E(292, 307, M7), E(468, 483, M24)}},
      {"a segunda soma recomeça na coluna 308",
       [](Registro& r) { r.Valor(324, 16, 1); },
       {E(420, 435, M24)}},
      // F = 150 is the first sum continued; had the sum restarted, F would have to be 0.
      {"coluna 308 não numérica: a primeira soma continua",
       [](Registro& r) { r.Poe(308, "0000000000000 00").Valor(420, 16, 150); },
       {E(308, 323, M7)}},
      {"H maior que G, e I > 0 com G diferente de H",
       [](Registro& r) { r.Valor(452, 16, 10); },
       {E(452, 467, M24), E(468, 483, M24), E(468, 483, M24)}},
      {"H não numérico conta 0", [](Registro& r) { r.Poe(452, Letras16); }, {E(452, 467, M7)}},
      {"I diferente de F - E + H",
       [](Registro& r) { r.Valor(468, 16, 40).Valor(500, 16, 140).Valor(524, 16, 140); },
       {E(468, 483, M24)}},
      {"J não numérico conta 0 para K",
       [](Registro& r) { r.Poe(484, Letras16); },
       {E(484, 499, M7), E(500, 515, M24)}},
  });
}

// E above F: G must be E - F; with I zero, G and H are free otherwise.
void EAcimaDeF(Registro& r) {
  r.Valor(132, 16, 300).Valor(292, 16, 300).Valor(436, 16, 100).Valor(468, 16, 0);
  r.Valor(500, 16, 100).Valor(524, 16, 100);
}

TEST(ROL03Montantes, GQuandoEMaiorQueF) {
  Confere({
      {"G = E - F", EAcimaDeF, {}},
      {"G diferente de E - F",
       [](Registro& r) {
         EAcimaDeF(r);
         r.Valor(436, 16, 99);
       },
       {E(436, 451, M24)}},
      {"H maior que G",
       [](Registro& r) {
         EAcimaDeF(r);
         r.Valor(452, 16, 101);
       },
       {E(452, 467, M24)}},
  });
}

// Due-date entry 2: date at columns 540-547, amount at 548-563. The first entry keeps 140 so that
// an amount of 10 in entry 2 keeps the total at K.
void Entrada2(Registro& r, const char* data, std::int64_t valor) {
  r.Valor(524, 16, 150 - valor).Poe(540, data).Valor(548, 16, valor);
}

TEST(ROL03Vencimentos, DuasPassagens) {
  Confere({
      {"data no mês de referência", [](Registro& r) { Entrada2(r, "01051996", 10); }, {}},
      // The all-zero date passes the date check, but its key 000000 comes before any reference
      // month: the missing date is reported as a wrong due date.
      {"valor sem data", [](Registro& r) { Entrada2(r, "00000000", 10); }, {E(540, 547, M25)}},
      {"valor sem data, sem referência",
       [](Registro& r) {
         r.Poe(20, "05199X");
         Entrada2(r, "00000000", 10);
       },
       {EP("05199X", 20, 25, M7), EP("05199X", 540, 547, M16)}},
      {"data antes da referência, com valor: nas duas passagens",
       [](Registro& r) { Entrada2(r, "30041996", 10); },
       {E(540, 547, M25), E(540, 547, M25)}},
      {"data antes da referência, sem valor",
       [](Registro& r) { Entrada2(r, "30041996", 0); },
       {E(540, 547, M25)}},
      {"data sem valor", [](Registro& r) { Entrada2(r, "10111998", 0); }, {E(548, 563, M16)}},
      {"data inválida, com valor: nas duas passagens",
       [](Registro& r) { Entrada2(r, "31041998", 10); },
       {E(540, 547, M12), E(540, 547, M12)}},
      {"data inválida, sem valor",
       [](Registro& r) { Entrada2(r, "31041998", 0); },
       {E(540, 547, M12)}},
      {"valor não numérico: nas duas passagens",
       [](Registro& r) { r.Poe(540, "10111998").Poe(548, "00000000000001X0"); },
       {E(548, 563, M7), E(548, 563, M7)}},
      {"data não numérica, sem valor",
       [](Registro& r) { r.Poe(540, "1A111998"); },
       {E(540, 547, M7)}},
      {"data com branco, com valor",
       [](Registro& r) { Entrada2(r, " 1111998", 10); },
       {E(540, 547, M7)}},
      {"última entrada",
       [](Registro& r) { r.Valor(524, 16, 140).Poe(708, "30041996").Valor(716, 16, 10); },
       {E(708, 715, M25), E(708, 715, M25)}},
  });
}

// A due date that cannot be read as a date, with a positive amount: the first pass reports it and
// the entry ends; the rest of the return and the rest of the file are still validated.
TEST(ROL03Vencimentos, DataIlegivelComValorNaoInterrompeAExecucao) {
  Registro r = ROL03Valido();
  Entrada2(r, "1A111998", 10);
  r.Poe(748, "X");
  Registro depois = ROL03Valido();
  depois.Valor(116, 16, 601);
  const auto res = ExecutaRegistros({ROL03Valido(), r, depois});
  EXPECT_EQ(res.desfecho, Desfecho::RelatorioNOK);
  EXPECT_TRUE(res.tela.mensagens.empty());
  EXPECT_EQ(res.achados, (std::vector<std::string>{E(540, 547, M7), E(748, 763, M7),
                                                   LinhaAchado(Insc, Per, 3, 116, 131, M24)}));
  EXPECT_EQ(res.param, "\r\nNOK\r\n");
}

TEST(ROL03Fechamento, RegrasDeKEL) {
  Confere({
      {"J + I diferente de K", [](Registro& r) { r.Valor(484, 16, 101); }, {E(500, 515, M24)}},
      {"D zero: o total dos vencimentos deve ser K",
       [](Registro& r) { r.Valor(524, 16, 149); },
       {E(500, 515, M24)}},
      {"D positivo: T - D até K é aceito",
       [](Registro& r) { r.Valor(132, 16, 100).Valor(276, 16, 50); },
       {}},
      {"D positivo: T - D igual a K",
       [](Registro& r) { r.Valor(132, 16, 100).Valor(276, 16, 50).Valor(732, 16, 50); },
       {}},
      {"D positivo: T - D acima de K",
       [](Registro& r) { r.Valor(132, 16, 100).Valor(276, 16, 50).Valor(732, 16, 51); },
       {E(500, 515, M24)}},
      {"L não numérico não entra no total",
       [](Registro& r) { r.Poe(732, Letras16); },
       {E(732, 747, M7)}},
      {"K não numérico", [](Registro& r) { r.Poe(500, Letras16); }, {E(500, 515, M7)}},
      {"K acima de L com a primeira entrada vazia",
       [](Registro& r) {
         r.Poe(516, "00000000").Valor(524, 16, 0).Poe(540, "10101998").Valor(548, 16, 150);
       },
       {E(516, 523, M16), E(524, 539, M16)}},
      {"K acima de L com a primeira entrada sem valor",
       [](Registro& r) { r.Valor(524, 16, 0).Poe(540, "10111998").Valor(548, 16, 150); },
       {E(524, 539, M16), E(524, 539, M16)}},
      {"K igual a L com a primeira entrada vazia",
       [](Registro& r) { r.Poe(516, "00000000").Valor(524, 16, 0).Valor(732, 16, 150); },
       {}},
  });
}

TEST(ROL03Fechamento, CamposSoNumericos) {
  Confere({
      {"748-763", [](Registro& r) { r.Poe(748, " "); }, {E(748, 763, M7)}},
      {"860-875", [](Registro& r) { r.Poe(875, "A"); }, {E(860, 875, M7)}},
      {"876-879", [](Registro& r) { r.Poe(876, "12 4"); }, {E(876, 879, M7)}},
      {"colunas não lidas", [](Registro& r) { r.Poe(36, "qualquer texto").Poe(880, "xyz"); }, {}},
  });
}

TEST(ROL03Arquivo, ArquivoLimpoListaOsRetornos) {
  auto retorno = [](const char* inscricao, const char* periodo) {
    Registro r = ROL03Valido();
    r.Poe(26, inscricao).Poe(20, periodo);
    return std::string(r);
  };
  const auto res =
      ExecutaRegistros({retorno("0123456789", "051996"), retorno("1234567897", "071994"),
                        retorno("9876543216", "091998"), retorno("0000000019", "121997")});
  EXPECT_EQ(res.desfecho, Desfecho::RelatorioOK);
  const std::vector<std::string> esperado = {
      "ARQUIVO OK.",
      "",
      "Documento: ROL03       ",
      "",
      std::string(70, '-'),
      "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER",
      std::string(70, '-'),
      "012/3456789    05/1996  123/4567897    07/1994  987/6543216    09/1998  ",
      "000/0000019    12/1997  ",
      "",
      "",
      "Foram Validadas 004 ROL(s).",
  };
  EXPECT_EQ(res.linhasSaida, esperado);
  EXPECT_EQ(res.param, "\r\nOK\r\n");
  EXPECT_FALSE(res.sobrouAuxiliar);
  EXPECT_EQ(res.tela.contribs,
            (std::vector<std::string>{"012/3456789", "123/4567897", "987/6543216", "000/0000019"}));
}

}  // namespace
}  // namespace rolval
