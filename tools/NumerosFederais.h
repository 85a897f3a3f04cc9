#pragma once
// Federal taxpayer numbers for the generator: a company number (CNPJ, 14 digits) or a personal
// number (CPF, 11 digits) whose two check digits agree with the rest.
#include <cstdint>
#include <string>

namespace rolval::amostras {

// Appends the CNPJ of the twelve digits `base` (zero-filled; 1 or more) and its check digits.
void AcrescentaCNPJ(std::string& destino, std::int64_t base);
// Appends the CPF of the nine digits `base` (zero-filled) and its check digits.
void AcrescentaCPF(std::string& destino, std::int64_t base);

}  // namespace rolval::amostras
