#include "layouts/monthly/AnexosCfop.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ItemAnexo.h"
#include "run/CaminhosRapidos.h"

namespace rolval {

namespace {

// The items' fields, read from X05's table: X01 has its fields at the same columns, and X05B
// is X05A's table.
namespace x05 {
constexpr CampoRegistro Cfop = CampoDe(campos_mensal::X05, "CFOP");
constexpr CampoRegistro Valor49 = CampoDe(campos_mensal::X05, "Valor (col. 49)");
constexpr CampoRegistro Valor62 = CampoDe(campos_mensal::X05, "Valor (col. 62)");
constexpr CampoRegistro Total = CampoDe(campos_mensal::X05, "Valor do total do anexo X05");
constexpr CampoRegistro ValorX05A = CampoDe(campos_mensal::X05, "Valor do CFOP no anexo X05A");
constexpr CampoRegistro ValorX05B = CampoDe(campos_mensal::X05, "Valor do CFOP no anexo X05B");
static_assert(campos_mensal::MesmasColunas(campos_mensal::X01, campos_mensal::X05));
}  // namespace x05
namespace x05a {
constexpr CampoRegistro Cfop = CampoDe(campos_mensal::X05A, "CFOP");
constexpr CampoRegistro Numero = CampoDe(campos_mensal::X05A, "Número");
constexpr CampoRegistro Valor = CampoDe(campos_mensal::X05A, "Valor do CFOP");
}  // namespace x05a

// Whether `cfop` is one of the CFOPs 1-999, each of which has one entry in a list; a CFOP of 0
// (zero or not numeric) gets an entry of its own every time.
bool CfopUnico(std::int32_t cfop) { return cfop > 0 && cfop < 1000; }

// The entry of `cfop` in a CFOP list: the existing one, or a new one appended at the end. On the
// fast path `posicao` tells where each CFOP 1-999 stands (position + 1), so that the list is never
// walked; the plain path looks for it from the start.
template <class Entrada>
Entrada& EntradaDoCfop(std::vector<Entrada>& lista, std::vector<std::int32_t>& posicao,
                       std::int32_t cfop) {
  const bool unico = CfopUnico(cfop);
  if (unico) {
    if constexpr (caminhos::PosicoesDosCfops) {
      if (posicao.empty()) posicao.assign(1000, 0);
      const std::int32_t onde = posicao[static_cast<std::size_t>(cfop)];
      if (onde > 0) return lista[static_cast<std::size_t>(onde - 1)];
    } else {
      for (Entrada& e : lista)
        if (e.cfop == cfop) return e;
    }
  }
  Entrada nova;
  nova.cfop = cfop;
  lista.push_back(nova);
  if (caminhos::PosicoesDosCfops && unico)
    posicao[static_cast<std::size_t>(cfop)] = static_cast<std::int32_t>(lista.size());
  return lista.back();
}

bool CfopEmX05(const RetornoMensal& r, std::int32_t cfop) {
  if (!CfopUnico(cfop)) return false;
  if constexpr (caminhos::PosicoesDosCfops)
    return !r.PosicaoCfopX05.empty() && r.PosicaoCfopX05[static_cast<std::size_t>(cfop)] > 0;
  return std::any_of(r.CfopX05.begin(), r.CfopX05.end(),
                     [cfop](const EntradaCfopX05& e) { return e.cfop == cfop; });
}

// An item of X01 or X05: CFOP and five amounts; the third adds to the record type's total, and
// in X05 the fourth and fifth go to the CFOP's entry, whatever the CFOP's findings.
void ValidaItemX01ouX05(Execucao& ex, const ItemAnexo& item, Anexo tipo) {
  RetornoMensal& r = Mensal(ex).retorno;
  const CfopLido cfop = LeCfop(item, x05::Cfop);
  item.Valor(x05::Valor49);
  item.Valor(x05::Valor62);
  const double total = item.Parcela(x05::Total);
  const double primeiro = item.Parcela(x05::ValorX05A);
  const double segundo = item.Parcela(x05::ValorX05B);
  if (tipo == Anexo::X01) {
    r.TotX01 += total;
    return;
  }
  r.TotX05 += total;
  EntradaCfopX05& entrada = EntradaDoCfop(r.CfopX05, r.PosicaoCfopX05, cfop.valor);
  entrada.valor1 += primeiro;
  entrada.valor2 += segundo;
}

// An item of X05A or X05B: a CFOP that must already stand in the X05 list as read so far, a
// required number and the amount that details the X05 CFOP.
void ValidaItemX05AouB(Execucao& ex, const ItemAnexo& item, Anexo tipo) {
  RetornoMensal& r = Mensal(ex).retorno;
  const CfopLido cfop = LeCfop(item, x05a::Cfop);
  if (cfop.valido && !CfopEmX05(r, cfop.valor)) item.Erro(CodigoM::CfopInvalido, x05a::Cfop);
  bool informado = false;
  item.Obrigatorio(x05a::Numero, informado);
  const double valor = item.Parcela(x05a::Valor);
  EntradaCfop& entrada = tipo == Anexo::X05A
                             ? EntradaDoCfop(r.CfopX05A, r.PosicaoCfopX05A, cfop.valor)
                             : EntradaDoCfop(r.CfopX05B, r.PosicaoCfopX05B, cfop.valor);
  entrada.valor += valor;
}

}  // namespace

void ValidaAnexoCfop(Execucao& ex, std::string_view linha, Anexo tipo) {
  const bool detalhe = tipo == Anexo::X05A || tipo == Anexo::X05B;
  // The detail records are remembered even when their count fails.
  if (detalhe) Mensal(ex).LinhaX05A = ex.NumLinha;
  const int quantidade = LeQuantidadeItens(ex, linha, detalhe ? x05a::Cfop.vezes : x05::Cfop.vezes);
  if (quantidade == 0) return;
  if (tipo == Anexo::X05) Mensal(ex).LinhaX05 = ex.NumLinha;
  Mensal(ex).Lidas(tipo) += quantidade;
  for (int k = 1; k <= quantidade; ++k) {
    if (detalhe)
      ValidaItemX05AouB(ex, ItemAnexo(ex, linha, x05a::Cfop.largura, k), tipo);
    else
      ValidaItemX01ouX05(ex, ItemAnexo(ex, linha, x05::Cfop.largura, k), tipo);
  }
}

}  // namespace rolval
