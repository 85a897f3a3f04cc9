// The validators read every field through the numeric test first, so a record cut short at any
// column is reported field by field and never read past its end (the sanitizer build checks it).
#include <gtest/gtest.h>

#include "layouts/older/ValidaST1.h"
#include "layouts/older/ValidaVersao3.h"
#include "tests/older/RegistrosAntigos.h"

namespace rolval {
namespace {

using namespace teste;

// `ultimaLida` is the last column a validator reads; the columns after it are not checked.
void CortaEmCadaColuna(const std::string& registro, std::size_t ultimaLida,
                       void (*valida)(Execucao&, std::string_view)) {
  PastaTemporaria pasta;
  TelaGravada tela;
  Execucao ex(pasta.caminho(), tela);
  DefineDocumento(ex, DocROL03);
  ex.arquivoAchados.Abre();
  ex.arquivoLista.Abre();
  for (std::size_t n = 0; n < registro.size(); ++n) {
    // A private copy of exactly n characters, so that a read past its end is caught.
    const std::string linha = registro.substr(0, n);
    ex.HouveErro = false;
    ASSERT_NO_THROW(valida(ex, linha)) << n;
    EXPECT_EQ(ex.HouveErro, n < ultimaLida) << n;
  }
  ex.HouveErro = false;
  valida(ex, registro);
  EXPECT_FALSE(ex.HouveErro);
  EXPECT_EQ(ex.QtdROLs, static_cast<std::int32_t>(registro.size()) + 1);
}

TEST(LinhasCurtas, ROL03) { CortaEmCadaColuna(ROL03Valido(), 879, ValidaVersao3); }
TEST(LinhasCurtas, ST01) { CortaEmCadaColuna(ST01Valido(), 514, ValidaST1); }

}  // namespace
}  // namespace rolval
