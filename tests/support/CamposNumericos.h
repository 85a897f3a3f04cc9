#pragma once
// A layout's numeric checks held against its field table: every field that must hold digits,
// spoiled with a letter, is reported as not numeric at its own columns.
#include <span>
#include <string>
#include <vector>

#include "run/CamposRegistro.h"

namespace rolval::teste {

// For every field of `tabela` of a kind in `tipos` (every occurrence of a repeated one): the run
// of `registros` (each ended with CR LF) with a letter at the field's first column of record
// `indice` reports "Campo numérico é esperado" at least once, and only at that field's columns.
// The valid `registros` must report no such finding.
void ConfereNaoNumericosNasColunas(const std::vector<std::string>& registros, std::size_t indice,
                                   const TabelaRegistro& tabela, std::span<const TipoCampo> tipos);

}  // namespace rolval::teste
