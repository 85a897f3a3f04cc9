#include "run/Formatos.h"

#include <algorithm>
#include <cstring>

#include "run/Campo.h"

namespace rolval {

namespace {

bool SoAlgarismos(std::string_view s) {
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The digits of a text that reads as a whole number (blanks around it allowed) without the
// leading zeros beyond `minimo` digits, which the mask drops: a field of `minimo` digits or fewer
// is taken as it is, and the filling gives the rest. Empty when the text is not such a number.
std::string_view DigitosDaMascara(std::string_view texto, bool aceitaBrancosAEsquerda,
                                  std::size_t minimo) {
  std::string_view s = aceitaBrancosAEsquerda ? Apara(texto) : AparaDireita(texto);
  if (s.empty() || !SoAlgarismos(s)) return {};
  while (s.size() > minimo && s.front() == '0') s.remove_prefix(1);
  return s;
}

// Appends `digitos` zero-filled to at least `minimo` digits with a slash before the last `depois`.
// Written straight into the destination.
void AcrescentaComBarra(std::string& destino, std::string_view digitos, std::size_t minimo,
                        std::size_t depois) {
  const std::size_t total = std::max(minimo, digitos.size());
  const std::size_t zeros = total - digitos.size();
  const std::size_t barra = total - depois;
  // The zero-filled digits, then the last `depois` moved one place on for the slash.
  const std::size_t inicio = destino.size();
  destino.resize(inicio + total + 1);
  char* saida = destino.data() + inicio;
  std::memset(saida, '0', zeros);
  std::memcpy(saida + zeros, digitos.data(), digitos.size());
  std::memmove(saida + barra + 1, saida + barra, depois);
  saida[barra] = '/';
}

}  // namespace

void AcrescentaInscricaoMascarada(std::string& destino, std::string_view inscricao) {
  const std::string_view d = DigitosDaMascara(inscricao, false, 10);
  if (d.empty()) {
    destino.append(inscricao);
    return;
  }
  AcrescentaComBarra(destino, d, 10, 7);
}

std::string FormataInscricao(std::string_view inscricao) {
  std::string s;
  AcrescentaInscricaoMascarada(s, inscricao);
  return s;
}

void AcrescentaPeriodoMascarado(std::string& destino, std::string_view periodo) {
  const std::string_view d = DigitosDaMascara(periodo, true, 6);
  if (d.empty()) {
    destino.append(periodo);
    return;
  }
  AcrescentaComBarra(destino, d, 6, 4);
}

std::string FormataPeriodo(std::string_view periodo) {
  std::string s;
  AcrescentaPeriodoMascarado(s, periodo);
  return s;
}

void AcrescentaNumero(std::string& destino, std::int64_t valor, int digitos) {
  // The digits are written backwards from the end of a buffer, then appended at once.
  char tmp[24];
  char* const fim = tmp + sizeof tmp;
  char* p = fim;
  const bool negativo = valor < 0;
  std::uint64_t v =
      negativo ? static_cast<std::uint64_t>(-(valor + 1)) + 1 : static_cast<std::uint64_t>(valor);
  // Two digits at a time, from a table of the pairs 00 to 99.
  static constexpr char pares[] =
      "00010203040506070809101112131415161718192021222324"
      "25262728293031323334353637383940414243444546474849"
      "50515253545556575859606162636465666768697071727374"
      "75767778798081828384858687888990919293949596979899";
  while (v >= 100) {
    const std::uint64_t par = (v % 100) * 2;
    v /= 100;
    *--p = pares[par + 1];
    *--p = pares[par];
  }
  if (v >= 10) {
    *--p = pares[v * 2 + 1];
    *--p = pares[v * 2];
  } else {
    *--p = static_cast<char>('0' + v);
  }
  const auto escritos = static_cast<int>(fim - p);
  if (negativo) destino.push_back('-');
  if (digitos > escritos) destino.append(static_cast<std::size_t>(digitos - escritos), '0');
  destino.append(p, static_cast<std::size_t>(escritos));
}

}  // namespace rolval
