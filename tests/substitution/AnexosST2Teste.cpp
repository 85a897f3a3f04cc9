// Annex records of layout ST 02: A1 and A2 (number, code, registration, date window, amount) and
// A3 (registration, the two amounts), and the duplicate of the previous record of one annex.
#include <gtest/gtest.h>

#include <functional>

#include "layouts/Layouts.h"
#include "tests/substitution/RegistrosST2.h"
#include "tests/support/Casos.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

const std::string P07 = "07/2000";

std::string Na(int linha, int inicio, int fim, std::string_view mensagem) {
  return Achado(InscricaoROL, P07, linha, inicio, fim, mensagem);
}

TEST(AnexosST2, CamposDoAnexoI) {
  const std::string campo14 = "Valor do campo 14 incorreto";
  const std::vector<CasoRegistro<RegistroA1>> casos = {
      {"number not numeric",
       [](RegistroA1& r) { r.Poe(10, "A"); },
       {Na(2, 3, 10, "Campo numérico é esperado")}},
      {"number zero",
       [](RegistroA1& r) { r.Numero(0); },
       {Na(2, 3, 10, "Campo obrigatório não informado")}},
      {"code blank",
       [](RegistroA1& r) { r.Poe(11, "   "); },
       {Na(2, 11, 13, "Campo obrigatório não informado")}},
      {"registration of nine digits",
       [](RegistroA1& r) { r.Inscricao("123456789     "); },
       {Na(2, 14, 27, "Inscrição Estadual incorreta")}},
      {"registration of the return itself",
       [](RegistroA1& r) { r.Inscricao(InscricaoROL); },
       {Na(2, 14, 27, "AVISO: mesma Inscrição Estadual da ROL")}},
      {"date not numeric",
       [](RegistroA1& r) { r.Data("2000O701"); },
       {Na(2, 28, 35, "Campo numérico é esperado")}},
      {"date not a date",
       [](RegistroA1& r) { r.Data("20000230"); },
       {Na(2, 28, 35, "Data Inválida")}},
      // Reference 07/2000: dates from 01/1995 to 07/2000.
      {"last day of the reference month", [](RegistroA1& r) { r.Data("20000731"); }, {}},
      {"first day after it",
       [](RegistroA1& r) { r.Data("20000801"); },
       {Na(2, 28, 35, "Data Incorreta")}},
      {"first day of the window", [](RegistroA1& r) { r.Data("19950101"); }, {}},
      {"last day before it",
       [](RegistroA1& r) { r.Data("19941231"); },
       {Na(2, 28, 35, "Data Incorreta")}},
      {"no date", [](RegistroA1& r) { r.Data("00000000"); }, {Na(2, 28, 35, "Data Incorreta")}},
      // The amount adds nothing: the annex total no longer matches.
      {"amount not numeric",
       [](RegistroA1& r) { r.Poe(36, " "); },
       {Na(2, 36, 50, "Campo numérico é esperado"), Na(1, 275, 289, campo14)}},
      {"amount zero, still counted",
       [](RegistroA1& r) { r.Valor(0); },
       {Na(2, 36, 50, "Campo obrigatório não informado"), Na(1, 275, 289, campo14)}},
  };
  // One header declaring one A1 of 100, and the A1 (line 2) as the case leaves it.
  ConfereCasos(
      casos, [] { return RegistroA1(); },
      [](const RegistroA1& a1) {
        return AchadosST2({RegistroA0().TotaisAnexos(100, 0).Linhas(1, 0, 0), a1});
      });
}

TEST(AnexosST2, AnexoIIVaiAoCampo15) {
  const auto a0 = RegistroA0().TotaisAnexos(0, 100).Linhas(0, 1, 0);
  EXPECT_EQ(AchadosST2({a0, RegistroA1("A2")}), Linhas{});
  EXPECT_EQ(
      AchadosST2({a0, RegistroA1("A2").Valor(99).Data("20000801")}),
      (Linhas{Na(2, 28, 35, "Data Incorreta"), Na(1, 290, 304, "Valor do campo 15 incorreto")}));
}

// The counterpart's registration is checked for the return's beneficiary unit.
TEST(AnexosST2, InscricaoDoAnexoConferidaNaUnidadeDoCabecalho) {
  const auto a0 = RegistroA0().Inscricao(InscricaoSP).UF("SP").TotaisAnexos(200, 0).Linhas(2, 0, 0);
  EXPECT_EQ(AchadosST2({a0, RegistroA1().Inscricao("123456785120  "), RegistroA1().Numero(2)}),
            (Linhas{Achado(InscricaoSP, P07, 3, 14, 27, "Inscrição Estadual incorreta")}));
}

