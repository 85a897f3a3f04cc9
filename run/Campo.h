#pragma once
// Fixed-width fields of a record line: reading a field by 1-based column and length, and the
// fixed-length text items of the run state (assignment pads with blanks on the right or cuts).
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "run/CaminhosRapidos.h"

namespace rolval {

// The characters of `linha` from 1-based `coluna` on, at most `tamanho` of them: shorter when the
// line ends earlier, empty when the column lies beyond its end. A view into the line, never a copy.
constexpr std::string_view Campo(std::string_view linha, int coluna, int tamanho) {
  if (coluna < 1 || tamanho <= 0) return {};
  const auto inicio = static_cast<std::size_t>(coluna - 1);
  if (inicio >= linha.size()) return {};
  // Built directly: the start is known to lie within the line, so substr's own test and throw
  // would only cost time on every field of every record.
  return {linha.data() + inicio,
          std::min(static_cast<std::size_t>(tamanho), linha.size() - inicio)};
}

// Eight characters at once, as one word in the machine's order (on a little-endian machine the
// first character in the low byte).
inline std::uint64_t Carrega8(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

namespace rapido {
// Whether two texts of the same length, 8 to 32 characters long, are equal: compared a word at a
// time instead of through a call.
inline bool MesmoTextoMedio(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  std::uint64_t diferenca = 0;
  for (std::size_t i = 0; i + 8 < n; i += 8)
    diferenca |= Carrega8(a.data() + i) ^ Carrega8(b.data() + i);
  // The last eight characters, overlapping those already compared.
  diferenca |= Carrega8(a.data() + n - 8) ^ Carrega8(b.data() + n - 8);
  return diferenca == 0;
}
}  // namespace rapido

// Whether two short texts (keys, registration numbers) are equal.
inline bool MesmoTexto(std::string_view a, std::string_view b) {
  if constexpr (caminhos::TextosEmPalavras) {
    if (a.size() == b.size() && a.size() >= 8 && a.size() <= 32)
      return rapido::MesmoTextoMedio(a, b);
  }
  return a == b;
}

// `destino` made equal to `origem`: copied in place when the length is unchanged (a field read
// into the same item record after record), through the library's general assignment otherwise.
inline void CopiaTexto(std::string& destino, std::string_view origem) {
  if (destino.size() == origem.size() && !origem.empty())
    std::memcpy(destino.data(), origem.data(), origem.size());
  else
    destino.assign(origem);
}

// A text item of exactly N characters.
template <std::size_t N>
class Fixo {
 public:
  constexpr Fixo() { d_.fill(' '); }
  constexpr Fixo(std::string_view s) { *this = s; }  // NOLINT: implicit on purpose
  constexpr Fixo& operator=(std::string_view s) {
    const std::size_t n = std::min(s.size(), N);
    if (std::is_constant_evaluated() || N <= 8) {
      // Short items (every record's prefix fields): a loop of known length, unrolled, costs less
      // than the calls of a copy and a fill of unknown length.
      for (std::size_t i = 0; i < N; ++i) d_[i] = i < n ? s[i] : ' ';
    } else {
      // Every record's prefix is read into these: one copy and one fill, no per-character test.
      if (n > 0) std::memcpy(d_.data(), s.data(), n);
      std::memset(d_.data() + n, ' ', N - n);
    }
    return *this;
  }
  constexpr std::string_view vista() const { return {d_.data(), N}; }
  constexpr operator std::string_view() const { return vista(); }  // NOLINT
  constexpr bool operator==(std::string_view s) const { return vista() == s; }
  constexpr bool operator==(const Fixo& o) const { return d_ == o.d_; }
  constexpr char operator[](std::size_t i) const { return d_[i]; }

 private:
  std::array<char, N> d_{};
};

namespace simples {
// The text without trailing blanks (the space character only).
constexpr std::string_view AparaDireita(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}
}  // namespace simples

namespace rapido {
// simples::AparaDireita eight characters at a time from the end: with blanks made zero, the
// blanks that end the word are the zero bytes at its top (little-endian machines only).
inline std::string_view AparaDireita(std::string_view s) {
  while (s.size() >= 8) {
    const std::uint64_t v = Carrega8(s.data() + s.size() - 8) ^ 0x2020202020202020ULL;
    if (v != 0) return {s.data(), s.size() - static_cast<std::size_t>(std::countl_zero(v)) / 8};
    s.remove_suffix(8);
  }
  return simples::AparaDireita(s);
}
}  // namespace rapido

constexpr std::string_view AparaDireita(std::string_view s) {
  if constexpr (caminhos::TextosEmPalavras) {
    if (!std::is_constant_evaluated()) return rapido::AparaDireita(s);
  }
  return simples::AparaDireita(s);
}

// The text without leading and trailing blanks (the space character only).
constexpr std::string_view Apara(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return AparaDireita(s);
}

}  // namespace rolval
