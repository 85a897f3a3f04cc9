#pragma once
// What a run reads for one file argument. A file is read where it is. Standard input ("-"), unless
// it is a regular file, and a FIFO (a process substitution such as <(zcat f.gz)) are first copied
// whole to a private unnamed temporary file, so that the run reads a file of known size like any
// other, and no other program can see or change the copy. A folder is not read at all.
#include <cstdint>
#include <string>

namespace rolval {

// The longest stream copied by default: 4 GiB, far more than any return file holds, far less
// than a stream that never ends would fill.
inline constexpr std::uint64_t LimiteCopiaPadrao = std::uint64_t{4} << 30;

class EntradaDaExecucao {
 public:
  // `pastaTemporaria`: where a copy goes (empty: $TMPDIR, or /tmp). A stream longer than
  // `limiteCopia` bytes is not copied past it: no run is made of it.
  EntradaDaExecucao(const std::string& arquivo, const std::string& pastaTemporaria,
                    std::uint64_t limiteCopia = LimiteCopiaPadrao);
  ~EntradaDaExecucao();
  EntradaDaExecucao(const EntradaDaExecucao&) = delete;
  EntradaDaExecucao& operator=(const EntradaDaExecucao&) = delete;

  const std::string& caminho() const { return caminho_; }  // the path the run opens
  // Why no run can be made of the argument; empty when it can.
  const std::string& erro() const { return erro_; }

 private:
  void Copia(int origem, const std::string& pasta, std::uint64_t limite);
  std::string caminho_;
  std::string erro_;
  int copia_ = -1;
};

}  // namespace rolval
