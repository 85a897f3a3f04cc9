#include "run/Arquivos.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run/Falha.h"

namespace rolval {

namespace {
constexpr std::size_t TamanhoBuffer = 1 << 16;
}

int SistemaArquivos::Abre(const char* caminho, int flags, mode_t modo) {
  return ::open(caminho, flags, modo);
}
ssize_t SistemaArquivos::Le(int fd, void* destino, std::size_t n) { return ::read(fd, destino, n); }
ssize_t SistemaArquivos::Escreve(int fd, const void* origem, std::size_t n) {
  return ::write(fd, origem, n);
}
int SistemaArquivos::Fecha(int fd) { return ::close(fd); }

SistemaArquivos& SistemaArquivos::Padrao() {
  static SistemaArquivos sistema;
  return sistema;
}

char* EntradaEmFatias::Espaco(std::size_t n) {
  const std::size_t pendentes = recebidos_ - lidos_;
  if (pendentes + n > capacidade_) {
    std::unique_ptr<char[]> maior(new char[pendentes + n]);  // not cleared: written over at once
    if (pendentes > 0) std::memcpy(maior.get(), dados_.get() + lidos_, pendentes);
    dados_ = std::move(maior);
    capacidade_ = pendentes + n;
  } else if (pendentes > 0) {
    std::memmove(dados_.get(), dados_.get() + lidos_, pendentes);
  }
  lidos_ = 0;
  recebidos_ = pendentes;
  espaco_ = n;
  return dados_.get() + recebidos_;
}

void EntradaEmFatias::Recebe(std::size_t n, bool ultimos) {
  recebidos_ += std::min(n, espaco_);
  espaco_ = 0;
  completa_ = ultimos;
}

int EntradaEmFatias::Abre(const char* caminho, int flags, mode_t modo) {
  lidos_ = 0;
  return SistemaArquivos::Abre(caminho, flags, modo);
}

ssize_t EntradaEmFatias::Le(int, void* destino, std::size_t n) {
  if (falhou_) {
    errno = EIO;
    return -1;
  }
  n = std::min(n, recebidos_ - lidos_);
  if (n > 0) std::memcpy(destino, dados_.get() + lidos_, n);
  lidos_ += n;
  return static_cast<ssize_t>(n);
}

std::int64_t EntradaEmFatias::ProntosParaLer() const {
  return completa_ || falhou_ ? -1 : static_cast<std::int64_t>(recebidos_ - lidos_);
}

ArquivoSaida::~ArquivoSaida() { FechaEmSilencio(); }

void ArquivoSaida::Cria(const std::string& caminho) { Abre(caminho, O_TRUNC); }

void ArquivoSaida::AbreParaAcrescentar(const std::string& caminho) { Abre(caminho, O_APPEND); }

bool ArquivoSaida::CriaExclusivo(const std::string& caminho) {
  return Abre(caminho, O_EXCL | O_NOFOLLOW);
}

bool ArquivoSaida::Abre(const std::string& caminho, int modo) {
  FechaEmSilencio();
  caminho_ = caminho;
  fd_ = sistema_->Abre(caminho.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | modo, 0644);
  if (fd_ < 0) {
    if (errno == EEXIST && (modo & O_EXCL) != 0) return false;
    FalhaDoSistema("create", caminho);
  }
  buffer_.resize(TamanhoBuffer);
  usado_ = 0;
  return true;
}

void ArquivoSaida::Escreve(std::string_view bytes) {
  if (fd_ < 0) throw FalhaExecucao(ClasseFalha::Outra, "write to a closed file " + caminho_);
  while (!bytes.empty()) {
    if (usado_ == buffer_.size()) Descarrega();
    const std::size_t n = std::min(bytes.size(), buffer_.size() - usado_);
    std::copy_n(bytes.data(), n, buffer_.data() + usado_);
    usado_ += n;
    bytes.remove_prefix(n);
  }
}

void ArquivoSaida::EscreveLinha(std::string_view bytes) {
  Escreve(bytes);
  Escreve("\r\n");
}

void ArquivoSaida::Descarrega() {
  std::size_t feito = 0;
  while (feito < usado_) {
    const ssize_t n = sistema_->Escreve(fd_, buffer_.data() + feito, usado_ - feito);
    if (n < 0) {
      if (errno == EINTR) continue;
      FalhaDoSistema("write", caminho_);
    }
    feito += static_cast<std::size_t>(n);
  }
  usado_ = 0;
}

void ArquivoSaida::Fecha() {
  if (fd_ < 0) return;
  Descarrega();
  const int fd = fd_;
  fd_ = -1;
  if (sistema_->Fecha(fd) != 0) FalhaDoSistema("close", caminho_);
}

void ArquivoSaida::FechaEmSilencio() noexcept {
  if (fd_ >= 0) sistema_->Fecha(fd_);
  fd_ = -1;
  usado_ = 0;
}

LeitorLinhas::~LeitorLinhas() { Fecha(); }

void LeitorLinhas::Abre(const std::string& caminho) {
  Fecha();
  caminho_ = caminho;
  // Without blocking: a pipe with no writer must not hang the run.
  fd_ = sistema_->Abre(caminho.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd_ < 0) FalhaDoSistema("open", caminho);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    const int erro = errno;
    Fecha();
    errno = erro;
    FalhaDoSistema("stat", caminho);
  }
  if (S_ISDIR(st.st_mode)) {
    Fecha();
    errno = EISDIR;
    FalhaDoSistema("open", caminho);
  }
  // Only a regular file has a length and can be read twice from its start.
  if (!S_ISREG(st.st_mode)) {
    Fecha();
    throw FalhaExecucao(ClasseFalha::Outra, "not a regular file: " + caminho);
  }
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  tamanho_ = static_cast<std::int64_t>(st.st_size);
  posicao_ = 0;
  lidos_ = 0;
  buffer_.resize(TamanhoBuffer);
  inicio_ = fim_ = 0;
  restoPendente_ = false;
}

