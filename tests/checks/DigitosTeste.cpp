// The word-at-a-time digit test and conversions against the plain decimal rule, for every field
// length up to 20 and every kind of character at every position.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "checks/Numeros.h"

namespace rolval {
namespace {

// The decimal rule character by character: each character counts as its code minus '0'.
std::uint64_t ValorPorCaractere(std::string_view s) {
  std::uint64_t v = 0;
  for (const char c : s)
    v = v * 10 + static_cast<std::uint64_t>(static_cast<std::int64_t>(c - '0'));
  return v;
}

// Digits that differ from position to position, so that a digit read at the wrong place shows.
std::string Digitos(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('1' + (i * 7) % 9));
  return s;
}

// Characters around the digits: high half 3 with a low half above 9, low half of a digit under
// another high half, the neighbours of '0' and '9', blanks, signs and bytes above 0x7F.
constexpr char NaoDigitos[] = {':',    ';',    '?',    '/',    ' ',   '+',    '-',
                               '.',    'A',    'p',    'y',    '\0',  '\x10', '\x7F',
                               '\x80', '\xB0', '\xB9', '\xF9', '\xFF'};

TEST(ValidaNumericoPalavra, TodoComprimentoSoDeDigitosENumerico) {
  for (std::size_t n = 1; n <= 20; ++n) {
    const std::string campo = "xx" + Digitos(n) + "yy";
    EXPECT_TRUE(ValidaNumerico(campo, 3, static_cast<int>(n))) << n;
    EXPECT_TRUE(ValidaNumerico(std::string(n, '0'), 1, static_cast<int>(n))) << n;
    EXPECT_TRUE(ValidaNumerico(std::string(n, '9'), 1, static_cast<int>(n))) << n;
  }
}

TEST(ValidaNumericoPalavra, UmNaoDigitoEmQualquerPosicaoReprova) {
  for (std::size_t n = 1; n <= 20; ++n) {
    for (std::size_t pos = 0; pos < n; ++pos) {
      for (const char c : NaoDigitos) {
        std::string campo = Digitos(n);
        campo[pos] = c;
        EXPECT_FALSE(ValidaNumerico(campo, 1, static_cast<int>(n)))
            << "length " << n << " position " << pos << " byte "
            << static_cast<int>(static_cast<unsigned char>(c));
      }
    }
  }
}

TEST(ValorInteiroPalavra, IgualAoDaRegraDecimalEmTodoComprimento) {
  for (std::size_t n = 0; n <= 18; ++n) {
    const std::string campo = Digitos(n);
    EXPECT_EQ(static_cast<std::uint64_t>(ValorInteiro(campo)), ValorPorCaractere(campo)) << campo;
    EXPECT_EQ(ValorNumerico(campo), static_cast<double>(ValorPorCaractere(campo))) << campo;
  }
  EXPECT_EQ(ValorInteiro("999999999999999999"), 999999999999999999LL);
  EXPECT_EQ(ValorInteiro("000000000000000001"), 1);
  EXPECT_EQ(ValorInteiro("100000000"), 100000000);
  EXPECT_EQ(ValorInteiro("12345678"), 12345678);
  EXPECT_EQ(ValorInteiro(""), 0);
}

TEST(ValorInteiroPalavra, NaoDigitoSegueARegraDecimal) {
  // A word with a non-digit is not read at once: the whole text follows the decimal rule.
  for (std::size_t n = 1; n <= 18; ++n) {
    for (std::size_t pos = 0; pos < n; ++pos) {
      std::string campo = Digitos(n);
      campo[pos] = ' ';
      EXPECT_EQ(static_cast<std::uint64_t>(ValorInteiro(campo)), ValorPorCaractere(campo)) << campo;
    }
  }
}

TEST(LeDigitos, TestaELeNumaPassagemEmTodoComprimento) {
  for (std::size_t n = 0; n <= 18; ++n) {
    const std::string campo = Digitos(n);
    std::uint64_t valor = 12345;
    ASSERT_TRUE(digitos::LeDigitos(campo, valor)) << campo;
    EXPECT_EQ(valor, ValorPorCaractere(campo)) << campo;
    for (std::size_t pos = 0; pos < n; ++pos) {
      for (const char c : NaoDigitos) {
        std::string estragado = campo;
        estragado[pos] = c;
        EXPECT_FALSE(digitos::LeDigitos(estragado, valor))
            << "length " << n << " position " << pos << " byte "
            << static_cast<int>(static_cast<unsigned char>(c));
      }
    }
  }
  // The largest amount of the monthly returns, where every step of a conversion is at its top.
  std::uint64_t valor = 0;
  ASSERT_TRUE(digitos::LeDigitos(std::string(16, '9'), valor));
  EXPECT_EQ(valor, 9999999999999999ULL);
}

TEST(CalculaDigito, DezAlgarismosComoQualquerOutroComprimento) {
  // Ten characters take a shorter way; a blank before the number takes the general one, which
  // ignores it. Both give the same digit, or none when a non-digit precedes the check digit.
  for (std::size_t k = 0; k < 200; ++k) {
    std::string numero = Digitos(10);
    numero[k % 10] = static_cast<char>('0' + (k * 7 + k / 10) % 10);
    numero[(k / 10) % 10] = static_cast<char>('0' + k % 10);
    if (k % 13 == 0) numero[k % 9] = NaoDigitos[k % std::size(NaoDigitos)];
    EXPECT_EQ(CalculaDigito(numero), CalculaDigito(" " + numero)) << numero;
  }
}

TEST(AparaPalavra, IgualAoCorteCaracterePorCaractere) {
  for (std::size_t n = 0; n <= 20; ++n) {
    for (std::size_t brancos = 0; brancos <= n; ++brancos) {
      for (const char c : {'x', '\0', '\xA0', '\t'}) {
        std::string s = Digitos(n - brancos) + std::string(brancos, ' ');
        if (n > brancos) s[(n - brancos) / 2] = c;
        std::string_view esperado = s;
        while (!esperado.empty() && esperado.back() == ' ') esperado.remove_suffix(1);
        EXPECT_EQ(AparaDireita(s), esperado) << '"' << s << '"';
        EXPECT_EQ(Apara("  " + s), esperado) << '"' << s << '"';
      }
    }
  }
}

TEST(MesmoTexto, IgualAComparacaoDeTextosEmTodoComprimento) {
  for (std::size_t n = 0; n <= 40; ++n) {
    const std::string a = Digitos(n);
    EXPECT_TRUE(MesmoTexto(a, a)) << n;
    EXPECT_FALSE(MesmoTexto(a, a + "1")) << n;
    for (std::size_t pos = 0; pos < n; ++pos) {
      std::string b = a;
      b[pos] = ' ';
      EXPECT_FALSE(MesmoTexto(a, b)) << "length " << n << " position " << pos;
    }
  }
}

TEST(ValorNumericoLongo, MaisDeDezoitoDigitosArredondaComoADecimal) {
  for (const char* campo : {"1234567890123456789", "99999999999999999999", "0000000000000000000012",
                            "18446744073709551617"}) {
    EXPECT_EQ(ValorNumerico(campo), std::strtod(campo, nullptr)) << campo;
  }
  const std::string muitoLongo(80, '9');  // longer than the conversion's buffer on the stack
  EXPECT_EQ(ValorNumerico(muitoLongo), std::strtod(muitoLongo.c_str(), nullptr));
}

}  // namespace
}  // namespace rolval
