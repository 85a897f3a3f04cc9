#pragma once
// The layouts this program recognises, one row each, in the order they are tried on a file's first
// line.
#include <string_view>

#include "layouts/monthly/ValidaVersao45.h"
#include "layouts/older/ValidaST1.h"
#include "layouts/older/ValidaVersao3.h"
#include "layouts/substitution/ValidaST2.h"
#include "run/ValidaArquivo.h"

namespace rolval {

const TabelaLayouts& TabelaPadrao();

// The row of the layout whose document tag is `documento`; null when none is.
const LayoutArquivo* LayoutDe(std::string_view documento);

// One run of `nomeArq` with every layout.
inline Desfecho ValidaArquivo(Execucao& execucao, std::string_view nomeArq) {
  return ValidaArquivo(execucao, nomeArq, TabelaPadrao());
}

}  // namespace rolval
