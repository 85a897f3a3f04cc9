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
// writer fails, no half-made file stays. Its bytes are on the disk before the object is made, so
// that a name it is given later never stands for an empty file after a power loss; while the
// object lives the file is locked (flock), which tells it from one a dead run left behind.
class ArquivoProvisorio {
 public:
  // Creates the file under a name beginning with `prefixo`, has `escreve` write it, closes it,
  // and, with `sincroniza`, syncs it. Throws a FalhaExecucao when it cannot be made or written.
  ArquivoProvisorio(const std::filesystem::path& pasta, std::string_view prefixo,
                    SistemaArquivos& sistema, const std::function<void(ArquivoSaida&)>& escreve,
                    bool sincroniza = true);
  ~ArquivoProvisorio();
  ArquivoProvisorio(const ArquivoProvisorio&) = delete;
  ArquivoProvisorio& operator=(const ArquivoProvisorio&) = delete;

  const std::string& caminho() const { return caminho_; }
  void Entregue() { caminho_.clear(); }  // renamed into place: nothing to remove

 private:
  std::string caminho_;
  int trava_ = -1;  // the file, open and locked
};

// The names every hidden temporary of a report starts with.
inline constexpr const char* PrefixosProvisorios[] = {".saida.txt.", ".param.txt.",
                                                      ".rolval-saida.", ".rolval-param."};

// Removes from `pasta` the hidden temporaries of reports that runs killed while writing them left
// behind: this user's, unlocked, untouched for a minute. The ones of a live run are locked.
void RetiraProvisoriosOrfaos(const std::filesystem::path& pasta) noexcept;

// Writes to the disk what the folder `pasta` holds (its names), after a rename or link into it;
// as far as it can (a folder that may not be read cannot be synced, and its files already were).
void SincronizaPasta(const std::filesystem::path& pasta) noexcept;

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
// put in place; nothing half-written stays then. Without `sincroniza` (a scratch folder) nothing
// is synced to the disk.
IdentidadeArquivo PublicaRelatorio(const std::filesystem::path& pasta, SistemaArquivos& sistema,
                                   const ArquivoTrabalho& saida, std::string_view param,
                                   GuardaEscrita* guarda, bool sincroniza = true);

// Removes the saida.txt and param.txt of an earlier run from `pasta` (a run that ends without a
// report leaves neither), under the same lock; a file that is not there is no failure. A folder
// that may be searched but not listed cannot be locked: the files are removed all the same.
// Returns why either file is still there ("" when neither is).
std::string RetiraRelatorio(const std::filesystem::path& pasta) noexcept;

// The message of a run that ended without a report while an earlier pair it could not remove
// (for `motivo`) is still in its folder.
std::string MensagemRelatorioAnterior(const std::string& motivo);

// Removes saida.txt from `pasta` if it is still the file `identidade` names (another run may have
// published its own since).
void RetiraSaidaPublicada(const std::filesystem::path& pasta,
                          const IdentidadeArquivo& identidade) noexcept;

}  // namespace rolval
