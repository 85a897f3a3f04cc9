#pragma once
// Table tests: cases that each change a valid record and list the finding lines it must give, and
// names of parameterised cases that stay the same from build to build (so that ctest can select
// and rerun a case by name).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/LinhaAchado.h"

namespace rolval::teste {

// One case of a table: its name, what it does to a valid record, and the finding lines expected.
template <typename Registro>
struct CasoRegistro {
  std::string nome;
  std::function<void(Registro&)> altera;
  std::vector<std::string> esperados;
};

// Each case on a fresh record from `novo()`, changed by the case: `achados(registro)` gives the
// finding lines, which must be exactly the expected ones. A failure names its case.
template <typename Registro, typename Novo, typename Achados>
void ConfereCasos(const std::vector<CasoRegistro<Registro>>& casos, Novo novo, Achados achados) {
  for (const CasoRegistro<Registro>& caso : casos) {
    SCOPED_TRACE(caso.nome);
    Registro registro = novo();
    caso.altera(registro);
    EXPECT_EQ(achados(registro), caso.esperados);
  }
}

// A parameterised case's name from readable text: letters and digits kept, each run of other
// characters (blanks, signs, accented letters) one '_'; "vazio" for an empty text.
std::string NomeDeTeste(std::string_view texto);

}  // namespace rolval::teste
