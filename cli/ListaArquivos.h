#pragma once
// The files of one call: the arguments, then the names read from --files-from; with --recursive
// each folder among them stands for the regular files under it. The names are given one at a
// time, the list read only as far as they are asked for.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "cli/Opcoes.h"

namespace rolval {

// Called with a path and what went wrong with it (a list or a folder that cannot be read, an
// entry that cannot be examined).
using AvisoDeLista = std::function<void(const std::string& caminho, const std::string& texto)>;

class ListaDeArquivos {
 public:
  ListaDeArquivos(const Opcoes& opcoes, AvisoDeLista aviso);
  ~ListaDeArquivos();
  ListaDeArquivos(const ListaDeArquivos&) = delete;
  ListaDeArquivos& operator=(const ListaDeArquivos&) = delete;

  // A usage error known before any file is given (standard input named twice); "" when none.
  const std::string& erro() const { return erro_; }

  // The next file to validate; false when there is none left. A list or a folder that cannot be
  // read, and standard input named again inside a list, are told to `aviso` and left out.
  bool Proximo(std::string& arquivo);

 private:
  bool ProximoNome(std::string& nome);  // the next argument or name of the list, as given
  bool LeDaLista(std::string& nome);

  const Opcoes& opcoes_;
  AvisoDeLista aviso_;
  std::string erro_;
  std::size_t argumento_ = 0;
  int lista_ = -1;            // the list's descriptor while it is being read
  bool listaAberta_ = false;  // the list has been opened (or failed to)
  std::vector<char> bloco_;   // bytes read from the list and not yet taken
  std::size_t inicio_ = 0, fim_ = 0;
  bool entradaUsada_ = false;         // standard input has been given as a file
  std::vector<std::string> daPasta_;  // the files of a folder given with -r, in order
  std::size_t proximoDaPasta_ = 0;
};

}  // namespace rolval
