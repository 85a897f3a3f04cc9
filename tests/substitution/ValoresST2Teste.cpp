// Header "A0" of layout ST 02, amount fields 7 to 21: the without-movement rule, the warnings and
// order tests of pairs of fields, the installments' sum and the balance of fields 18, 20 and 21.
#include <gtest/gtest.h>

#include <functional>

#include "tests/substitution/CasosST2.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

std::string NoCabecalho(int inicio, int fim, std::string_view mensagem) {
  return Achado(InscricaoROL, "07/2000", 1, inicio, fim, mensagem);
}

const std::string NaoDeveSerInformado = "Campo não deve ser informado";

TEST(ValoresST2, SemMovimentoEPares) {
  ConfereCabecalhos({
      {"without movement, all zero", [](RegistroA0& r) { r.ZeraValores().SemMovimento(); }, {}},
      {"without movement, field 7 = 5",
       [](RegistroA0& r) { r.ZeraValores().SemMovimento().Valor(7, 5); },
       {NoCabecalho(170, 184, NaoDeveSerInformado)}},
      {"with movement, all zero",
       [](RegistroA0& r) { r.ZeraValores(); },
       {NoCabecalho(215, 229, "AVISO: Campos 10 e 11 zerados"),
        NoCabecalho(245, 259, "AVISO: Campos 12 e 13 zerados"),
        NoCabecalho(28, 28, "ROL deve ser marcada Sem Movimento")}},
      {"field 8 above field 7",
       [](RegistroA0& r) { r.Valor(7, 100).Valor(8, 101); },
       {NoCabecalho(185, 199, "AVISO: Campo 8 maior que Campo 7")}},
      {"field 9 above field 7",
       [](RegistroA0& r) { r.Valor(9, 5001); },
       {NoCabecalho(200, 214, "AVISO: Campo 9 maior que Campo 7")}},
      {"field 8 equal to field 7", [](RegistroA0& r) { r.Valor(8, 5000); }, {}},
      // Field 10 must exceed field 11 whenever either is positive.
      {"10 = 100, 11 = 50", [](RegistroA0& r) { r.Valor(10, 100).Valor(11, 50); }, {}},
      {"10 = 50, 11 = 100",
       [](RegistroA0& r) { r.Valor(10, 50).Valor(11, 100); },
       {NoCabecalho(230, 244, "Campo 10 deve ser menor que o 11")}},
      {"10 = 11 = 100",
       [](RegistroA0& r) { r.Valor(10, 100).Valor(11, 100); },
       {NoCabecalho(230, 244, "Campo 10 deve ser menor que o 11")}},
      {"10 = 0, 11 = 100",
       [](RegistroA0& r) { r.Valor(10, 0).Valor(11, 100); },
       {NoCabecalho(230, 244, "Campo 10 deve ser menor que o 11")}},
      {"10 = 11 = 0",
       [](RegistroA0& r) { r.Valor(10, 0).Valor(11, 0); },
       {NoCabecalho(215, 229, "AVISO: Campos 10 e 11 zerados")}},
      {"12 = 13 = 100",
       [](RegistroA0& r) { r.Valor(12, 100).Valor(13, 100).Equilibra(); },
       {NoCabecalho(260, 274, "Campo 13 deve ser menor que o 12")}},
      {"12 = 100, 13 = 18", [](RegistroA0& r) { r.Valor(12, 100).Valor(13, 18).Equilibra(); }, {}},
      // A field that is not numeric is reported in its place; the rules that need it are skipped.
      {"field 7 not numeric",
       [](RegistroA0& r) { r.Poe(170, "A").Valor(8, 9999); },
       {NoCabecalho(170, 184, "Campo numérico é esperado")}},
      {"field 10 not numeric",
       [](RegistroA0& r) { r.Poe(215, "A").Valor(11, 0); },
       {NoCabecalho(215, 229, "Campo numérico é esperado")}},
      {"field 11 not numeric",
       [](RegistroA0& r) { r.Valor(10, 0).Poe(244, "-"); },
       {NoCabecalho(230, 244, "Campo numérico é esperado")}},
      {"field 16 not numeric skips the balance",
       [](RegistroA0& r) { r.Poe(305, " ").Valor(18, 5); },
       {NoCabecalho(305, 319, "Campo numérico é esperado")}},
      {"field 20 not numeric skips the balance",
       [](RegistroA0& r) { r.Poe(379, "+").Valor(21, 7).Parcela(1, "20000815", 7); },
       {NoCabecalho(365, 379, "Campo numérico é esperado")}},
  });
}

