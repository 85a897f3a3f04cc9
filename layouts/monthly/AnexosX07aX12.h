#pragma once
// Annex records X07, X07A, X07B, X08, X09, X10, X11 and X12 of the monthly return, after the
// common prefix has been checked: dispatches on the record type of RegistroAtual.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

void ValidaAnexoX07aX12(Execucao& execucao, std::string_view linha);

}  // namespace rolval
