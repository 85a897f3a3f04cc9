#pragma once
// A work file of one run (the findings, the list of returns, the report): bytes written in order,
// held in memory and moved to an unnamed temporary file once they pass a limit, so that a report
// of any size runs in flat memory. It has no name anywhere and goes with the object; no other run
// or program can see it, replace it or have it replaced.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "run/Arquivos.h"

namespace rolval {

// The folder for unnamed temporary files when the run is given none: $TMPDIR, or /tmp.
std::string PastaTemporariaPadrao();

// An open temporary file without a name in `pasta`: created unnamed where the file system can,
// otherwise created under a fresh name and unlinked at once. -1, errno set, on failure.
int CriaArquivoSemNome(SistemaArquivos& sistema, const std::string& pasta);

class ArquivoTrabalho {
 public:
  // Bytes held in memory before the content moves to a temporary file.
  static constexpr std::size_t LimitePadrao = std::size_t{512} << 10;

  ArquivoTrabalho() = default;
  ~ArquivoTrabalho();
  ArquivoTrabalho(const ArquivoTrabalho&) = delete;
  ArquivoTrabalho& operator=(const ArquivoTrabalho&) = delete;
  // The content and its temporary file change hands; the other is left empty.
  ArquivoTrabalho(ArquivoTrabalho&& outro) noexcept;
  ArquivoTrabalho& operator=(ArquivoTrabalho&& outro) noexcept;

  void Usa(SistemaArquivos& sistema) { sistema_ = &sistema; }
  // Where the content goes past `limite` bytes (an empty folder: PastaTemporariaPadrao()).
  void DefineTransbordo(std::string pasta, std::size_t limite);

  void Abre();        // empty and open for writing; what was there is dropped
  void Acrescenta();  // open for writing again after the end, keeping the content
  bool Aberto() const { return aberto_; }
  void Escreve(std::string_view bytes);
  void EscreveLinha(std::string_view bytes);              // the bytes and CR LF
  void EscreveConteudoDe(const ArquivoTrabalho& origem);  // the whole content of another one
  void Fecha();  // ends the writing; throws when what was held could not be written out
  void FechaEmSilencio() noexcept;  // ends the writing on a failure path; the content may be cut
  void Descarta() noexcept;         // drops the content and the temporary file

  std::int64_t Tamanho() const { return tamanho_; }
  bool EmArquivo() const { return fd_ >= 0; }  // the content has moved to a temporary file
  // Hands the content to `destino` from the start, in pieces of at most 64 KiB, in order. Reading
  // back a temporary file that fails throws a FalhaExecucao.
  void Le(const std::function<void(std::string_view)>& destino) const;
  std::string Texto() const;  // the whole content (for reports of a size that fits)

 private:
  void Transborda();
  void Descarrega();
  SistemaArquivos* sistema_ = &SistemaArquivos::Padrao();
  std::string pasta_;
  std::size_t limite_ = LimitePadrao;
  std::string memoria_;  // the content, or once in a file the bytes not yet written to it
  int fd_ = -1;
  std::int64_t tamanho_ = 0;
  bool aberto_ = false;
};

}  // namespace rolval
