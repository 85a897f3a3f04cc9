#pragma once
// The answers of ConsisteInscricaoEstadual (declared in checks/Cadastros.h): 0 for a number that is
// valid for its unit, another value for one that is not or for a unit that does not exist.
#include <cstdint>
#include <string_view>

namespace rolval {

inline constexpr std::int16_t kInscricaoValida = 0;
inline constexpr std::int16_t kInscricaoInvalida = 1;    // not a valid number of that unit
inline constexpr std::int16_t kUnidadeDesconhecida = 2;  // the unit code is not one of the 27

// The same check on the field and the code as views, without copies: what ConsisteInscricaoEstadual
// answers for the texts up to their first NUL character.
std::int16_t ConsisteInscricao(std::string_view numero, std::string_view uf);

}  // namespace rolval
