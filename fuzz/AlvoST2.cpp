// Fuzz target: the validator of layout ST 02 on arbitrary lines, each framed by its record type
// as the driver frames it, and the end-of-return checks of the last return.
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/substitution/ValidaST2.h"

using namespace rolval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::PercorreLinhas(*LayoutDe(DocROLST02), dados, tamanho);
  return 0;
}
