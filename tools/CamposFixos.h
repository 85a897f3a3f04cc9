#pragma once
// Putting fixed-width records together: fields written at 1-based columns over a record of
// blanks, or appended in column order to a run of fields (an annex item).
#include <array>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rolval::amostras {

// A whole number of exactly `tamanho` digits, zero-filled, written from `coluna` on. It must be
// 0 or more and fit; a field that does not fit the record is a fault of the caller.
void PoeNumero(std::string& registro, int coluna, int tamanho, std::int64_t valor);
void PoeTexto(std::string& registro, int coluna, std::string_view texto);
std::int64_t LeNumero(std::string_view registro, int coluna, int tamanho);  // digits only

// Appends a whole number of exactly `tamanho` digits, or a text cut or blank-filled to `tamanho`.
void AcrescentaDigitos(std::string& destino, int tamanho, std::int64_t valor);
void AcrescentaTexto(std::string& destino, int tamanho, std::string_view texto);

// The place of `nome` among `nomes` (annex names); std::invalid_argument naming `origem`, the
// option it came from, when it is not there.
std::size_t ProcuraNome(std::span<const std::string_view> nomes, std::string_view nome,
                        std::string_view origem);

// Which of `nomes` an annex list asks for: "all", "none" (or empty), or names separated by commas.
template <std::size_t N>
std::array<bool, N> LeListaDeNomes(std::string_view texto,
                                   const std::array<std::string_view, N>& nomes) {
  std::array<bool, N> pedidos{};
  if (texto == "all") {
    pedidos.fill(true);
    return pedidos;
  }
  if (texto == "none" || texto.empty()) return pedidos;
  std::size_t inicio = 0;
  while (inicio <= texto.size()) {
    const std::size_t virgula = std::min(texto.find(',', inicio), texto.size());
    pedidos[ProcuraNome(nomes, texto.substr(inicio, virgula - inicio), texto)] = true;
    inicio = virgula + 1;
  }
  return pedidos;
}

// Writes the first `quantos` records of a return, each followed by CR LF; throws
// std::runtime_error when the output fails.
void EscreveRegistros(std::ostream& saida, const std::vector<std::string>& registros,
                      std::size_t quantos);

}  // namespace rolval::amostras
