#include "layouts/monthly/CamposMensal.h"

#include <array>

namespace rolval {

namespace {

using namespace campos_mensal;

constexpr TabelaRegistro TabelaCabecalho{"ABC", TamanhoRegistro, Cabecalho};
// A record whose type is none of these: only its prefix is known, and its type is not named.
constexpr TabelaRegistro TabelaPrefixo{"", TamanhoRegistro, Prefixo};

constexpr std::array<TabelaRegistro, 17> Anexos = {{
    {"X01", TamanhoRegistro, X01},
    {"X02", TamanhoRegistro, X02},
    {"X03", TamanhoRegistro, X03},
    {"X03A", TamanhoRegistro, X03A},
    {"X04", TamanhoRegistro, X04},
    {"X05", TamanhoRegistro, X05},
    {"X05A", TamanhoRegistro, X05A},
    {"X05B", TamanhoRegistro, X05A},
    {"X06", TamanhoRegistro, X06},
    {"X07", TamanhoRegistro, X07},
    {"X07A", TamanhoRegistro, X07A},
    {"X07B", TamanhoRegistro, X07B},
    {"X08", TamanhoRegistro, X08},
    {"X09", TamanhoRegistro, X09},
    {"X10", TamanhoRegistro, X10},
    {"X11", TamanhoRegistro, X11},
    {"X12", TamanhoRegistro, X12},
}};

}  // namespace

const TabelaRegistro& TabelaCabecalhoMensal() { return TabelaCabecalho; }

std::span<const TabelaRegistro> TabelasAnexosMensais() { return Anexos; }

const TabelaRegistro& TabelaPrefixoMensal() { return TabelaPrefixo; }

const TabelaRegistro* TabelaMensal(std::string_view tipo) {
  if (const TabelaRegistro* t = TabelaDoTipo({&TabelaCabecalho, 1}, tipo)) return t;
  return TabelaDoTipo(Anexos, tipo);
}

const CampoRegistro& CampoLinhasDeclaradas(std::size_t indice) {
  return Cabecalho[PrimeiraLinhaDeclarada + indice];
}

const CampoRegistro& CampoQuantidadeItens() { return QuantidadeItens; }

}  // namespace rolval
