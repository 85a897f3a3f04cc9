#pragma once
// The file layer of a run: a buffered writer of CR LF text lines and a reader of input lines.
// Every operating-system error becomes a FalhaExecucao of its class.
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "run/CaminhosRapidos.h"
#if ROLVAL_RAPIDO_SIMD128
#include <wasm_simd128.h>
#endif

namespace rolval {

// The operating-system calls the file layer makes, in one place, so that tests can make any of
// them fail. The standard one calls the system; failures set errno as the system does.
class SistemaArquivos {
 public:
  virtual ~SistemaArquivos() = default;
  virtual int Abre(const char* caminho, int flags, mode_t modo);
  virtual ssize_t Le(int fd, void* destino, std::size_t n);
  virtual ssize_t Escreve(int fd, const void* origem, std::size_t n);
  virtual int Fecha(int fd);
  // The bytes of the input that can be read now, when they come while the run goes on (the
  // page's slices); -1 when every byte left can be read, as with any file of the system.
  virtual std::int64_t ProntosParaLer() const { return -1; }
  static SistemaArquivos& Padrao();  // the system's own calls; keeps no state
};

// The input of a run whose bytes come slice by slice while the run goes on (the page reads a
// file's next slice while the engine validates the one before): the run reads them from here.
// The file is still opened as any other, so that its length and kind are known; only its bytes
// come from the slices.
class EntradaEmFatias : public SistemaArquivos {
 public:
  // Room for the next `n` bytes after those not yet read; the bytes read are let go.
  char* Espaco(std::size_t n);
  // The first `n` bytes of the room are the file's next ones; `ultimos` when the file ends there.
  void Recebe(std::size_t n, bool ultimos);
  // The rest of the file cannot be read: the run's next read fails as a device's.
  void Falha() { falhou_ = true; }
  // The file opened again from its start (the run reads its first line twice): nothing of it is
  // let go before the run reads past its first line.
  int Abre(const char* caminho, int flags, mode_t modo) override;
  ssize_t Le(int fd, void* destino, std::size_t n) override;
  std::int64_t ProntosParaLer() const override;

 private:
  // Bytes come and not yet let go, then the room for the next ones. The room is not cleared
  // first: the caller writes the slice's bytes over it at once.
  std::unique_ptr<char[]> dados_;
  std::size_t capacidade_ = 0;
  std::size_t lidos_ = 0;      // of them, those the run has read
  std::size_t recebidos_ = 0;  // of them, those come
  std::size_t espaco_ = 0;     // the room after them, given by the last Espaco
  bool completa_ = false;
  bool falhou_ = false;
};

class ArquivoSaida {
 public:
  ArquivoSaida() = default;
  explicit ArquivoSaida(SistemaArquivos& sistema) : sistema_(&sistema) {}
  void Usa(SistemaArquivos& sistema) { sistema_ = &sistema; }
  ~ArquivoSaida();
  ArquivoSaida(const ArquivoSaida&) = delete;
  ArquivoSaida& operator=(const ArquivoSaida&) = delete;

  void Cria(const std::string& caminho);                 // create or truncate, for writing
  void AbreParaAcrescentar(const std::string& caminho);  // create or append
  // A new file, never through a link: false when the name exists (as a link too).
  bool CriaExclusivo(const std::string& caminho);
  bool Aberto() const { return fd_ >= 0; }
  void Escreve(std::string_view bytes);
  void EscreveLinha(std::string_view bytes);  // the bytes and CR LF
  void Fecha();                     // writes what is buffered and closes; throws on failure
  void FechaEmSilencio() noexcept;  // closes without writing what is buffered (failure paths)

