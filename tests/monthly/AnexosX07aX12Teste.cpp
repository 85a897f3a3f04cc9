// Annex records X07, X07A, X07B, X08, X09, X10, X11 and X12: count fields, item fields with the
// columns of their own item, and the totals and saved lines they leave for the closing checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layouts/monthly/EstadoMensal.h"
#include "tests/monthly/RegistrosMensais.h"

namespace rolval::teste {
namespace {

const std::string Numerico = "Campo numérico é esperado";
const std::string Obrigatorio = "Campo obrigatório não informado";

// One return of the default prefix holding one annex record (line 2), run without the closing
// checks, so that the findings are those of its records.
struct Execucao1Anexo {
  Execucao1Anexo(std::string_view tipo, const std::vector<std::string>& itens,
                 const PrefixoMensal& prefixo = {}, std::string_view quantidade = "") {
    ROLMensal rol(prefixo);
    rol.Anexo(tipo, itens);
    if (!quantidade.empty()) rol.Registro(2, 44, quantidade);
    r.Roda(rol.Registros(), TabelaSemFechamento());
  }
  EstadoMensal& mensal() { return Mensal(r.execucao); }
  ExecucaoRetida r;
};

TEST(AnexosX07aX12, QuantidadeForaDaFaixaNaoLeNemContaORegistro) {
  struct Caso {
    std::string_view tipo;
    Anexo anexo;
    std::string item;
    std::string_view quantidade;
    int codigo;
  };
  const std::string mensagem10 = "Qtd Ocorrências anexo inválida";
  const Caso casos[] = {
      {"X07 ", Anexo::X07, CorpoX07{}.Texto(), "02", 10},
      {"X07 ", Anexo::X07, CorpoX07{}.Texto(), "00", 10},
      {"X07A", Anexo::X07A, ItemX07A("102"), "30", 10},
      {"X07B", Anexo::X07B, ItemX07A("102"), "00", 10},
      {"X08 ", Anexo::X08, ItemX08(), "18", 10},
      {"X10 ", Anexo::X10, ItemX08(), " 1", 7},
      {"X09 ", Anexo::X09, ItemX09(), "23", 10},
      {"X11 ", Anexo::X11, ItemX11(), "31", 10},
      {"X12 ", Anexo::X12, ItemX12(), "30", 10},
      {"X12 ", Anexo::X12, ItemX12(), "1 ", 7},
  };
  for (const Caso& c : casos) {
    Execucao1Anexo e(c.tipo, {c.item}, {}, c.quantidade);
    EXPECT_EQ(e.r.achados,
              (std::vector<std::string>{Achado(2, 44, 45, c.codigo == 7 ? Numerico : mensagem10)}))
        << c.tipo << " count '" << c.quantidade << "'";
    EXPECT_EQ(e.mensal().Lidas(c.anexo), 0) << c.tipo;
  }
}

TEST(AnexosX07aX12, GuardaALinhaDoX07EDoX07AouBMesmoComQuantidadeInvalida) {
  ROLMensal rol;
  rol.Anexo("X07 ", {CorpoX07{}.Texto()}).Anexo("X07B", {ItemX07A("102")}).Registro(2, 44, "02");
  rol.Registro(3, 44, "00");
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(Mensal(r.execucao).LinhaX07, 2);
  EXPECT_EQ(Mensal(r.execucao).LinhaX07A, 3);
}

TEST(AnexosX07aX12, CorpoDoX07GuardaValoresETotaisQueConferem) {
  CorpoX07 certo;
  certo.v1 = Digitos(100, 13);
  certo.t1 = Digitos(100, 13);
  certo.v2 = Digitos(40, 13);
  certo.w2 = Digitos(2, 13);
  certo.texto2 = "AJUSTE";
  certo.t2 = Digitos(42, 13);
  Execucao1Anexo e("X07 ", {certo.Texto()});
  EXPECT_TRUE(e.r.achados.empty()) << e.r.achados.front();
  const RetornoMensal& r = e.mensal().retorno;
  EXPECT_EQ(r.X07Valor1, 100);
  EXPECT_EQ(r.X07Total1, 100);
  EXPECT_EQ(r.X07Valor2, 40);
  EXPECT_EQ(r.X07Total2, 42);
  EXPECT_EQ(e.mensal().Lidas(Anexo::X07), 1);
  EXPECT_EQ(Mensal(e.r.execucao).LinhaX07, 2);
}

TEST(AnexosX07aX12, CorpoDoX07ComTotalErradoOuTextoFaltando) {
  CorpoX07 errado;
  errado.v1 = Digitos(100, 13);
  errado.t1 = Digitos(99, 13);  // 100 + 0 is not 99
  errado.v2 = "00000000000A0";  // not numeric: taken as 0
  errado.w2 = Digitos(5, 13);   // greater than 0 with a blank text
  errado.t2 = Digitos(5, 13);   // 0 + 5: checks
  Execucao1Anexo e("X07 ", {errado.Texto()});
  EXPECT_EQ(e.r.achados, (std::vector<std::string>{
                             Achado(2, 132, 144, "Valor incorreto"),
                             Achado(2, 145, 157, Numerico),
                             Achado(2, 171, 230, Obrigatorio),
                         }));
  const RetornoMensal& r = e.mensal().retorno;
  EXPECT_EQ(r.X07Valor1, 100);
  EXPECT_EQ(r.X07Total1, 0);  // kept only when it checks
  EXPECT_EQ(r.X07Valor2, 0);
  EXPECT_EQ(r.X07Total2, 5);

  CorpoX07 semTexto;
  semTexto.w1 = Digitos(1, 13);
  semTexto.t1 = "            1";  // not numeric: no comparison, nothing kept
  Execucao1Anexo f("X07 ", {semTexto.Texto()});
  EXPECT_EQ(f.r.achados, (std::vector<std::string>{Achado(2, 72, 131, Obrigatorio),
                                                   Achado(2, 132, 144, Numerico)}));
  EXPECT_EQ(f.mensal().retorno.X07Total1, 0);
}

TEST(AnexosX07aX12, ItensDoX07AeX07BSomamACadaTotal) {
  ROLMensal rol;
  rol.Anexo("X07A", {ItemX07A("102", 0, 10), ItemX07A("ABC", 0, 20), ItemX07A("000", 0, 30)});
  rol.Anexo("X07A", {ItemX07A("500", 1, 1)});
  rol.Anexo("X07B", {ItemX07A("949", 0, 7), ItemX07A("101", 5, 9999999999999)});
  rol.Registro(4, 46 + 29 + 3, "0000000000x05");  // amount 49 of the second X07B item
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados, (std::vector<std::string>{
                           Achado(2, 75, 77, Numerico),
                           Achado(2, 104, 106, Obrigatorio),
                           Achado(3, 46, 48, "CFOP inválido"),
                           Achado(4, 78, 90, Numerico),
                       }));
  EXPECT_EQ(Mensal(r.execucao).retorno.TotX07A, 61);
  EXPECT_EQ(Mensal(r.execucao).retorno.TotX07B, 7 + 9999999999999.0);
  EXPECT_EQ(Mensal(r.execucao).Lidas(Anexo::X07A), 4);
  EXPECT_EQ(Mensal(r.execucao).Lidas(Anexo::X07B), 2);
  EXPECT_EQ(Mensal(r.execucao).LinhaX07A, 4);
}

TEST(AnexosX07aX12, DiasDoX08eX10DentroDoPeriodoDoRegistro) {
  struct Caso {
    PrefixoMensal prefixo;
    std::string_view dias;
    std::vector<std::string> esperado;
  };
  const PrefixoMensal abril = PrefixoPara("05", "042005");
  const Caso casos[] = {
      {{}, "0131", {}},
      {{}, "0000", {Achado(2, 46, 49, Obrigatorio)}},
      {{}, "0010", {Achado(2, 46, 49, "Data Inválida")}},  // first day outside the period
      {{}, "1032", {Achado(2, 46, 49, "Dia de término inválido")}},
      {{},
       "3299",
       {Achado(2, 46, 49, "Data Inválida"), Achado(2, 46, 49, "Dia de término inválido")}},
      {{}, "01a1", {Achado(2, 46, 49, Numerico)}},
      {abril, "0130", {}},
      {abril, "0131", {Achado("012/3456789", "04/2005", 2, 46, 49, "Dia de término inválido")}},
  };
  for (const char* tipo : {"X08 ", "X10 "})
    for (const Caso& c : casos) {
      const std::string vencimento = "10" + c.prefixo.mesAnoRef;
      Execucao1Anexo e(tipo, {ItemX08(c.dias, vencimento)}, c.prefixo);
      EXPECT_EQ(e.r.achados, c.esperado) << tipo << c.dias << " " << c.prefixo.mesAnoRef;
    }
}

TEST(AnexosX07aX12, VencimentoDoX08NoMesDaROLEDoX10DesseMesEmDiante) {
  struct Caso {
    std::string_view vencimento;
    std::vector<std::string> x08, x10;
  };
  const std::string erro52 = "Venc Anexo VIII deve ser no Mes/Ano ROL";
  const std::string erro25 = "Vencimento Incorreto";
  const Caso casos[] = {
      {"31012005", {}, {}},
      {"01022005", {Achado(2, 50, 57, erro52)}, {}},
      {"31122004", {Achado(2, 50, 57, erro52)}, {Achado(2, 50, 57, erro25)}},
      {"10012006", {Achado(2, 50, 57, erro52)}, {}},
      {"32012005", {Achado(2, 50, 57, "Data Inválida")}, {Achado(2, 50, 57, "Data Inválida")}},
      {"00000000", {Achado(2, 50, 57, Obrigatorio)}, {Achado(2, 50, 57, Obrigatorio)}},
      {"1001200 ", {Achado(2, 50, 57, Numerico)}, {Achado(2, 50, 57, Numerico)}},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Execucao1Anexo("X08 ", {ItemX08("0131", c.vencimento)}).r.achados, c.x08)
        << c.vencimento;
    EXPECT_EQ(Execucao1Anexo("X10 ", {ItemX08("0131", c.vencimento)}).r.achados, c.x10)
        << c.vencimento;
  }
}

