#include "layouts/substitution/CamposST2.h"

#include <array>

namespace rolval {

namespace {

using campos_st2::AnexoI;
using campos_st2::AnexoIII;
using campos_st2::Cabecalho;

constexpr std::array<TabelaRegistro, 4> Tabelas = {{
    {"A0", ComprimentoCabecalhoST2, Cabecalho},
    {"A1", ComprimentoAnexoIST2, AnexoI},
    {"A2", ComprimentoAnexoIST2, AnexoI},
    {"A3", ComprimentoAnexoIIIST2, AnexoIII},
}};
static_assert(ComprimentoCabecalhoST2 == 797 && ComprimentoAnexoIST2 == 50 &&
              ComprimentoAnexoIIIST2 == 46);

// A record of a type the layout does not have: only its first two columns are known, its type.
constexpr std::array<CampoRegistro, 1> SoTipo = {{Cabecalho[0]}};
constexpr TabelaRegistro TabelaTipoDesconhecido{"", 0, SoTipo};

}  // namespace

std::span<const TabelaRegistro> TabelasST2() { return Tabelas; }

const TabelaRegistro& TabelaTipoDesconhecidoST2() { return TabelaTipoDesconhecido; }

const TabelaRegistro* TabelaST2(std::string_view tipo) { return TabelaDoTipo(Tabelas, tipo); }

}  // namespace rolval
