#include "layouts/monthly/ValidaVersao45.h"

namespace rolval {

// Not built yet.
void ConfereLinhasAnexos(Execucao&) {}
void ConfereValores(Execucao&) {}
void FechaUltimoRetornoMensal(Execucao&) {}

}  // namespace rolval
