#pragma once
// The validator of the monthly return, layouts 04 and 05: one call per record line, and the
// checks made when a return is complete.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Document-type tags of layouts 04 and 05.
inline constexpr std::string_view DocROL04 = "ROL04       ";
inline constexpr std::string_view DocROL05 = "ROL05       ";

void ValidaVersao45(Execucao& execucao, std::string_view linha);

// End-of-return checks of the return being closed: declared against counted annex lines, and
// the annex totals against the header's amounts.
void ConfereLinhasAnexos(Execucao& execucao);
void ConfereValores(Execucao& execucao);

// The end-of-return checks of the last return at the end of the file, when the last record read
// is of version 04 or 05: the line counts only when an annex record was counted in that return,
// then the amounts.
void FechaUltimoRetornoMensal(Execucao& execucao);

// The tests on a file's first line that recognise layouts 04 and 05.
// Before the first line: the header's field table, for the findings of a closed return.
void PreparaMensal(Execucao& execucao);
bool ReconheceROL04(std::string_view primeiraLinha);
bool ReconheceROL05(std::string_view primeiraLinha);

// The first-line header checks of layouts 04 and 05 (record type "ABC ", sequence "0001"),
// before the first line reaches the validator; false ends the reading.
bool ConfereCabecalhoInicial(Execucao& execucao, std::string_view linha);

}  // namespace rolval
