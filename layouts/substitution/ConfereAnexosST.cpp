// The end-of-return checks of layout ST 02.
#include "layouts/substitution/EstadoST2.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

void ConfereAnexosST(Execucao& ex) {
  const EstadoST2& st = ST2(ex);
  // Reported at the header of the return, with the registration and period of the record read.
  const LocalAchado cabecalho = ex.NoRegistroAtual(st.LinhaCabecalho);
  if (st.SomaAnexoI != st.TotalAnexoI)
    ex.GravaErroST(cabecalho, CodigoST::TotalDoCampoIncorreto, 14, 275, 289);
  if (st.SomaAnexoII != st.TotalAnexoII)
    ex.GravaErroST(cabecalho, CodigoST::TotalDoCampoIncorreto, 15, 290, 304);
  if (st.ContaAnexoI != st.QtdLinhasAnexoI)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 786, 789);
  if (st.ContaAnexoII != st.QtdLinhasAnexoII)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 790, 793);
  if (st.ContaAnexoIII != st.QtdLinhasAnexoIII)
    ex.GravaErroST(cabecalho, CodigoST::LinhasAnexoInvalidas, 0, 794, 797);
}

}  // namespace rolval
