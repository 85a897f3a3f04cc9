#pragma once
// The files of one call: the arguments, then the names read from --files-from; with --recursive
// each folder among them stands for the regular files under it.
#include <functional>
#include <string>
#include <vector>

#include "cli/Opcoes.h"

namespace rolval {

// Called with a path and what went wrong with it (a list or a folder that cannot be read).
using AvisoDeLista = std::function<void(const std::string& caminho, const std::string& texto)>;

// The files to validate, in order. A list or a folder that cannot be read is told to `aviso` and
// left out; the other files are still there. A usage error (standard input named twice) returns
// false with the reason in `erro`.
bool MontaListaDeArquivos(const Opcoes& opcoes, std::vector<std::string>& arquivos,
                          const AvisoDeLista& aviso, std::string& erro);

}  // namespace rolval
