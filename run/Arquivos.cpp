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
  for (;;) {
    const ssize_t n = sistema_->Le(fd_, buffer_.data(), buffer_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      FalhaDoSistema("read", caminho_);
    }
    inicio_ = 0;
    fim_ = static_cast<std::size_t>(n);
    lidos_ += n;
    if (n == 0 && (lidos_ != tamanho_ || TamanhoAgora() != tamanho_))
      throw FalhaExecucao(ClasseFalha::Dispositivo,
                          "the file changed while it was read: " + caminho_);
    return n > 0;
  }
}

bool LeitorLinhas::Fim() {
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

void LeitorLinhas::LeLinha(std::string& linha, std::size_t limite) {
  linha.clear();
  if (Fim()) throw FalhaExecucao(ClasseFalha::Outra, "input past end of file " + caminho_);
  for (;;) {
    if (inicio_ == fim_ && !Enche()) return;  // last line without its end
    const char* p = buffer_.data() + inicio_;
    const std::size_t disponivel = fim_ - inicio_;
    const void* cr = std::memchr(p, '\r', disponivel);
    const std::size_t ate =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : disponivel;
    const std::size_t cabe = limite + 1 - std::min(linha.size(), limite + 1);
    const std::size_t copia = std::min(ate, cabe);
    linha.append(p, copia);
    inicio_ += copia;
    posicao_ += static_cast<std::int64_t>(copia);
    if (copia < ate) {  // the line is longer than its limit: leave the rest for later
      restoPendente_ = true;
      return;
    }
    if (cr) {
      ++inicio_;
      ++posicao_;
      if (inicio_ == fim_ && !Enche()) return;
      if (buffer_[inicio_] == '\n') {
        ++inicio_;
        ++posicao_;
      }
      return;
    }
  }
}

}  // namespace rolval