TEST(AnexosX07aX12, ValoresEInscricaoDoX08eX10NasColunasDeCadaItem) {
  ROLMensal rol;
  rol.Anexo("X08 ", {ItemX08("0131", "10012005", 10, 1, "0123456789"),
                     ItemX08("0131", "10012005", 20, 2, "0123456780")});
  rol.Anexo("X10 ", {ItemX08("0131", "10012005", 300, 3),
                     ItemX08("0131", "10012005", 400, 4, "012345678 ")});
  rol.Registro(2, 46 + 48 + 12, "00000000000x0");  // first amount of the second X08 item
  ExecucaoRetida r;
  r.Roda(rol.Registros(), TabelaSemFechamento());
  EXPECT_EQ(r.achados, (std::vector<std::string>{
                           Achado(2, 106, 118, Numerico),
                           Achado(2, 132, 141, "Dígito controle inválido"),
                           Achado(3, 132, 141, Numerico),
                       }));
  const RetornoMensal& t = Mensal(r.execucao).retorno;
  EXPECT_EQ(t.TotX08a, 10);  // the amount that is not numeric adds nothing
  EXPECT_EQ(t.TotX08b, 3);
  EXPECT_EQ(t.TotX10a, 700);
  EXPECT_EQ(t.TotX10b, 7);
  EXPECT_EQ(Mensal(r.execucao).Lidas(Anexo::X08), 2);
  EXPECT_EQ(Mensal(r.execucao).Lidas(Anexo::X10), 2);
}

