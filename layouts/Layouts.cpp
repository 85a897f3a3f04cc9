#include "layouts/Layouts.h"

#include <array>

#include "layouts/monthly/ValidaVersao45.h"
#include "layouts/older/ValidaST1.h"
#include "layouts/older/ValidaVersao3.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

namespace {

// A step a layout does not have is nullptr.
constexpr std::array<LayoutArquivo, 5> Layouts = {{
    {.documento = DocROL03,
     .comprimento = 898,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão 3",
     .reconhece = ReconheceROL03,
     .valida = ValidaVersao3,
     .prepara = PreparaROL03,
     .enquadra = nullptr,
     .antesDeValidar = nullptr},
    {.documento = DocROL04,
     .comprimento = 898,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão 4",
     .reconhece = ReconheceROL04,
     .valida = ValidaVersao45,
     .prepara = PreparaMensal,
     .enquadra = nullptr,
     .antesDeValidar = ConfereCabecalhoInicial},
    {.documento = DocROL05,
     .comprimento = 898,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão 5",
     .reconhece = ReconheceROL05,
     .valida = ValidaVersao45,
     .prepara = PreparaMensal,
     .enquadra = nullptr,
     .antesDeValidar = ConfereCabecalhoInicial},
    {.documento = DocROLST01,
     .comprimento = 754,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão ST",
     .reconhece = ReconheceROLST01,
     .valida = ValidaST1,
     .prepara = PreparaST01,
     .enquadra = nullptr,
     .antesDeValidar = nullptr},
    {.documento = DocROLST02,
     .comprimento = 50,
     .verificaTamanho = false,
     .legenda = "Validando ROL ST Versão 2",
     .reconhece = ReconheceROLST02,
     .valida = ValidaST2,
     .prepara = PreparaST2,
     .enquadra = EnquadraST2,
     .antesDeValidar = nullptr},
}};

bool EArquivoST2(const Execucao& ex) { return ex.controle.Documento == DocROLST02; }
// The monthly closing follows the version of the last record read, whatever the layout.
bool UltimoRegistroMensal(const Execucao& ex) {
  return ex.RegistroAtual.Versao == "05" || ex.RegistroAtual.Versao == "04";
}

constexpr std::array<FechamentoFinal, 2> Fechamentos = {{
    {.aplica = EArquivoST2, .fecha = ConfereAnexosST},
    {.aplica = UltimoRegistroMensal, .fecha = FechaUltimoRetornoMensal},
}};

constexpr TabelaLayouts Tabela{Layouts, Fechamentos};

}  // namespace

const TabelaLayouts& TabelaPadrao() { return Tabela; }

}  // namespace rolval
