#include "run/Publicacao.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>
#include <random>

#include "run/Execucao.h"
#include "run/Falha.h"

namespace rolval {

namespace {

// The folder held open and locked (flock on the folder itself, so that no lock file is needed)
// for as long as the object lives; every run that publishes in it takes the same lock.
class TravaPasta {
 public:
  explicit TravaPasta(const std::filesystem::path& pasta) {
    fd_ = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~TravaPasta() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  TravaPasta(const TravaPasta&) = delete;
  TravaPasta& operator=(const TravaPasta&) = delete;
  bool Aberta() const { return fd_ >= 0; }
  void Sincroniza() const { ::fsync(fd_); }  // the names put in the folder, on the disk

 private:
  int fd_ = -1;
};

// Begins and ends the guarded stretch, on every way out.
class TrechoGuardado {
 public:
  explicit TrechoGuardado(GuardaEscrita* guarda) : guarda_(guarda) {
    if (guarda_ != nullptr) guarda_->Comeca();
  }
  ~TrechoGuardado() {
    if (guarda_ != nullptr) guarda_->Termina();
  }
  TrechoGuardado(const TrechoGuardado&) = delete;
  TrechoGuardado& operator=(const TrechoGuardado&) = delete;

 private:
  GuardaEscrita* guarda_;
};

IdentidadeArquivo IdentidadeDe(const std::filesystem::path& caminho) {
  struct stat st {};
  if (::lstat(caminho.c_str(), &st) != 0) return {};
  return {st.st_dev, st.st_ino, st.st_ctim.tv_sec, st.st_ctim.tv_nsec, st.st_size, true};
}

void Renomeia(const std::string& de, const std::filesystem::path& para) {
  if (::rename(de.c_str(), para.c_str()) != 0) FalhaDoSistema("rename", para.string());
}

}  // namespace

bool EscreveriaSobre(const std::filesystem::path& pasta, const char* nome,
                     const std::string& caminho) {
  struct stat destino {};
  if (::lstat((pasta / nome).c_str(), &destino) != 0) return false;
  // The input's file, and the input's own name when that is a link: replacing the link would
  // take the input's path away as well.
  struct stat entrada {};
  for (const auto olha : {::stat, ::lstat})
    if (olha(caminho.c_str(), &entrada) == 0 && destino.st_dev == entrada.st_dev &&
        destino.st_ino == entrada.st_ino)
      return true;
  return false;
}

namespace {

// Creates a new file in `pasta` under a fresh name beginning with `prefixo`, exclusively and
// without following links, and returns its path; `arquivo` is open on it for writing.
std::string CriaComNomeNovo(const std::filesystem::path& pasta, std::string_view prefixo,
                            ArquivoSaida& arquivo) {
  std::random_device semente;
  std::mt19937_64 sorteio((static_cast<std::uint64_t>(semente()) << 32) ^ semente());
  for (int tentativa = 0; tentativa < 100; ++tentativa) {
    char sufixo[17];
    std::snprintf(sufixo, sizeof sufixo, "%016llx", static_cast<unsigned long long>(sorteio()));
    std::string caminho = (pasta / (std::string(prefixo) + sufixo)).string();
    if (arquivo.CriaExclusivo(caminho)) return caminho;
  }
  errno = EEXIST;
  FalhaDoSistema("create a new file in", pasta.string());
}

}  // namespace

ArquivoProvisorio::ArquivoProvisorio(const std::filesystem::path& pasta, std::string_view prefixo,
                                     SistemaArquivos& sistema,
                                     const std::function<void(ArquivoSaida&)>& escreve,
                                     bool sincroniza) {
  ArquivoSaida arquivo(sistema);
  caminho_ = CriaComNomeNovo(pasta, prefixo, arquivo);
  try {
    trava_ = ::open(caminho_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (trava_ < 0 || ::flock(trava_, LOCK_EX | LOCK_NB) != 0) FalhaDoSistema("lock", caminho_);
    escreve(arquivo);
    arquivo.Fecha();
    if (sincroniza && ::fsync(trava_) != 0) FalhaDoSistema("sync", caminho_);
  } catch (...) {
    arquivo.FechaEmSilencio();
    ::unlink(caminho_.c_str());
    if (trava_ >= 0) ::close(trava_);
    throw;
  }
}

ArquivoProvisorio::~ArquivoProvisorio() {
  if (!caminho_.empty()) ::unlink(caminho_.c_str());
  ::close(trava_);  // closing releases the lock
}

void SincronizaPasta(const std::filesystem::path& pasta) noexcept {
  const int fd = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void RetiraProvisoriosOrfaos(const std::filesystem::path& pasta) noexcept {
  DIR* d = ::opendir(pasta.c_str());
  if (d == nullptr) return;
  const int fdPasta = ::dirfd(d);
  const std::time_t agora = std::time(nullptr);
  while (const dirent* e = ::readdir(d)) {
    const std::string_view nome = e->d_name;
    bool provisorio = false;
    for (const std::string_view prefixo : PrefixosProvisorios)
      provisorio =
          provisorio ||
          (nome.size() == prefixo.size() + 16 && nome.substr(0, prefixo.size()) == prefixo &&
           nome.substr(prefixo.size()).find_first_not_of("0123456789abcdef") ==
               std::string_view::npos);
    struct stat st {};
    if (!provisorio || ::fstatat(fdPasta, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || agora - st.st_mtime < 60)
      continue;
    const int fd = ::openat(fdPasta, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // Unlocked: no live run holds it. Removed only if the name is still that file.
    struct stat aberto {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &aberto) == 0 &&
        aberto.st_ino == st.st_ino && aberto.st_dev == st.st_dev)
      ::unlinkat(fdPasta, e->d_name, 0);
    ::close(fd);
  }
  ::closedir(d);
}

namespace {

// Gives the file `novo` the name `para` too, unless a file has that name: false then. A hard link
// does it where the file system has them (the temporary name goes with `novo`), a rename that
// never replaces where it has not.
bool NomeiaSemSubstituir(ArquivoProvisorio& novo, const std::string& para) {
  const char* de = novo.caminho().c_str();
  if (::link(de, para.c_str()) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno == EPERM || errno == ENOTSUP || errno == EMLINK || errno == ENOSYS) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, de, AT_FDCWD, para.c_str(), RENAME_NOREPLACE) == 0) {
      novo.Entregue();
      return true;
    }
    if (errno == EEXIST) return false;
#else
    // No rename that refuses to replace (a WebAssembly build's file system in memory, which no
    // other program shares): the name is looked up first.
    struct stat st {};
    if (::lstat(para.c_str(), &st) == 0) return false;
    if (::rename(de, para.c_str()) == 0) {
      novo.Entregue();
      return true;
    }
#endif
  }
  FalhaDoSistema("name", para);
}

}  // namespace

std::string GravaArquivoNovo(const std::filesystem::path& pasta,
                             const std::function<std::string(int)>& nome, int tentativas,
                             SistemaArquivos& sistema,
                             const std::function<void(ArquivoSaida&)>& escreve,
                             GuardaEscrita* guarda) {
  TrechoGuardado trecho(guarda);
  const auto interrompida = [guarda] { return guarda != nullptr && guarda->Interrompida(); };
  // The temporary's prefix built by appends: GCC 12's Release build takes `"." + string` for an
  // overlapping copy.
  std::string prefixo(".");
  prefixo.append(nome(1)).push_back('.');
  ArquivoProvisorio novo(pasta, prefixo, sistema, escreve);
  if (interrompida()) throw EscritaInterrompida{};
  for (int n = 1; n <= tentativas; ++n) {
    std::string destino = (pasta / nome(n)).string();
    if (!NomeiaSemSubstituir(novo, destino)) continue;
    if (interrompida()) {
      ::unlink(destino.c_str());
      throw EscritaInterrompida{};
    }
    return destino;
  }
  return {};
}

IdentidadeArquivo PublicaRelatorio(const std::filesystem::path& pasta, SistemaArquivos& sistema,
                                   const ArquivoTrabalho& saida, std::string_view param,
                                   GuardaEscrita* guarda, bool sincroniza) {
  TrechoGuardado trecho(guarda);
  ArquivoProvisorio saidaNova(
      pasta, std::string(".") + NomeSaida + ".", sistema,
      [&saida](ArquivoSaida& a) { saida.Le([&a](std::string_view bloco) { a.Escreve(bloco); }); },
      sincroniza);
  ArquivoProvisorio paramNovo(
      pasta, std::string(".") + NomeParam + ".", sistema,
      [param](ArquivoSaida& a) { a.Escreve(param); }, sincroniza);
  TravaPasta trava(pasta);
  if (!trava.Aberta()) FalhaDoSistema("lock", pasta.string());
  RetiraProvisoriosOrfaos(pasta);
  Renomeia(saidaNova.caminho(), pasta / NomeSaida);
  saidaNova.Entregue();
  const IdentidadeArquivo identidade = IdentidadeDe(pasta / NomeSaida);
  Renomeia(paramNovo.caminho(), pasta / NomeParam);
  paramNovo.Entregue();
  // The pair is in place whatever this says: a failure here is no failure of the run.
  if (sincroniza) trava.Sincroniza();
  return identidade;
}

std::string RetiraRelatorio(const std::filesystem::path& pasta) noexcept {
  try {
    TravaPasta trava(pasta);
    if (!trava.Aberta() && errno != EACCES && errno != ENOENT)
      return std::string("cannot open the folder: ") + std::strerror(errno);
    std::string motivo;
    for (const char* nome : {NomeSaida, NomeParam})
      if (::unlink((pasta / nome).c_str()) != 0 && errno != ENOENT && motivo.empty())
        motivo = std::string("cannot remove ") + nome + ": " + std::strerror(errno);
    return motivo;
  } catch (const std::exception&) {
    return "out of memory";
  }
}

std::string MensagemRelatorioAnterior(const std::string& motivo) {
  return "O saida.txt e o param.txt de uma validação anterior não puderam ser removidos da pasta "
         "do relatório (" +
         motivo + ") e não são desta validação.";
}

void RetiraSaidaPublicada(const std::filesystem::path& pasta,
                          const IdentidadeArquivo& identidade) noexcept {
  if (!identidade.valida) return;
  TravaPasta trava(pasta);
  if (!trava.Aberta()) return;
  const std::filesystem::path saida = pasta / NomeSaida;
  if (IdentidadeDe(saida) == identidade) ::unlink(saida.c_str());
}

}  // namespace rolval
