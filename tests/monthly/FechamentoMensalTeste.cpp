// The checks made when a monthly return closes, at the next header or at the end of the file:
// declared against counted annex lines, header amounts against annex totals, the two balances,
// the X07 mark and the CFOP reconciliation. Their findings name the closing return.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "layouts/Layouts.h"
#include "run/Formatos.h"
#include "tests/monthly/RegistrosMensais.h"

namespace rolval::teste {
namespace {

const std::string Linhas5 = "Nro de linhas do anexo inválido";
const std::string Valor33 = "Valor Incorreto da Referência";
const std::string Proprio47 = "Cálculo de ICMS Próprio Incorreto";
const std::string Subst48 = "Cálculo ICMS Subst. Trib. Incorreto";

std::string Quinze(std::int64_t valor) { return Digitos(valor, 15); }

std::vector<std::string> Roda(const std::vector<std::string>& registros) {
  ExecucaoRetida r;
  r.Roda(registros, TabelaPadrao());
  return r.achados;
}

TEST(ConfereLinhasAnexos, LinhasDeclaradasSemAnexoAntesDeOutroCabecalho) {
  ROLMensal primeiro;
  primeiro.Cabecalho(841, "002");
  const ROLMensal segundo(PrefixoPara("05", "022005", InscricaoComDigito("987654321")));
  // The finding names the first return's registration, period and header line.
  EXPECT_EQ(Roda(Junta({primeiro, segundo})),
            (std::vector<std::string>{Achado(1, 841, 843, Linhas5)}));
}

TEST(ConfereLinhasAnexos, UltimoRetornoSoTemAContagemQuandoAlgumAnexoFoiContado) {
  ROLMensal semAnexo;
  semAnexo.Cabecalho(841, "002");
  EXPECT_TRUE(Roda(semAnexo.Registros()).empty());

  ROLMensal comAnexo;
  comAnexo.Cabecalho(841, "002").Anexo("X12 ", {ItemX12("001", 0, 0)});
  EXPECT_EQ(Roda(comAnexo.Registros()), (std::vector<std::string>{Achado(1, 841, 843, Linhas5)}));
}

TEST(ConfereLinhasAnexos, AnexosDeDetalheSemOAnexoQueDetalham) {
  ROLMensal rol;
  rol.Anexo("X03A", {ItemX03A(5)})             // line 2: code 5 is not among the X03 codes
      .Anexo("X05A", {ItemX05A(102)})          // line 3: CFOP 102 is not among the X05 CFOPs
      .Anexo("X07A", {ItemX07A("102", 0, 0)})  // line 4
      .Cabecalho(889, "001");                  // one X12 line declared, none given
  EXPECT_EQ(Roda(rol.Registros()), (std::vector<std::string>{
                                       Achado(2, 46, 48, "Código Inválido"),
                                       Achado(3, 46, 48, "CFOP inválido"),
                                       Achado(2, 0, 0, "Anexo X03a sem Anexo X03"),
                                       Achado(3, 0, 0, "Anexo X05a ou X05b sem Anexo X05"),
                                       Achado(4, 0, 0, "Anexo X07a ou X07b sem Anexo X07"),
                                       Achado(1, 889, 891, Linhas5),
                                   }));
}

TEST(ConfereLinhasAnexos, DiferencasNaOrdemDosTipos) {
  ROLMensal rol;
  rol.Anexo("X09 ", {ItemX09("10", 0, 0)})
      .Cabecalho(889, "003")
      .Cabecalho(880, "002")
      .Cabecalho(871, "001");
  rol.Cabecalho(844, "001");
  EXPECT_EQ(Roda(rol.Registros()),
            (std::vector<std::string>{Achado(1, 844, 846, Linhas5), Achado(1, 871, 873, Linhas5),
                                      Achado(1, 880, 882, Linhas5), Achado(1, 889, 891, Linhas5)}));
}

TEST(ConfereValores, TotaisDoCabecalhoContraOsAnexos) {
  struct Caso {
    const char* nome;
    std::function<void(ROLMensal&)> monta;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      {"X01",
       [](ROLMensal& r) { r.Anexo("X01 ", {ItemX01(102, 5)}); },
       {Achado(1, 44, 58, Valor33)}},
      {"44 without X01",
       [](ROLMensal& r) {
         r.Cabecalho(44, Quinze(7)).Cabecalho(194, Quinze(7)).Cabecalho(555, Quinze(7));
       },
       {}},
      {"X02",
       [](ROLMensal& r) { r.Anexo("X02 ", {ItemX02("0123456789", 5)}); },
       {Achado(1, 74, 88, Valor33)}},
      {"X03",
       [](ROLMensal& r) { r.Anexo("X03 ", {ItemX03(1, 5)}); },
       {Achado(1, 89, 103, Valor33)}},
      {"X04",
       [](ROLMensal& r) { r.Anexo("X04 ", {ItemX04("0131122004", "10012005", 2, 7)}); },
       {Achado(1, 104, 118, Valor33)}},
      {"X05",
       [](ROLMensal& r) { r.Anexo("X05 ", {ItemX01(102, 5)}); },
       {Achado(1, 209, 223, Valor33)}},
      {"X06",
       [](ROLMensal& r) { r.Anexo("X06 ", {ItemX02("0123456789", 5)}); },
       {Achado(1, 254, 268, Valor33)}},
      {"X10 paid",
       [](ROLMensal& r) { r.Anexo("X10 ", {ItemX08("0131", "10012005", 0, 5)}); },
       {Achado(1, 465, 479, Valor33)}},
      {"X10 own",
       [](ROLMensal& r) { r.Anexo("X10 ", {ItemX08("0131", "10012005", 5, 0)}); },
       {Achado(1, 510, 524, Valor33)}},
      {"X11",
       [](ROLMensal& r) { r.Anexo("X11 ", {ItemX11("01", 3, 4)}); },
       {Achado(1, 703, 717, Valor33), Achado(1, 718, 732, Valor33)}},
      {"X11 matching",
       [](ROLMensal& r) {
         r.Anexo("X11 ", {ItemX11("01", 3, 4)}).Cabecalho(703, Quinze(3)).Cabecalho(718, Quinze(4));
         r.Cabecalho(763, Quinze(3)).Cabecalho(778, Quinze(4));
       },
       {}},
      {"X12",
       [](ROLMensal& r) { r.Anexo("X12 ", {ItemX12("001", 3, 4)}); },
       {Achado(1, 733, 747, Valor33), Achado(1, 748, 762, Valor33)}},
      {"X07A",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)}).Anexo("X07A", {ItemX07A("102", 0, 5)});
       },
       {Achado(2, 46, 58, "Valor Incorreto")}},
      {"X07B",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)}).Anexo("X07B", {ItemX07A("102", 0, 5)});
       },
       {Achado(2, 145, 157, "Valor Incorreto")}},
  };
  for (const Caso& c : casos) {
    ROLMensal rol;
    c.monta(rol);
    EXPECT_EQ(Roda(rol.Registros()), c.esperado) << c.nome;
  }
}

