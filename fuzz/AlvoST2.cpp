// Fuzz target: the validator of layout ST 02 on arbitrary lines, each framed by its record type
// as the driver frames it, and the end-of-return checks of the last return.
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/substitution/ValidaST2.h"

using namespace rolval;

namespace {

constexpr LayoutArquivo LayoutST2{
    DocROLST02, 50,          false,  "Validando ROL ST Versão 2", ReconheceROLST02, ValidaST2,
    PreparaST2, EnquadraST2, nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(LayoutST2, TabelaPadrao(), dados, tamanho);
  return 0;
}