TEST(AnexosX07aX12, DezessetesItensDoX08EOMaximo) {
  std::vector<std::string> itens(17, ItemX08("0131", "10012005", 1, 2));
  itens[16] = ItemX08("0131", "10022005", 1, 2);
  Execucao1Anexo e("X08 ", itens);
  EXPECT_EQ(
      e.r.achados,
      (std::vector<std::string>{Achado(2, 818, 825, "Venc Anexo VIII deve ser no Mes/Ano ROL")}));
  EXPECT_EQ(e.mensal().retorno.TotX08a, 17);
  EXPECT_EQ(e.mensal().retorno.TotX08b, 34);
}

TEST(AnexosX07aX12, DiaDeVencimentoDoX09) {
  const PrefixoMensal abril = PrefixoPara("05", "042005");
  const std::string erro32 = "Dia Vencimento Incorreto";
  struct Caso {
    PrefixoMensal prefixo;
    std::string_view dia;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      {{}, "01", {}},
      {{}, "31", {}},
      {abril, "30", {}},
      {abril, "31", {Achado("012/3456789", "04/2005", 2, 46, 47, erro32)}},
      {{}, "32", {Achado(2, 46, 47, erro32)}},
      {{}, "00", {Achado(2, 46, 47, Obrigatorio)}},
      {{}, " 1", {Achado(2, 46, 47, Numerico)}},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(Execucao1Anexo("X09 ", {ItemX09(c.dia)}, c.prefixo).r.achados, c.esperado) << c.dia;
}

TEST(AnexosX07aX12, TotaisDoX09) {
  Execucao1Anexo e("X09 ", {ItemX09("05", 10, 1), ItemX09("06", 20, 2, "0123456780")});
  EXPECT_EQ(e.r.achados,
            (std::vector<std::string>{Achado(2, 112, 121, "Dígito controle inválido")}));
  EXPECT_EQ(e.mensal().retorno.TotX09a, 30);
  EXPECT_EQ(e.mensal().retorno.TotX09b, 3);
  EXPECT_EQ(e.mensal().Lidas(Anexo::X09), 2);
}

TEST(AnexosX07aX12, TrigesimoItemDoX11NasColunas858a885) {
  std::vector<std::string> itens(30, ItemX11(" 1", 1, 2));  // a code with a blank is given
  itens[29] = "  " + std::string("000000000000x") + Digitos(5, 13);
  Execucao1Anexo e("X11 ", itens);
  EXPECT_EQ(e.r.achados, (std::vector<std::string>{Achado(2, 858, 859, Obrigatorio),
                                                   Achado(2, 860, 872, Numerico)}));
  EXPECT_EQ(e.mensal().retorno.TotX11a, 29);
  EXPECT_EQ(e.mensal().retorno.TotX11b, 63);
  EXPECT_EQ(e.mensal().Lidas(Anexo::X11), 30);
}

TEST(AnexosX07aX12, NumeroDoX12ETotais) {
  Execucao1Anexo e("X12 ", {ItemX12("000", 1, 2), ItemX12("a12", 3, 4), ItemX12("999", 5, 6)});
  EXPECT_EQ(e.r.achados, (std::vector<std::string>{Achado(2, 46, 48, Obrigatorio),
                                                   Achado(2, 75, 77, Numerico)}));
  EXPECT_EQ(e.mensal().retorno.TotX12a, 9);
  EXPECT_EQ(e.mensal().retorno.TotX12b, 12);
  EXPECT_EQ(e.mensal().Lidas(Anexo::X12), 3);
}

}  // namespace
}  // namespace rolval::teste
