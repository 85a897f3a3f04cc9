#pragma once
// The validator of the tax-substitution return, layout ST 02: one call per record line. A return
// is a header "A0" followed by its annex records "A1", "A2" and "A3"; each header closes the
// return before it.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// Document-type tag of layout ST 02.
inline constexpr std::string_view DocROLST02 = "ROLST02     ";

// `linha` has the length of its record type (the run driver has checked it) and the trimmed type
// is in TipoRegistro of RegistroAtual; a line of another type is left alone.
void ValidaST2(Execucao& execucao, std::string_view linha);

// The end-of-return checks of the return in hand: the A1 and A2 sums against the header's fields
// 14 and 15, and the annex record counts against the declared ones, at the header's line.
void ConfereAnexosST(Execucao& execucao);

// Before the first line of a file: no beneficiary unit is known yet.
void PreparaST2(Execucao& execucao);

// The test on a file's first line that recognises layout ST 02.
bool ReconheceROLST02(std::string_view primeiraLinha);

// The length of the record `linha` by its type in columns 1-2; 0 for a type of no record.
int ComprimentoRegistroST2(std::string_view linha);

// The per-line framing of layout ST 02: the record type of columns 1-2 gives the record length;
// an unknown type is reported (IdentificacaoRegistroInvalida) and keeps the length of the previous
// record.
int EnquadraST2(Execucao& execucao, std::string_view linha, int comprimentoAnterior);

}  // namespace rolval
