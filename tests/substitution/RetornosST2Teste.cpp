// Returns of layout ST 02 as a whole: clean files, the list of returns, the end-of-return checks
// and where their findings fall among the next header's.
#include <gtest/gtest.h>

#include "layouts/Layouts.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

const std::string P07 = "07/2000";

// A return with every annex type: two A1 of 100 and 200, one A2 of 50, two A3.
Linhas RetornoCompleto() {
  return {RegistroA0().TotaisAnexos(300, 50).Linhas(2, 1, 2).Poe(779, "S"),
          RegistroA1().Numero(1).Valor(100),
          RegistroA1().Numero(2).Valor(200),
          RegistroA1("A2").Numero(1).Valor(50),
          RegistroA3(),
          RegistroA3().Inscricao(InscricaoCliente2)};
}

TEST(RetornosST2, ArquivoLimpoDeTresRetornosListaOsTresNumaLinha) {
  const auto r = ExecutaConteudo(
      ComCRLF({RegistroA0(),
               RegistroA0().Inscricao(InscricaoROL2).Periodo("082000").DataAssinatura("20000910"),
               RegistroA0().Inscricao(InscricaoROL3)}),
      TabelaPadrao());
  ASSERT_EQ(r.desfecho, Desfecho::RelatorioOK) << (r.achados.empty() ? "" : r.achados[0]);
  const Linhas esperadas = {
      "ARQUIVO OK.",
      "",
      "Documento: ROLST02     ",
      "",
      std::string(70, '-'),
      "INSCRIÇÃO      REFER    INSCRIÇÃO      REFER    INSCRIÇÃO      REFER",
      std::string(70, '-'),
      "0123456789     07/2000  0500000000     08/2000  9876543216     07/2000  ",
      "",
      "",
      "Foram Validadas 003 ROL(s) ST.",
  };
  EXPECT_EQ(r.linhasSaida, esperadas);
  EXPECT_EQ(r.linhasSaida[7].size(), 72u);
  EXPECT_EQ(r.param, "\r\nOK\r\n");
  // Each header shows its taxpayer as read.
  EXPECT_EQ(r.tela.contribs, (Linhas{std::string(InscricaoROL), std::string(InscricaoROL2),
                                     std::string(InscricaoROL3)}));
}

TEST(RetornosST2, QuatroRetornosDeixamUmaEntradaParaOFim) {
  const auto r = ExecutaConteudo(
      ComCRLF({RegistroA0(), RegistroA0(), RegistroA0(), RegistroA0().Inscricao(InscricaoROL2)}),
      TabelaPadrao());
  ASSERT_EQ(r.desfecho, Desfecho::RelatorioOK);
  ASSERT_EQ(r.linhasSaida.size(), 12u);
  EXPECT_EQ(r.linhasSaida[8], "0500000000     07/2000  ");
  EXPECT_EQ(r.linhasSaida[11], "Foram Validadas 004 ROL(s) ST.");
}

TEST(RetornosST2, ArquivosLimposComTodosOsTiposDeAnexo) {
  Linhas dois = RetornoCompleto();
  const Linhas segundo = RetornoCompleto();
  dois.insert(dois.end(), segundo.begin(), segundo.end());
  for (const Linhas& arquivo : {RetornoCompleto(), dois}) {
    const auto r = ExecutaConteudo(ComCRLF(arquivo), TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK) << (r.achados.empty() ? "" : r.achados[0]);
    EXPECT_EQ(r.linhasSaida.front(), "ARQUIVO OK.");
  }
}

TEST(RetornosST2, UmaUnidadeAMaisOuAMenosNumValorA1DaUmST31DoCampo14) {
  // Returns at lines 1 and 7; the spoilt A1 is in the first, so the finding names line 001 and
  // is written when the second header closes it.
  for (int indice : {1, 2}) {
    for (int delta : {1, -1}) {
      Linhas arquivo = RetornoCompleto();
      const Linhas segundo = RetornoCompleto();
      arquivo.insert(arquivo.end(), segundo.begin(), segundo.end());
      arquivo[static_cast<std::size_t>(indice)] =
          RegistroA1().Numero(indice).Valor(indice * 100 + delta);
      EXPECT_EQ(AchadosST2(arquivo),
                (Linhas{Achado(InscricaoROL, P07, 1, 275, 289, "Valor do campo 14 incorreto")}))
          << "A1 " << indice << " changed by " << delta;
    }
  }
}

TEST(RetornosST2, ValorA2ErradoNoUltimoRetornoApontaOCabecalhoDele) {
  Linhas arquivo = RetornoCompleto();
  const Linhas segundo = RetornoCompleto();
  arquivo.insert(arquivo.end(), segundo.begin(), segundo.end());
  arquivo[9] = RegistroA1("A2").Numero(1).Valor(49);
  EXPECT_EQ(AchadosST2(arquivo),
            (Linhas{Achado(InscricaoROL, P07, 7, 290, 304, "Valor do campo 15 incorreto")}));
}

TEST(RetornosST2, ContagensDeAnexoConferidasNoFimDoArquivo) {
  // Two A1 declared, three read (amounts still add up to field 14); one A2 declared, none read;
  // no A3 declared, one read.
  const Linhas arquivo = {RegistroA0().TotaisAnexos(300, 0).Linhas(2, 1, 0),
                          RegistroA1().Numero(1).Valor(100), RegistroA1().Numero(2).Valor(100),
                          RegistroA1().Numero(3).Valor(100), RegistroA3()};
  EXPECT_EQ(AchadosST2(arquivo),
            (Linhas{Achado(InscricaoROL, P07, 1, 786, 789, "Nro de linhas do anexo inválido"),
                    Achado(InscricaoROL, P07, 1, 790, 793, "Nro de linhas do anexo inválido"),
                    Achado(InscricaoROL, P07, 1, 794, 797, "Nro de linhas do anexo inválido")}));
}

