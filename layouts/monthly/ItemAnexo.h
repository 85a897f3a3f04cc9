#pragma once
// The body frame of the annex records X01 to X06: the count of items at columns 44-45, and items
// of a fixed width from column 46 on, whose fields are read and reported at the columns of their
// own item. Every check here reports its own finding and answers what the caller goes on with.
#include <cstdint>
#include <optional>
#include <string_view>

#include "run/CamposRegistro.h"
#include "run/Execucao.h"

namespace rolval {

// The count of items when it is numeric and from 1 to `maximo`; otherwise CampoNaoNumerico or
// OcorrenciasAnexoInvalidas at columns 44-45 and 0, and the caller reads nothing else of the
// record.
int LeQuantidadeItens(Execucao& execucao, std::string_view linha, int maximo);

// Item k (from 1) of an annex record, whose fields are those of its type's table: a field is
// declared at its columns in item 1 with the items' width, and read and reported at
// column + width x (k - 1).
class ItemAnexo {
 public:
  ItemAnexo(Execucao& execucao, std::string_view linha, int largura, int k)
      : ex_(execucao), linha_(linha), deslocamento_(largura * (k - 1)) {}

  std::string_view Texto(const CampoRegistro& campo) const {
    return Texto(campo.coluna, campo.tamanho);
  }
  void Erro(CodigoM codigo, const CampoRegistro& campo) const {
    Erro(codigo, campo.coluna, campo.tamanho);
  }

  // A numeric field: its value; CampoNaoNumerico and nothing when it is not numeric.
  std::optional<double> Valor(const CampoRegistro& campo) const {
    return Valor(campo.coluna, campo.tamanho);
  }
  // A numeric amount, 0 when it is not numeric (CampoNaoNumerico): what it adds to a total.
  double Parcela(const CampoRegistro& campo) const { return Valor(campo).value_or(0); }
  // A number that must be given: numeric and not 0 (CampoObrigatorioAusente). Its value, 0 when
  // not numeric; `valido` tells whether both checks passed.
  std::int64_t Obrigatorio(const CampoRegistro& campo, bool& valido) const {
    return Obrigatorio(campo.coluna, campo.tamanho, valido);
  }
  // A registry number of 10 digits: numeric; 0 is CampoObrigatorioAusente when `exigido` and
  // allowed otherwise; any other value must end in its check digit (DigitoControleInvalido).
  void Inscricao(const CampoRegistro& campo, bool exigido) const;

 private:
  int Coluna(int colunaItem1) const { return colunaItem1 + deslocamento_; }
  std::string_view Texto(int colunaItem1, int tamanho) const;
  void Erro(CodigoM codigo, int colunaItem1, int tamanho) const;
  std::optional<double> Valor(int colunaItem1, int tamanho) const;
  std::int64_t Obrigatorio(int colunaItem1, int tamanho, bool& valido) const;

  Execucao& ex_;
  std::string_view linha_;
  int deslocamento_;
};

// A CFOP of three digits: numeric (7), not 0 (16), not a round hundred (23), the first failing
// check only. Its value (0 when not numeric) and whether every check passed.
struct CfopLido {
  std::int32_t valor = 0;
  bool valido = false;
};
CfopLido LeCfop(const ItemAnexo& item, const CampoRegistro& campo);

}  // namespace rolval
