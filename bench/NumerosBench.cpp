// The numeric test and the conversions that every amount of every record goes through.
#include <benchmark/benchmark.h>

#include <string>

#include "checks/Numeros.h"

namespace rolval {
namespace {

// An annex item as the records hold it: a CFOP and five 13-digit amounts.
const std::string ItemCfop =
    "102"
    "0000001234567"
    "0000000000099"
    "0000012345678"
    "0000000000001"
    "0000007654321";

// The character-by-character test, for comparison with the word-at-a-time one.
bool NumericoCaractereACaractere(std::string_view campo) {
  for (const char c : campo)
    if (c < '0' || c > '9') return false;
  return true;
}

void BM_ValidaNumerico13(benchmark::State& estado) {
  for (auto _ : estado) {
    for (int coluna = 4; coluna < 69; coluna += 13)
      benchmark::DoNotOptimize(ValidaNumerico(ItemCfop, coluna, 13));
  }
  estado.SetItemsProcessed(estado.iterations() * 5);
}
BENCHMARK(BM_ValidaNumerico13);

void BM_NumericoCaractereACaractere13(benchmark::State& estado) {
  for (auto _ : estado) {
    for (int coluna = 4; coluna < 69; coluna += 13)
      benchmark::DoNotOptimize(NumericoCaractereACaractere(Campo(ItemCfop, coluna, 13)));
  }
  estado.SetItemsProcessed(estado.iterations() * 5);
}
BENCHMARK(BM_NumericoCaractereACaractere13);

void BM_ValidaNumericoFalhaNoInicio(benchmark::State& estado) {
  const std::string campo = "A00000000000001";
  for (auto _ : estado) benchmark::DoNotOptimize(ValidaNumerico(campo, 1, 15));
  estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_ValidaNumericoFalhaNoInicio);

// Amounts of 13 and 15 digits, counts of 2 to 4 digits and a 19-digit field (the long path).
void BM_ValorNumerico(benchmark::State& estado) {
  const std::string campo(static_cast<std::size_t>(estado.range(0)), '7');
  for (auto _ : estado) benchmark::DoNotOptimize(ValorNumerico(campo));
  estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_ValorNumerico)->Arg(2)->Arg(4)->Arg(13)->Arg(15)->Arg(19);

void BM_ValorInteiro4(benchmark::State& estado) {
  const std::string campo = "0017";
  for (auto _ : estado) benchmark::DoNotOptimize(ValorInteiro(campo));
  estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_ValorInteiro4);

void BM_CalculaDigito(benchmark::State& estado) {
  const std::string inscricao = "1234567897";
  for (auto _ : estado) benchmark::DoNotOptimize(CalculaDigito(inscricao));
  estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_CalculaDigito);

}  // namespace
}  // namespace rolval
