// Header "A0" of layout ST 02, columns 395-797: declarant, signature date, S/N markers and the
// declared numbers of annex records.
#include <gtest/gtest.h>

#include <functional>

#include "tests/substitution/CasosST2.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

std::string NoCabecalho(int inicio, int fim, std::string_view mensagem, int linha = 1) {
  return Achado(InscricaoROL, "07/2000", linha, inicio, fim, mensagem);
}

TEST(DeclaranteST2, NumerosFederaisENomes) {
  ConfereCabecalhos({
      {"CNPJ zeros",
       [](RegistroA0& r) { r.Poe(395, "00000000000000"); },
       {NoCabecalho(395, 408, "Informe o campo 28")}},
      {"CNPJ check digit",
       [](RegistroA0& r) { r.Poe(395, "11222333000182"); },
       {NoCabecalho(395, 408, "Dig. Controle Campo 28 Incorreto")}},
      {"CNPJ not numeric",
       [](RegistroA0& r) { r.Poe(395, "11.222.333/0001"); },
       {NoCabecalho(395, 408, "Campo numérico é esperado")}},
      {"name 29 blank",
       [](RegistroA0& r) { r.Poe(409, std::string(46, ' ')); },
       {NoCabecalho(409, 454, "Informe o campo 29")}},
      {"CPF zeros",
       [](RegistroA0& r) { r.Poe(455, "00000000000"); },
       {NoCabecalho(455, 465, "Informe o campo 30")}},
      {"CPF check digit",
       [](RegistroA0& r) { r.Poe(455, "11144477736"); },
       {NoCabecalho(455, 465, "Dig. Controle Campo 30 Incorreto")}},
      {"CPF with a blank",
       [](RegistroA0& r) { r.Poe(455, "1114447773 "); },
       {NoCabecalho(455, 465, "Campo numérico é esperado")}},
      {"name 31 blank",
       [](RegistroA0& r) { r.Poe(466, std::string(30, ' ')); },
       {NoCabecalho(466, 495, "Informe o campo 31")}},
      {"numbers at 496 and 508",
       [](RegistroA0& r) { r.Poe(496, "X").Poe(519, " "); },
       {NoCabecalho(496, 507, "Campo numérico é esperado"),
        NoCabecalho(508, 519, "Campo numérico é esperado")}},
      // A missing signer names the whole of field 35, its date included.
      {"signer blank",
       [](RegistroA0& r) { r.Poe(560, std::string(30, ' ')); },
       {NoCabecalho(560, 597, "Informe o campo 35")}},
      {"markers",
       [](RegistroA0& r) { r.Poe(778, "s").Poe(779, " "); },
       {NoCabecalho(778, 778, "Conteúdo deve ser 'S' ou 'N'"),
        NoCabecalho(779, 779, "Conteúdo deve ser 'S' ou 'N'")}},
  });
}

// Reference 07/2000: the signature falls from 08/2000 to 07/2006.
TEST(DeclaranteST2, JanelaDaDataDeAssinatura) {
  const std::string superior = "Data deve ser superior a Mês/Ano refer.";
  const std::string incorreta = "Data Incorreta";
  const struct {
    const char* data;
    Linhas esperados;
  } casos[] = {
      {"20000701", {NoCabecalho(590, 597, superior)}},
      {"20000731", {NoCabecalho(590, 597, superior)}},
      {"20000630", {NoCabecalho(590, 597, superior)}},
      {"00000000", {NoCabecalho(590, 597, superior)}},
      {"20000801", {}},
      {"20060701", {}},
      {"20060731", {}},
      {"20060801", {NoCabecalho(590, 597, incorreta)}},
      {"20000230", {NoCabecalho(590, 597, "Data Inválida")}},
      {"2000080 ", {NoCabecalho(590, 597, "Campo numérico é esperado")}},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(AchadosST2({RegistroA0().DataAssinatura(caso.data)}), caso.esperados) << caso.data;
}

TEST(DeclaranteST2, NumerosDeLinhasDosAnexos) {
  ConfereCabecalhos({
      {"counts not numeric",
       [](RegistroA0& r) { r.Poe(786, "A").Poe(793, " ").Poe(794, "-001"); },
       {NoCabecalho(786, 789, "Campo numérico é esperado"),
        NoCabecalho(790, 793, "Campo numérico é esperado"),
        NoCabecalho(794, 797, "Campo numérico é esperado")}},
      {"annex III announced without lines",
       [](RegistroA0& r) { r.Poe(779, "S"); },
       {NoCabecalho(794, 797, "Informe nº de linhas do Anexo III")}},
  });
  EXPECT_EQ(AchadosST2({RegistroA0().Poe(779, "S").Linhas(0, 0, 2), RegistroA3(),
                        RegistroA3().Inscricao(InscricaoCliente2)}),
            Linhas{});
}

// A count that is refused keeps the previous return's: here return 1's two A3 lines, which the
// second return (line 4) then lacks.
TEST(DeclaranteST2, ContagemRecusadaFicaComADoRetornoAnterior) {
  EXPECT_EQ(AchadosST2({RegistroA0().Linhas(0, 0, 2), RegistroA3(),
                        RegistroA3().Inscricao(InscricaoCliente2), RegistroA0().Poe(779, "S")}),
            (Linhas{NoCabecalho(794, 797, "Informe nº de linhas do Anexo III", 4),
                    NoCabecalho(794, 797, "Nro de linhas do anexo inválido", 4)}));
}

}  // namespace
}  // namespace rolval::teste
