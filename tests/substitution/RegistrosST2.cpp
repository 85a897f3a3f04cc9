#include "tests/substitution/RegistrosST2.h"

#include <cstdio>
#include <stdexcept>

#include "layouts/Layouts.h"
#include "layouts/substitution/CamposST2.h"

namespace rolval::teste {

RegistroST2::RegistroST2(std::size_t tamanho, std::string_view tipo) : linha_(tamanho, ' ') {
  Poe(1, tipo);
}

RegistroST2& RegistroST2::Poe(int coluna, std::string_view texto) {
  const auto inicio = static_cast<std::size_t>(coluna - 1);
  if (coluna < 1 || inicio + texto.size() > linha_.size())
    throw std::out_of_range("field beyond the record");
  linha_.replace(inicio, texto.size(), texto);
  return *this;
}

RegistroST2& RegistroST2::Poe(const CampoRegistro& campo, std::string_view texto) {
  if (static_cast<int>(texto.size()) > campo.tamanho)
    throw std::out_of_range("text wider than its field");
  return Poe(campo.coluna, texto);
}

RegistroST2& RegistroST2::PoeNumero(int coluna, int tamanho, std::int64_t valor) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", tamanho, static_cast<long long>(valor));
  if (static_cast<int>(std::string_view(buf).size()) != tamanho)
    throw std::out_of_range("number does not fit its field");
  return Poe(coluna, buf);
}

std::int64_t RegistroST2::LeNumero(int coluna, int tamanho) const {
  return std::stoll(
      linha_.substr(static_cast<std::size_t>(coluna - 1), static_cast<std::size_t>(tamanho)));
}

namespace {

const TabelaRegistro& TabelaA0() { return *TabelaST2("A0"); }
std::size_t Comprimento(std::string_view tipo) {
  return static_cast<std::size_t>(TabelaST2(tipo)->comprimento);
}
// The header's amount field `campo` (7 to 21), and installment i (1 to 6): due date and amount.
const CampoRegistro& CampoValor(int campo) { return *CampoDeNumero(TabelaA0(), campo); }
int ColunaParcela(int i) { return CampoA0("Vencimento da parcela").ColunaDe(i - 1); }
int ColunaValorParcela(int i) { return CampoA0("Valor da parcela").ColunaDe(i - 1); }

}  // namespace

RegistroA0::RegistroA0() : RegistroST2(Comprimento("A0"), "A0") {
  Poe(CampoA0("Identificação do leiaute"), "RST02");
  Periodo("072000");
  Inscricao(InscricaoROL);
  for (int i = 1; i <= 6; ++i) Parcela(i, "00000000", 0);
  UF("TQ");
  for (int campo = 7; campo <= 21; ++campo) Valor(campo, 0);
  Valor(7, 5000).Valor(8, 100).Valor(9, 100).Valor(10, 500).Valor(11, 100);
  Valor(12, 2000).Valor(13, 1000);
  Equilibra();
  Poe(CampoA0("CNPJ do declarante"), "11222333000181");
  Poe(CampoA0("Nome da empresa"), "EMPRESA DECLARANTE LTDA");
  Poe(CampoA0("CPF do responsável"), "11144477735");
  Poe(CampoA0("Nome do responsável"), "RESPONSAVEL PELA EMPRESA");
  PoeNumero(CampoA0("Número (col. 496)"), 1);
  PoeNumero(CampoA0("Número (col. 508)"), 2);
  Poe(CampoA0("Nome do signatário"), "SIGNATARIO DA DECLARACAO");
  DataAssinatura("20000810");
  Poe(CampoA0("Marca (col. 778)"), "N");
  Poe(CampoA0("Marca do anexo III"), "N");
  Linhas(0, 0, 0);
}

RegistroA0& RegistroA0::Parcela(int i, std::string_view aaaammdd, std::int64_t valor) {
  Poe(ColunaParcela(i), aaaammdd);
  PoeNumero(ColunaValorParcela(i), CampoA0("Valor da parcela").tamanho, valor);
  return *this;
}

RegistroA0& RegistroA0::Valor(int campo, std::int64_t valor) {
  PoeNumero(CampoValor(campo), valor);
  return *this;
}

std::int64_t RegistroA0::Valor(int campo) const {
  return LeNumero(CampoValor(campo).coluna, CampoValor(campo).tamanho);
}

RegistroA0& RegistroA0::Linhas(int a1, int a2, int a3) {
  PoeNumero(CampoA0("Linhas do anexo I"), a1);
  PoeNumero(CampoA0("Linhas do anexo II"), a2);
  PoeNumero(CampoA0("Linhas do anexo III"), a3);
  return *this;
}

RegistroA0& RegistroA0::TotaisAnexos(std::int64_t totalI, std::int64_t totalII) {
  Valor(14, totalI).Valor(15, totalII);
  return Equilibra();
}

RegistroA0& RegistroA0::Equilibra() {
  const std::int64_t creditos = Valor(14) + Valor(15) + Valor(16) + Valor(17);
  const std::int64_t saldo = Valor(13) + Valor(19) - creditos;
  Valor(21, saldo > 0 ? saldo : 0);
  Valor(20, saldo < 0 ? -saldo : 0);
  Valor(18, saldo >= 0 && Valor(13) - creditos > 0 ? Valor(13) - creditos : 0);
  for (int i = 2; i <= 6; ++i) Parcela(i, "00000000", 0);
  if (saldo > 0)
    Parcela(1, "20000815", saldo);
  else
    Parcela(1, "00000000", 0);
  return *this;
}

RegistroA0& RegistroA0::ZeraValores() {
  for (int campo = 7; campo <= 21; ++campo) Valor(campo, 0);
  for (int i = 1; i <= 6; ++i) Parcela(i, "00000000", 0);
  return *this;
}

RegistroA1::RegistroA1(std::string_view tipo) : RegistroST2(Comprimento(tipo), tipo) {
  Numero(1);
  RegistroST2::Poe(CampoA1("Código"), "001");
  Inscricao(InscricaoCliente);
  Data("20000701");
  Valor(100);
}

RegistroA3::RegistroA3() : RegistroST2(Comprimento("A3"), "A3") {
  Inscricao(InscricaoCliente);
  Valores(100, 50);
}

RegistroA3& RegistroA3::Valores(std::int64_t a, std::int64_t b) {
  PoeNumero(CampoA3("Primeiro valor"), a);
  PoeNumero(CampoA3("Segundo valor"), b);
  return *this;
}

std::string Achado(std::string_view inscricao14, std::string_view periodo, int linha, int inicio,
                   int fim, std::string_view mensagem) {
  return LinhaAchado(inscricao14, periodo, linha, inicio, fim, mensagem);
}

std::vector<std::string> AchadosST2(const std::vector<std::string>& registros) {
  return ExecutaConteudo(ComCRLF(registros), TabelaPadrao()).achados;
}

}  // namespace rolval::teste
