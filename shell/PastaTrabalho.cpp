#include "shell/PastaTrabalho.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace rolval {

bool PastaGravavel(const std::filesystem::path& pasta) {
  if (pasta.empty()) return false;
  std::string modelo = (pasta / ".rolval-XXXXXX").string();
  const int fd = ::mkstemp(modelo.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(modelo.c_str());
  return true;
}

bool ProgramaInstalado(const std::filesystem::path& pastaExecutavel) {
  std::error_code erro;
  std::filesystem::path pasta = std::filesystem::weakly_canonical(pastaExecutavel, erro);
  if (erro || pasta.empty()) pasta = pastaExecutavel.lexically_normal();
  // The folders a package manager or a system image installs into.
  static const char* const sistema[] = {"usr", "bin", "sbin", "lib", "lib64", "opt", "snap", "app"};
  auto componente = pasta.begin();
  if (pasta.is_absolute() && componente != pasta.end() && ++componente != pasta.end())
    for (const char* nome : sistema)
      if (*componente == nome) return true;
  struct stat dados {};
  if (::stat(pasta.c_str(), &dados) != 0 || dados.st_uid != ::geteuid()) return true;
  return std::filesystem::exists(pasta.parent_path() / "share" / "applications" / "rolval.desktop",
                                 erro);
}

std::filesystem::path PastaDadosUsuario(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is not valid and is ignored, as the base-directory rules say.
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
    return std::filesystem::path(xdgDataHome) / "rolval";
  if (home != nullptr && home[0] == '/')
    return std::filesystem::path(home) / ".local" / "share" / "rolval";
  return {};
}

std::optional<std::filesystem::path> EscolhePastaTrabalho(
    const std::filesystem::path& pastaExecutavel, const char* xdgDataHome, const char* home) {
  if (!ProgramaInstalado(pastaExecutavel) && PastaGravavel(pastaExecutavel)) return pastaExecutavel;
  const std::filesystem::path dados = PastaDadosUsuario(xdgDataHome, home);
  if (dados.empty()) return std::nullopt;
  std::error_code erro;
  std::filesystem::create_directories(dados, erro);
  if (PastaGravavel(dados)) return dados;
  return std::nullopt;
}

}  // namespace rolval
