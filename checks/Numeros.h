#pragma once
// Numeric fields and the check digit of the home-state registration number (REG/TB).
// The digit test and the conversions are inline: every amount of every record goes through them.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "run/CaminhosRapidos.h"
#include "run/Campo.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rolval {

namespace digitos {

// Each rule below has a plain twin (namespace simples), which says it a character at a time, and a
// fast one (namespace rapido), which reads words of eight characters or, for the sixteen-digit
// amounts, sixteen characters at once; run/CaminhosRapidos.h chooses between them. The fast twins
// need a little-endian machine; the plain ones are what every other machine and the build
// without fast paths run.
namespace simples {

// True when every character of `s` is a digit 0-9 (true for the empty text).
inline bool SoDigitos(std::string_view s) {
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The value of `s` when every character of it is a digit 0-9; false when any is not. At most 18
// characters, so that the value always fits.
inline bool LeDigitos(std::string_view s, std::uint64_t& valor) {
  std::uint64_t v = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
  }
  valor = v;
  return true;
}

// The decimal rule, each character counting as its code minus '0' (digits or not); a text too
// long for 64 bits wraps.
inline std::uint64_t ValorDecimal(std::string_view s) {
  std::uint64_t v = 0;
  for (const char c : s)
    v = v * 10 + static_cast<std::uint64_t>(static_cast<std::int64_t>(c - '0'));
  return v;
}

}  // namespace simples

namespace rapido {

// True when all eight bytes of `v` are '0' to '9': the high half of every byte is 3, and stays 3
// when 6 is added to the byte (a low half above 9 carries into it). No byte carries into the
// next one, as the first test already holds every byte below 0x40.
ROLVAL_EM_LINHA constexpr bool OitoDigitos(std::uint64_t v) {
  constexpr std::uint64_t altos = 0xF0F0F0F0F0F0F0F0ULL;
  constexpr std::uint64_t tres = 0x3030303030303030ULL;
  return (v & altos) == tres && ((v + 0x0606060606060606ULL) & altos) == tres;
}

// The value of eight digits held as by Carrega8 (run/Campo.h) on a little-endian machine: pairs,
// then quadruples, then the whole.
ROLVAL_EM_LINHA constexpr std::uint64_t ValorOitoDigitos(std::uint64_t v) {
  v -= 0x3030303030303030ULL;
  v = (v * 10) + (v >> 8);
  v = (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
       (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
      32;
  return v & 0xFFFFFFFFULL;
}

#if defined(__SSE2__)
// Sixteen characters, the length of every amount of the monthly returns, at once with the
// processor's 16-byte instructions: true when all are digits 0-9. Bytes above 0x7F compare as
// negative, below '0'.
ROLVAL_EM_LINHA inline bool DezesseisDigitos(__m128i x) {
  const __m128i fora =
      _mm_or_si128(_mm_cmplt_epi8(x, _mm_set1_epi8('0')), _mm_cmpgt_epi8(x, _mm_set1_epi8('9')));
  return _mm_movemask_epi8(fora) == 0;
}

// The value of sixteen digits: pairs of digits (the first times 10 plus the second), then
// multiply-adds of pairs into fours and of fours into eights, each step in every lane at once.
ROLVAL_EM_LINHA inline std::uint64_t ValorDezesseisDigitos(__m128i x) {
  const __m128i d = _mm_sub_epi8(x, _mm_set1_epi8('0'));
  const __m128i pares =
      _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(d, _mm_set1_epi16(0x00FF)), _mm_set1_epi16(10)),
                    _mm_srli_epi16(d, 8));
  // 16-bit weights 100 and 1 (the earlier pair first), then 10000 and 1 on the fours packed.
  const __m128i quatros = _mm_madd_epi16(pares, _mm_set1_epi32(0x00010064));
  const __m128i oitos =
      _mm_madd_epi16(_mm_packs_epi32(quatros, quatros), _mm_set1_epi32(0x00012710));
  const auto alto = static_cast<std::uint32_t>(_mm_cvtsi128_si32(oitos));
  const auto baixo = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(oitos, 4)));
  return static_cast<std::uint64_t>(alto) * 100000000ULL + baixo;
}

