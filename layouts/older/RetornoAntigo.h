#pragma once
// What layouts 03 and ST 01 share: every line is one return, shown in the progress window and
// entered in the list of returns.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Shows the registration of RegistroAtual in the progress window, appends the return's 24-character
// entry (registration masked "000/0000000", four blanks, period masked "00/0000", two blanks) to
// the list of returns, and counts the return.
void RegistraRetornoAntigo(Execucao& execucao);

}  // namespace rolval
