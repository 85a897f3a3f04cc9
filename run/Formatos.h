#pragma once
// The display masks of the reports and lists: registration "000/0000000", period "00/0000" and
// the zero-filled numbers of at least three digits.
#include <cstdint>
#include <string>
#include <string_view>

namespace rolval {

// Appends a registration number under the mask "000/0000000": a number of digits (trailing blanks
// allowed) prints with at least ten digits, zero-filled on the left, with a slash before its last
// seven digits; anything else prints unchanged.
void AcrescentaInscricaoMascarada(std::string& destino, std::string_view inscricao);
std::string FormataInscricao(std::string_view inscricao);

// Appends a period MMAAAA under the mask "00/0000": a number prints with at least six digits and a
// slash before its last four; anything else prints unchanged.
void AcrescentaPeriodoMascarado(std::string& destino, std::string_view periodo);
std::string FormataPeriodo(std::string_view periodo);

// Appends a whole number with at least `digitos` digits, zero-filled ("007", "1234").
void AcrescentaNumero(std::string& destino, std::int64_t valor, int digitos = 3);

}  // namespace rolval
