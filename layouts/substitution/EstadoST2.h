#pragma once
// What the validator of the tax-substitution return, layout ST 02, keeps from record to record.

namespace rolval {

struct EstadoST2 {};

}  // namespace rolval
