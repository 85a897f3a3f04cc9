// The one finding a test expects of a run: a test failure when there is not exactly one. Apart
// from the rest of the support, which the fuzz seed maker links without the test framework.
#include <gtest/gtest.h>

#include "tests/support/Apoio.h"

namespace rolval::teste {

AchadoVisto AchadoUnico(std::string_view conteudo, char catalogo, int codigo, int inicio) {
  std::vector<AchadoVisto> deste;
  for (AchadoVisto& a : AchadosVistos(conteudo))
    if (a.catalogo == catalogo && a.codigo == codigo && a.inicio == inicio)
      deste.push_back(std::move(a));
  EXPECT_EQ(deste.size(), 1u) << catalogo << codigo << " at column " << inicio;
  return deste.empty() ? AchadoVisto{} : deste.front();
}

}  // namespace rolval::teste
