#pragma once
// The answers of ConsisteInscricaoEstadual (declared in checks/Cadastros.h): 0 for a number that is
// valid for its unit, another value for one that is not or for a unit that does not exist.
#include <cstdint>

namespace rolval {

inline constexpr std::int16_t kInscricaoValida = 0;
inline constexpr std::int16_t kInscricaoInvalida = 1;    // not a valid number of that unit
inline constexpr std::int16_t kUnidadeDesconhecida = 2;  // the unit code is not one of the 27

}  // namespace rolval
