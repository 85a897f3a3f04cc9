#pragma once
// What the validators of layouts 03 and ST 01 keep from line to line. Every line is a whole return,
// so no rule carries over; only a buffer is kept, reused for each return's list entry.
#include <string>

namespace rolval {

struct EstadoAntigos {
  std::string EntradaLista;  // the list entry of the return being read (registration, period)
};

}  // namespace rolval
