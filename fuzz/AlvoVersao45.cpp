// Fuzz target: the monthly validator of layouts 04 and 05 on arbitrary lines, with the driver's
// first-line header checks and the end-of-return checks of the last return.
#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"
#include "layouts/monthly/ValidaVersao45.h"

using namespace rolval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  // The first line chooses the layout as the driver would; anything else is taken as layout 05.
  const std::string_view inicio(reinterpret_cast<const char*>(dados),
                                std::min<std::size_t>(tamanho, 6));
  const LayoutArquivo& layout = *LayoutDe(ReconheceROL04(inicio) ? DocROL04 : DocROL05);
  fuzz::PercorreLinhas(layout, dados, tamanho);
  return 0;
}
