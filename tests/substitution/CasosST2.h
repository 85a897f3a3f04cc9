#pragma once
// Table cases of layout ST 02 headers.
#include <vector>

#include "tests/substitution/RegistrosST2.h"
#include "tests/support/Casos.h"

namespace rolval::teste {

// Cases that spoil a valid header, each alone in its file: the findings must be the expected ones.
using CasoA0 = CasoRegistro<RegistroA0>;
inline void ConfereCabecalhos(const std::vector<CasoA0>& casos) {
  ConfereCasos(
      casos, [] { return RegistroA0(); }, [](const RegistroA0& a0) { return AchadosST2({a0}); });
}

}  // namespace rolval::teste