TEST(ConfereValores, MarcaDoAnexo7) {
  struct Caso {
    const char* nome;
    std::function<void(ROLMensal&)> monta;
    std::vector<std::string> esperado;
  };
  const std::string erro34 = "Deve existir apenas UM Anexo 7";
  const Caso casos[] = {
      {"N with one X07, one X07A item and one X07B item",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(5, 0, 5, 0)})
             .Anexo("X07A", {ItemX07A("102", 0, 5)})
             .Anexo("X07B", {ItemX07A("102", 0, 5)});
       },
       {}},
      {"N with two X07A items",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(5, 0, 5, 0)})
             .Anexo("X07A", {ItemX07A("102", 0, 2), ItemX07A("102", 0, 3)})
             .Anexo("X07B", {ItemX07A("102", 0, 5)});
       },
       {Achado(1, 374, 374, "Não pode ter anexo 7, 7a e 7b")}},
      {"S without X07", [](ROLMensal& r) { r.Cabecalho(374, "S"); }, {Achado(1, 374, 374, erro34)}},
      {"S with two X07",
       [](ROLMensal& r) {
         r.Cabecalho(374, "S")
             .Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)})
             .Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)});
       },
       {Achado(1, 374, 374, erro34)}},
      {"S with one X07",
       [](ROLMensal& r) { r.Cabecalho(374, "S").Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)}); },
       {}},
  };
  for (const Caso& c : casos) {
    ROLMensal rol;
    c.monta(rol);
    EXPECT_EQ(Roda(rol.Registros()), c.esperado) << c.nome;
  }
}

