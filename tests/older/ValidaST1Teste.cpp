// Tax-substitution return, layout ST 01: identification, the period window, registration and
// federal numbers, the amounts and the no-movement mark, the installments, the closing fields.
#include <gtest/gtest.h>

#include <functional>

#include "tests/older/CasosAntigos.h"
#include "tests/older/RegistrosAntigos.h"

namespace rolval {
namespace {

using namespace teste;

const std::string Insc = "012/3456789";
const std::string Per = "09/1999";

const char* const M7 = "Campo numérico é esperado";
const char* const M12 = "Data Inválida";
const char* const M14 = "Conteúdo só pode ser 'X' ou ' '";
const char* const M15 = "Dia de término inválido";
const char* const M16 = "Campo obrigatório não informado";
const char* const M26 = "Dia Início Período Inválida";
const char* const ST2 = "AVISO: Campos 9 e 10 zerados";
const char* const ST3 = "Campo não deve ser informado";
const char* const ST4 = "Data Incorreta";
const char* const ST5 = "Campo Fixo Incorreto";
const char* const ST6 = "Vencimento anterior não informado";
const char* const ST12 = "Campo 10 não pode ser maior que o 9";
const char* const ST14 = "Soma parcelas difere do campo 17";
const char* const ST16 = "Data vencimento em duplicidade";
const char* const ST17 = "Campo 12 não pode ser maior que o 11";
const char* const ST18 = "AVISO: Campos 11 e 12 zerados";

// A finding of the spoiled record, which every case puts on line 2.
const AchadosNaLinha E{Insc, Per, 2};
std::string EP(const std::string& periodo, int inicio, int fim, std::string_view mensagem) {
  return AchadosNaLinha{Insc, periodo, 2}(inicio, fim, mensagem);
}

using Caso = CasoRegistro<Registro>;

// Each case spoils a valid record and puts it between two valid ones: the findings are those of
// line 2 only, in order, and nothing carries over to line 3.
void Confere(const std::vector<Caso>& casos) {
  ConfereCasos(casos, ST01Valido,
               [](const Registro& r) { return AchadosEntreValidos(ST01Valido(), r); });
}

const std::string Letras15 = "ABCDEFGHIJKLMNO";

Registro& ValorCampo(Registro& r, int campo, std::int64_t valor) {
  return r.Valor(ColunaST1(campo), 15, valor);
}
Registro& Parcela(Registro& r, int k, const char* data, std::int64_t valor) {
  return r.Poe(ColunaParcela(k), data).Valor(ColunaParcela(k) + 8, 15, valor);
}

// Period: first day, last day and month at columns 7-16.
std::function<void(Registro&)> Periodo(const char* texto) {
  return [texto](Registro& r) { r.Poe(7, texto); };
}

TEST(ST01Identificacao, MarcaEMarcador) {
  Confere({
      {"marca", [](Registro& r) { r.Poe(1, "RST02"); }, {E(1, 5, ST5)}},
      {"marcador X", [](Registro& r) { r.Poe(6, "X"); }, {}},
      {"marcador Y", [](Registro& r) { r.Poe(6, "Y"); }, {E(6, 6, M14)}},
  });
}

TEST(ST01Periodo, JanelaEDiasDoMes) {
  Confere({
      {"05/1999, o primeiro aceito", Periodo("0131051999"), {}},
      {"06/2000, o último aceito", Periodo("0130062000"), {}},
      {"04/1999",
       Periodo("0130041999"),
       {EP("04/1999", 7, 16, "Campo 4 deve ser maior que 04/1999")}},
      {"07/2000",
       Periodo("0131072000"),
       {EP("07/2000", 7, 16, "Campo 4 deve ser menor que 07/2000")}},
      {"fevereiro de 2000 vai até 29", Periodo("0129022000"), {}},
      {"fevereiro de 2000 até 28", Periodo("0128022000"), {EP("02/2000", 7, 16, M15)}},
      {"29 de fevereiro de 1999 não existe", Periodo("0129021999"), {EP("02/1999", 7, 16, M12)}},
      {"setembro até 31 não existe", Periodo("0131091999"), {E(7, 16, M12)}},
      {"setembro até 29", Periodo("0129091999"), {E(7, 16, M15)}},
      {"dia início 02", Periodo("0230091999"), {E(7, 16, M26)}},
      {"dia início 00, e nada mais do período", Periodo("0030091999"), {E(7, 16, M12)}},
      {"dia início depois do fim", Periodo("1510091999"), {E(7, 16, M12)}},
      {"dia início igual ao fim", Periodo("3030091999"), {E(7, 16, M12)}},
      {"fora da janela e dia início errado",
       Periodo("0230041999"),
       {EP("04/1999", 7, 16, "Campo 4 deve ser maior que 04/1999"), EP("04/1999", 7, 16, M26)}},
      {"mês 13", Periodo("0130131999"), {EP("13/1999", 7, 16, M12)}},
      {"período não numérico", Periodo("013009199X"), {EP("09199X", 7, 16, M7)}},
  });
}

TEST(ST01Periodo, VencimentosEAssinaturaAntesDaReferencia) {
  Confere({
      {"vencimento no mês de referência", [](Registro& r) { r.Poe(228, "01091999"); }, {}},
      {"vencimento antes do mês de referência",
       [](Registro& r) { r.Poe(228, "31081999"); },
       {E(228, 235, "1° venc deve ser maior que 01/09/1999")}},
      // The earlier-month rule takes the place of the rule of the missing earlier installment.
      {"segundo vencimento antes da referência, sem o primeiro",
       [](Registro& r) {
         Parcela(r, 1, "00000000", 0);
         Parcela(r, 2, "10081999", 100);
       },
       {E(251, 258, "2° venc deve ser maior que 01/09/1999")}},
      {"assinatura no mês de referência", [](Registro& r) { r.Poe(495, "01091999"); }, {}},
      {"assinatura antes do mês de referência",
       [](Registro& r) { r.Poe(495, "31081999"); },
       {E(495, 502, ST4)}},
      // A period that was not accepted gives no reference to compare with.
      {"sem referência aceita",
       [](Registro& r) { r.Poe(7, "0030091999").Poe(228, "10081990").Poe(495, "10081990"); },
       {E(7, 16, M12)}},
  });
}

TEST(ST01Identificacao, InscricaoEDocumentoFederal) {
  Confere({
      {"inscrição zerada",
       [](Registro& r) { r.Poe(17, "0000000000"); },
       {LinhaAchado("000/0000000", Per, 2, 17, 26, "Informe o campo 5")}},
      {"dígito da inscrição",
       [](Registro& r) { r.Poe(17, "0123456788"); },
       {LinhaAchado("012/3456788", Per, 2, 17, 26, "Dig. Controle Campo 5 Incorreto")}},
      {"inscrição não numérica",
       [](Registro& r) { r.Poe(17, "01234567A9"); },
       {LinhaAchado("01234567A9 ", Per, 2, 17, 26, M7)}},
      {"CNPJ zerado",
       [](Registro& r) { r.Poe(27, "00000000000000"); },
       {E(27, 40, "Informe o campo 23")}},
      {"dígito do CNPJ",
       [](Registro& r) { r.Poe(27, "11222333000182"); },
       {E(27, 40, "Dig. Controle Campo 23 Incorreto")}},
      {"CNPJ não numérico", [](Registro& r) { r.Poe(27, "11.222.333/000"); }, {E(27, 40, M7)}},
  });
}

TEST(ST01Valores, CamposSeteAQuatorze) {
  Confere({
      {"7 maior que 6",
       [](Registro& r) { ValorCampo(r, 7, 1001); },
       {E(63, 77, "Campo 7 não pode ser maior que o 6")}},
      {"7 igual a 6", [](Registro& r) { ValorCampo(r, 7, 1000); }, {}},
      {"8 maior que 6",
       [](Registro& r) { ValorCampo(r, 8, 1001); },
       {E(78, 92, "Campo 8 não pode ser maior que o 6")}},
      {"9 igual a 10",
       [](Registro& r) {
         ValorCampo(r, 9, 500);
         ValorCampo(r, 10, 500);
       },
       {E(93, 107, ST12)}},
      {"9 zero e 10 positivo", [](Registro& r) { ValorCampo(r, 9, 0); }, {E(93, 107, ST12)}},
      {"9 e 10 zerados",
       [](Registro& r) {
         ValorCampo(r, 9, 0);
         ValorCampo(r, 10, 0);
       },
       {E(93, 107, ST2)}},
      {"10 não numérico com 9 zerado",
       [](Registro& r) {
         ValorCampo(r, 9, 0);
         r.Poe(108, Letras15);
       },
       {E(108, 122, M7)}},
      {"9 não numérico", [](Registro& r) { r.Poe(93, Letras15); }, {E(93, 107, M7)}},
      {"11 não numérico com 12 positivo",
       [](Registro& r) { r.Poe(123, Letras15); },
       {E(123, 137, M7), E(123, 137, ST17)}},
      // Taken as -1, field 11 is not zero: no warning of fields 11 and 12 both zero.
      {"11 não numérico com 12 zerado",
       [](Registro& r) {
         r.Poe(123, Letras15);
         ValorCampo(r, 12, 0);
         ValorCampo(r, 17, 0);
         Parcela(r, 1, "00000000", 0);
       },
       {E(123, 137, M7)}},
      {"11 igual a 12", [](Registro& r) { ValorCampo(r, 11, 100); }, {E(123, 137, ST17)}},
      {"11 e 12 zerados",
       [](Registro& r) {
         ValorCampo(r, 11, 0);
         ValorCampo(r, 12, 0);
         ValorCampo(r, 17, 0);
         Parcela(r, 1, "00000000", 0);
       },
       {E(123, 137, ST18)}},
      {"12 não numérico conta 0",
       [](Registro& r) { r.Poe(138, Letras15); },
       {E(138, 152, M7), E(213, 227, "Valor do campo 17 incorreto")}},
      {"13 não numérico", [](Registro& r) { r.Poe(153, Letras15); }, {E(153, 167, M7)}},
  });
}

// Every amount of fields 6 to 17 zero, and no installment.
void SemValores(Registro& r) {
  for (int campo = 6; campo <= 17; ++campo) ValorCampo(r, campo, 0);
  Parcela(r, 1, "00000000", 0);
}

TEST(ST01Valores, MarcaSemMovimento) {
  Confere({
      {"marca com valores", [](Registro& r) { r.Poe(41, "X"); }, {E(41, 41, ST3)}},
      {"marca sem valores",
       [](Registro& r) {
         SemValores(r);
         r.Poe(41, "X");
       },
       {E(93, 107, ST2), E(123, 137, ST18)}},
      {"sem marca e sem valores", SemValores, {E(93, 107, ST2), E(123, 137, ST18), E(41, 41, M16)}},
      // Field 7 above field 6 is not added to the total, so the return still has no amount.
      {"sem marca, só o campo 7 acima do 6",
       [](Registro& r) {
         SemValores(r);
         ValorCampo(r, 7, 50);
       },
       {E(63, 77, "Campo 7 não pode ser maior que o 6"), E(93, 107, ST2), E(123, 137, ST18),
        E(41, 41, M16)}},
  });
}

// Field 12 of 1000 against 13 + 14 + 15 = 300: field 16 is 0 and field 17 is 700.
void DozeMil(Registro& r) {
  ValorCampo(r, 11, 2000);
  ValorCampo(r, 12, 1000);
  ValorCampo(r, 13, 100);
  ValorCampo(r, 14, 100);
  ValorCampo(r, 15, 100);
  ValorCampo(r, 17, 700);
  Parcela(r, 1, "10082000", 700);
}

TEST(ST01Valores, CamposDezesseisEDezessete) {
  Confere({
      {"12 acima de 13 + 14 + 15", DozeMil, {}},
      {"16 deveria ser 0",
       [](Registro& r) {
         DozeMil(r);
         ValorCampo(r, 16, 1);
       },
       {E(198, 212, "Valor do campo 16 incorreto")}},
      {"17 deveria ser 700",
       [](Registro& r) {
         DozeMil(r);
         ValorCampo(r, 17, 699);
       },
       {E(213, 227, "Valor do campo 17 incorreto"), E(213, 227, ST14)}},
      {"13 acima de 12: 16 é a diferença e 17 é 0",
       [](Registro& r) {
         ValorCampo(r, 13, 150);
         ValorCampo(r, 16, 50);
         ValorCampo(r, 17, 0);
         Parcela(r, 1, "00000000", 0);
       },
       {}},
      {"13 acima de 12 com 16 zerado",
       [](Registro& r) {
         ValorCampo(r, 13, 150);
         ValorCampo(r, 17, 0);
         Parcela(r, 1, "00000000", 0);
       },
       {E(198, 212, "Valor do campo 16 incorreto")}},
      {"17 não numérico conta 0 para a soma das parcelas",
       [](Registro& r) { r.Poe(213, Letras15); },
       {E(213, 227, M7), E(213, 227, ST14)}},
  });
}

TEST(ST01Parcelas, ValoresEVencimentos) {
  Confere({
      {"duas parcelas somam o campo 17",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 60);
         Parcela(r, 2, "10092000", 40);
       },
       {}},
      {"soma diferente do campo 17",
       [](Registro& r) { Parcela(r, 1, "10082000", 99); },
       {E(213, 227, ST14)}},
      {"vencimento sem valor",
       [](Registro& r) { Parcela(r, 2, "10092000", 0); },
       {E(259, 273, "Informe o valor do 2° pagamento")}},
      {"valor sem vencimento",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 2, "00000000", 50);
       },
       {E(251, 258, "Informe o vencimento do 2° pagto")}},
      {"segunda datada sem a primeira",
       [](Registro& r) {
         Parcela(r, 1, "00000000", 0);
         Parcela(r, 2, "10082000", 100);
       },
       {E(251, 258, ST6)}},
      {"primeira e terceira com a mesma data",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 3, "10082000", 50);
       },
       {E(274, 281, ST16), E(274, 281, ST6), E(228, 235, ST16)}},
      {"primeira e segunda com a mesma data",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 2, "10082000", 50);
       },
       {E(251, 258, ST16), E(228, 235, ST16)}},
      {"data inválida conta como ausente",
       [](Registro& r) { r.Poe(228, "31042000"); },
       {E(228, 235, M12), E(228, 235, "Informe o vencimento do 1° pagto")}},
      {"data não numérica conta como ausente",
       [](Registro& r) { r.Poe(228, "1008200X"); },
       {E(228, 235, M7), E(228, 235, "Informe o vencimento do 1° pagto")}},
      // A non-numeric amount leaves the previous installment's amount in place for the rules of
      // the installment, and adds nothing to the sum.
      {"valor não numérico depois de 50",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 2, "10092000", 50);
         r.Poe(ColunaParcela(3), "10102000").Poe(ColunaParcela(3) + 8, Letras15);
       },
       {E(282, 296, M7)}},
      {"valor não numérico depois de 50, sem data",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 2, "10092000", 50);
         r.Poe(ColunaParcela(3) + 8, Letras15);
       },
       {E(282, 296, M7), E(274, 281, "Informe o vencimento do 3° pagto")}},
      {"sexta parcela",
       [](Registro& r) {
         Parcela(r, 1, "10082000", 50);
         Parcela(r, 6, "10092000", 50);
       },
       {E(343, 350, ST6)}},
  });
}