 private:
  bool Abre(const std::string& caminho, int modo);
  void Descarrega();
  SistemaArquivos* sistema_ = &SistemaArquivos::Padrao();
  int fd_ = -1;
  std::string caminho_;
  std::vector<char> buffer_;
  std::size_t usado_ = 0;
};

// The first CR among the `n` bytes at `p`, or null.
inline const char* BuscaCR(const char* p, std::size_t n) {
#if ROLVAL_RAPIDO_SIMD128
  const v128_t cr = wasm_i8x16_splat('\r');
  for (; n >= 16; p += 16, n -= 16) {
    const auto achados =
        static_cast<std::uint32_t>(wasm_i8x16_bitmask(wasm_i8x16_eq(wasm_v128_load(p), cr)));
    if (achados != 0) return p + std::countr_zero(achados);
  }
#endif
  return static_cast<const char*>(std::memchr(p, '\r', n));
}

// Reads the input file line by line. A line ends at CR LF or at a lone CR; a lone LF is an
// ordinary character. One byte is one character.
class LeitorLinhas {
 public:
  LeitorLinhas() = default;
  ~LeitorLinhas();
  void Usa(SistemaArquivos& sistema) { sistema_ = &sistema; }
  LeitorLinhas(const LeitorLinhas&) = delete;
  LeitorLinhas& operator=(const LeitorLinhas&) = delete;

  void Abre(const std::string& caminho);
  bool Aberto() const { return fd_ >= 0; }
  void Fecha() noexcept;
  std::int64_t Tamanho() const { return tamanho_; }  // length in bytes when opened
  std::int64_t Posicao() const { return posicao_; }  // bytes consumed so far
  // True when no byte is left to read. A file whose length differs there from its length when
  // it was opened (it changed while being read) is a device failure, never a clean end.
  bool Fim() { return (restoPendente_ || inicio_ == fim_) && FimNoArquivo(); }
  // The next line (without its end), as a view into the reader's buffer that stays valid until
  // the next call on the reader: no line is copied. Keeps at most `limite` + 1 characters, so
  // that a line longer than `limite` is seen as such without being held whole; the rest of such a
  // line is skipped only if another line is read. Reading at the end is a failure.
  std::string_view LeLinha(std::size_t limite) {
    // The usual case, inline: the whole line and the byte after its CR are in the buffer.
    if (!restoPendente_ && inicio_ < fim_) {
      const char* p = buffer_.data() + inicio_;
      const std::size_t disponivel = fim_ - inicio_;
      const char* cr = BuscaCR(p, std::min(disponivel, limite + 2));
      if (cr != nullptr) {
        const auto ate = static_cast<std::size_t>(static_cast<const char*>(cr) - p);
        if (ate + 1 < disponivel) {
          const std::size_t fimDeLinha = p[ate + 1] == '\n' ? 2 : 1;
          inicio_ += ate + fimDeLinha;
          posicao_ += static_cast<std::int64_t>(ate + fimDeLinha);
          return {p, ate};
        }
      }
    }
    return LeLinhaDoArquivo(limite);
  }
  // Whether the next line (or the end of the file) can be read from the bytes at hand: always
  // with a file of the system; with an input that comes while the run goes on, once the line's
  // end, or its limit, is among the bytes come.
  bool LinhaAoAlcance(std::size_t limite) const {
    const std::int64_t prontos = sistema_->ProntosParaLer();
    // A line and its end take at most `limite` + 3 bytes: its kept characters, one more that
    // tells it is longer than its limit, the CR and the byte after it.
    return prontos < 0 || static_cast<std::size_t>(prontos) + (fim_ - inicio_) >= limite + 3;
  }
  // The same line copied into `linha`.
  void LeLinha(std::string& linha, std::size_t limite) { linha.assign(LeLinha(limite)); }

 private:
  // Moves the bytes not yet consumed to the start of the buffer and reads more after them;
  // false at the end of the file.
  bool Enche();
  bool FimNoArquivo();
  // LeLinha when the line is not whole in the buffer: reads more of the file, skips the rest of
  // a line cut at its limit, and ends the last line at the end of the file.
  std::string_view LeLinhaDoArquivo(std::size_t limite);
  std::int64_t TamanhoAgora() const;  // the file's length now (-1 when it cannot be known)
  void PulaRestoDaLinha();
  SistemaArquivos* sistema_ = &SistemaArquivos::Padrao();
  int fd_ = -1;
  std::string caminho_;
  std::int64_t tamanho_ = 0;
  std::int64_t posicao_ = 0;
  std::int64_t lidos_ = 0;  // bytes read from the file so far
  std::vector<char> buffer_;
  std::size_t inicio_ = 0;
  std::size_t fim_ = 0;
  bool restoPendente_ = false;  // the last line was cut at its limit
};

}  // namespace rolval
