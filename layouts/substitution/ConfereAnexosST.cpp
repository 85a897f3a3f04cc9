// The end-of-return checks of layout ST 02.
#include "layouts/substitution/EstadoST2.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

void ConfereAnexosST(Execucao& ex) {
  const EstadoST2& st = ST2(ex);
  // Reported at the header of the return, with the registration and period of the record read.
  LocalAchado cabecalho = ex.NoRegistroAtual(st.LinhaCabecalho);
  cabecalho.tabela = ex.TabelaCabecalho;
  if (st.SomaAnexoI != st.TotalAnexoI)
    ex.GravaErroST(cabecalho, CodigoST::TotalDoCampoIncorreto, 14, 275, 289,
                   {st.TotalAnexoI, st.SomaAnexoI});
  if (st.SomaAnexoII != st.TotalAnexoII)
    ex.GravaErroST(cabecalho, CodigoST::TotalDoCampoIncorreto, 15, 290, 304,
                   {st.TotalAnexoII, st.SomaAnexoII});
  if (st.ContaAnexoI != st.QtdLinhasAnexoI)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 786, 789,
                   {st.QtdLinhasAnexoI, st.ContaAnexoI});
  if (st.ContaAnexoII != st.QtdLinhasAnexoII)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 790, 793,
                   {st.QtdLinhasAnexoII, st.ContaAnexoII});
  if (st.ContaAnexoIII != st.QtdLinhasAnexoIII)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 794, 797,
                   {st.QtdLinhasAnexoIII, st.ContaAnexoIII});
}

}  // namespace rolval
