#include "run/ArquivoTrabalho.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "run/Falha.h"

namespace rolval {

namespace {

constexpr std::size_t TamanhoBloco = std::size_t{1} << 16;

int CriaSemNome(SistemaArquivos& sistema, const std::string& pasta) {
  const int fd = CriaArquivoSemNome(sistema, pasta);
  if (fd < 0) FalhaDoSistema("create a work file in", pasta);
  return fd;
}

}  // namespace

int CriaArquivoSemNome(SistemaArquivos& sistema, const std::string& pasta) {
#ifdef O_TMPFILE
  const int fd = sistema.Abre(pasta.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  // Only a file system that cannot make unnamed files is worth a second way.
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
#endif
  std::string modelo = pasta + "/.rolval-XXXXXX";
  const int fd2 = ::mkostemp(modelo.data(), O_CLOEXEC);
  if (fd2 >= 0) ::unlink(modelo.c_str());
  return fd2;
}

std::string PastaTemporariaPadrao() {
  const char* base = std::getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

ArquivoTrabalho::~ArquivoTrabalho() { Descarta(); }

ArquivoTrabalho::ArquivoTrabalho(ArquivoTrabalho&& outro) noexcept { *this = std::move(outro); }

ArquivoTrabalho& ArquivoTrabalho::operator=(ArquivoTrabalho&& outro) noexcept {
  if (this == &outro) return *this;
  Descarta();
  sistema_ = outro.sistema_;
  pasta_ = outro.pasta_;
  limite_ = outro.limite_;
  memoria_ = std::move(outro.memoria_);
  fd_ = std::exchange(outro.fd_, -1);
  tamanho_ = std::exchange(outro.tamanho_, 0);
  aberto_ = std::exchange(outro.aberto_, false);
  outro.memoria_.clear();
  return *this;
}

void ArquivoTrabalho::DefineTransbordo(std::string pasta, std::size_t limite) {
  pasta_ = std::move(pasta);
  limite_ = std::max<std::size_t>(limite, 1);
}

void ArquivoTrabalho::Abre() {
  Descarta();
  aberto_ = true;
}

void ArquivoTrabalho::Acrescenta() { aberto_ = true; }

void ArquivoTrabalho::Escreve(std::string_view bytes) {
  if (!aberto_) throw FalhaExecucao(ClasseFalha::Outra, "write to a closed work file");
  memoria_.append(bytes);
  tamanho_ += static_cast<std::int64_t>(bytes.size());
  if (fd_ < 0) {
    if (memoria_.size() > limite_) Transborda();
  } else if (memoria_.size() >= TamanhoBloco) {
    Descarrega();
  }
}

void ArquivoTrabalho::EscreveLinha(std::string_view bytes) {
  const std::size_t depois = memoria_.size() + bytes.size() + 2;
  if (aberto_ && (fd_ < 0 ? depois <= limite_ : depois < TamanhoBloco)) {
    // Nothing to move out after either part (below the limit in memory, below a block once in a
    // file): the line and its end appended in place.
    memoria_.append(bytes).append("\r\n", 2);
    tamanho_ += static_cast<std::int64_t>(bytes.size() + 2);
    return;
  }
  Escreve(bytes);
  Escreve("\r\n");
}

void ArquivoTrabalho::EscreveConteudoDe(const ArquivoTrabalho& origem) {
  origem.Le([this](std::string_view bloco) { Escreve(bloco); });
}

void ArquivoTrabalho::Transborda() {
  fd_ = CriaSemNome(*sistema_, pasta_.empty() ? PastaTemporariaPadrao() : pasta_);
  Descarrega();
  memoria_.shrink_to_fit();
}

void ArquivoTrabalho::Descarrega() {
  std::size_t feito = 0;
  while (feito < memoria_.size()) {
    const ssize_t n = sistema_->Escreve(fd_, memoria_.data() + feito, memoria_.size() - feito);
    if (n < 0) {
      if (errno == EINTR) continue;
      memoria_.erase(0, feito);
      FalhaDoSistema("write",
                     "a work file in " + (pasta_.empty() ? PastaTemporariaPadrao() : pasta_));
    }
    feito += static_cast<std::size_t>(n);
  }
  memoria_.clear();
}

void ArquivoTrabalho::Fecha() {
  if (!aberto_) return;
  aberto_ = false;
  if (fd_ >= 0) Descarrega();
}

void ArquivoTrabalho::FechaEmSilencio() noexcept { aberto_ = false; }

void ArquivoTrabalho::Descarta() noexcept {
  if (fd_ >= 0) sistema_->Fecha(fd_);
  fd_ = -1;
  std::string().swap(memoria_);
  tamanho_ = 0;
  aberto_ = false;
}

void ArquivoTrabalho::Le(const std::function<void(std::string_view)>& destino) const {
  if (fd_ < 0) {
    for (std::size_t i = 0; i < memoria_.size(); i += TamanhoBloco)
      destino(std::string_view(memoria_).substr(i, TamanhoBloco));
    return;
  }
  // What was written to the file, from its start, then what is still held.
  if (::lseek(fd_, 0, SEEK_SET) < 0) FalhaDoSistema("seek", "a work file");
  std::vector<char> bloco(TamanhoBloco);
  std::int64_t falta = tamanho_ - static_cast<std::int64_t>(memoria_.size());
  while (falta > 0) {
    const std::size_t pede = static_cast<std::size_t>(std::min<std::int64_t>(falta, TamanhoBloco));
    const ssize_t n = sistema_->Le(fd_, bloco.data(), pede);
    if (n < 0) {
      if (errno == EINTR) continue;
      FalhaDoSistema("read", "a work file");
    }
    if (n == 0) throw FalhaExecucao(ClasseFalha::Dispositivo, "a work file ended early");
    destino(std::string_view(bloco.data(), static_cast<std::size_t>(n)));
    falta -= n;
  }
  ::lseek(fd_, 0, SEEK_END);
  if (!memoria_.empty()) destino(memoria_);
}

std::string ArquivoTrabalho::Texto() const {
  std::string texto;
  texto.reserve(static_cast<std::size_t>(tamanho_));
  Le([&texto](std::string_view bloco) { texto.append(bloco); });
  return texto;
}

}  // namespace rolval