TEST(RetornosST2, FechamentoDoPrimeiroRetornoVemAntesDosAchadosDoSegundoCabecalho) {
  // Return 1 declares 2 A1 and has 3; return 2 (line 5) has a wrong marker in column 28.
  const Linhas arquivo = {
      RegistroA0().TotaisAnexos(300, 0).Linhas(2, 0, 0),
      RegistroA1().Numero(1).Valor(100),
      RegistroA1().Numero(2).Valor(100),
      RegistroA1().Numero(3).Valor(100),
      RegistroA0()
          .Inscricao(InscricaoROL2)
          .Periodo("082000")
          .DataAssinatura("20000910")
          .Poe(28, "Y"),
  };
  EXPECT_EQ(
      AchadosST2(arquivo),
      (Linhas{Achado(InscricaoROL, P07, 1, 786, 789, "Nro de linhas do anexo inválido"),
              Achado(InscricaoROL2, "08/2000", 5, 28, 28, "Conteúdo só pode ser 'X' ou ' '")}));
}

TEST(RetornosST2, EtiquetaErradaNoSegundoCabecalhoVemAntesDoFechamentoDoPrimeiro) {
  // The tag finding is file-level: it prints no registration and leaves none behind, so the
  // closing findings of return 1 that follow carry its period and header line only.
  const Linhas arquivo = {
      RegistroA0().TotaisAnexos(300, 0).Linhas(1, 0, 0),
      RegistroA1().Numero(1).Valor(200),
      RegistroA0().Inscricao(InscricaoROL2).Poe(3, "RST03"),
  };
  const std::string semInscricao(14, ' ');
  EXPECT_EQ(AchadosST2(arquivo),
            (Linhas{Achado(semInscricao, "00/0000", 3, 0, 0, "Arquivo a ser validado não é ROL"),
                    Achado(semInscricao, P07, 1, 275, 289, "Valor do campo 14 incorreto")}));
}

TEST(RetornosST2, ChavesDeDuplicidadeEsvaziadasACadaCabecalho) {
  const Linhas arquivo = {RegistroA0().TotaisAnexos(100, 0).Linhas(1, 0, 0), RegistroA1(),
                          RegistroA0().TotaisAnexos(100, 0).Linhas(1, 0, 0), RegistroA1()};
  EXPECT_TRUE(AchadosST2(arquivo).empty());
}

TEST(RetornosST2, TotaisEContagensNaoNumericosFicamComOsDoRetornoAnterior) {
  // Return 2 (line 3) has field 14 and the A1 count non-numeric: it is held to return 1's total
  // of 100 and count of 1, so its two A1 of 100 each give both end-of-return findings.
  RegistroA0 segundo;
  segundo.TotaisAnexos(0, 0).Poe(275, "00000000000010A").Poe(786, "000A");
  const Linhas arquivo = {RegistroA0().TotaisAnexos(100, 0).Linhas(1, 0, 0),
                          RegistroA1().Valor(100), segundo, RegistroA1().Valor(100),
                          RegistroA1().Numero(2).Valor(100)};
  EXPECT_EQ(AchadosST2(arquivo),
            (Linhas{Achado(InscricaoROL, P07, 3, 275, 289, "Campo numérico é esperado"),
                    Achado(InscricaoROL, P07, 3, 786, 789, "Campo numérico é esperado"),
                    Achado(InscricaoROL, P07, 3, 275, 289, "Valor do campo 14 incorreto"),
                    Achado(InscricaoROL, P07, 3, 786, 789, "Nro de linhas do anexo inválido")}));
}

TEST(RetornosST2, RegistroDeTipoDesconhecidoNaoContaNemFechaORetorno) {
  // "B5" between two A1: reported by the framing, not counted; the A1 after it prints the period
  // 00/0000, and its date is still held to the header's period.
  const std::string b5 = "B5" + std::string(48, '0');
  const Linhas arquivo = {RegistroA0().TotaisAnexos(200, 0).Linhas(2, 0, 0), RegistroA1(), b5,
                          RegistroA1().Numero(2).Data("20000801")};
  EXPECT_EQ(AchadosST2(arquivo),
            (Linhas{Achado(InscricaoROL, "00/0000", 3, 1, 2, "Identificação Registro Inválida"),
                    Achado(InscricaoROL, "00/0000", 4, 28, 35, "Data Incorreta")}));
}

TEST(RetornosST2, LinhaDeComprimentoErradoParaALeituraEFechaORetorno) {
  const Linhas arquivo = {RegistroA0().TotaisAnexos(200, 0).Linhas(2, 0, 0), RegistroA1(),
                          RegistroA1().Texto() + "0000000000", RegistroA1().Numero(3)};
  EXPECT_EQ(
      AchadosST2(arquivo),
      (Linhas{Achado(std::string(14, ' '), "00/0000", 3, 0, 0, "Arquivo a ser validado não é ROL"),
              Achado(std::string(14, ' '), P07, 1, 275, 289, "Valor do campo 14 incorreto"),
              Achado(std::string(14, ' '), P07, 1, 786, 789, "Nro de linhas do anexo inválido")}));
}

}  // namespace
}  // namespace rolval::teste
