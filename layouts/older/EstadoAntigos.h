#pragma once
// What the validators of layouts 03 and ST 01 keep from line to line.

namespace rolval {

struct EstadoAntigos {};

}  // namespace rolval
