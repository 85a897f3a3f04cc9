// Fuzz target: the validator of the monthly layout 03 on arbitrary lines (one return a line).
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/older/ValidaVersao3.h"

using namespace rolval;

namespace {

constexpr LayoutArquivo Layout03{DocROL03,       898,           true,    "Validando ROL Versão 3",
                                 ReconheceROL03, ValidaVersao3, nullptr, nullptr,
                                 nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(Layout03, TabelaPadrao(), dados, tamanho);
  return 0;
}
