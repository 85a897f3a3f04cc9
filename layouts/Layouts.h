#pragma once
// The layouts this program recognises, in the order they are tried on a file's first line, and
// the end-of-file closings of the returns that span several lines.
#include "run/ValidaArquivo.h"

namespace rolval {

const TabelaLayouts& TabelaPadrao();

// One run of `nomeArq` with every layout.
inline Desfecho ValidaArquivo(Execucao& execucao, std::string_view nomeArq) {
  return ValidaArquivo(execucao, nomeArq, TabelaPadrao());
}

}  // namespace rolval
