#include "run/Falha.h"

#include <cerrno>
#include <cstring>

namespace rolval {

ClasseFalha ClasseDeErrno(int erro) {
  switch (erro) {
    case ENOENT:
    case EACCES:
    case EPERM:
    case ENOTDIR:
    case EISDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EROFS:
    case ETXTBSY:
      return ClasseFalha::Acesso;
    case ENOSPC:
    case EDQUOT:
    case EMFILE:
    case ENFILE:
    case EFBIG:
      return ClasseFalha::DiscoCheio;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case ESTALE:
      return ClasseFalha::Dispositivo;
    default:
      return ClasseFalha::Outra;
  }
}

void FalhaDoSistema(const std::string& operacao, const std::string& caminho) {
  const int erro = errno;
  throw FalhaExecucao(ClasseDeErrno(erro), operacao + " " + caminho + ": " + std::strerror(erro));
}

}  // namespace rolval
