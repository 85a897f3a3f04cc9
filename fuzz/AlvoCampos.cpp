// Fuzz target: the field checks every layout shares and the display masks, on arbitrary text and
// numbers within what their callers can hand them. Checks properties that hold for any input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checks/Cadastros.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "run/Campo.h"
#include "run/Falha.h"
#include "run/Formatos.h"

using namespace rolval;

namespace {

[[noreturn]] void Quebra(const char* motivo) {
  std::fprintf(stderr, "rolval fuzz: %s\n", motivo);
  std::abort();
}

bool SoDigitos(std::string_view s) {
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

void ConfereNumericos(FuzzedDataProvider& fdp) {
  const int coluna = fdp.ConsumeIntegralInRange(-2, 1100);
  const int tamanho = fdp.ConsumeIntegralInRange(-2, 40);
  const std::string linha = fdp.ConsumeRandomLengthString(1100);
  const bool numerico = ValidaNumerico(linha, coluna, tamanho);
  const std::string_view campo = Campo(linha, coluna, tamanho);
  if (numerico && (static_cast<int>(campo.size()) != tamanho || !SoDigitos(campo)))
    Quebra("ValidaNumerico accepted a field that is not all digits");
  if (!numerico && tamanho > 0 && static_cast<int>(campo.size()) == tamanho && SoDigitos(campo))
    Quebra("ValidaNumerico refused a field of digits");
  if (numerico && tamanho <= 18) {
    const std::int64_t inteiro = ValorInteiro(campo);
    if (ValorNumerico(campo) != static_cast<double>(inteiro))
      Quebra("ValorNumerico differs from ValorInteiro");
    std::string volta;
    AcrescentaNumero(volta, inteiro, tamanho);
    if (volta != campo) Quebra("AcrescentaNumero does not give the digits back");
  }
}

void ConfereDigito(FuzzedDataProvider& fdp) {
  const std::string numero = fdp.ConsumeRandomLengthString(40);
  const char d = CalculaDigito(numero);
  const std::string_view n = Apara(numero);
  if (n.size() >= 2 && SoDigitos(n.substr(0, n.size() - 1))) {
    if (d < '0' || d > '9') Quebra("CalculaDigito gave no digit for a number");
  } else if (d != '\0' && (d < '0' || d > '9')) {
    Quebra("CalculaDigito gave a character that is not a digit");
  }
}

void ConfereData(FuzzedDataProvider& fdp) {
  const int tipo = fdp.PickValueInArray({DataDDMMAAAA, DataMMAAAA});
  const int coluna = fdp.ConsumeIntegralInRange(1, 40);
  const std::string linha = fdp.ConsumeRandomLengthString(48);
  bool valida = false;
  try {
    valida = ValidaData(linha, coluna, tipo);
  } catch (const FalhaExecucao&) {
    // A part that is not a number is a run failure by design; a field of digits never is.
    if (ValidaNumerico(linha, coluna, tipo)) Quebra("ValidaData failed on a field of digits");
    return;
  }
  if (!ValidaNumerico(linha, coluna, tipo)) return;  // blanks around digits: no more to check
  const std::string_view campo = Campo(linha, coluna, tipo);
  const int dia = tipo == DataDDMMAAAA ? static_cast<int>(ValorInteiro(campo.substr(0, 2))) : 1;
  const int mes = static_cast<int>(ValorInteiro(campo.substr(tipo == DataDDMMAAAA ? 2 : 0, 2)));
  const int ano = static_cast<int>(ValorInteiro(campo.substr(tipo == DataDDMMAAAA ? 4 : 2, 4)));
  const bool zeros = campo.find_first_not_of('0') == std::string_view::npos;
  const bool esperada =
      zeros || (ano >= 1900 && mes >= 1 && mes <= 12 && dia >= 1 && dia <= DiasDoMes(mes, ano));
  if (valida != esperada) Quebra("ValidaData disagrees with the calendar");
}

void ConfereCadastros(FuzzedDataProvider& fdp) {
  const std::string uf = fdp.ConsumeRandomLengthString(3);
  const std::string numero = fdp.ConsumeRandomLengthString(20);
  (void)ValidaUF(uf);
  std::string campo14 = numero;
  campo14.resize(14, ' ');
  (void)ValidaInscricao(campo14, uf);
  const std::int16_t r = ConsisteInscricaoEstadual(numero.c_str(), uf.c_str());
  if (r < 0) Quebra("ConsisteInscricaoEstadual gave a negative answer");
  if (r == 0 && !ValidaUF(std::string_view(uf.c_str())))
    Quebra("a registration accepted for an unknown unit");
  const std::string federal = fdp.ConsumeRandomLengthString(16);
  (void)ValidaCPFCNPJ(federal);
}

void ConfereMeses(FuzzedDataProvider& fdp) {
  // Months and years as two- and four-digit fields can hold them.
  const auto m1 = fdp.ConsumeIntegralInRange<std::int32_t>(0, 99);
  const auto a1 = fdp.ConsumeIntegralInRange<std::int32_t>(0, 9999);
  const auto m2 = fdp.ConsumeIntegralInRange<std::int32_t>(0, 99);
  const auto a2 = fdp.ConsumeIntegralInRange<std::int32_t>(0, 9999);
  const std::int32_t d = DiferencaMeses(m1, a1, m2, a2);
  if (d < -1) Quebra("DiferencaMeses below -1");
  if (m1 == m2 && a1 == a2 && d != 0) Quebra("DiferencaMeses of a period to itself is not 0");
}

void ConfereMascaras(FuzzedDataProvider& fdp) {
  const std::string texto = fdp.ConsumeRandomLengthString(24);
  const std::string inscricao = FormataInscricao(texto);
  const std::string periodo = FormataPeriodo(texto);
  const std::string_view direita = AparaDireita(texto);
  if (!direita.empty() && SoDigitos(direita)) {
    // A number prints zero-filled to ten digits at least, with a slash before the last seven.
    if (inscricao.size() < 11 || inscricao[inscricao.size() - 8] != '/')
      Quebra("FormataInscricao without its slash");
    std::string sem = inscricao;
    sem.erase(sem.size() - 8, 1);
    if (!SoDigitos(sem) || ValorNumerico(sem) != ValorNumerico(direita))
      Quebra("FormataInscricao changed the number");
  } else if (!SoDigitos(Apara(texto)) || Apara(texto).empty()) {
    if (inscricao != texto) Quebra("FormataInscricao changed a text that is not a number");
  }
  const std::string_view aparado = Apara(texto);
  if (!aparado.empty() && SoDigitos(aparado)) {
    if (periodo.size() < 7 || periodo[periodo.size() - 5] != '/')
      Quebra("FormataPeriodo without its slash");
  } else if (periodo != texto) {
    Quebra("FormataPeriodo changed a text that is not a number");
  }
  const auto valor = fdp.ConsumeIntegral<std::int64_t>();
  const int digitos = fdp.ConsumeIntegralInRange(0, 22);
  std::string numero;
  AcrescentaNumero(numero, valor, digitos);
  const std::string_view corpo =
      valor < 0 ? std::string_view(numero).substr(1) : std::string_view(numero);
  if (corpo.empty() || !SoDigitos(corpo) || static_cast<int>(corpo.size()) < digitos ||
      (valor < 0 && numero[0] != '-'))
    Quebra("AcrescentaNumero wrote something that is not the number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  FuzzedDataProvider fdp(dados, tamanho);
  while (fdp.remaining_bytes() > 0) {
    switch (fdp.ConsumeIntegralInRange(0, 5)) {
      case 0:
        ConfereNumericos(fdp);
        break;
      case 1:
        ConfereDigito(fdp);
        break;
      case 2:
        ConfereData(fdp);
        break;
      case 3:
        ConfereCadastros(fdp);
        break;
      case 4:
        ConfereMeses(fdp);
        break;
      default:
        ConfereMascaras(fdp);
        break;
    }
  }
  return 0;
}