TEST(ValoresST2, SomaDasParcelasContraOCampo21) {
  RegistroA0 a0;
  a0.Valor(13, 999).Equilibra().Parcela(1, "20000815", 600).Parcela(2, "20000915", 400);
  EXPECT_EQ(AchadosST2({a0}), (Linhas{NoCabecalho(380, 394, "Soma parcelas difere do campo 21")}));
}

// Every amount field at 1 in a return marked without movement: the findings come in the order of
// the fields as read (19 before 18, nothing for 16 and 20), then the balance, then, at the end of
// the file, the annex totals that no annex record makes up.
TEST(ValoresST2, OrdemDosAchadosDosCamposDeValor) {
  RegistroA0 a0;
  a0.SemMovimento();
  for (int campo = 7; campo <= 21; ++campo) a0.Valor(campo, 1);
  for (int i = 1; i <= 6; ++i) a0.Parcela(i, "00000000", 0);
  EXPECT_EQ(AchadosST2({a0}), (Linhas{NoCabecalho(170, 184, NaoDeveSerInformado),
                                      NoCabecalho(185, 199, NaoDeveSerInformado),
                                      NoCabecalho(200, 214, NaoDeveSerInformado),
                                      NoCabecalho(215, 229, NaoDeveSerInformado),
                                      NoCabecalho(230, 244, "Campo 10 deve ser menor que o 11"),
                                      NoCabecalho(230, 244, NaoDeveSerInformado),
                                      NoCabecalho(245, 259, NaoDeveSerInformado),
                                      NoCabecalho(260, 274, "Campo 13 deve ser menor que o 12"),
                                      NoCabecalho(260, 274, NaoDeveSerInformado),
                                      NoCabecalho(275, 289, NaoDeveSerInformado),
                                      NoCabecalho(290, 304, NaoDeveSerInformado),
                                      NoCabecalho(320, 334, NaoDeveSerInformado),
                                      NoCabecalho(350, 364, NaoDeveSerInformado),
                                      NoCabecalho(335, 349, NaoDeveSerInformado),
                                      NoCabecalho(380, 394, "Soma parcelas difere do campo 21"),
                                      NoCabecalho(380, 394, NaoDeveSerInformado),
                                      NoCabecalho(335, 349, "Valor do campo 18 incorreto"),
                                      NoCabecalho(365, 379, "Valor do campo 20 incorreto"),
                                      NoCabecalho(380, 394, "Valor do campo 21 incorreto"),
                                      NoCabecalho(275, 289, "Valor do campo 14 incorreto"),
                                      NoCabecalho(290, 304, "Valor do campo 15 incorreto")}));
}

// The three worked examples of the balance: F13, F14 (made up by one A1 record) and F19 with the
// expected fields 18, 20 and 21. The right values give no finding; one unit more in any of the
// three gives exactly its own finding.
TEST(ValoresST2, TresExemplosDoSaldo) {
  struct Exemplo {
    std::int64_t f13, f14, f19, f18, f20, f21;
  };
  const Exemplo exemplos[] = {
      {1000, 0, 0, 1000, 0, 1000},
      {100, 300, 50, 0, 150, 0},
      {100, 150, 100, 0, 0, 50},
  };
  for (const Exemplo& e : exemplos) {
    const auto arquivo = [&e](std::int64_t d18, std::int64_t d20, std::int64_t d21) {
      RegistroA0 a0;
      a0.ZeraValores().Valor(7, 5000).Valor(10, 2).Valor(11, 1).Valor(12, 2000);
      a0.Valor(13, e.f13).Valor(14, e.f14).Valor(19, e.f19);
      a0.Valor(18, e.f18 + d18).Valor(20, e.f20 + d20).Valor(21, e.f21 + d21);
      if (e.f21 + d21 > 0) a0.Parcela(1, "20000815", e.f21 + d21);
      Linhas linhas = {a0};
      if (e.f14 > 0) {
        a0.Linhas(1, 0, 0);
        linhas = {a0, RegistroA1().Valor(e.f14)};
      }
      return AchadosST2(linhas);
    };
    const std::string nome = "F13 " + std::to_string(e.f13) + " F14 " + std::to_string(e.f14) +
                             " F19 " + std::to_string(e.f19);
    EXPECT_EQ(arquivo(0, 0, 0), Linhas{}) << nome;
    EXPECT_EQ(arquivo(1, 0, 0), Linhas{NoCabecalho(335, 349, "Valor do campo 18 incorreto")})
        << nome;
    EXPECT_EQ(arquivo(0, 1, 0), Linhas{NoCabecalho(365, 379, "Valor do campo 20 incorreto")})
        << nome;
    EXPECT_EQ(arquivo(0, 0, 1), Linhas{NoCabecalho(380, 394, "Valor do campo 21 incorreto")})
        << nome;
  }
}

}  // namespace
}  // namespace rolval::teste
