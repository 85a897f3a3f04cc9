#include "layouts/Layouts.h"

#include <array>

#include "layouts/monthly/EstadoMensal.h"
#include "layouts/older/EstadoAntigos.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

// The one-line layouts and the monthly ones print a registration masked; the layout ST 02 prints
// it as read, and counts its returns as ST returns.
constexpr FormaRelatorio FormaMascarada{};
constexpr FormaRelatorio FormaST2{.inscricaoComoLida = true, .nomeRetornos = "ROL(s) ST"};

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
     .antesDeValidar = nullptr,
     .fechaArquivo = nullptr,
     .criaEstado = CriaEstado<EstadoAntigos>,
     .forma = FormaMascarada},
    {.documento = DocROL04,
     .comprimento = 898,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão 4",
     .reconhece = ReconheceROL04,
     .valida = ValidaVersao45,
     .prepara = PreparaMensal,
     .enquadra = nullptr,
     .antesDeValidar = ConfereCabecalhoInicial,
     .fechaArquivo = FechaUltimoRetornoMensal,
     .criaEstado = CriaEstado<EstadoMensal>,
     .forma = FormaMascarada},
    {.documento = DocROL05,
     .comprimento = 898,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão 5",
     .reconhece = ReconheceROL05,
     .valida = ValidaVersao45,
     .prepara = PreparaMensal,
     .enquadra = nullptr,
     .antesDeValidar = ConfereCabecalhoInicial,
     .fechaArquivo = FechaUltimoRetornoMensal,
     .criaEstado = CriaEstado<EstadoMensal>,
     .forma = FormaMascarada},
    {.documento = DocROLST01,
     .comprimento = 754,
     .verificaTamanho = true,
     .legenda = "Validando ROL Versão ST",
     .reconhece = ReconheceROLST01,
     .valida = ValidaST1,
     .prepara = PreparaST01,
     .enquadra = nullptr,
     .antesDeValidar = nullptr,
     .fechaArquivo = nullptr,
     .criaEstado = CriaEstado<EstadoAntigos>,
     .forma = FormaMascarada},
    {.documento = DocROLST02,
     .comprimento = 50,
     .verificaTamanho = false,
     .legenda = "Validando ROL ST Versão 2",
     .reconhece = ReconheceROLST02,
     .valida = ValidaST2,
     .prepara = PreparaST2,
     .enquadra = EnquadraST2,
     .antesDeValidar = nullptr,
     .fechaArquivo = ConfereAnexosST,
     .criaEstado = CriaEstado<EstadoST2>,
     .forma = FormaST2},
}};

constexpr TabelaLayouts Tabela{Layouts};

}  // namespace

const TabelaLayouts& TabelaPadrao() { return Tabela; }

const LayoutArquivo* LayoutDe(std::string_view documento) {
  for (const LayoutArquivo& layout : Layouts)
    if (layout.documento == documento) return &layout;
  return nullptr;
}

}  // namespace rolval
