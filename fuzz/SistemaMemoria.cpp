#include "fuzz/SistemaMemoria.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mman.h>
#include <unistd.h>

namespace rolval::fuzz {

SistemaMemoria::SistemaMemoria()
    // A path below a device file can never exist: nothing is created or removed there on disk
    // (the report writer removes the work files with a direct call, which then fails harmlessly).
    : pasta_("/dev/null/rolval-memoria"), prefixo_(pasta_.string() + "/") {
  memfd_ = ::memfd_create("rolval-entrada", MFD_CLOEXEC);
  if (memfd_ < 0) throw std::runtime_error("memfd_create failed");
  caminhoEntrada_ = "/proc/self/fd/" + std::to_string(memfd_);
}

SistemaMemoria::~SistemaMemoria() {
  if (memfd_ >= 0) ::close(memfd_);
}

const std::string& SistemaMemoria::NovaEntrada(const std::uint8_t* dados, std::size_t tamanho) {
  // The previous iteration's run has closed its files; descriptor numbers start over.
  abertos_.clear();
  proximo_ = 1 << 24;
  arquivos_.clear();
  if (::ftruncate(memfd_, 0) != 0) throw std::runtime_error("ftruncate failed");
  std::size_t feito = 0;
  while (feito < tamanho) {
    const ssize_t n = ::pwrite(memfd_, dados + feito, tamanho - feito, static_cast<off_t>(feito));
    if (n <= 0) throw std::runtime_error("pwrite failed");
    feito += static_cast<std::size_t>(n);
  }
  return caminhoEntrada_;
}

std::string_view SistemaMemoria::Conteudo(const char* nome) const {
  const auto it = arquivos_.find(prefixo_ + nome);
  return it == arquivos_.end() ? std::string_view{} : std::string_view(it->second);
}

int SistemaMemoria::Abre(const char* caminho, int flags, mode_t modo) {
  const std::string_view c(caminho);
  if (c.substr(0, prefixo_.size()) != prefixo_) return SistemaArquivos::Abre(caminho, flags, modo);
  std::string* dados = nullptr;
  const bool escrita = (flags & O_ACCMODE) != O_RDONLY;
  if (escrita) {
    dados = &arquivos_[std::string(c)];
    if (flags & O_TRUNC) dados->clear();
  } else {
    const auto it = arquivos_.find(c);
    if (it == arquivos_.end()) {
      errno = ENOENT;
      return -1;
    }
    dados = &it->second;
  }
  const int fd = proximo_++;
  abertos_[fd] = {dados, 0, escrita};
  return fd;
}

ssize_t SistemaMemoria::Le(int fd, void* destino, std::size_t n) {
  const auto it = abertos_.find(fd);
  if (it == abertos_.end())
    return SistemaArquivos::Le(fd, destino, fatia_ > 0 ? std::min(n, fatia_) : n);
  Aberto& a = it->second;
  if (a.escrita) {
    errno = EBADF;
    return -1;
  }
  const std::size_t resta = a.dados->size() - std::min(a.posicao, a.dados->size());
  const std::size_t k = std::min(n, resta);
  std::memcpy(destino, a.dados->data() + a.posicao, k);
  a.posicao += k;
  return static_cast<ssize_t>(k);
}

ssize_t SistemaMemoria::Escreve(int fd, const void* origem, std::size_t n) {
  const auto it = abertos_.find(fd);
  if (it == abertos_.end()) return SistemaArquivos::Escreve(fd, origem, n);
  if (!it->second.escrita) {
    errno = EBADF;
    return -1;
  }
  it->second.dados->append(static_cast<const char*>(origem), n);
  return static_cast<ssize_t>(n);
}

int SistemaMemoria::Fecha(int fd) {
  if (abertos_.erase(fd) == 1) return 0;
  return SistemaArquivos::Fecha(fd);
}

}  // namespace rolval::fuzz