TEST(ConfereValores, SaldosDoImpostoProprioEDaSubstituicao) {
  struct Caso {
    const char* nome;
    std::function<void(ROLMensal&)> monta;
    std::vector<std::string> esperado;
  };
  // Own balance = 359 - X09a - 194 - X08a - 375 - 390 + 525; credits of 10 make it -10.
  auto credito10 = [](ROLMensal& r) { r.Cabecalho(44, Quinze(10)).Cabecalho(194, Quinze(10)); };
  const Caso casos[] = {
      {"own negative, carried at 555",
       [=](ROLMensal& r) {
         credito10(r);
         r.Cabecalho(555, Quinze(10));
       },
       {}},
      {"own negative, 555 short",
       [=](ROLMensal& r) {
         credito10(r);
         r.Cabecalho(555, Quinze(9));
       },
       {Achado(1, 555, 569, Proprio47)}},
      {"own negative, paid at 480",
       [=](ROLMensal& r) {
         credito10(r);
         r.Cabecalho(480, Quinze(10)).Cabecalho(555, Quinze(10));
       },
       {Achado(1, 480, 494, Proprio47), Achado(1, 510, 524, Valor33)}},
      {"own positive, paid through X10 and 495",
       [](ROLMensal& r) {
         r.Cabecalho(209, Quinze(10)).Cabecalho(359, Quinze(10)).Cabecalho(480, Quinze(10));
         r.Cabecalho(495, Quinze(4))
             .Cabecalho(510, Quinze(6))
             .Anexo("X10 ", {ItemX08("0131", "10012005", 6, 0)});
       },
       {}},
      {"X08 and header 804 against 435",
       [](ROLMensal& r) {
         r.Anexo("X08 ", {ItemX08("0131", "10012005", 5, 0)})
             .Cabecalho(804, Quinze(2))
             .Cabecalho(435, Quinze(7))
             .Cabecalho(555, Quinze(7));
       },
       {}},
      {"X08 short of 435",
       [](ROLMensal& r) {
         r.Anexo("X08 ", {ItemX08("0131", "10012005", 5, 0)}).Cabecalho(555, Quinze(5));
       },
       {Achado(1, 435, 449, Valor33)}},
      {"X09 against 450",
       [](ROLMensal& r) { r.Anexo("X09 ", {ItemX09("10", 4, 0)}).Cabecalho(555, Quinze(4)); },
       {Achado(1, 450, 464, Valor33)}},
      {"substitution positive, nothing at 465",
       [](ROLMensal& r) { r.Cabecalho(374, "S").Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 7)}); },
       {Achado(1, 465, 479, Subst48)}},
      {"substitution positive, paid through X10",
       [](ROLMensal& r) {
         r.Cabecalho(374, "S")
             .Cabecalho(465, Quinze(7))
             .Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 7)})
             .Anexo("X10 ", {ItemX08("0131", "10012005", 0, 7)});
       },
       {}},
      {"substitution negative, nothing at 540",
       [](ROLMensal& r) { r.Cabecalho(374, "S").Anexo("X07 ", {CorpoX07Somado(0, 7, 0, 0)}); },
       {Achado(1, 540, 554, Subst48)}},
      {"substitution negative, carried at 540",
       [](ROLMensal& r) {
         r.Cabecalho(374, "S")
             .Cabecalho(540, Quinze(7))
             .Anexo("X07 ", {CorpoX07Somado(0, 7, 0, 0)});
       },
       {}},
      {"mark N with an amount at 465",
       [](ROLMensal& r) {
         r.Cabecalho(465, Quinze(3)).Anexo("X10 ", {ItemX08("0131", "10012005", 0, 3)});
       },
       {Achado(1, 465, 479, Subst48), Achado(1, 465, 479, Subst48)}},
      {"mark N with an amount at 540",
       [](ROLMensal& r) { r.Cabecalho(540, Quinze(3)); },
       {Achado(1, 540, 554, Subst48), Achado(1, 540, 554, Subst48)}},
      // The least amount is already one too many: the second finding is the mark's.
      {"mark N with 1 at 465",
       [](ROLMensal& r) {
         r.Cabecalho(465, Quinze(1)).Anexo("X10 ", {ItemX08("0131", "10012005", 0, 1)});
       },
       {Achado(1, 465, 479, Subst48), Achado(1, 465, 479, Subst48)}},
      {"mark N with 1 at 540",
       [](ROLMensal& r) { r.Cabecalho(540, Quinze(1)); },
       {Achado(1, 540, 554, Subst48), Achado(1, 540, 554, Subst48)}},
  };
  for (const Caso& c : casos) {
    ROLMensal rol;
    c.monta(rol);
    EXPECT_EQ(Roda(rol.Registros()), c.esperado) << c.nome;
  }
}