ROLVAL_EM_LINHA inline __m128i Carrega16(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

// simples::SoDigitos, eight characters at a time (sixteen at once where the processor can).
inline bool SoDigitos(std::string_view s) {
  const char* p = s.data();
  std::size_t n = s.size();
#if ROLVAL_RAPIDO_SSE2
  if (n == 16) return DezesseisDigitos(Carrega16(p));
#endif
  for (; n >= 8; p += 8, n -= 8)
    if (!OitoDigitos(Carrega8(p))) return false;
  for (; n > 0; ++p, --n)
    if (*p < '0' || *p > '9') return false;
  return true;
}

// simples::LeDigitos, read in the same pass as the test, eight characters at a time (sixteen at
// once where the processor can).
ROLVAL_EM_LINHA inline bool LeDigitos(std::string_view s, std::uint64_t& valor) {
  const char* p = s.data();
  std::size_t n = s.size();
#if ROLVAL_RAPIDO_SSE2
  if (n == 16) {
    const __m128i x = Carrega16(p);
    if (!DezesseisDigitos(x)) return false;
    valor = ValorDezesseisDigitos(x);
    return true;
  }
#endif
  if (n < 8) return simples::LeDigitos(s, valor);
  std::uint64_t v = 0;
  for (; n >= 8; p += 8, n -= 8) {
    const std::uint64_t palavra = Carrega8(p);
    if (!OitoDigitos(palavra)) return false;
    v = v * 100000000ULL + ValorOitoDigitos(palavra);
  }
  if (n > 0) {
    // The last n characters: the word of the field's last eight, which overlaps characters
    // already read; those are shifted out and replaced by leading zeros.
    constexpr std::uint64_t potencias[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    const unsigned fora = static_cast<unsigned>(8 - n) * 8;
    const std::uint64_t palavra =
        (Carrega8(p + n - 8) >> fora << fora) | (0x3030303030303030ULL >> (64 - fora));
    if (!OitoDigitos(palavra)) return false;
    v = v * potencias[n] + ValorOitoDigitos(palavra);
  }
  valor = v;
  return true;
}

// simples::ValorDecimal, eight characters at a time while they are digits.
inline std::uint64_t ValorDecimal(std::string_view s) {
  std::uint64_t v = 0;
  const char* p = s.data();
  std::size_t n = s.size();
  for (; n >= 8; p += 8, n -= 8) {
    const std::uint64_t palavra = Carrega8(p);
    if (!OitoDigitos(palavra)) break;
    v = v * 100000000ULL + ValorOitoDigitos(palavra);
  }
  for (; n > 0; ++p, --n)
    v = v * 10 + static_cast<std::uint64_t>(static_cast<std::int64_t>(*p - '0'));
  return v;
}

}  // namespace rapido

// True when every character of `s` is a digit 0-9 (true for the empty text).
inline bool SoDigitos(std::string_view s) {
  if constexpr (caminhos::DigitosEmPalavras) return rapido::SoDigitos(s);
  return simples::SoDigitos(s);
}

// The value of `s` when every character of it is a digit 0-9, read in the same pass as the test;
// false when any is not. At most 18 characters, so that the value always fits.
ROLVAL_EM_LINHA inline bool LeDigitos(std::string_view s, std::uint64_t& valor) {
  if constexpr (caminhos::DigitosEmPalavras) return rapido::LeDigitos(s, valor);
  return simples::LeDigitos(s, valor);
}

// The check digit of a weighted sum, modulus 11: 10 and 11 give 0.
inline char DigitoDaSoma(std::uint64_t soma) {
  const std::uint64_t k = 11 - soma % 11;
  return (k >= 10) ? '0' : static_cast<char>('0' + k);
}

// The check digit of a ten-character number (the home unit's registration, the most common case)
// whose first nine characters are known to be digits: weights 2, 9, 8, ..., 3 on the first eight
// and 2 on the ninth.
namespace simples {
inline char DigitoDeDez(const char* n) {
  const auto d = [n](int i) { return static_cast<std::uint64_t>(n[i] - '0'); };
  return DigitoDaSoma(d(0) * 2 + d(1) * 9 + d(2) * 8 + d(3) * 7 + d(4) * 6 + d(5) * 5 + d(6) * 4 +
                      d(7) * 3 + d(8) * 2);
}
}  // namespace simples

namespace rapido {
// simples::DigitoDeDez with the first eight summed as one word: the digits at even and at odd
// places are spread into four 16-bit lanes each, and one multiplication by the lanes' weights
// gathers each weighted sum in the top lane (no lane's partial sum reaches 2^16, so none carries
// over).
ROLVAL_EM_LINHA inline char DigitoDeDez(const char* n) {
  const std::uint64_t d = Carrega8(n) - 0x3030303030303030ULL;
  constexpr std::uint64_t lanes = 0x00FF00FF00FF00FFULL;
  // Weights from the top lane down: places 0, 2, 4, 6 weigh 2, 8, 6, 4; places 1, 3, 5, 7
  // weigh 9, 7, 5, 3.
  constexpr std::uint64_t pesosPares = (2ULL << 48) | (8ULL << 32) | (6ULL << 16) | 4ULL;
  constexpr std::uint64_t pesosImpares = (9ULL << 48) | (7ULL << 32) | (5ULL << 16) | 3ULL;
  const std::uint64_t soma = (((d & lanes) * pesosPares) >> 48) +
                             ((((d >> 8) & lanes) * pesosImpares) >> 48) +
                             static_cast<std::uint64_t>(n[8] - '0') * 2;
  return DigitoDaSoma(soma);
}
}  // namespace rapido

ROLVAL_EM_LINHA inline char DigitoDeDez(const char* n) {
  if constexpr (caminhos::DigitosEmPalavras) return rapido::DigitoDeDez(n);
  return simples::DigitoDeDez(n);
}

// Fields of more than 18 digits, beyond what a 64-bit integer holds: through the library's
// decimal conversion, rounded to the nearest double.
double ValorNumericoLongo(std::string_view texto);

}  // namespace digitos

