#include "layouts/older/RetornoAntigo.h"

#include "layouts/older/EstadoAntigos.h"
#include "run/Formatos.h"

namespace rolval {

void RegistraRetornoAntigo(Execucao& ex) {
  std::string& entrada = Antigos(ex).EntradaLista;
  entrada.clear();
  AcrescentaInscricaoMascarada(entrada, ex.RegistroAtual.Inscricao);
  ex.MostraContribuinte(entrada);
  entrada.append(4, ' ');
  AcrescentaPeriodoMascarado(entrada, ex.RegistroAtual.MesAnoRef);
  entrada.append(2, ' ');
  ex.AcrescentaListaROLs(entrada);
  ++ex.QtdROLs;
}

}  // namespace rolval
