#pragma once
// --fix: the one file given is replaced, for the run, by a corrected copy of it saved as a new
// file; what was changed, or why no copy was saved, is told on standard error.
#include "cli/Opcoes.h"
#include "cli/Sinais.h"

namespace rolval {

// Saves the copy and puts its path in place of the file in `opcoes`. False, with the reason told,
// when no copy was saved.
bool TrocaPelaCopiaCorrigida(Opcoes& opcoes, GuardaSinais& guarda);

}  // namespace rolval
