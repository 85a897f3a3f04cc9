#include "cli/ListaArquivos.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace rolval {

namespace {

// The names in the list at `lista` ("-": standard input), each ended by `fim`; empty names are
// skipped. False, with the reason, when the list cannot be read.
bool LeLista(const std::string& lista, char fim, std::vector<std::string>& nomes,
             std::string& motivo) {
  const int fd = lista == "-" ? STDIN_FILENO : ::open(lista.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    motivo = std::strerror(errno);
    return false;
  }
  std::string nome;
  char bloco[1 << 14];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, bloco, sizeof bloco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      motivo = std::strerror(errno);
      ok = false;
    }
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      if (bloco[i] != fim) {
        nome.push_back(bloco[i]);
      } else if (!nome.empty()) {
        nomes.push_back(std::move(nome));
        nome.clear();
      }
    }
  }
  if (ok && !nome.empty()) nomes.push_back(std::move(nome));
  if (fd != STDIN_FILENO) ::close(fd);
  return ok;
}

// The regular files under `pasta`, at any depth; links (to files or folders) are not followed.
void ArquivosDaPasta(const fs::path& pasta, std::vector<std::string>& arquivos,
                     const AvisoDeLista& aviso) {
  std::error_code e;
  fs::directory_iterator it(pasta, e);
  for (const fs::directory_iterator fim; !e && it != fim; it.increment(e)) {
    std::error_code e2;
    const fs::file_status st = it->symlink_status(e2);
    if (e2)  // a file that may be spoilt is never skipped in silence
      aviso(it->path().string(), "cannot be examined: " + e2.message());
    else if (fs::is_directory(st))
      ArquivosDaPasta(it->path(), arquivos, aviso);
    else if (fs::is_regular_file(st))
      arquivos.push_back(it->path().string());
  }
  if (e) aviso(pasta.string(), "cannot read the folder: " + e.message());
}

}  // namespace

bool MontaListaDeArquivos(const Opcoes& opcoes, std::vector<std::string>& arquivos,
                          const AvisoDeLista& aviso, std::string& erro) {
  std::vector<std::string> nomes = opcoes.arquivos;
  if (!opcoes.listaDeArquivos.empty()) {
    std::string motivo;
    if (!LeLista(opcoes.listaDeArquivos, opcoes.separadorNulo ? '\0' : '\n', nomes, motivo))
      aviso(opcoes.listaDeArquivos, "cannot read the list of files: " + motivo);
  }
  const auto entradas =
      std::count(nomes.begin(), nomes.end(), "-") + (opcoes.listaDeArquivos == "-" ? 1 : 0);
  if (entradas > 1) {
    erro = "standard input ('-') can be read only once";
    return false;
  }
  for (auto& nome : nomes) {
    struct stat st {};
    if (opcoes.recursivo && nome != "-" && ::stat(nome.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      std::vector<std::string> daPasta;
      ArquivosDaPasta(nome, daPasta, aviso);
      std::sort(daPasta.begin(), daPasta.end());
      arquivos.insert(arquivos.end(), daPasta.begin(), daPasta.end());
    } else {
      arquivos.push_back(std::move(nome));
    }
  }
  return true;
}

}  // namespace rolval
