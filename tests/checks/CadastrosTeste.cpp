// Units, the acceptance of registration numbers, federal taxpayer numbers and month distances.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "checks/Cadastros.h"

namespace rolval {
namespace {

TEST(ValidaUF, AceitaSoOsCodigosExatos) {
  for (const char* uf :
       {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
        "PB", "PR", "PE", "PI", "RN", "RJ", "RO", "TQ", "RR", "SC", "SP", "SE", "TO"})
    EXPECT_TRUE(ValidaUF(uf)) << uf;
  // Lower case, blanks, the list separator, the unit that the home unit replaces, partial codes.
  for (const char* uf :
       {"XX", "sp", "Sp", "A ", " A", "C|", "|A", "AC|AL", "", "A", "SPP", "RS", "  "})
    EXPECT_FALSE(ValidaUF(uf)) << '"' << uf << '"';
}

// A valid home-unit number: 0123456789 has check digit 9.
constexpr std::string_view kInscricaoTQ = "0123456789    ";

TEST(ValidaInscricao, RecusaBrancoInicialEValorZero) {
  EXPECT_TRUE(ValidaInscricao(kInscricaoTQ, "TQ"));
  EXPECT_FALSE(ValidaInscricao(" 123456789    ", "TQ"));
  EXPECT_FALSE(ValidaInscricao(" 123456789    ", "SC"));  // leading blank, whatever the unit
  EXPECT_FALSE(ValidaInscricao("00000000000000", "SC"));
  EXPECT_FALSE(ValidaInscricao("00000000000000", "TQ"));
  EXPECT_FALSE(ValidaInscricao("              ", "SC"));
  EXPECT_FALSE(ValidaInscricao("", "SC"));
}

TEST(ValidaInscricao, TQExigeDezCaracteresSignificativos) {
  // 10 characters followed by four blanks go on to the unit's check; 9 or 11 are refused.
  EXPECT_TRUE(ValidaInscricao("0500000000    ", "TQ"));
  EXPECT_FALSE(ValidaInscricao("050000000     ", "TQ"));
  EXPECT_FALSE(ValidaInscricao("05000000000   ", "TQ"));
}

TEST(ValidaInscricao, AtalhoDaUnidadeDeCasaIgualARegraCompleta) {
  // The home unit's ten digits take a shortcut; the code "TQ" followed by a NUL takes the whole
  // rule (the unit's check on the code as a C string would end) without the length test, which
  // ten digits pass anyway. Both must agree on every number, with its check digit right or not.
  const std::string_view completa("TQ\0", 3);
  std::uint32_t semente = 12345;
  int validas = 0;
  for (int i = 0; i < 3000; ++i) {
    char numero[15] = "0000000000    ";
    for (int k = 0; k < 10; ++k) {
      semente = semente * 1103515245u + 12345u;
      // Some numbers mostly zeros, so that the all-zero number and near ones come up.
      numero[k] = static_cast<char>('0' + (i % 7 == 0 && k < 9 ? 0 : (semente >> 16) % 10));
    }
    const std::string_view n(numero, 14);
    const bool atalho = ValidaInscricao(n, "TQ");
    EXPECT_EQ(atalho, ValidaInscricao(n, completa)) << n;
    validas += atalho ? 1 : 0;
  }
  EXPECT_GT(validas, 100);  // about one in eleven has its check digit right
  EXPECT_FALSE(ValidaInscricao("0000000000    ", "TQ"));
}

TEST(ValidaInscricao, OutrasUnidadesNaoTestamOTamanho) {
  // Santa Catarina numbers have 9 digits; the length test is the home unit's only.
  EXPECT_TRUE(ValidaInscricao("251040852     ", "SC"));
  // 12 digits in Sao Paulo.
  EXPECT_TRUE(ValidaInscricao("110042490114  ", "SP"));
}

TEST(ValidaInscricao, ValorLidoDaEsquerda) {
  // Reading stops at the first character that is neither digit nor blank, so "0-5..." reads as 0.
  EXPECT_FALSE(ValidaInscricao("0-123456789   ", "TQ"));
  // A letter first reads as 0 too (the Sao Paulo rural form "P..." is refused here).
  EXPECT_FALSE(ValidaInscricao("P011004243002 ", "SP"));
}

TEST(ValidaCPFCNPJ, CPF) {
  EXPECT_TRUE(ValidaCPFCNPJ("11144477735"));  // worked by hand: sums 162 and 204 give 3 and 5
  EXPECT_FALSE(ValidaCPFCNPJ("11144477736"));
  EXPECT_FALSE(ValidaCPFCNPJ("11144477725"));
  EXPECT_TRUE(ValidaCPFCNPJ("11111111111"));  // no test for repeated digits
  EXPECT_TRUE(ValidaCPFCNPJ("00000000000"));  // nor for zero: the callers never pass it
  EXPECT_TRUE(ValidaCPFCNPJ("52998224725"));  // published example
  // Worked by hand: sums 34 and 45 leave remainder 1 both, so both check digits are 0 (not 10).
  EXPECT_TRUE(ValidaCPFCNPJ("10000004600"));
  EXPECT_FALSE(ValidaCPFCNPJ("10000004601"));
  EXPECT_FALSE(ValidaCPFCNPJ("10000004610"));
  EXPECT_FALSE(ValidaCPFCNPJ("1114447773"));  // 10 characters
  EXPECT_FALSE(ValidaCPFCNPJ(""));
  EXPECT_FALSE(ValidaCPFCNPJ("111444777350"));   // 12 characters
  EXPECT_FALSE(ValidaCPFCNPJ("1114447773500"));  // 13 characters
  EXPECT_FALSE(ValidaCPFCNPJ("1114447773A"));
}

TEST(ValidaCPFCNPJ, CNPJ) {
  EXPECT_TRUE(ValidaCPFCNPJ("11222333000181"));  // worked by hand: sums 102 and 120 give 8 and 1
  EXPECT_FALSE(ValidaCPFCNPJ("11222333000182"));
  EXPECT_FALSE(ValidaCPFCNPJ("11222333000191"));
  EXPECT_FALSE(ValidaCPFCNPJ("00000000000000"));  // twelve zeros, refused though the digits agree
  EXPECT_TRUE(ValidaCPFCNPJ("00000000000191"));   // by hand: sums 2 and 21 give 9 and 1
  EXPECT_FALSE(ValidaCPFCNPJ("00000000000192"));
  EXPECT_FALSE(ValidaCPFCNPJ("112223330001811"));  // 15 characters
  EXPECT_FALSE(ValidaCPFCNPJ("1122233300018 "));
}

// The digits a number should end with, whatever it ends with, and whatever the verdict.
TEST(ValidaCPFCNPJ, DigitosEsperados) {
  const std::pair<const char*, int> casos[] = {
      {"11144477736", 35},    {"10000004601", 0},    {"52998224725", 25},
      {"11222333000182", 81}, {"00000000000000", 0}, {"00000000000192", 91},
      {"1114447773", -1},     {"1114447773A", -1},   {"112223330001811", -1},
  };
  for (const auto& [numero, esperado] : casos)
    EXPECT_EQ(DigitosEsperadosCPFCNPJ(numero), esperado) << numero;
}

TEST(DiferencaMeses, CasosDoCalendario) {
  struct Caso {
    std::int32_t mes1, ano1, mes2, ano2, esperado;
  };
  const Caso casos[] = {
      {12, 2000, 2, 2001, 2},   {5, 2000, 5, 2000, 0},  {6, 2000, 5, 2000, -1},
      {1, 2000, 12, 2000, 11},  {1, 2000, 1, 2001, 12}, {12, 1999, 1, 2000, 1},
      {3, 1998, 7, 2023, 304},  {5, 2000, 4, 2001, 11}, {1, 2001, 12, 2000, -1},
      {1, 1, 0, 0, -1},          // an empty date "00000000" as the second period
      {1, 0, 12, 9999, 119999},  // the widest span of four-digit years, counted without a loop
  };
  for (const Caso& c : casos)
    EXPECT_EQ(DiferencaMeses(c.mes1, c.ano1, c.mes2, c.ano2), c.esperado)
        << c.mes1 << '/' << c.ano1 << " -> " << c.mes2 << '/' << c.ano2;
}

// The stepping exactly as written: one month at a time, past 12 to month 1 of the next year, while
// the key AAAAMM of the first period is below the second's.
std::int32_t DiferencaPassoAPasso(std::int32_t mes1, std::int32_t ano1, std::int32_t mes2,
                                  std::int32_t ano2) {
  auto chave = [](std::int32_t mes, std::int32_t ano) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "%04d%02d", ano, mes);
    return std::string(texto);
  };
  const std::string k2 = chave(mes2, ano2);
  std::string k1 = chave(mes1, ano1);
  if (k1 > k2) return -1;
  std::int32_t n = 0;
  while (k1 < k2) {
    ++n;
    if (++mes1 > 12) {
      mes1 = 1;
      ++ano1;
    }
    k1 = chave(mes1, ano1);
  }
  return n;
}

TEST(DiferencaMeses, IgualAoPassoAPassoInclusiveComMesesForaDoCalendario) {
  // Months 0..99 (two-digit fields) around three years, against the literal stepping.
  for (std::int32_t ano1 : {1999, 2000, 2001})
    for (std::int32_t mes1 = 0; mes1 <= 99; ++mes1)
      for (std::int32_t ano2 : {1999, 2000, 2002})
        for (std::int32_t mes2 = 0; mes2 <= 99; mes2 += 1)
          ASSERT_EQ(DiferencaMeses(mes1, ano1, mes2, ano2),
                    DiferencaPassoAPasso(mes1, ano1, mes2, ano2))
              << mes1 << '/' << ano1 << " -> " << mes2 << '/' << ano2;
}

}  // namespace
}  // namespace rolval
