#include "layouts/monthly/ItemAnexo.h"

#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"

namespace rolval {

int LeQuantidadeItens(Execucao& ex, std::string_view linha, int maximo) {
  constexpr CampoRegistro campo = campos_mensal::QuantidadeItens;
  const std::optional<std::int64_t> lida = LeInteiro(ex, linha, campo.coluna, campo.tamanho);
  if (!lida) return 0;
  const auto quantidade = static_cast<int>(*lida);
  if (quantidade < 1 || quantidade > maximo) {
    // Declared only: the count is refused for its range, not against the items found.
    GravaErroNoCampo(ex, CodigoM::OcorrenciasAnexoInvalidas, campo, 0, {quantidade, {}});
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

void ItemAnexo::Inscricao(const CampoRegistro& campo, bool exigido) const {
  const std::optional<double> valor = Valor(campo);
  if (!valor) return;
  if (*valor == 0) {
    if (exigido) Erro(CodigoM::CampoObrigatorioAusente, campo);
    return;
  }
  const std::string_view numero = Texto(campo);
  if (numero[9] != CalculaDigito(numero)) Erro(CodigoM::DigitoControleInvalido, campo);
}

CfopLido LeCfop(const ItemAnexo& item, const CampoRegistro& campo) {
  CfopLido cfop;
  bool informado = false;
  cfop.valor = static_cast<std::int32_t>(item.Obrigatorio(campo, informado));
  if (!informado) return cfop;
  if (cfop.valor % 100 == 0) {
    item.Erro(CodigoM::CfopInvalido, campo);
    return cfop;
  }
  cfop.valido = true;
  return cfop;
}

}  // namespace rolval
