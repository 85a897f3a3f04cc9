// The text conversions and masks every finding line and report line goes through: Latin-1 and
// UTF-8, zero-filled numbers, the registration and period masks, and the fixed-width items.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "run/Campo.h"
#include "run/Formatos.h"
#include "run/Latin1.h"

namespace rolval {
namespace {

// Every Latin-1 byte, several times over: longer than the conversions' working blocks.
std::string TodosOsBytes(int voltas) {
  std::string s;
  for (int v = 0; v < voltas; ++v)
    for (int c = 0; c < 256; ++c) s.push_back(static_cast<char>(c));
  return s;
}

TEST(Latin1Utf8, IdaEVoltaDeTodosOsBytesEmTextoLongo) {
  const std::string latin1 = TodosOsBytes(5);
  const std::string utf8 = ParaUtf8(latin1);
  EXPECT_EQ(utf8.size(), latin1.size() + 128 * 5);  // every byte above 0x7F takes two
  EXPECT_EQ(ParaLatin1(utf8), latin1);
}

TEST(Latin1Utf8, CaracteresDeDoisBytesNaFronteiraDosBlocos) {
  // Accented characters at every position around the block edges, after long ASCII runs.
  for (std::size_t ascii = 250; ascii < 262; ++ascii) {
    const std::string utf8 = std::string(ascii, 'a') + "çãéíóú°º" + std::string(300, 'b') + "Ç";
    const std::string esperado = std::string(ascii, 'a') + "\xE7\xE3\xE9\xED\xF3\xFA\xB0\xBA" +
                                 std::string(300, 'b') + "\xC7";
    EXPECT_EQ(ParaLatin1(utf8), esperado) << ascii;
    EXPECT_EQ(ParaUtf8(esperado), utf8) << ascii;
  }
}

TEST(Latin1Utf8, AcrescentaAoQueJaHa) {
  std::string destino = "Erro: ";
  AcrescentaLatin1(destino, "Dígito");
  EXPECT_EQ(destino, "Erro: D\xEDgito");
  AcrescentaUtf8(destino, "\xE9");
  EXPECT_EQ(destino, "Erro: D\xEDgito\xC3\xA9");
}

TEST(Latin1Utf8, ForaDoLatin1ESequenciasQuebradasViramInterrogacao) {
  EXPECT_EQ(ParaLatin1("a€b"), "a?b");               // three-byte character beyond Latin-1
  EXPECT_EQ(ParaLatin1("a\xF0\x9F\x98\x80"), "a?");  // four-byte character
  EXPECT_EQ(ParaLatin1("a\x80z"), "a?z");            // a continuation byte alone
  EXPECT_EQ(ParaLatin1("ab\xC3"), "ab?");            // a sequence cut by the end of the text
  EXPECT_EQ(ParaLatin1(""), "");
}

TEST(AcrescentaNumero, LarguraMinimaESinal) {
  struct Caso {
    std::int64_t valor;
    int digitos;
    const char* esperado;
  };
  for (const Caso& c :
       {Caso{0, 3, "000"}, Caso{7, 3, "007"}, Caso{1234, 3, "1234"}, Caso{5, 1, "5"},
        Caso{-5, 3, "-005"}, Caso{-1234, 2, "-1234"}, Caso{42, 0, "42"}, Caso{10, 1, "10"},
        Caso{100, 1, "100"}, Caso{9, 30, "000000000000000000000000000009"},
        Caso{std::numeric_limits<std::int64_t>::min(), 3, "-9223372036854775808"},
        Caso{std::numeric_limits<std::int64_t>::max(), 3, "9223372036854775807"}}) {
    std::string s = "x";
    AcrescentaNumero(s, c.valor, c.digitos);
    EXPECT_EQ(s, std::string("x") + c.esperado) << c.valor << " " << c.digitos;
  }
}

TEST(Mascaras, InscricaoEPeriodoDeQualquerComprimento) {
  EXPECT_EQ(FormataInscricao("1234567897"), "123/4567897");
  EXPECT_EQ(FormataInscricao("0000000012    "), "000/0000012");
  EXPECT_EQ(FormataInscricao("0000000000"), "000/0000000");  // full length, all zeros
  EXPECT_EQ(FormataPeriodo("000000"), "00/0000");
  EXPECT_EQ(FormataInscricao("12345678901234"), "1234567/8901234");
  EXPECT_EQ(FormataInscricao("ABC"), "ABC");
  // Longer than the mask's buffer on the stack.
  EXPECT_EQ(FormataInscricao(std::string(40, '9')),
            std::string(33, '9') + "/" + std::string(7, '9'));
  EXPECT_EQ(FormataPeriodo("052005"), "05/2005");
  EXPECT_EQ(FormataPeriodo("12005"), "01/2005");
  EXPECT_EQ(FormataPeriodo(" 52005"), "05/2005");
  EXPECT_EQ(FormataPeriodo("0"), "00/0000");
  EXPECT_EQ(FormataPeriodo("05/05 "), "05/05 ");
}

TEST(Fixo, PreencheComBrancosOuCorta) {
  Fixo<6> f;
  EXPECT_EQ(f.vista(), "      ");
  f = "05";
  EXPECT_EQ(f.vista(), "05    ");
  f = "0520051234";
  EXPECT_EQ(f.vista(), "052005");
  f = std::string_view();
  EXPECT_EQ(f.vista(), "      ");
  constexpr Fixo<4> constante("AB");
  static_assert(constante.vista() == "AB  ");
}

}  // namespace
}  // namespace rolval
