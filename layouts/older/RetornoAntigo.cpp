#include "layouts/older/RetornoAntigo.h"

#include "checks/Numeros.h"
#include "run/Formatos.h"

namespace rolval {

void RegistraRetornoAntigo(Execucao& ex) {
  std::string& entrada = ex.antigos.entradaLista;
  entrada.clear();
  AcrescentaInscricaoMascarada(entrada, ex.RegistroAtual.Inscricao);
  ex.MostraContribuinte(entrada);
  entrada.append(4, ' ');
  AcrescentaPeriodoMascarado(entrada, ex.RegistroAtual.MesAnoRef);
  entrada.append(2, ' ');
  ex.AcrescentaListaROLs(entrada);
  ++ex.QtdROLs;
}

bool ExigeNumerico(Execucao& ex, std::string_view linha, int coluna, int tamanho) {
  if (ValidaNumerico(linha, coluna, tamanho)) return true;
  ex.GravaErro(7, coluna, coluna + tamanho - 1);
  return false;
}

ValorLido LeValor(Execucao& ex, std::string_view linha, int coluna, int tamanho, double ausente) {
  if (!ExigeNumerico(ex, linha, coluna, tamanho)) return {ausente, false};
  return {ValorNumerico(Campo(linha, coluna, tamanho)), true};
}

}  // namespace rolval