// True when the line holds all `tamanho` characters of the field at 1-based column `coluna` and
// every one of them is a digit 0-9.
inline bool ValidaNumerico(std::string_view linha, int coluna, int tamanho) {
  const std::string_view campo = Campo(linha, coluna, tamanho);
  // A field cut short by the end of the line, or all blanks, is not numeric.
  if (tamanho <= 0 || static_cast<int>(campo.size()) != tamanho) return false;
  return digitos::SoDigitos(campo);
}

// The check digit ("0" to "9") that the last character of `numero` must equal: weights 2, then
// L-1 down to 2, modulus 11, with 10 and 11 giving 0. Blanks around the number are ignored.
char CalculaDigito(std::string_view numero);

// The value of a short field of digits (a count, a code) as an integer. Digits only; anything
// else gives what the decimal rule makes of it (each character counts as its code minus '0').
inline std::int64_t ValorInteiro(std::string_view texto) {
  // Unsigned, so that a field too long for 64 bits wraps instead of overflowing.
  if constexpr (caminhos::DigitosEmPalavras)
    return static_cast<std::int64_t>(digitos::rapido::ValorDecimal(texto));
  return static_cast<std::int64_t>(digitos::simples::ValorDecimal(texto));
}

// The value of a field of digits as a whole number in double precision (rounded to the nearest
// double beyond 2^53). The field must be digits only.
inline double ValorNumerico(std::string_view digitos) {
  if (digitos.size() <= 18) return static_cast<double>(ValorInteiro(digitos));
  return digitos::ValorNumericoLongo(digitos);
}

}  // namespace rolval