TEST(ConfereValores, CfopDoX05DetalhadoNoX05AeX05B) {
  auto rol = [](std::int64_t x05a) {
    ROLMensal r;
    r.Anexo("X05 ", {ItemX01(102, 0, 60)})
        .Anexo("X05 ", {ItemX01(102, 0, 40)});  // one entry of 100
    r.Anexo("X05A", {ItemX05A(102, x05a)});
    return r.Registros();
  };
  EXPECT_TRUE(Roda(rol(100)).empty());
  // One unit short: the CFOP is named, with the line of the last X05 record.
  EXPECT_EQ(Roda(rol(99)),
            (std::vector<std::string>{Achado(3, 999, 999, "Valor do CFOP 102 incorreto")}));

  ROLMensal varios;
  varios.Anexo("X05 ", {ItemX01(102, 0, 10), ItemX01(201, 0, 0, 20), ItemX01(301, 0, 0, 0)});
  varios.Anexo("X05A", {ItemX05A(102, 11), ItemX05A(201, 5)});
  EXPECT_EQ(Roda(varios.Registros()),
            (std::vector<std::string>{Achado(2, 999, 999, "Valor do CFOP 102 incorreto"),
                                      Achado(2, 999, 999, "Valor do CFOP 201 incorreto")}));
}

TEST(ConfereValores, AchadosDoFechamentoNomeiamORetornoQueFecha) {
  ROLMensal primeiro;
  primeiro
      .Anexo("X05 ", {ItemX01(102, 0, 10)})         // line 2
      .Anexo("X05A", {ItemX05A(102, 9)})            // line 3
      .Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)})  // line 4
      .Anexo("X07A", {ItemX07A("102", 0, 5)});      // line 5
  const std::string outra = InscricaoComDigito("987654321");
  ROLMensal segundo(PrefixoPara("05", "022005", outra));
  segundo.Cabecalho(555, Quinze(1));  // line 6, closed at the end of the file
  EXPECT_EQ(Roda(Junta({primeiro, segundo})),
            (std::vector<std::string>{
                Achado(2, 999, 999, "Valor do CFOP 102 incorreto"),
                Achado(4, 46, 58, "Valor Incorreto"),
                Achado(FormataInscricao(outra), "02/2005", 6, 555, 569, Proprio47),
            }));
}

}  // namespace
}  // namespace rolval::teste
