#include "run/Formatos.h"

#include "run/Campo.h"

namespace rolval {

namespace {

// The significant digits of a text that reads as a whole number (blanks around it allowed),
// without leading zeros ("0" for zero); empty when the text is not such a number.
std::string_view DigitosSignificativos(std::string_view texto, bool aceitaBrancosAEsquerda) {
  std::string_view s = aceitaBrancosAEsquerda ? Apara(texto) : AparaDireita(texto);
  if (s.empty()) return {};
  for (const char c : s)
    if (c < '0' || c > '9') return {};
  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  return s;
}

// Appends `digitos` zero-filled to at least `minimo` digits with a slash before the last `depois`.
void AcrescentaComBarra(std::string& destino, std::string_view digitos, std::size_t minimo,
                        std::size_t depois) {
  const std::size_t total = std::max(minimo, digitos.size());
  const std::size_t barra = total - depois;
  for (std::size_t i = 0; i < total; ++i) {
    if (i == barra) destino.push_back('/');
    const std::size_t zeros = total - digitos.size();
    destino.push_back(i < zeros ? '0' : digitos[i - zeros]);
  }
}

}  // namespace

void AcrescentaInscricaoMascarada(std::string& destino, std::string_view inscricao) {
  const std::string_view d = DigitosSignificativos(inscricao, false);
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
  const std::string_view d = DigitosSignificativos(periodo, true);
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
  char tmp[24];
  int n = 0;
  const bool negativo = valor < 0;
  std::uint64_t v = negativo ? static_cast<std::uint64_t>(-(valor + 1)) + 1 : static_cast<std::uint64_t>(valor);
  do {
    tmp[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n < digitos) tmp[n++] = '0';
  if (negativo) destino.push_back('-');
  while (n > 0) destino.push_back(tmp[--n]);
}

}  // namespace rolval
