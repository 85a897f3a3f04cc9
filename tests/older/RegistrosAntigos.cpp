#include "tests/older/RegistrosAntigos.h"

#include <cstdio>
#include <stdexcept>

#include "layouts/Layouts.h"
#include "layouts/older/CamposAntigos.h"
#include "tests/support/CamposZerados.h"

namespace rolval::teste {

Registro& Registro::Poe(int coluna, std::string_view texto) {
  const auto inicio = static_cast<std::size_t>(coluna - 1);
  if (coluna < 1 || inicio + texto.size() > linha_.size())
    throw std::out_of_range("field beyond the record at column " + std::to_string(coluna));
  linha_.replace(inicio, texto.size(), texto);
  return *this;
}

Registro& Registro::Poe(const CampoRegistro& campo, std::string_view texto, int vez) {
  if (static_cast<int>(texto.size()) > campo.tamanho)
    throw std::out_of_range("text wider than its field at column " + std::to_string(campo.coluna));
  return Poe(campo.ColunaDe(vez), texto);
}

Registro& Registro::Valor(int coluna, int tamanho, std::int64_t valor) {
  std::string digitos = std::to_string(valor);
  if (valor < 0 || static_cast<int>(digitos.size()) > tamanho)
    throw std::out_of_range("amount does not fit at column " + std::to_string(coluna));
  digitos.insert(0, static_cast<std::size_t>(tamanho) - digitos.size(), '0');
  return Poe(coluna, digitos);
}

int ColunaST1(int campo) { return CampoDeNumero(TabelaST01(), campo)->coluna; }
int ColunaParcela(int k) {
  return CampoChamado(TabelaST01(), "Vencimento da parcela").ColunaDe(k - 1);
}
int ColunaVencimento(int k) { return CampoChamado(TabelaROL03(), "Vencimento").ColunaDe(k - 1); }

Registro ROL03Valido() {
  // Every amount, number and due date from column 84 on 0.
  std::string linha(static_cast<std::size_t>(TabelaROL03().comprimento), ' ');
  ZeraCamposNumericos(linha, TabelaROL03(), 84);
  Registro r(std::move(linha));
  r.Poe(CampoROL03("Marca teleprocessamento"), "****").Poe(CampoROL03("Versão"), "03");
  r.Poe(CampoROL03("Complemento"), "00000000").Poe(CampoROL03("Marcador"), " ");
  r.Poe(CampoROL03("Dia de início"), "01").Poe(CampoROL03("Dia de término"), "31");
  r.Poe(CampoROL03("Mês/ano de referência"), "051996").Poe(CampoROL03("Inscrição"), "0123456789");
  r.Valor(CampoROL03("Valor A"), 1000).Valor(CampoROL03("Valor B"), 400);
  r.Valor(CampoROL03("Diferença A − B (C)"), 600);
  r.Valor(CampoROL03("Parcela do total E"), 150).Valor(CampoROL03("Total E"), 150);
  r.Valor(CampoROL03("Parcela do total F"), 200).Valor(CampoROL03("Total F"), 200);
  r.Valor(CampoROL03("Saldo F − E + H (I)"), 50).Valor(CampoROL03("Valor J"), 100);
  r.Valor(CampoROL03("Soma J + I (K)"), 150);
  r.Poe(CampoROL03("Vencimento"), "10101998").Valor(CampoROL03("Valor do vencimento"), 150);
  return r;
}

Registro ST01Valido() {
  // Every amount, number and date 0, then the fields that differ.
  std::string linha(static_cast<std::size_t>(TabelaST01().comprimento), ' ');
  ZeraCamposNumericos(linha, TabelaST01());
  Registro r(std::move(linha));
  // Field 4 is the first day, the last day and the reference month, in one field.
  r.Poe(CampoST01("Identificação do leiaute"), "RST01").Poe(CampoST01("Marcador"), " ");
  r.Poe(*CampoDeNumero(TabelaST01(), 4), "0130091999")
      .Poe(*CampoDeNumero(TabelaST01(), 5), "0123456789");
  r.Poe(*CampoDeNumero(TabelaST01(), 23), "11222333000181");
  const auto valor = [&r](int campo, std::int64_t v) {
    r.Valor(*CampoDeNumero(TabelaST01(), campo), v);
  };
  valor(6, 1000);
  valor(9, 500);
  valor(10, 100);
  valor(11, 300);
  valor(12, 100);
  valor(17, 100);
  r.Poe(CampoST01("Vencimento da parcela"), "10082000").Valor(CampoST01("Valor da parcela"), 100);
  r.Poe(*CampoDeNumero(TabelaST01(), 24), "COMERCIO DE BEBIDAS EXEMPLO LTDA");
  r.Poe(*CampoDeNumero(TabelaST01(), 25), "52998224725")
      .Poe(*CampoDeNumero(TabelaST01(), 26), "JOSE DA SILVA");
  r.Poe(CampoST01("Nome do signatário"), "JOSE DA SILVA");
  r.Poe(CampoST01("Data da assinatura"), "15082000");
  return r;
}

ResultadoExecucao ExecutaRegistros(const std::vector<std::string>& registros) {
  return ExecutaConteudo(ComCRLF(registros), TabelaPadrao());
}

}  // namespace rolval::teste
