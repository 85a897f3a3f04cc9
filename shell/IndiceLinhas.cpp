#include "shell/IndiceLinhas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rolval {

namespace {

constexpr std::size_t BlocoIndice = std::size_t{1} << 20;
constexpr std::size_t BlocoLinha = std::size_t{1} << 16;

MarcaArquivo MarcaDeStat(const struct stat& st) {
  return {static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// Closes the descriptor on every way out.
struct Descritor {
  int fd = -1;
  ~Descritor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads forward from an offset in blocks, one byte at a time for the caller.
class LeitorSequencial {
 public:
  LeitorSequencial(int fd, std::int64_t inicio) : fd_(fd), posicao_(inicio), buffer_(BlocoLinha) {}

  // The next byte, or -1 at the end of the file; throws nothing, sets erro() on a read error.
  int Proximo() {
    if (atual_ == fim_ && !Enche()) return -1;
    return static_cast<unsigned char>(buffer_[atual_++]);
  }
  int Espia() {
    if (atual_ == fim_ && !Enche()) return -1;
    return static_cast<unsigned char>(buffer_[atual_]);
  }
  // Skips to the byte after the next CR (and its LF), or to the end.
  void PulaLinha() {
    for (;;) {
      if (atual_ == fim_ && !Enche()) return;
      const void* cr = std::memchr(buffer_.data() + atual_, '\r', fim_ - atual_);
      if (cr == nullptr) {
        atual_ = fim_;
        continue;
      }
      atual_ = static_cast<std::size_t>(static_cast<const char*>(cr) - buffer_.data()) + 1;
      if (Espia() == '\n') ++atual_;
      return;
    }
  }
  int erro() const { return erro_; }

 private:
  bool Enche() {
    if (erro_ != 0) return false;
    for (;;) {
      const ssize_t n = ::pread(fd_, buffer_.data(), buffer_.size(), posicao_);
      if (n < 0) {
        if (errno == EINTR) continue;
        erro_ = errno;
        return false;
      }
      posicao_ += n;
      atual_ = 0;
      fim_ = static_cast<std::size_t>(n);
      return n > 0;
    }
  }

  int fd_;
  std::int64_t posicao_;
  std::vector<char> buffer_;
  std::size_t atual_ = 0;
  std::size_t fim_ = 0;
  int erro_ = 0;
};

}  // namespace

std::optional<MarcaArquivo> MarcaDe(const std::string& caminho) {
  struct stat st {};
  if (::stat(caminho.c_str(), &st) != 0) return std::nullopt;
  return MarcaDeStat(st);
}

IndiceLinhas::IndiceLinhas(std::string caminho, std::optional<MarcaArquivo> marca)
    : caminho_(std::move(caminho)), marca_(marca) {}

LinhaArquivo IndiceLinhas::Le(std::int64_t numero, std::size_t limite, std::int64_t deslocamento) {
  LinhaArquivo resultado;
  resultado.numero = numero;
  auto falha = [&resultado](SituacaoLinha situacao, int erro = 0) {
    resultado.situacao = situacao;
    resultado.erro = erro;
    return resultado;
  };

  // Without blocking: a path that has become a pipe must not hang the window.
  Descritor arquivo{::open(caminho_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (arquivo.fd < 0) {
    const int erro = errno;
    if (erro == ENOENT || erro == ENOTDIR) return falha(SituacaoLinha::ArquivoAusente);
    return falha(SituacaoLinha::ArquivoIlegivel, erro);
  }
  struct stat st {};
  if (::fstat(arquivo.fd, &st) != 0) return falha(SituacaoLinha::ArquivoIlegivel, errno);
  if (!S_ISREG(st.st_mode) || !marca_ || MarcaDeStat(st) != *marca_)
    return falha(SituacaoLinha::ArquivoAlterado);
  const int flags = ::fcntl(arquivo.fd, F_GETFL);
  if (flags >= 0) ::fcntl(arquivo.fd, F_SETFL, flags & ~O_NONBLOCK);

  // A line whose start the run told needs no index: it is read from there, and only it. The
  // file is the one of the mark, so the offset is the line's.
  const bool direto = !indexado_ && deslocamento >= 0 && deslocamento < marca_->tamanho;
  if (!indexado_ && !direto) {
    int erro = 0;
    if (!Indexa(arquivo.fd, erro))
      return erro != 0 ? falha(SituacaoLinha::ArquivoIlegivel, erro)
                       : falha(SituacaoLinha::ArquivoAlterado);
  }
  if (!direto && (numero < 1 || numero > qtdLinhas_)) return falha(SituacaoLinha::LinhaInexistente);

  const std::int64_t ordem = numero - 1;
  LeitorSequencial leitor(
      arquivo.fd, direto ? deslocamento : inicios_[static_cast<std::size_t>(ordem / Passo)]);
  if (!direto)
    for (std::int64_t i = 0; i < ordem % Passo; ++i) leitor.PulaLinha();
  for (;;) {
    const int c = leitor.Proximo();
    if (c < 0 || c == '\r') break;
    if (resultado.bytes.size() == limite) {
      resultado.cortada = true;
      break;
    }
    resultado.bytes.push_back(static_cast<char>(c));
  }
  if (leitor.erro() != 0) return falha(SituacaoLinha::ArquivoIlegivel, leitor.erro());
  return resultado;
}

bool IndiceLinhas::Indexa(int fd, int& erro) {
  std::vector<std::int64_t> inicios;
  std::int64_t qtd = 0;
  std::int64_t ultimoInicio = -1;
  auto registra = [&](std::int64_t inicio) {
    if (qtd % Passo == 0) inicios.push_back(inicio);
    ++qtd;
    ultimoInicio = inicio;
  };

  std::vector<char> bloco(BlocoIndice);
  std::int64_t base = 0;
  bool crPendente = false;  // the last block ended in a CR: its line's end depends on the next byte
  registra(0);
  for (;;) {
    const ssize_t lidos = ::pread(fd, bloco.data(), bloco.size(), base);
    if (lidos < 0) {
      if (errno == EINTR) continue;
      erro = errno;
      return false;
    }
    if (lidos == 0) break;
    const char* dados = bloco.data();
    const auto n = static_cast<std::size_t>(lidos);
    std::size_t p = 0;
    if (crPendente) {
      crPendente = false;
      if (dados[0] == '\n') p = 1;
      registra(base + static_cast<std::int64_t>(p));
    }
    while (p < n) {
      const void* cr = std::memchr(dados + p, '\r', n - p);
      if (cr == nullptr) break;
      const auto j = static_cast<std::size_t>(static_cast<const char*>(cr) - dados);
      if (j + 1 == n) {
        crPendente = true;
        break;
      }
      p = j + 1 + (dados[j + 1] == '\n' ? 1 : 0);
      registra(base + static_cast<std::int64_t>(p));
    }
    base += lidos;
  }
  if (crPendente) registra(base);
  // A start at the very end of the file opens no line: the file ended with its last line's end.
  if (ultimoInicio == base) {
    --qtd;
    if (qtd % Passo == 0) inicios.pop_back();
  }

  // The file must still be the one of the mark: read whole, and not touched while it was read.
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    erro = errno;
    return false;
  }
  if (base != marca_->tamanho || MarcaDeStat(st) != *marca_) return false;

  inicios_ = std::move(inicios);
  qtdLinhas_ = qtd;
  indexado_ = true;
  return true;
}

}  // namespace rolval
