#include "layouts/Layouts.h"

#include <array>

#include "layouts/monthly/ValidaVersao45.h"
#include "layouts/older/ValidaST1.h"
#include "layouts/older/ValidaVersao3.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

namespace {

constexpr std::array<LayoutArquivo, 5> Layouts = {{
    {DocROL03, 898, true, "Validando ROL Versão 3", ReconheceROL03, ValidaVersao3, nullptr, nullptr, nullptr},
    {DocROL04, 898, true, "Validando ROL Versão 4", ReconheceROL04, ValidaVersao45, nullptr, nullptr,
     ConfereCabecalhoInicial},
    {DocROL05, 898, true, "Validando ROL Versão 5", ReconheceROL05, ValidaVersao45, nullptr, nullptr,
     ConfereCabecalhoInicial},
    {DocROLST01, 754, true, "Validando ROL Versão ST", ReconheceROLST01, ValidaST1, nullptr, nullptr, nullptr},
    {DocROLST02, 50, false, "Validando ROL ST Versão 2", ReconheceROLST02, ValidaST2, PreparaST2, EnquadraST2,
     nullptr},
}};

bool EArquivoST2(const Execucao& ex) { return ex.controle.Documento == DocROLST02; }
// The monthly closing follows the version of the last record read, whatever the layout.
bool UltimoRegistroMensal(const Execucao& ex) {
  return ex.RegistroAtual.Versao == "05" || ex.RegistroAtual.Versao == "04";
}

constexpr std::array<FechamentoFinal, 2> Fechamentos = {{
    {EArquivoST2, ConfereAnexosST},
    {UltimoRegistroMensal, FechaUltimoRetornoMensal},
}};

constexpr TabelaLayouts Tabela{Layouts, Fechamentos};

}  // namespace

const TabelaLayouts& TabelaPadrao() { return Tabela; }

}  // namespace rolval
