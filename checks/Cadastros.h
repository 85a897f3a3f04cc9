#pragma once
// Federative units, state registration numbers, federal taxpayer numbers (CPF/CNPJ) and the
// distance in months between two periods.
#include <cstdint>
#include <string_view>

namespace rolval {

// True when `codigo` is exactly one of the 27 unit codes (case-sensitive, no trimming).
bool ValidaUF(std::string_view codigo);

// True when the 14-character registration field `numero` is acceptable for unit `uf`.
bool ValidaInscricao(std::string_view numero, std::string_view uf);

// True when the check digits of an 11-digit CPF or a 14-digit CNPJ agree.
bool ValidaCPFCNPJ(std::string_view numero);
// The two check digits an 11-digit CPF or a 14-digit CNPJ should end with, as one number (07 is
// 7); -1 for another text. Says nothing of ValidaCPFCNPJ's verdict (twelve zeros are refused).
int DigitosEsperadosCPFCNPJ(std::string_view numero);

// Months from mes1/ano1 to mes2/ano2 (0 when equal), or -1 when the first is later.
std::int32_t DiferencaMeses(std::int32_t mes1, std::int32_t ano1, std::int32_t mes2,
                            std::int32_t ano2);

}  // namespace rolval

// The registration-number check of each unit: 0 when `numero` (the field as read, trailing blanks
// kept) is a valid state registration number of unit `uf`, another value when it is not.
extern "C" std::int16_t ConsisteInscricaoEstadual(const char* numero, const char* uf);
