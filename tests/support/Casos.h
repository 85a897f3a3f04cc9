#pragma once
// Table tests: cases that each change a valid record and list the finding lines it must give, the
// finding line as every report prints it, and names of parameterised cases that stay the same
// from build to build (so that ctest can select and rerun a case by name).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// A finding line of the report, given in UTF-8: the registration right-aligned in 15 columns,
// the period, then line, first and last column (three digits at least) and the message.
std::string LinhaAchado(std::string_view inscricao, std::string_view periodo, int linha, int inicio,
                        int fim, std::string_view mensagem);

// The finding lines of one record: its registration and period as printed, and its line.
struct AchadosNaLinha {
  std::string inscricao;
  std::string periodo;
  int linha;
  std::string operator()(int inicio, int fim, std::string_view mensagem) const {
    return LinhaAchado(inscricao, periodo, linha, inicio, fim, mensagem);
  }
};

// A parameterised case's name from readable text: letters and digits kept, each run of other
// characters (blanks, signs, accented letters) one '_'; "vazio" for an empty text.
std::string NomeDeTeste(std::string_view texto);

}  // namespace rolval::teste