TEST(AnexosST2, DuplicidadeSoDoRegistroAnteriorDoMesmoAnexo) {
  const std::string dupI = "Informações duplicadas no Anexo I";
  const auto a0 = [](int a1, int a2, int a3) {
    return RegistroA0().TotaisAnexos(100 * a1, 100 * a2).Linhas(a1, a2, a3);
  };
  // The key is columns 1-27: a record that differs only in date or amount is a repetition.
  EXPECT_EQ(
      AchadosST2({a0(2, 0, 0), RegistroA1().Valor(150), RegistroA1().Valor(50).Data("20000702")}),
      Linhas{Na(3, 3, 27, dupI)});
  EXPECT_EQ(AchadosST2({a0(2, 1, 0), RegistroA1(), RegistroA1("A2"), RegistroA1()}),
            Linhas{Na(4, 3, 27, dupI)});
  EXPECT_EQ(AchadosST2({a0(3, 0, 0), RegistroA1(), RegistroA1().Numero(2), RegistroA1()}),
            Linhas{});
  EXPECT_EQ(AchadosST2({a0(0, 2, 0), RegistroA1("A2"), RegistroA1("A2")}),
            Linhas{Na(3, 3, 27, "Informações duplicadas no Anexo II")});
  // Annex III's key is columns 1-16: the amounts do not count.
  EXPECT_EQ(AchadosST2({a0(0, 0, 3), RegistroA3(), RegistroA3().Valores(9, 1),
                        RegistroA3().Inscricao(InscricaoCliente2)}),
            Linhas{Na(3, 3, 16, "Informações duplicadas no Anexo III")});
}

TEST(AnexosST2, AnexoIII) {
  const struct {
    const char* nome;
    RegistroA3 a3;
    Linhas esperados;
  } casos[] = {
      {"registration of nine digits",
       RegistroA3().Inscricao("123456789     "),
       {Na(2, 3, 16, "Inscrição Estadual incorreta")}},
      {"registration of the return itself",
       RegistroA3().Inscricao(InscricaoROL),
       {Na(2, 3, 16, "Não pode ser a mesma Inscrição da ROL")}},
      {"A 100, B 0",
       RegistroA3().Valores(100, 0),
       {Na(2, 32, 46, "Campo obrigatório não informado")}},
      {"A 50, B 50", RegistroA3().Valores(50, 50), {Na(2, 17, 31, "Valor incorreto")}},
      {"A 10, B 20", RegistroA3().Valores(10, 20), {Na(2, 17, 31, "Valor incorreto")}},
      {"A 0, B 10", RegistroA3().Valores(0, 10), {Na(2, 17, 31, "Valor incorreto")}},
      {"A 0, B 0", RegistroA3().Valores(0, 0), {}},
      {"A not numeric, B 0",
       RegistroA3().Valores(0, 0).Poe(17, "X"),
       {Na(2, 17, 31, "Campo numérico é esperado")}},
      {"B not numeric",
       RegistroA3().Poe(17, "X").Poe(46, " "),
       {Na(2, 32, 46, "Campo numérico é esperado")}},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(AchadosST2({RegistroA0().Linhas(0, 0, 1), caso.a3}), caso.esperados) << caso.nome;
}

// Without an accepted reference period there is no window for the annex dates: they are left
// untested and the run goes on to its report.
TEST(AnexosST2, DatasDoAnexoSemPeriodoDeReferencia) {
  for (const char* periodo : {"132000", "07200A"}) {
    const auto a0 = RegistroA0().Periodo(periodo).TotaisAnexos(100, 100).Linhas(1, 1, 0);
    const auto r = ExecutaConteudo(
        ComCRLF({a0, RegistroA1().Data("19000101"), RegistroA1("A2").Data("20991231")}),
        TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK) << periodo;
    EXPECT_TRUE(r.tela.mensagens.empty()) << periodo;
    ASSERT_EQ(r.achados.size(), 2u) << periodo;  // the period's own finding and the signature date
    EXPECT_EQ(r.achados[1],
              Achado(InscricaoROL, periodo == std::string("132000") ? "13/2000" : periodo, 1, 590,
                     597, "Data Incorreta"));
  }
}

}  // namespace
}  // namespace rolval::teste