void LeitorLinhas::Fecha() noexcept {
  if (fd_ >= 0) sistema_->Fecha(fd_);
  fd_ = -1;
}

std::int64_t LeitorLinhas::TamanhoAgora() const {
  struct stat st {};
  return ::fstat(fd_, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

bool LeitorLinhas::Enche() {
  if (fd_ < 0) throw FalhaExecucao(ClasseFalha::Outra, "read from a closed file " + caminho_);
  // The part of a line already in the buffer moves to its start, so that a line is always whole
  // in one piece of the buffer and can be handed out as a view.
  const std::size_t restam = fim_ - inicio_;
  if (restam > 0 && inicio_ > 0) std::memmove(buffer_.data(), buffer_.data() + inicio_, restam);
  inicio_ = 0;
  fim_ = restam;
  for (;;) {
    const ssize_t n = sistema_->Le(fd_, buffer_.data() + fim_, buffer_.size() - fim_);
    if (n < 0) {
      if (errno == EINTR) continue;
      FalhaDoSistema("read", caminho_);
    }
    fim_ += static_cast<std::size_t>(n);
    lidos_ += n;
    if (n == 0 && (lidos_ != tamanho_ || TamanhoAgora() != tamanho_))
      throw FalhaExecucao(ClasseFalha::Dispositivo,
                          "the file changed while it was read: " + caminho_);
    return n > 0;
  }
}

bool LeitorLinhas::FimNoArquivo() {
  if (restoPendente_) PulaRestoDaLinha();
  return inicio_ == fim_ && !Enche();
}

void LeitorLinhas::PulaRestoDaLinha() {
  restoPendente_ = false;
  // Consume bytes until the end of the line; nothing of it is kept.
  for (;;) {
    if (inicio_ == fim_ && !Enche()) return;
    const char c = buffer_[inicio_++];
    ++posicao_;
    if (c == '\r') {
      if (inicio_ == fim_ && !Enche()) return;
      if (buffer_[inicio_] == '\n') {
        ++inicio_;
        ++posicao_;
      }
      return;
    }
  }
}

std::string_view LeitorLinhas::LeLinhaDoArquivo(std::size_t limite) {
  if (Fim()) throw FalhaExecucao(ClasseFalha::Outra, "input past end of file " + caminho_);
  const std::size_t maximo = limite + 1;  // characters kept of a line
  // Room for the characters kept, the CR after them and the byte that tells whether an LF follows.
  if (buffer_.size() < maximo + 2) buffer_.resize(maximo + 2);
  std::size_t semCR = 0;  // characters at the start of the line known to hold no CR
  bool fimArquivo = false;
  for (;;) {
    const char* p = buffer_.data() + inicio_;
    const std::size_t disponivel = fim_ - inicio_;
    // A CR beyond the first `maximo` + 1 characters would end a line longer than its limit.
    const std::size_t janela = std::min(disponivel, maximo + 1);
    const char* cr = semCR < janela ? BuscaCR(p + semCR, janela - semCR) : nullptr;
    if (cr != nullptr) {
      const auto ate = static_cast<std::size_t>(cr - p);
      // The line ends here; the byte after the CR, when the file has one, must be in the buffer
      // to tell whether it is the LF of a CR LF.
      if (ate + 1 < disponivel || fimArquivo) {
        const std::size_t fimDeLinha = (ate + 1 < disponivel && p[ate + 1] == '\n') ? 2 : 1;
        inicio_ += ate + fimDeLinha;
        posicao_ += static_cast<std::int64_t>(ate + fimDeLinha);
        return {p, ate};
      }
      semCR = ate;
    } else if (disponivel > maximo) {
      // Longer than its limit: the rest is left for later.
      inicio_ += maximo;
      posicao_ += static_cast<std::int64_t>(maximo);
      restoPendente_ = true;
      return {p, maximo};
    } else if (fimArquivo) {
      // The last line, without its end.
      inicio_ = fim_;
      posicao_ += static_cast<std::int64_t>(disponivel);
      return {p, disponivel};
    } else {
      semCR = disponivel;
    }
    if (!Enche()) fimArquivo = true;
  }
}

}  // namespace rolval
