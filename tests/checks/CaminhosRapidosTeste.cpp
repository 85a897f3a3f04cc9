// The fast twins of the digit and text helpers against their plain twins, on the same inputs: both
// are compiled in every build, whichever of them the build runs.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/Numeros.h"
#include "run/Campo.h"

namespace rolval {
namespace {

// The word tricks read the first character from the low byte: elsewhere only the plain twins run.
#define SO_EM_LITTLE_ENDIAN()                                  \
  if constexpr (std::endian::native != std::endian::little) {  \
    GTEST_SKIP() << "fast twins need a little-endian machine"; \
  }

// Digits that differ from position to position, so that a digit read at the wrong place shows.
std::string Digitos(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('1' + (i * 7) % 9));
  return s;
}

// Fields of 0 to 20 characters: digits that differ by position, all zeros, all nines, leading
// blanks, and one non-digit at every position (a neighbour of '0' or '9', a byte with the digits'
// high half, a blank, a NUL and bytes at and above 0x80).
std::vector<std::string> Campos() {
  std::vector<std::string> campos;
  for (std::size_t n = 0; n <= 20; ++n) {
    const std::string digitos = Digitos(n);
    campos.push_back(digitos);
    campos.push_back(std::string(n, '0'));
    campos.push_back(std::string(n, '9'));
    for (std::size_t brancos = 1; brancos <= n; brancos += 3)
      campos.push_back(std::string(brancos, ' ') + digitos.substr(brancos));
    for (std::size_t pos = 0; pos < n; ++pos) {
      for (const char c : {'/', ':', '?', ' ', '\0', 'A', '\x80', '\xB5', '\xFF'}) {
        std::string estragado = digitos;
        estragado[pos] = c;
        campos.push_back(estragado);
      }
    }
  }
  return campos;
}

std::string Mostra(const std::string& s) {
  std::string m;
  for (const char c : s) m += std::to_string(static_cast<unsigned char>(c)) + ' ';
  return m;
}

TEST(CaminhosRapidos, DigitosIguaisAosDoCaminhoSimples) {
  SO_EM_LITTLE_ENDIAN();
  for (const std::string& campo : Campos()) {
    EXPECT_EQ(digitos::rapido::SoDigitos(campo), digitos::simples::SoDigitos(campo))
        << Mostra(campo);
    EXPECT_EQ(digitos::rapido::ValorDecimal(campo), digitos::simples::ValorDecimal(campo))
        << Mostra(campo);
    if (campo.size() > 18) continue;  // LeDigitos reads at most 18
    std::uint64_t rapido = 7, simples = 7;
    const bool numericoRapido = digitos::rapido::LeDigitos(campo, rapido);
    ASSERT_EQ(numericoRapido, digitos::simples::LeDigitos(campo, simples)) << Mostra(campo);
    if (numericoRapido) {
      EXPECT_EQ(rapido, simples) << Mostra(campo);
    }
  }
}

TEST(CaminhosRapidos, DezesseisDigitosNosLimites) {
  SO_EM_LITTLE_ENDIAN();
  // The amounts of the monthly returns: each digit at its top in every place, then each place
  // alone.
  std::vector<std::string> montantes = {std::string(16, '9'), std::string(16, '0'),
                                        "0000000000000001", "1000000000000000", "9876543210123456"};
  for (int i = 0; i < 16; ++i) {
    std::string s(16, '0');
    s[static_cast<std::size_t>(i)] = static_cast<char>('1' + i % 9);
    montantes.push_back(s);
  }
  for (const std::string& campo : montantes) {
    std::uint64_t rapido = 0, simples = 1;
    ASSERT_TRUE(digitos::rapido::LeDigitos(campo, rapido)) << campo;
    ASSERT_TRUE(digitos::simples::LeDigitos(campo, simples)) << campo;
    EXPECT_EQ(rapido, simples) << campo;
  }
}

TEST(CaminhosRapidos, DigitoDeDezIgualAoDoCaminhoSimples) {
  SO_EM_LITTLE_ENDIAN();
  // Nine digits (the check digit's place is not read): a walk through many sums, all nines and
  // all zeros.
  std::vector<std::string> numeros = {"9999999990", "0000000000"};
  for (std::uint64_t k = 0; k < 2000; ++k) {
    std::string n = std::to_string(100000000 + (k * 449'999'993ULL) % 900000000) + "0";
    numeros.push_back(n);
  }
  for (const std::string& n : numeros)
    EXPECT_EQ(digitos::rapido::DigitoDeDez(n.data()), digitos::simples::DigitoDeDez(n.data())) << n;
}

TEST(CaminhosRapidos, TextosIguaisAosDoCaminhoSimples) {
  SO_EM_LITTLE_ENDIAN();
  for (const std::string& campo : Campos()) {
    const std::string comBrancos = campo + std::string(campo.size() % 11, ' ');
    EXPECT_EQ(rapido::AparaDireita(comBrancos), simples::AparaDireita(comBrancos)) << Mostra(campo);
    // The word compare takes 8 to 32 characters: the field, and the field lengthened past 20.
    for (const std::string& a : {campo, campo + Digitos(12)}) {
      if (a.size() < 8 || a.size() > 32) continue;
      for (const std::string& b : {Digitos(a.size()), Digitos(campo.size()) + Digitos(12), a})
        if (b.size() == a.size()) {
          EXPECT_EQ(rapido::MesmoTextoMedio(a, b), a == b) << Mostra(a);
        }
    }
  }
}

}  // namespace
}  // namespace rolval
