// Fuzz target: the validator of the tax-substitution layout ST 01 on arbitrary lines (one return
// a line).
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/older/ValidaST1.h"

using namespace rolval;

namespace {

constexpr LayoutArquivo LayoutST1{DocROLST01,       754,       true,    "Validando ROL Versão ST",
                                  ReconheceROLST01, ValidaST1, nullptr, nullptr,
                                  nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(LayoutST1, TabelaPadrao(), dados, tamanho);
  return 0;
}
