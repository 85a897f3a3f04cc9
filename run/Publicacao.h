#pragma once
// The folder where a run leaves its report for people and other programs: saida.txt and
// param.txt. Each is written whole under a fresh name created exclusively (never through a
// symbolic link), then renamed into place, saida.txt first and param.txt last, under a lock on the
// folder, so that readers and other runs see either the earlier pair or the new one, never a mix
// or a part. Renaming replaces a symbolic link planted under either name, never its target.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "run/ArquivoTrabalho.h"
#include "run/Arquivos.h"

namespace rolval {

// Told while named files of a run exist half-made in a folder, so that a program stopped by a
// signal can let the writing finish (or undo it) before it ends.
class GuardaEscrita {
 public:
  virtual ~GuardaEscrita() = default;
  virtual void Comeca() = 0;
  virtual void Termina() = 0;
  // Whether the program has been asked to end meanwhile: a writer that can give up its file
  // should then do so rather than finish it.
  virtual bool Interrompida() const { return false; }
};

// Thrown by a writer of GravaArquivoNovo that gives up because the program is asked to end.
struct EscritaInterrompida {};

// Whether writing `nome` in `pasta` would write the file `caminho` itself (same device and inode;
// a symbolic link under `nome` is itself what would be replaced, so it is the link that counts).
bool EscreveriaSobre(const std::filesystem::path& pasta, const char* nome,
                     const std::string& caminho);

// A file written whole under a fresh name in a folder, created exclusively and without following
// links; removed when the object goes unless it was put in place (Entregue) first. Whatever way a
// writer fails, no half-made file stays.
class ArquivoProvisorio {
 public:
  // Creates the file under a name beginning with `prefixo`, has `escreve` write it, closes it.
  // Throws a FalhaExecucao when it cannot be made or written.
  ArquivoProvisorio(const std::filesystem::path& pasta, std::string_view prefixo,
                    SistemaArquivos& sistema, const std::function<void(ArquivoSaida&)>& escreve);
  ~ArquivoProvisorio();
  ArquivoProvisorio(const ArquivoProvisorio&) = delete;
  ArquivoProvisorio& operator=(const ArquivoProvisorio&) = delete;

  const std::string& caminho() const { return caminho_; }
  void Entregue() { caminho_.clear(); }  // renamed into place: nothing to remove

 private:
  std::string caminho_;
};

// Which file a name stood for when a run published it. The change time and size are part of it,
// as a file system may give a freed inode number to the next file at once.
struct IdentidadeArquivo {
  dev_t dispositivo = 0;
  ino_t inode = 0;
  std::int64_t mudancaSeg = 0;
  std::int64_t mudancaNs = 0;
  std::int64_t tamanho = 0;
  bool valida = false;
  bool operator==(const IdentidadeArquivo&) const = default;
};

// Writes a new file whole under a temporary name in `pasta`, then gives it the first of the names
// `nome(1)`, `nome(2)` ... `nome(tentativas)` that no file has yet, never replacing a file, and
// returns its path; empty when every name is taken. Throws a FalhaExecucao when the file cannot
// be made or written, and EscritaInterrompida when `guarda` is interrupted before the file has
// its name (a named file is then removed again). On every failure nothing is left behind.
std::string GravaArquivoNovo(const std::filesystem::path& pasta,
                             const std::function<std::string(int)>& nome, int tentativas,
                             SistemaArquivos& sistema,
                             const std::function<void(ArquivoSaida&)>& escreve,
                             GuardaEscrita* guarda);

// Publishes the report `saida` and the status file `param` (its bytes) in `pasta` and returns the
// identity of the saida.txt put there. Throws a FalhaExecucao when they could not be written or
// put in place; nothing half-written stays then.
IdentidadeArquivo PublicaRelatorio(const std::filesystem::path& pasta, SistemaArquivos& sistema,
                                   const ArquivoTrabalho& saida, std::string_view param,
                                   GuardaEscrita* guarda);

// Removes the saida.txt and param.txt of an earlier run from `pasta` (a run that ends without a
// report leaves neither), under the same lock; a file that is not there is no failure.
void RetiraRelatorio(const std::filesystem::path& pasta) noexcept;

// Removes saida.txt from `pasta` if it is still the file `identidade` names (another run may have
// published its own since).
void RetiraSaidaPublicada(const std::filesystem::path& pasta,
                          const IdentidadeArquivo& identidade) noexcept;

}  // namespace rolval
