#include "tests/support/CamposZerados.h"

#include <algorithm>
#include <stdexcept>

namespace rolval::teste {

bool GuardaDigitos(TipoCampo tipo) {
  switch (tipo) {
    case TipoCampo::Digitos:
    case TipoCampo::Valor:
    case TipoCampo::DataDDMMAAAA:
    case TipoCampo::DataAAAAMMDD:
    case TipoCampo::PeriodoMMAAAA:
      return true;
    default:
      return false;
  }
}

void ZeraCamposNumericos(std::string& registro, const TabelaRegistro& tabela, int desde) {
  if (static_cast<int>(registro.size()) < tabela.comprimento)
    throw std::out_of_range("record shorter than its table");
  for (const CampoRegistro& campo : tabela.campos) {
    if (campo.coluna < desde || !GuardaDigitos(campo.tipo)) continue;
    for (int vez = 0; vez < std::max<int>(campo.vezes, 1); ++vez)
      registro.replace(static_cast<std::size_t>(campo.ColunaDe(vez) - 1),
                       static_cast<std::size_t>(campo.tamanho),
                       static_cast<std::size_t>(campo.tamanho), '0');
  }
}

}  // namespace rolval::teste
