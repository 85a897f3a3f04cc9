#pragma once
// What the validators of layouts 03 and ST 01 keep from line to line. Every line is a whole return,
// so no rule carries over; only a buffer is kept, reused for each return's list entry.
#include <string>
#include "run/Execucao.h"

namespace rolval {

struct EstadoAntigos : EstadoLayout {
  std::string EntradaLista;  // the list entry of the return being read (registration, period)
};

// The state of the validators of layouts 03 and ST 01 in the run `ex`.
inline EstadoAntigos& Antigos(const Execucao& ex) {
  return static_cast<EstadoAntigos&>(ex.Estado());
}

}  // namespace rolval