TEST(ST01Fechamento, DeclaranteEAssinatura) {
  Confere({
      {"campo 24 em branco",
       [](Registro& r) { r.Poe(366, std::string(46, ' ')); },
       {E(366, 411, "Informe o campo 24")}},
      {"CPF zerado",
       [](Registro& r) { r.Poe(412, "00000000000"); },
       {E(412, 422, "Informe o campo 25")}},
      {"CPF não numérico", [](Registro& r) { r.Poe(412, "529982247 5"); }, {E(412, 422, M7)}},
      {"dígito do CPF",
       [](Registro& r) { r.Poe(412, "52998224724"); },
       {E(412, 422, "Dig. Controle Campo 25 Incorreto")}},
      {"campo 26 em branco",
       [](Registro& r) { r.Poe(423, std::string(30, ' ')); },
       {E(423, 452, "Informe o campo 26")}},
      {"453-456", [](Registro& r) { r.Poe(453, "00X0"); }, {E(453, 456, M7)}},
      {"457-464", [](Registro& r) { r.Poe(464, " "); }, {E(457, 464, M7)}},
      {"campo 28 em branco",
       [](Registro& r) { r.Poe(465, std::string(30, ' ')); },
       {E(465, 494, "Informe o campo 28")}},
      {"data do campo 28 zerada",
       [](Registro& r) { r.Poe(495, "00000000"); },
       {E(495, 502, "Informe o campo 28")}},
      {"data do campo 28 inválida",
       [](Registro& r) { r.Poe(495, "31042000"); },
       {E(495, 502, M12)}},
      {"data do campo 28 não numérica",
       [](Registro& r) { r.Poe(495, "15/08/00"); },
       {E(495, 502, M7)}},
      {"503-506", [](Registro& r) { r.Poe(503, "    "); }, {E(503, 506, M7)}},
      {"507-514", [](Registro& r) { r.Poe(507, "0000000-"); }, {E(507, 514, M7)}},
      {"colunas não lidas",
       [](Registro& r) { r.Poe(42, "xxxxxx").Poe(515, "qualquer texto"); },
       {}},
  });
}

TEST(ST01Arquivo, ArquivoLimpoListaOsRetornos) {
  auto retorno = [](const char* inscricao, const char* periodo) {
    Registro r = ST01Valido();
    r.Poe(17, inscricao).Poe(7, periodo);
    return std::string(r);
  };
  const auto res =
      ExecutaRegistros({retorno("0123456789", "0130091999"), retorno("1234567897", "0131051999"),
                        retorno("9876543216", "0130062000"), retorno("0000000019", "0129022000")});
  EXPECT_EQ(res.desfecho, Desfecho::RelatorioOK);
  const std::vector<std::string> esperado = {
      "ARQUIVO OK.",
      "",
      "Documento: ROLST01     ",
      "",
      std::string(70, '-'),
      "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER",
      std::string(70, '-'),
      "012/3456789    09/1999  123/4567897    05/1999  987/6543216    06/2000  ",
      "000/0000019    02/2000  ",
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
