#include "cli/Entrada.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "run/ArquivoTrabalho.h"

namespace rolval {

namespace {

enum class Copiado { Tudo, Falhou, PassouDoLimite };

// Every byte of `origem` to `destino`, up to `limite` of them; Falhou, errno set, on a failure of
// either.
Copiado CopiaTudo(int origem, int destino, std::uint64_t limite) {
  std::vector<char> bloco(std::size_t{1} << 16);
  for (std::uint64_t total = 0;;) {
    const ssize_t lidos = ::read(origem, bloco.data(), bloco.size());
    if (lidos == 0) return Copiado::Tudo;
    if (lidos < 0) {
      if (errno == EINTR) continue;
      return Copiado::Falhou;
    }
    total += static_cast<std::uint64_t>(lidos);
    if (total > limite) return Copiado::PassouDoLimite;
    for (ssize_t feito = 0; feito < lidos;) {
      const ssize_t n =
          ::write(destino, bloco.data() + feito, static_cast<std::size_t>(lidos - feito));
      if (n < 0 && errno != EINTR) return Copiado::Falhou;
      if (n > 0) feito += n;
    }
  }
}

}  // namespace

EntradaDaExecucao::EntradaDaExecucao(const std::string& arquivo, const std::string& pastaTemporaria,
                                     std::uint64_t limiteCopia)
    : caminho_(arquivo) {
  const std::string pasta = pastaTemporaria.empty() ? PastaTemporariaPadrao() : pastaTemporaria;
  struct stat st {};
  if (arquivo == "-") {
    if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode))
      caminho_ = "/proc/self/fd/0";  // read whole, from its start, as any file
    else
      Copia(STDIN_FILENO, pasta, limiteCopia);
    return;
  }
  if (::stat(arquivo.c_str(), &st) != 0) {
    // A file that is not there the run tells; any other cause is named here.
    if (errno != ENOENT && errno != ENOTDIR)
      erro_ = std::string("cannot be opened: ") + std::strerror(errno);
    return;
  }
  if (S_ISDIR(st.st_mode)) {
    erro_ = "is a folder; to validate the files in it, use -r";
  } else if (S_ISFIFO(st.st_mode)) {
    const int fd = ::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      erro_ = std::string("cannot be opened: ") + std::strerror(errno);
      return;
    }
    Copia(fd, pasta, limiteCopia);
    ::close(fd);
  }
}

EntradaDaExecucao::~EntradaDaExecucao() {
  if (copia_ >= 0) ::close(copia_);
}

void EntradaDaExecucao::Copia(int origem, const std::string& pasta, std::uint64_t limite) {
  copia_ = CriaArquivoSemNome(SistemaArquivos::Padrao(), pasta);
  if (copia_ < 0) {
    erro_ = "cannot make a temporary copy in '" + pasta + "': " + std::strerror(errno);
    return;
  }
  if (const Copiado c = CopiaTudo(origem, copia_, limite); c != Copiado::Tudo) {
    erro_ = c == Copiado::PassouDoLimite
                ? "is a stream longer than " + std::to_string(limite) +
                      " bytes; --stream-limit lets longer ones be copied"
                : std::string("cannot be copied to a temporary file: ") + std::strerror(errno);
    ::close(copia_);  // the copy has no name: closing it frees its space
    copia_ = -1;
    return;
  }
  // The run opens the copy anew, from its start, through the process's own descriptor.
  caminho_ = "/proc/self/fd/" + std::to_string(copia_);
}

}  // namespace rolval
