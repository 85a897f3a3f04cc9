#include "tests/support/CamposNumericos.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "run/Catalogos.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {

void ConfereNaoNumericosNasColunas(const std::vector<std::string>& registros, std::size_t indice,
                                   const TabelaRegistro& tabela, std::span<const TipoCampo> tipos) {
  for (const CampoRegistro& campo : tabela.campos) {
    if (std::find(tipos.begin(), tipos.end(), campo.tipo) == tipos.end()) continue;
    for (int vez = 0; vez < std::max<int>(campo.vezes, 1); ++vez) {
      SCOPED_TRACE(std::string(tabela.tipo) + " " + std::string(campo.nome) + " #" +
                   std::to_string(vez + 1));
      std::vector<std::string> estragados = registros;
      estragados.at(indice).at(static_cast<std::size_t>(campo.ColunaDe(vez) - 1)) = 'A';
      int vistos = 0;
      for (const AchadoVisto& a : AchadosVistos(ComCRLF(estragados))) {
        if (a.catalogo != LetraMensal || a.codigo != static_cast<int>(CodigoM::CampoNaoNumerico))
          continue;
        ++vistos;
        EXPECT_EQ(a.inicio, campo.ColunaDe(vez));
        EXPECT_EQ(a.fim, campo.UltimaDe(vez));
      }
      EXPECT_GE(vistos, 1);
    }
  }
}

}  // namespace rolval::teste
