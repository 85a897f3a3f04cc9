#pragma once
// Calendar dates and reference periods read from a record line.
#include <string_view>

namespace rolval {

// Date forms: DDMMAAAA and MMAAAA (a reference period).
inline constexpr int DataDDMMAAAA = 8;
inline constexpr int DataMMAAAA = 6;

// True when the date at 1-based column `coluna` of `linha` in form `tipoData` is a calendar date
// (year 1900 or later; every year divisible by 4 is a leap year) or is all zeros (no date given).
// A part that is not a number at all (a letter, nothing) is a run failure, not a False: callers
// test the field with ValidaNumerico first.
bool ValidaData(std::string_view linha, int coluna, int tipoData);

// Days in a month (1-12) of a year: February has 29 days in every year divisible by 4. Inline:
// every date of every record is checked with it.
constexpr int DiasDoMes(int mes, int ano) {
  switch (mes) {
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return (ano % 4 == 0) ? 29 : 28;
    default:
      return 31;
  }
}

// The rule of ValidaData on a date's parts already read: `dia` is 0 for the form MMAAAA.
inline bool PartesDeDataValidas(int dia, int mes, int ano, int tipoData) {
  if (dia == 0 && mes == 0 && ano == 0) return true;
  if (mes < 1 || mes > 12 || ano < 1900) return false;
  if (dia >= 1) return dia <= DiasDoMes(mes, ano);
  return tipoData != DataDDMMAAAA;
}

// The rule of ValidaData on a field of `tipoData` characters known to be all digits: its parts
// read from the characters.
inline bool DigitosDeDataValidos(std::string_view campo, int tipoData) {
  const auto d = [campo](std::size_t i) { return campo[i] - '0'; };
  const std::size_t m = tipoData == DataDDMMAAAA ? 2 : 0;  // where the month starts
  const int dia = m == 2 ? d(0) * 10 + d(1) : 0;
  return PartesDeDataValidas(dia, d(m) * 10 + d(m + 1),
                             ((d(m + 2) * 10 + d(m + 3)) * 10 + d(m + 4)) * 10 + d(m + 5),
                             tipoData);
}

}  // namespace rolval
