#include "run/CamposRegistro.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rolval {

const CampoRegistro* CampoNaColuna(const TabelaRegistro& tabela, int coluna, int* ocorrencia) {
  if (coluna < 1 || (tabela.comprimento > 0 && coluna > tabela.comprimento)) return nullptr;
  // The fields are in ascending column order: the last one to start at or before the column holds
  // it, unless the column is a later occurrence of an item's field declared before that one;
  // every field before it is looked at, going back.
  const std::span<const CampoRegistro> campos = tabela.campos;
  auto candidato =
      std::upper_bound(campos.begin(), campos.end(), coluna,
                       [](int c, const CampoRegistro& campo) { return c < campo.coluna; });
  while (candidato != campos.begin()) {
    const CampoRegistro& campo = *--candidato;
    int vez = 0;
    int inicio = campo.coluna;
    if (campo.vezes > 0 && campo.largura > 0) {
      vez = (coluna - campo.coluna) / campo.largura;
      if (vez >= campo.vezes) continue;
      inicio = campo.ColunaDe(vez);
    }
    if (coluna < inicio + campo.tamanho) {
      if (ocorrencia != nullptr) *ocorrencia = vez;
      return &campo;
    }
  }
  return nullptr;
}

const TabelaRegistro* TabelaDoTipo(std::span<const TabelaRegistro> tabelas, std::string_view tipo) {
  while (tipo.ends_with(' ')) tipo.remove_suffix(1);
  for (const TabelaRegistro& tabela : tabelas)
    if (tabela.tipo == tipo) return &tabela;
  return nullptr;
}

const CampoRegistro* CampoDeNumero(const TabelaRegistro& tabela, int numero) {
  for (const CampoRegistro& campo : tabela.campos)
    if (campo.numero == numero) return &campo;
  return nullptr;
}

const CampoRegistro& CampoChamado(const TabelaRegistro& tabela, std::string_view nome) {
  for (const CampoRegistro& campo : tabela.campos)
    if (campo.nome == nome) return campo;
  throw std::out_of_range("record type " + std::string(tabela.tipo) + " has no field " +
                          std::string(nome));
}

}  // namespace rolval
