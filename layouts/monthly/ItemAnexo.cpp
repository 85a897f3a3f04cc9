#include "layouts/monthly/ItemAnexo.h"

#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"

namespace rolval {

int LeQuantidadeItens(Execucao& ex, std::string_view linha, int maximo) {
  const std::optional<std::int64_t> lida = LeInteiro(ex, linha, 44, 2);
  if (!lida) return 0;
  const auto quantidade = static_cast<int>(*lida);
  if (quantidade < 1 || quantidade > maximo) {
    // Declared only: the count is refused for its range, not against the items found.
    ex.GravaErro(CodigoM::OcorrenciasAnexoInvalidas, 44, 45, {quantidade, {}});
    return 0;
  }
  return quantidade;
}

std::string_view ItemAnexo::Texto(int colunaItem1, int tamanho) const {
  return Campo(linha_, Coluna(colunaItem1), tamanho);
}

void ItemAnexo::Erro(CodigoM codigo, int colunaItem1, int tamanho) const {
  const int coluna = Coluna(colunaItem1);
  ex_.GravaErro(codigo, coluna, coluna + tamanho - 1);
}

std::optional<double> ItemAnexo::Valor(int colunaItem1, int tamanho) const {
  return LeNumerico(ex_, linha_, Coluna(colunaItem1), tamanho);
}

std::int64_t ItemAnexo::Obrigatorio(int colunaItem1, int tamanho, bool& valido) const {
  valido = false;
  const std::optional<std::int64_t> lido = LeInteiro(ex_, linha_, Coluna(colunaItem1), tamanho);
  if (!lido) return 0;
  const std::int64_t valor = *lido;
  if (valor == 0)
    Erro(CodigoM::CampoObrigatorioAusente, colunaItem1, tamanho);
  else
    valido = true;
  return valor;
}

void ItemAnexo::Inscricao(int colunaItem1, bool exigido) const {
  const std::optional<double> valor = Valor(colunaItem1, 10);
  if (!valor) return;
  if (*valor == 0) {
    if (exigido) Erro(CodigoM::CampoObrigatorioAusente, colunaItem1, 10);
    return;
  }
  const std::string_view numero = Texto(colunaItem1, 10);
  if (numero[9] != CalculaDigito(numero)) Erro(CodigoM::DigitoControleInvalido, colunaItem1, 10);
}

CfopLido LeCfop(const ItemAnexo& item, int colunaItem1) {
  CfopLido cfop;
  bool informado = false;
  cfop.valor = static_cast<std::int32_t>(item.Obrigatorio(colunaItem1, 3, informado));
  if (!informado) return cfop;
  if (cfop.valor % 100 == 0) {
    item.Erro(CodigoM::CfopInvalido, colunaItem1, 3);
    return cfop;
  }
  cfop.valido = true;
  return cfop;
}

}  // namespace rolval
