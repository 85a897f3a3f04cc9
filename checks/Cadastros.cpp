#include "checks/Cadastros.h"

namespace rolval {

// Not built yet.
bool ValidaUF(std::string_view) { return true; }
bool ValidaInscricao(std::string_view, std::string_view) { return true; }
bool ValidaCPFCNPJ(std::string_view) { return true; }
std::int32_t DiferencaMeses(std::int32_t, std::int32_t, std::int32_t, std::int32_t) { return 0; }

}  // namespace rolval

extern "C" std::int16_t ConsisteInscricaoEstadual(const char*, const char*) { return 0; }
