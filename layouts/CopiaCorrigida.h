#pragma once
// A corrected copy of a spoilt file, saved beside it or where the user says, never over any
// existing file; the file itself is only read.
#include <string>

#include "layouts/Corretor.h"
#include "run/Arquivos.h"
#include "run/Publicacao.h"

namespace rolval {

struct ResultadoCorrecao {
  std::string copia;   // the path of the copy; empty when none was saved
  std::string recusa;  // why no copy was saved (UTF-8); empty when one was
  ContagemCorrecao contagem;
};

// How many names beside the file are tried before the copy is given up.
inline constexpr int NomesDeCopiaTentados = 999;

// The name (without its folder) of the `n`-th choice for the copy of `arquivo`:
// "<name>-corrigido.txt", then "<name>-corrigido-2.txt" ..., <name> the file's name without
// its extension.
std::string NomeDaCopiaCorrigida(const std::string& arquivo, int n);

// Corrects `arquivo` into a new file: at `destino` when it is not empty (refused when a file is
// there), otherwise beside `arquivo` under the first free NomeDaCopiaCorrigida. The file is read
// twice: once to know whether it can be corrected, before anything is written, and once to write
// the copy. A failure of any kind is a refusal; a copy is never left half-made. With `guarda`, the
// writing is told to it and gives up when it is interrupted.
ResultadoCorrecao SalvaCopiaCorrigida(const std::string& arquivo, const std::string& destino,
                                      GuardaEscrita* guarda,
                                      SistemaArquivos& sistema = SistemaArquivos::Padrao());

}  // namespace rolval
