// Header "A0" of layout ST 02, columns 1-169: registration, markers, reference period, the six
// installments and the beneficiary unit.
#include <gtest/gtest.h>

#include <functional>

#include "checks/Cadastros.h"
#include "layouts/Layouts.h"
#include "tests/substitution/CasosST2.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

// A finding on the header of a one-return file (line 1).
std::string NoCabecalho(int inicio, int fim, std::string_view mensagem,
                        std::string_view periodo = "07/2000") {
  return Achado(InscricaoROL, periodo, 1, inicio, fim, mensagem);
}

TEST(IdentificacaoST2, InscricaoMarcasEPeriodo) {
  ConfereCabecalhos({
      {"nine-character TQ number",
       [](RegistroA0& r) { r.Inscricao("012345678     "); },
       {Achado("012345678     ", "07/2000", 1, 14, 27, "Inscrição Estadual incorreta")}},
      {"number beginning with a blank",
       [](RegistroA0& r) { r.Inscricao(" 123456789    "); },
       {Achado(" 123456789    ", "07/2000", 1, 14, 27, "Inscrição Estadual incorreta")}},
      {"column 28 not X or blank",
       [](RegistroA0& r) { r.Poe(28, "Y"); },
       {NoCabecalho(28, 28, "Conteúdo só pode ser 'X' ou ' '")}},
      {"column 29 not X or blank",
       [](RegistroA0& r) { r.Poe(29, "x"); },
       {NoCabecalho(29, 29, "Conteúdo só pode ser 'X' ou ' '")}},
      {"column 29 X", [](RegistroA0& r) { r.Poe(29, "X"); }, {}},
      {"period before 07/2000",
       [](RegistroA0& r) { r.Periodo("062000"); },
       {NoCabecalho(8, 13, "Mês/Ano refer. incompatível com versão", "06/2000")}},
      // Without an accepted period the signature date has no window: every date is late.
      {"month 13",
       [](RegistroA0& r) { r.Periodo("132000"); },
       {NoCabecalho(8, 13, "Mês/Ano de referência inválido", "13/2000"),
        NoCabecalho(590, 597, "Data Incorreta", "13/2000")}},
  });
}

