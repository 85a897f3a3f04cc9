// Hints on how a file may have been spoilt on its way (line ends, byte-order mark, encoding,
// record lengths), for the page: the engine's own hints, as the command line and the desktop give
// them, over the head of the file that the page read and the file's size.
#include <emscripten.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "layouts/Dicas.h"

extern "C" {

// How many bytes of the file's head the hints look at.
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoInicioDicas() { return rolval::TamanhoInicioDicas; }

// The hints, one a line (UTF-8, each line ended by LF), for a file of `tamanho` bytes that begins
// with the `n` bytes at `inicio`. Each line begins with '1' when a corrected copy can mend what
// the hint tells, '0' when it cannot, then the hint's text. The caller frees the text with
// RolvalLiberaDicas.
EMSCRIPTEN_KEEPALIVE std::string* RolvalDicas(const char* inicio, std::size_t n, double tamanho) {
  auto* texto = new std::string;
  for (const rolval::Dica& dica :
       rolval::DicasDoArquivo(std::string_view(inicio, n), static_cast<std::uint64_t>(tamanho))) {
    texto->push_back(dica.corrigivel ? '1' : '0');
    texto->append(dica.texto);
    texto->push_back('\n');
  }
  return texto;
}

EMSCRIPTEN_KEEPALIVE const char* RolvalTextoDicas(const std::string* texto) {
  return texto->c_str();
}
EMSCRIPTEN_KEEPALIVE void RolvalLiberaDicas(std::string* texto) { delete texto; }

}  // extern "C"
