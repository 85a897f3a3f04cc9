// The end-of-return checks of layout ST 02.
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/EstadoST2.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

namespace {

constexpr CampoRegistro TotalAnexoI = CampoDe(CamposCabecalhoST2, 14);
constexpr CampoRegistro TotalAnexoII = CampoDe(CamposCabecalhoST2, 15);
constexpr CampoRegistro LinhasAnexoI = CampoDe(CamposCabecalhoST2, "Linhas do anexo I");
constexpr CampoRegistro LinhasAnexoII = CampoDe(CamposCabecalhoST2, "Linhas do anexo II");
constexpr CampoRegistro LinhasAnexoIII = CampoDe(CamposCabecalhoST2, "Linhas do anexo III");

// A finding at one of the header's fields, with the field's number where the message names it.
void GravaNoCabecalho(Execucao& ex, const LocalAchado& cabecalho, CodigoST codigo, int numero,
                      const CampoRegistro& campo, const ValoresAchado& valores) {
  ex.GravaErroST(cabecalho, codigo, numero, campo.coluna, campo.Ultima(), valores);
}

}  // namespace

void ConfereAnexosST(Execucao& ex) {
  const EstadoST2& st = ST2(ex);
  // Reported at the header of the return, with the registration and period of the record read.
  LocalAchado cabecalho = ex.NoRegistroAtual(st.LinhaCabecalho);
  cabecalho.tabela = ex.TabelaCabecalho;
  if (st.SomaAnexoI != st.TotalAnexoI)
    GravaNoCabecalho(ex, cabecalho, CodigoST::TotalDoCampoIncorreto, TotalAnexoI.numero,
                     TotalAnexoI, {st.TotalAnexoI, st.SomaAnexoI});
  if (st.SomaAnexoII != st.TotalAnexoII)
    GravaNoCabecalho(ex, cabecalho, CodigoST::TotalDoCampoIncorreto, TotalAnexoII.numero,
                     TotalAnexoII, {st.TotalAnexoII, st.SomaAnexoII});
  if (st.ContaAnexoI != st.QtdLinhasAnexoI)
    GravaNoCabecalho(ex, cabecalho, CodigoST::LinhasAnexoInvalidas, 0, LinhasAnexoI,
                     {st.QtdLinhasAnexoI, st.ContaAnexoI});
  if (st.ContaAnexoII != st.QtdLinhasAnexoII)
    GravaNoCabecalho(ex, cabecalho, CodigoST::LinhasAnexoInvalidas, 0, LinhasAnexoII,
                     {st.QtdLinhasAnexoII, st.ContaAnexoII});
  if (st.ContaAnexoIII != st.QtdLinhasAnexoIII)
    GravaNoCabecalho(ex, cabecalho, CodigoST::LinhasAnexoInvalidas, 0, LinhasAnexoIII,
                     {st.QtdLinhasAnexoIII, st.ContaAnexoIII});
}

}  // namespace rolval
