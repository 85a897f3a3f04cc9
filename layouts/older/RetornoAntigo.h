#pragma once
// What layouts 03 and ST 01 share: every line is one return, shown in the progress window and
// entered in the list of returns, and every numeric field is reported with code 7 when it is not.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Shows the registration of RegistroAtual in the progress window, appends the return's 24-character
// entry (registration masked "000/0000000", four blanks, period masked "00/0000", two blanks) to the
// list of returns, and counts the return.
void RegistraRetornoAntigo(Execucao& execucao);

// True when the field is numeric; otherwise reports code 7 at the field's columns.
bool ExigeNumerico(Execucao& execucao, std::string_view linha, int coluna, int tamanho);

// An amount field: its value when numeric; otherwise code 7 is reported and the value is `ausente`.
struct ValorLido {
  double valor;
  bool numerico;
};
ValorLido LeValor(Execucao& execucao, std::string_view linha, int coluna, int tamanho,
                  double ausente = 0);

}  // namespace rolval
