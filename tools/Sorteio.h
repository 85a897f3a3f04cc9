#pragma once
// The generator's source of chance: a small deterministic sequence (splitmix64), so that one seed
// gives the same sample file on every machine and compiler.
#include <cstdint>

namespace rolval::amostras {

class Sorteio {
 public:
  explicit Sorteio(std::uint64_t semente) : estado_(semente) {}

  std::uint64_t Proximo() {
    std::uint64_t z = (estado_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

  // A whole number from minimo to maximo, both included (minimo <= maximo).
  std::int64_t Entre(std::int64_t minimo, std::int64_t maximo) {
    const auto faixa = static_cast<std::uint64_t>(maximo - minimo) + 1;
    return minimo + static_cast<std::int64_t>(faixa == 0 ? Proximo() : Proximo() % faixa);
  }

  bool Moeda() { return (Proximo() & 1) != 0; }

 private:
  std::uint64_t estado_;
};

}  // namespace rolval::amostras
