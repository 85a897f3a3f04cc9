// The registration-number rule of every unit.
//
// Where each number comes from:
//   pub  - a worked example published with the unit's rule, or a number given as valid in public
//          documentation of the rule;
//   hand - worked out by hand from the rule (the weighted sums are in the comment where a special
//          case is what the number is there for).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checks/Cadastros.h"
#include "checks/InscricaoEstadual.h"

namespace rolval {
namespace {

// The field as the records hold it: 14 characters, left-aligned, blank-padded.
std::string Campo14(std::string_view numero) {
  std::string campo(numero);
  if (campo.size() < 14) campo.resize(14, ' ');
  return campo;
}

std::int16_t Consiste(std::string_view numero, const char* uf) {
  return ConsisteInscricaoEstadual(Campo14(numero).c_str(), uf);
}

struct CasoUnidade {
  const char* uf;
  std::vector<const char*> validos;
  std::vector<const char*> invalidos;  // a spoiled check digit
};

const std::vector<CasoUnidade>& CasosPorUnidade() {
  static const std::vector<CasoUnidade> casos = {
      {"TQ",
       {"0123456789",   // pub: sum 156, remainder 2, digit 9
        "0500000000",   // pub: sum 45, remainder 1, 10 gives 0
        "1234567897"},  // hand: sum 202, remainder 4
       {"0123456788", "0500000001"}},
      {"AC",
       {"0100482300112",   // pub
        "0172030964575",   // pub
        "0154899511703",   // pub
        "0112345678940"},  // hand
       {"0100482300113", "0100482300102"}},
      {"AL",
       {"240000048",   // pub
        "248368818",   // pub
        "243000006",   // hand: kind 3
        "245123458"},  // hand: kind 5
       {"240000049", "247123454"}},
      {"AP",
       {"030123459",   // pub: above 03019022, nothing added
        "030000020",   // hand: first range, sum 28 + 5 = 33, 11 - 0 = 11 gives 0
        "030000080",   // hand: first range, sum 40 + 5 = 45, 11 - 1 = 10 gives 0
        "030170071",   // hand: second range, sum 79 + 9 = 88, 11 - 0 = 11 gives 1
        "030170020",   // hand: second range, sum 69 + 9 = 78, 11 - 1 = 10 gives 0
        "030190290"},  // hand: above the ranges, sum 99, 11 gives 0
       {"030123458", "030170070", "030000021"}},
      {"AM",
       {"999999990",   // pub
        "041458710",   // hand
        "000000019",   // hand: sum 2 below 11, digit 11 - 2
        "010000003"},  // hand: sum 8 below 11
       {"999999991", "041458711"}},
      {"BA",
       {"12345663",   // pub: 8 digits, modulus 10
        "61234557",   // pub: 8 digits, modulus 11
        "100000306",  // pub: 9 digits, modulus 10
        "123456748",  // pub: 9 digits, modulus 10
        "162345651",  // pub: 9 digits, modulus 11 (second digit 6)
        "60000140",   // hand: modulus 11, second digit from sum 44, remainder 0 gives 0
        "78901215"},  // hand: modulus 11
       {"12345664", "12345653", "123456749", "162345641"}},
      {"CE",
       {"060000015" /* pub */, "061234567" /* hand */, "069999996" /* hand */},
       {"060000016"}},
      {"DF",
       {"0730000100109",   // pub
        "0712345678980",   // hand
        "0700000000102"},  // hand
       {"0730000100108", "0730000100119"}},
      {"ES", {"082001197", "081000006", "082345678"} /* hand */, {"082001196"}},
      {"GO",
       {"109876547",   // pub
        "111234565",   // hand
        "151234566",   // hand
        "201234564",   // hand
        "101031051",   // hand: remainder 1 inside 10103105-10119997 gives 1
        "102000000",   // hand: remainder 1 outside that range gives 0
        "110944020",   // pub: 11094402 takes 0 ...
        "110944021"},  // pub: ... or 1
       {"109876548", "101031050", "102000001"}},
      {"MA",
       {"120000385" /* pub */, "121043762" /* hand */, "129999997" /* hand */},
       {"120000386"}},
      {"MT",
       {"00130000019",  // pub
        "00131234560",  // hand
        "13123456780",  // hand
        "130000019",    // pub, written without its two leading zeros
        "1312345672"},  // hand, without one leading zero
       {"00130000018", "130000018"}},
      {"MS", {"280000006", "283123451", "289999995"} /* hand */, {"280000007"}},
      {"MG",
       {"0623079040081",   // pub
        "8222310008332",   // pub
        "3123456789017",   // hand
        "7001234560179"},  // hand
       {"0623079040082", "0623079040091", "8364357019828"}},
      {"PA",
       {"159999995",   // pub
        "150000014",   // hand
        "151234566",   // hand
        "750000023",   // pub: the newer numbering, prefixes 75 to 79
        "760000000",   // hand: sum 100, remainder 1 gives 0
        "771234562",   // hand
        "789999994",   // hand
        "790000016"},  // hand
       {"159999996", "750000024", "790000015"}},
      {"PB",
       {"060000015" /* pub */, "160000017" /* hand */, "161234569" /* hand */},
       {"160000018"}},
      {"PR",
       {"1234567850",   // pub
        "4120000050",   // hand
        "9876543254"},  // hand
       {"1234567851", "1234567840"}},
      {"PE",
       {"032141840",        // pub
        "123456797",        // hand
        "18100100000049",   // pub: the 14-digit form
        "00000000000019"},  // hand: the 14-digit form
       {"032141841", "032141850", "18100100000048"}},
      {"PI",
       {"012345679" /* pub */, "190000015" /* hand */, "193016567" /* hand */},
       {"012345678"}},
      {"RN",
       {"200400401",    // pub
        "209999993",    // hand
        "2000400400",   // pub: the 10-digit form
        "2055555553"},  // hand: the 10-digit form
       {"200400402", "2000400401"}},
      {"RJ", {"99999993" /* pub */, "12345674" /* hand */, "80000006" /* hand */}, {"99999994"}},
      {"RO",
       {"00000000625213",  // pub
        "12345678901231",  // hand
        "00000000000141",  // hand: sum 11, 11 - 0 = 11 loses its ten: 1
        "00000000000060",  // hand: sum 12, 11 - 1 = 10 loses its ten: 0
        "101625213"},      // pub: the 9-digit form used before
       {"00000000625214", "101625214", "00000000000140"}},
      {"RR",
       {"240066281" /* pub */, "240123452" /* hand */, "249999991" /* hand */},
       {"240066282"}},
      {"SC",
       {"251040852" /* pub */, "250000008" /* hand */, "255123450" /* hand */},
       {"251040853"}},
      {"SP",
       {"110042490114",    // pub: first remainder 10 gives 0
        "652896367166",    // pub
        "123456785004",    // hand
        "P011004243002",   // pub: rural producer
        "P012345675002"},  // hand: rural producer
       {"110042490115", "110042491114", "P011004244002"}},
      {"SE",
       {"271234563" /* pub */, "270000003" /* hand */, "272567892" /* hand */},
       {"271234564"}},
      {"TO",
       {"29010227836",  // pub: the 11-digit form, kind 01
        "290227836",    // hand: the same number in the 9-digit form
        "29021234569",  // hand: kind 02
        "29997654322",  // hand: kind 99
        "290102278"},   // hand
       {"29010227837", "290227837"}},
  };
  return casos;
}

TEST(ConsisteInscricaoEstadual, CadaUnidadeAceitaOsValidosERecusaODigitoTrocado) {
  std::vector<std::string> unidades;
  for (const CasoUnidade& caso : CasosPorUnidade()) {
    unidades.emplace_back(caso.uf);
    EXPECT_GE(caso.validos.size(), 3u) << caso.uf;
    EXPECT_GE(caso.invalidos.size(), 1u) << caso.uf;
    for (const char* numero : caso.validos)
      EXPECT_EQ(Consiste(numero, caso.uf), kInscricaoValida) << caso.uf << ' ' << numero;
    for (const char* numero : caso.invalidos)
      EXPECT_EQ(Consiste(numero, caso.uf), kInscricaoInvalida) << caso.uf << ' ' << numero;
  }
  // Every one of the 27 units is in the table above.
  for (const char* uf :
       {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
        "PB", "PR", "PE", "PI", "RN", "RJ", "RO", "TQ", "RR", "SC", "SP", "SE", "TO"})
    EXPECT_NE(std::find(unidades.begin(), unidades.end(), uf), unidades.end()) << uf;
}

TEST(ConsisteInscricaoEstadual, PrefixosETiposFixos) {
  // Each number has the right check digits for its weights but not the prefix or kind its unit
  // requires (all worked out by hand).
  const struct {
    const char* uf;
    const char* numero;
  } casos[] = {
      {"AC", "0200482300194"}, {"DF", "0930000100144"}, {"DF", "0630000100129"},
      {"AL", "251000044"},     {"AP", "040123456"},     {"GO", "129876542"},
      {"GO", "309876540"},     {"MA", "130000388"},     {"MS", "290000009"},
      {"PA", "169999998"},     {"PA", "149999992"},     {"PA", "740000020"},
      {"PA", "800000013"},     {"RN", "210400404"},     {"RR", "250066283"},
      {"TO", "29040227836"},  // kind 04
  };
  for (const auto& c : casos)
    EXPECT_EQ(Consiste(c.numero, c.uf), kInscricaoInvalida) << c.uf << ' ' << c.numero;
}

TEST(ConsisteInscricaoEstadual, SeriesNovasEFormasRevistas) {
  // The series the units opened since 2019 (DF 08, GO 20 to 29, PA 75 to 79), the AL third digit
  // that is no longer a kind of business, and the upper end of the GO range where a remainder of 1
  // gives 1: the last number inside it and the first one above it whose remainder is 1.
  const struct {
    const char* uf;
    const char* numero;
    bool valida;
  } casos[] = {
      {"DF", "0803455100107", true},   // pub: a registered number of the 08 series
      {"DF", "0803455100108", false},  // the same, second check digit spoiled
      {"DF", "0803455100117", false},  // the same, first check digit spoiled
      {"DF", "0812345678952", true},   // hand
      {"DF", "0800000000176", true},   // hand
      {"GO", "201050412", true},       // pub: a registered number of the 20 series
      {"GO", "201050413", false},      // the same, check digit spoiled
      {"GO", "209999993", true},       // hand
      {"GO", "291234569", true},       // hand
      {"GO", "291234568", false},      // hand, check digit spoiled
      {"PA", "750000023", true},       // pub: a worked example of the 75 series
      {"PA", "750000024", false},      // the same, check digit spoiled
      {"PA", "159999995", true},       // pub: the 15 series still valid
      {"PA", "771234562", true},       // hand
      {"PA", "771234563", false},      // hand, check digit spoiled
      {"AL", "241000041", true},       // hand: third digit 1
      {"AL", "242345670", true},       // hand: third digit 2
      {"AL", "246543213", true},       // hand: third digit 6
      {"AL", "246543214", false},      // the same, check digit spoiled
      {"GO", "101199971", true},       // hand: 10119997, sum 144, remainder 1 inside: 1
      {"GO", "101199970", false},      // the same with 0
      {"GO", "101200030", true},       // hand: 10120003, sum 34, remainder 1 above: 0
      {"GO", "101200031", false},      // the same with 1
  };
  for (const auto& c : casos)
    EXPECT_EQ(Consiste(c.numero, c.uf), c.valida ? kInscricaoValida : kInscricaoInvalida)
        << c.uf << ' ' << c.numero;
}

TEST(ConsisteInscricaoEstadual, TamanhoDaUnidade) {
  // TQ takes exactly 10 significant characters.
  EXPECT_EQ(Consiste("0123456789", "TQ"), kInscricaoValida);
  EXPECT_EQ(Consiste("012345678", "TQ"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("01234567890", "TQ"), kInscricaoInvalida);
  // A 9-digit number with an extra digit, or cut short, is no longer a CE number.
  EXPECT_EQ(Consiste("0600000150", "CE"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("06000010", "CE"), kInscricaoInvalida);  // right digit for 8 digits
  // MT numbers shorter than 9 digits are not read as padded.
  EXPECT_EQ(Consiste("13000001", "MT"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("", "SP"), kInscricaoInvalida);
}

TEST(ConsisteInscricaoEstadual, SoAlgarismosSalvoALetraDaForma) {
  // Blanks after the number are the padding of the field.
  EXPECT_EQ(ConsisteInscricaoEstadual("060000015", "CE"), kInscricaoValida);
  EXPECT_EQ(ConsisteInscricaoEstadual("060000015     ", "CE"), kInscricaoValida);
  EXPECT_EQ(ConsisteInscricaoEstadual("060000015              ", "CE"), kInscricaoValida);
  // A leading or inner blank, separators, a sign or a letter make the number invalid.
  for (const char* numero : {" 060000015", "0600 00015", "06.000001-5", "06000001/5", "+60000015",
                             "06000001A", "06000001\t"})
    EXPECT_EQ(Consiste(numero, "CE"), kInscricaoInvalida) << '"' << numero << '"';
  // The SP rural-producer letter is accepted only upper case, only first, and only for SP.
  EXPECT_EQ(Consiste("p011004243002", "SP"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("X011004243002", "SP"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("0P11004243002", "SP"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("P011004243002", "MG"), kInscricaoInvalida);
  EXPECT_EQ(Consiste("P01100424300", "SP"), kInscricaoInvalida);  // one digit short
}

TEST(ConsisteInscricaoEstadual, UnidadeDesconhecida) {
  for (const char* uf : {"RS", "XX", "sp", "Sp", "SP ", "S", "", "C|"})
    EXPECT_EQ(Consiste("110042490114", uf), kUnidadeDesconhecida) << '"' << uf << '"';
  EXPECT_EQ(ConsisteInscricaoEstadual("110042490114", nullptr), kUnidadeDesconhecida);
  EXPECT_EQ(ConsisteInscricaoEstadual(nullptr, "SP"), kInscricaoInvalida);
}

TEST(ConsisteInscricao, VistasRespondemComoOsTextosTerminadosEmNulo) {
  // Every number of the table, as a field and then with a NUL inside it: the views end where the
  // C strings end, at the first NUL.
  for (const CasoUnidade& caso : CasosPorUnidade()) {
    std::vector<const char*> numeros = caso.validos;
    numeros.insert(numeros.end(), caso.invalidos.begin(), caso.invalidos.end());
    for (const char* numero : numeros) {
      const std::string campo = Campo14(numero);
      EXPECT_EQ(ConsisteInscricao(campo, caso.uf), Consiste(numero, caso.uf)) << numero;
      std::string comNulo = std::string(numero) + '\0' + "99";
      EXPECT_EQ(ConsisteInscricao(comNulo, caso.uf), Consiste(numero, caso.uf)) << numero;
      comNulo = std::string(numero).substr(0, 4) + '\0' + (numero + 4);
      EXPECT_EQ(ConsisteInscricao(comNulo, caso.uf),
                ConsisteInscricaoEstadual(comNulo.c_str(), caso.uf))
          << numero;
      EXPECT_EQ(ConsisteInscricao(campo, std::string(caso.uf) + '\0' + "X"),
                Consiste(numero, caso.uf))
          << numero;
    }
  }
  EXPECT_EQ(ConsisteInscricao(Campo14("0123456789"), std::string_view("\0TQ", 3)),
            kUnidadeDesconhecida);
}

TEST(ValidaInscricao, ConsultaARegraDaUnidade) {
  EXPECT_TRUE(ValidaInscricao(Campo14("251040852"), "SC"));
  EXPECT_FALSE(ValidaInscricao(Campo14("251040853"), "SC"));
  EXPECT_TRUE(ValidaInscricao(Campo14("0123456789"), "TQ"));
  EXPECT_FALSE(ValidaInscricao(Campo14("0123456788"), "TQ"));
  // A unit the rules do not know refuses every number.
  EXPECT_FALSE(ValidaInscricao(Campo14("251040852"), "XX"));
}

}  // namespace
}  // namespace rolval
