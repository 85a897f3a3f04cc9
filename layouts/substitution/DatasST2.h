#pragma once
// Dates written year first (AAAAMMDD), as layout ST 02 carries them.
#include <cstdint>
#include <string_view>

namespace rolval {

// True when the 8 digits at 1-based `coluna` of `linha`, read as AAAAMMDD, are a calendar date
// or all zeros. The field must already have passed ValidaNumerico.
bool ValidaDataAAAAMMDD(std::string_view linha, int coluna);

// The period AAAAMM of a reference period MMAAAA given as 6 digits.
std::int32_t ChaveAAAAMM(std::string_view mmaaaa);

}  // namespace rolval
