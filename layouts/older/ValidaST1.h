#pragma once
// The validator of the tax-substitution return, layout ST 01: every line is a whole return.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Document-type tag of layout ST 01.
inline constexpr std::string_view DocROLST01 = "ROLST01     ";

void ValidaST1(Execucao& execucao, std::string_view linha);

// The test on a file's first line that recognises layout ST 01.
// Before the first line: every line is one return, of the one record type the layout has.
void PreparaST01(Execucao& execucao);
bool ReconheceROLST01(std::string_view primeiraLinha);

}  // namespace rolval