// A period that is not all digits gives no month for the due-date warning: the warning is left
// out and the remaining checks go on to a report.
TEST(IdentificacaoST2, PeriodoNaoNumericoNaoImpedeORestoDoCabecalho) {
  RegistroA0 a0;
  a0.Periodo("07200A").Parcela(1, "20001215", 1000).Poe(28, "Z");
  const auto r = ExecutaConteudo(ComCRLF({a0}), TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  EXPECT_TRUE(r.tela.mensagens.empty());
  EXPECT_EQ(r.achados, (Linhas{NoCabecalho(28, 28, "Conteúdo só pode ser 'X' ou ' '", "07200A"),
                               NoCabecalho(8, 13, "Campo numérico é esperado", "07200A"),
                               NoCabecalho(590, 597, "Data Incorreta", "07200A")}));
}

TEST(IdentificacaoST2, ParcelasEVencimentos) {
  ConfereCabecalhos({
      {"second installment empty", [](RegistroA0& r) { r.Parcela(1, "20000815", 1000); }, {}},
      {"amount without due date",
       [](RegistroA0& r) { r.Parcela(1, "00000000", 1000); },
       {NoCabecalho(30, 37, "Informe o vencimento do 1° pagto")}},
      {"due date without amount",
       [](RegistroA0& r) { r.Parcela(1, "20000815", 0).Parcela(2, "20000915", 1000); },
       {NoCabecalho(38, 52, "Informe o valor do 1° pagamento")}},
      {"first installment missing",
       [](RegistroA0& r) { r.Parcela(1, "00000000", 0).Parcela(2, "20000815", 1000); },
       {NoCabecalho(53, 60, "Vencimento anterior não informado")}},
      {"one pair of equal dates, reported from both sides",
       [](RegistroA0& r) {
         r.Parcela(1, "20000815", 400).Parcela(2, "20000915", 300).Parcela(3, "20000815", 300);
       },
       {NoCabecalho(76, 83, "Data vencimento em duplicidade"),
        NoCabecalho(30, 37, "Data vencimento em duplicidade")}},
      {"due before the reference month",
       [](RegistroA0& r) { r.Parcela(1, "20000630", 1000); },
       {NoCabecalho(30, 37, "1° venc deve ser maior que 01/07/2000")}},
      {"second due before the reference month",
       [](RegistroA0& r) { r.Parcela(1, "20000815", 500).Parcela(2, "20000601", 500); },
       {NoCabecalho(53, 60, "2° venc deve ser maior que 01/07/2000")}},
      {"first day of the reference month",
       [](RegistroA0& r) { r.Parcela(1, "20000701", 1000); },
       {}},
      {"three months after",
       [](RegistroA0& r) { r.Parcela(1, "20001001", 1000); },
       {NoCabecalho(30, 37, "AVISO: Venc + de 2 meses após data ROL")}},
      {"two months after", [](RegistroA0& r) { r.Parcela(1, "20000930", 1000); }, {}},
      {"sixth installment far ahead",
       [](RegistroA0& r) {
         for (int i = 1; i <= 5; ++i) r.Parcela(i, "2000081" + std::to_string(i), 100);
         r.Parcela(6, "20010101", 500);
       },
       {NoCabecalho(145, 152, "AVISO: Venc + de 2 meses após data ROL")}},
      // A rejected date asks for no due date.
      {"due date not numeric",
       [](RegistroA0& r) { r.Parcela(1, "2000081A", 1000); },
       {NoCabecalho(30, 37, "Campo numérico é esperado")}},
      {"due date not a date",
       [](RegistroA0& r) { r.Parcela(1, "20000231", 1000); },
       {NoCabecalho(30, 37, "Data Inválida")}},
      {"amount not numeric",
       [](RegistroA0& r) { r.Parcela(1, "20000815", 0).Poe(38, "00000000000100A"); },
       {NoCabecalho(38, 52, "Campo numérico é esperado"),
        NoCabecalho(38, 52, "Informe o valor do 1° pagamento"),
        NoCabecalho(380, 394, "Soma parcelas difere do campo 21")}},
  });
}

TEST(IdentificacaoST2, UnidadeDeUmArquivoETodaAMesma) {
  const auto segundo = [](std::string_view uf, std::string_view inscricao) {
    return RegistroA0().Inscricao(inscricao).UF(uf);
  };
  EXPECT_EQ(
      AchadosST2({RegistroA0(), segundo("SP", InscricaoSP)}),
      (Linhas{Achado(InscricaoSP, "07/2000", 2, 168, 169, "Todas as ROLs devem ser da mesma UF")}));

  // A code that is no unit is still what the next header compares with. Whether the header's
  // registration is refused for such a code is the unit rule's verdict.
  const auto recusada = [](std::string_view uf) {
    return ValidaInscricao(InscricaoROL, uf)
               ? Linhas{}
               : Linhas{NoCabecalho(14, 27, "Inscrição Estadual incorreta")};
  };
  Linhas esperados = recusada("sp");
  esperados.push_back(NoCabecalho(168, 169, "Código de UF Favorecida incorreto"));
  EXPECT_EQ(AchadosST2({RegistroA0().UF("sp")}), esperados);

  esperados = recusada("XX");
  esperados.push_back(NoCabecalho(168, 169, "Código de UF Favorecida incorreto"));
  esperados.push_back(
      Achado(InscricaoROL2, "07/2000", 2, 168, 169, "Todas as ROLs devem ser da mesma UF"));
  EXPECT_EQ(AchadosST2({RegistroA0().UF("XX"), segundo("TQ", InscricaoROL2)}), esperados);
}

}  // namespace
}  // namespace rolval::teste
