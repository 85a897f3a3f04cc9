// Fuzz target: the validator of the monthly layout 03 on arbitrary lines (one return a line).
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/older/ValidaVersao3.h"

using namespace rolval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(*LayoutDe(DocROL03), dados, tamanho);
  return 0;
}
