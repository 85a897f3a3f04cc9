#pragma once
// The validator of the monthly return, layout 03: every line is a whole return.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Document-type tag of layout 03.
inline constexpr std::string_view DocROL03 = "ROL03       ";

void ValidaVersao3(Execucao& execucao, std::string_view linha);

// The test on a file's first line that recognises layout 03.
// Before the first line: every line is one return, of the one record type the layout has.
void PreparaROL03(Execucao& execucao);
bool ReconheceROL03(std::string_view primeiraLinha);

}  // namespace rolval
