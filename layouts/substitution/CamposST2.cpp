#include "layouts/substitution/CamposST2.h"

#include <array>

namespace rolval {

namespace {

using enum TipoCampo;
using campos_st2::Cabecalho;

// A1 and A2 share their layout; their amounts add up to the header's fields 14 and 15.
constexpr std::array<CampoRegistro, 6> AnexoI = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Número", 3, 8, Digitos),
    CampoSimples("Código", 11, 3, Texto),
    CampoSimples("Inscrição estadual", 14, 14, Inscricao),
    CampoSimples("Data", 28, 8, DataAAAAMMDD),
    CampoSimples("Valor", 36, 15, Valor),
}};

constexpr std::array<CampoRegistro, 4> AnexoIII = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Inscrição estadual", 3, 14, Inscricao),
    CampoSimples("Primeiro valor", 17, 15, Valor),
    CampoSimples("Segundo valor", 32, 15, Valor),
}};

constexpr std::array<TabelaRegistro, 4> Tabelas = {{
    {"A0", 797, Cabecalho},
    {"A1", 50, AnexoI},
    {"A2", 50, AnexoI},
    {"A3", 46, AnexoIII},
}};
static_assert(Cabecalho.back().Ultima() == 797);

// A record of a type the layout does not have: only its first two columns are known, its type.
constexpr std::array<CampoRegistro, 1> SoTipo = {{Cabecalho[0]}};
constexpr TabelaRegistro TabelaTipoDesconhecido{"", 0, SoTipo};

}  // namespace

std::span<const TabelaRegistro> TabelasST2() { return Tabelas; }

const TabelaRegistro& TabelaTipoDesconhecidoST2() { return TabelaTipoDesconhecido; }

const TabelaRegistro* TabelaST2(std::string_view tipo) { return TabelaDoTipo(Tabelas, tipo); }

}  // namespace rolval
