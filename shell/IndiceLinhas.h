#pragma once
// Fetches a line of the validated file by its number, as the run counted it, without holding the
// file: the file is opened read-only for each fetch, compared with its mark from the start of the
// run, and reached through an index of line starts built in one pass on the first fetch.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rolval {

// Size and modification time of a file: taken when a run starts, so that a later look at the
// file can tell whether it is still the file the run read.
struct MarcaArquivo {
  std::int64_t tamanho = 0;
  std::int64_t modificacaoNs = 0;  // nanoseconds since the epoch
  bool operator==(const MarcaArquivo&) const = default;
};

// The mark of the file at `caminho` now; nothing when it cannot be examined (missing, say).
std::optional<MarcaArquivo> MarcaDe(const std::string& caminho);

enum class SituacaoLinha {
  Lida,              // `bytes` holds the line
  ArquivoAusente,    // the file is no longer there
  ArquivoAlterado,   // size or modification time differ from the mark (or there was no mark)
  ArquivoIlegivel,   // it could not be opened or read (`erro` says why)
  LinhaInexistente,  // the file has fewer lines than that
};

struct LinhaArquivo {
  SituacaoLinha situacao = SituacaoLinha::Lida;
  std::string bytes;  // the line without its end, at most the limit asked for
  std::int64_t numero = 0;
  bool cortada = false;  // the line goes on past what `bytes` holds
  int erro = 0;          // errno, for ArquivoIlegivel
};

class IndiceLinhas {
 public:
  // Every Passo-th line start is kept; a fetch skips at most Passo - 1 lines from the nearest.
  static constexpr std::int64_t Passo = 64;

  // `marca`: the file as the run found it; nothing when the run could not examine it.
  IndiceLinhas(std::string caminho, std::optional<MarcaArquivo> marca);

  // Line `numero` (1-based) of the file, at most `limite` bytes of it. A line ends at CR LF or at a
  // lone CR; a lone LF is part of the line; the last line may lack its end. `deslocamento`: where
  // the line starts in the file, when the run told it (-1: not known); the line is then read from
  // there alone, without indexing the file.
  LinhaArquivo Le(std::int64_t numero, std::size_t limite, std::int64_t deslocamento = -1);

  bool Indexado() const { return indexado_; }
  std::int64_t QtdLinhas() const { return qtdLinhas_; }  // once indexed

 private:
  bool Indexa(int fd, int& erro);  // false on a read error (erro set) or a file that moved under it

  std::string caminho_;
  std::optional<MarcaArquivo> marca_;
  bool indexado_ = false;
  std::int64_t qtdLinhas_ = 0;
  std::vector<std::int64_t> inicios_;  // start of lines 1, Passo + 1, 2 * Passo + 1, ...
};

}  // namespace rolval
