// Fuzz target: the validator of the tax-substitution layout ST 01 on arbitrary lines (one return
// a line).
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/older/ValidaST1.h"

using namespace rolval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(*LayoutDe(DocROLST01), dados, tamanho);
  return 0;
}
