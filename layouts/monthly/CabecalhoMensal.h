#pragma once
// The header record "ABC " of the monthly return, after its sequence and record type have been
// checked: closes the amounts of the return before it, opens the new return (progress window, list
// of returns, CabecalhoROL) and checks its identification, its amounts with their sums and its
// declared annex line counts.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

void ValidaCabecalhoMensal(Execucao& execucao, std::string_view linha);

}  // namespace rolval
