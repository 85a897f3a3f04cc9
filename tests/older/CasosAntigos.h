#pragma once
// Table cases of layouts 03 and ST 01: a spoiled record between two valid ones.
#include <string>
#include <vector>

#include "tests/older/RegistrosAntigos.h"
#include "tests/support/Casos.h"

namespace rolval::teste {

// The findings of `registro` put as line 2 between two copies of `valido`, checking on the way that
// the run ended on its report, OK exactly when there is no finding, and showed no message.
inline std::vector<std::string> AchadosEntreValidos(const Registro& valido,
                                                    const Registro& registro) {
  const ResultadoExecucao r = ExecutaRegistros({valido, registro, valido});
  EXPECT_EQ(r.desfecho, r.achados.empty() ? Desfecho::RelatorioOK : Desfecho::RelatorioNOK);
  EXPECT_TRUE(r.tela.mensagens.empty());
  return r.achados;
}

}  // namespace rolval::teste
