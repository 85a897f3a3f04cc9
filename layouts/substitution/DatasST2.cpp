#include "layouts/substitution/DatasST2.h"

#include <array>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "run/Campo.h"

namespace rolval {

bool ValidaDataAAAAMMDD(std::string_view linha, int coluna) {
  const std::string_view d = Campo(linha, coluna, 8);
  if (d.size() != 8) return false;
  // The date check reads day, month and year in that order.
  const std::array<char, 8> ddmmaaaa = {d[6], d[7], d[4], d[5], d[0], d[1], d[2], d[3]};
  return ValidaData(std::string_view(ddmmaaaa.data(), ddmmaaaa.size()), 1, DataDDMMAAAA);
}

std::int32_t ChaveAAAAMM(std::string_view mmaaaa) {
  return static_cast<std::int32_t>(ValorInteiro(mmaaaa.substr(2, 4)) * 100 +
                                   ValorInteiro(mmaaaa.substr(0, 2)));
}

}  // namespace rolval
