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

constexpr const char* EntradaDuasVezes = "standard input ('-') can be read only once";

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

ListaDeArquivos::ListaDeArquivos(const Opcoes& opcoes, AvisoDeLista aviso)
    : opcoes_(opcoes), aviso_(std::move(aviso)), entradaUsada_(opcoes.listaDeArquivos == "-") {
  const auto entradas = std::count(opcoes.arquivos.begin(), opcoes.arquivos.end(), "-") +
                        (opcoes.listaDeArquivos == "-" ? 1 : 0);
  if (entradas > 1) erro_ = EntradaDuasVezes;
}

ListaDeArquivos::~ListaDeArquivos() {
  if (lista_ > STDIN_FILENO) ::close(lista_);
}

bool ListaDeArquivos::LeDaLista(std::string& nome) {
  if (!listaAberta_) {
    listaAberta_ = true;
    const std::string& lista = opcoes_.listaDeArquivos;
    lista_ = lista == "-" ? STDIN_FILENO : ::open(lista.c_str(), O_RDONLY | O_CLOEXEC);
    if (lista_ < 0)
      aviso_(lista, std::string("cannot read the list of files: ") + std::strerror(errno));
    bloco_.resize(std::size_t{1} << 14);
  }
  const char separador = opcoes_.separadorNulo ? '\0' : '\n';
  nome.clear();
  while (lista_ >= 0) {
    for (; inicio_ < fim_; ++inicio_) {
      if (bloco_[inicio_] != separador) {
        nome.push_back(bloco_[inicio_]);
      } else if (!nome.empty()) {
        ++inicio_;
        return true;
      }
    }
    const ssize_t n = ::read(lista_, bloco_.data(), bloco_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n > 0) {
      inicio_ = 0;
      fim_ = static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0) {  // a name cut by the failure is not given
      aviso_(opcoes_.listaDeArquivos,
             std::string("cannot read the list of files: ") + std::strerror(errno));
      nome.clear();
    }
    if (lista_ != STDIN_FILENO) ::close(lista_);
    lista_ = -1;
  }
  return !nome.empty();
}

bool ListaDeArquivos::ProximoNome(std::string& nome) {
  if (argumento_ < opcoes_.arquivos.size()) {
    nome = opcoes_.arquivos[argumento_++];
    if (nome == "-") entradaUsada_ = true;
    return true;
  }
  if (opcoes_.listaDeArquivos.empty()) return false;
  while (LeDaLista(nome)) {
    if (nome != "-") return true;
    if (!entradaUsada_) {
      entradaUsada_ = true;
      return true;
    }
    aviso_(nome, EntradaDuasVezes);
  }
  return false;
}

bool ListaDeArquivos::Proximo(std::string& arquivo) {
  for (;;) {
    if (proximoDaPasta_ < daPasta_.size()) {
      arquivo = std::move(daPasta_[proximoDaPasta_++]);
      return true;
    }
    daPasta_.clear();
    proximoDaPasta_ = 0;
    if (!ProximoNome(arquivo)) return false;
    struct stat st {};
    if (!opcoes_.recursivo || arquivo == "-" || ::stat(arquivo.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
      return true;
    ArquivosDaPasta(arquivo, daPasta_, aviso_);
    std::sort(daPasta_.begin(), daPasta_.end());
  }
}

}  // namespace rolval
