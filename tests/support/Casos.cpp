#include "tests/support/Casos.h"

namespace rolval::teste {

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
