#pragma once
// The validator of the tax-substitution return, layout ST 02: one call per record line.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

void ValidaST2(Execucao& execucao, std::string_view linha);

// The end-of-return checks of the return in hand (annex totals and counts).
void ConfereAnexosST(Execucao& execucao);

// Before the first line of a file: no beneficiary unit is known yet.
void PreparaST2(Execucao& execucao);

}  // namespace rolval
