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
  r.Poe(1, "****03").Poe(7, "00000000").Poe(15, " ").Poe(16, "01").Poe(18, "31").Poe(20, "051996");
  r.Poe(26, "0123456789");
  r.Valor(84, 16, 1000).Valor(100, 16, 400).Valor(116, 16, 600);
  r.Valor(132, 16, 150).Valor(292, 16, 150);
  r.Valor(308, 16, 200).Valor(420, 16, 200);
  r.Valor(468, 16, 50).Valor(484, 16, 100).Valor(500, 16, 150);
  r.Poe(516, "10101998").Valor(524, 16, 150);
  return r;
}

Registro ST01Valido() {
  Registro r(static_cast<std::size_t>(TabelaST01().comprimento));
  r.Poe(1, "RST01").Poe(6, " ").Poe(7, "01").Poe(9, "30").Poe(11, "091999").Poe(17, "0123456789");
  r.Poe(27, "11222333000181");
  for (int campo = 6; campo <= 17; ++campo) r.Valor(ColunaST1(campo), 15, 0);
  r.Valor(ColunaST1(6), 15, 1000).Valor(ColunaST1(9), 15, 500).Valor(ColunaST1(10), 15, 100);
  r.Valor(ColunaST1(11), 15, 300).Valor(ColunaST1(12), 15, 100).Valor(ColunaST1(17), 15, 100);
  for (int k = 1; k <= 6; ++k)
    r.Poe(ColunaParcela(k), "00000000").Valor(ColunaParcela(k) + 8, 15, 0);
  r.Poe(228, "10082000").Valor(236, 15, 100);
  r.Poe(366, "COMERCIO DE BEBIDAS EXEMPLO LTDA").Poe(412, "52998224725").Poe(423, "JOSE DA SILVA");
  r.Poe(453, "0000").Poe(457, "00000000").Poe(465, "JOSE DA SILVA").Poe(495, "15082000");
  r.Poe(503, "0000").Poe(507, "00000000");
  return r;
}

ResultadoExecucao ExecutaRegistros(const std::vector<std::string>& registros) {
  return ExecutaConteudo(ComCRLF(registros), TabelaPadrao());
}

}  // namespace rolval::teste
