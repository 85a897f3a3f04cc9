#pragma once
// The finding line as every report prints it, for expected findings. Free of GoogleTest, so that
// the record builders that use it can also be built into the fuzz seed maker.
#include <cstdio>
#include <string>
#include <string_view>

namespace rolval::teste {

// A finding line of the report, given in UTF-8: the registration right-aligned in 15 columns,
// the period, then line, first and last column (three digits at least) and the message.
inline std::string LinhaAchado(std::string_view inscricao, std::string_view periodo, int linha,
                               int inicio, int fim, std::string_view mensagem) {
  char numeros[48];
  std::snprintf(numeros, sizeof numeros, " %03d %03d %03d ", linha, inicio, fim);
  std::string s(inscricao.size() < 15 ? 15 - inscricao.size() : 0, ' ');
  s.append(inscricao).append(periodo).append(numeros).append(mensagem);
  return s;
}

// The finding lines of one record: its registration and period as printed, and its line.
struct AchadosNaLinha {
  std::string inscricao;
  std::string periodo;
  int linha;
  std::string operator()(int inicio, int fim, std::string_view mensagem) const {
    return LinhaAchado(inscricao, periodo, linha, inicio, fim, mensagem);
  }
};

}  // namespace rolval::teste
