#include "cli/Correcao.h"

#include <unistd.h>

#include <cstdio>

#include "cli/Terminal.h"
#include "layouts/CopiaCorrigida.h"

namespace rolval {

bool TrocaPelaCopiaCorrigida(Opcoes& opcoes, GuardaSinais& guarda) {
  const std::string arquivo = opcoes.arquivos.at(0);
  const ResultadoCorrecao r = SalvaCopiaCorrigida(arquivo, opcoes.destinoCorrecao, &guarda);
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  const auto nome = [terminal](const std::string& n) {
    return terminal ? EscapaParaTerminal(n) : n;
  };
  if (r.copia.empty()) {
    std::fprintf(stderr, "rolval-cli: %s: nenhuma cópia corrigida foi gravada: %s\n",
                 nome(arquivo).c_str(), r.recusa.c_str());
    return false;
  }
  std::fprintf(stderr, "rolval-cli: %s: %s; nenhum outro byte mudou; cópia: %s\n",
               nome(arquivo).c_str(), DescreveCorrecao(r.contagem).c_str(), nome(r.copia).c_str());
  opcoes.arquivos[0] = r.copia;
  return true;
}

}  // namespace rolval
