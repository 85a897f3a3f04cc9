#pragma once
// Hints for the common ways a file gets spoilt on its way from the taxpayer's program: line ends
// converted, a byte-order mark, the text saved as UTF-8, records of another layout's length,
// trailing blanks cut by an editor. They explain a report that otherwise says only "not a ROL
// file" or "wrong length"; they are shown beside the report, never written into it, with the
// offer of a corrected copy where one can mend the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rolval {

enum class TipoDica {
  FimDeLinhaLF,
  FimDeLinhaCR,
  MarcaBOM,
  AcentosUtf8,
  TamanhoDeOutroLayout,
  BrancosCortados,
  UltimoSemFimDeLinha,
  LinhaVaziaNoFim,
};

struct Dica {
  TipoDica tipo;
  // One line of Portuguese, UTF-8, no line end: first what happened, in everyday words, then
  // the technical detail.
  std::string texto;
  // Whether a corrected copy (CopiaCorrigida) can mend what it tells.
  bool corrigivel = true;
};

// How much of a file's beginning the hints look at.
inline constexpr std::size_t TamanhoInicioDicas = 64 * 1024;

// Hints from the head of a file (its first bytes, up to TamanhoInicioDicas) and the file's size,
// in a fixed order: byte-order mark, line ends, encoding, record lengths, end of the file.
std::vector<Dica> DicasDoArquivo(std::string_view inicio, std::uint64_t tamanhoArquivo);

// Reads the head of the regular file at `caminho` itself; no hints when it is not a regular file
// or cannot be read (a pipe is never read here: that would take its bytes from the run).
std::vector<Dica> DicasDoCaminho(const std::string& caminho);

}  // namespace rolval
