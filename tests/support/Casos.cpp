#include "tests/support/Casos.h"

#include <cstdio>

namespace rolval::teste {

std::string LinhaAchado(std::string_view inscricao, std::string_view periodo, int linha, int inicio,
                        int fim, std::string_view mensagem) {
  char numeros[48];
  std::snprintf(numeros, sizeof numeros, " %03d %03d %03d ", linha, inicio, fim);
  std::string s(inscricao.size() < 15 ? 15 - inscricao.size() : 0, ' ');
  s.append(inscricao).append(periodo).append(numeros).append(mensagem);
  return s;
}

std::string NomeDeTeste(std::string_view texto) {
  if (texto.empty()) return "vazio";
  std::string nome;
  bool separando = false;
  for (const char c : texto) {
    const bool letraOuDigito =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letraOuDigito) {
      nome += c;
      separando = false;
    } else if (!separando) {
      nome += '_';
      separando = true;
    }
  }
  return nome;
}

}  // namespace rolval::teste
