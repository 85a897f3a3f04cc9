#include "checks/Cadastros.h"

#include <array>
#include <string>

#include "checks/InscricaoEstadual.h"
#include "checks/Numeros.h"
#include "run/Campo.h"

namespace rolval {

namespace {

// The 27 federative units; "TQ" is the home unit.
constexpr std::array<std::string_view, 27> kUnidades = {
    "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
    "PB", "PR", "PE", "PI", "RN", "RJ", "RO", "TQ", "RR", "SC", "SP", "SE", "TO"};

// The units as a table of flags, one for every pair of capital letters: a code is looked up at
// once instead of being compared with every unit (every header and many annex records name one).
constexpr std::array<bool, 26 * 26> kTabelaUnidades = [] {
  std::array<bool, 26 * 26> tabela{};
  for (const std::string_view uf : kUnidades)
    tabela[static_cast<std::size_t>(uf[0] - 'A') * 26 + static_cast<std::size_t>(uf[1] - 'A')] =
        true;
  return tabela;
}();

// True when the field read as a number from the left is 0: blanks are skipped, digits are read,
// and reading stops at the first other character. An empty, all-blank or non-numeric field is 0.
bool ValorLidoEZero(std::string_view numero) {
  for (const char c : numero) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return true;
    if (c != '0') return false;
  }
  return true;
}

// The check digit of a weighted sum: 0 when the remainder by 11 is 0 or 1, else 11 - remainder.
int DigitoModulo11(int soma) {
  const int r = soma % 11;
  return r < 2 ? 0 : 11 - r;
}

bool SoDigitos(std::string_view s) {
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The check digits of the first `pesos.size()` digits of `d` with the CPF/CNPJ weights, as one
// two-digit number; the second sum adds the first check digit with weight 2.
int DigitosFederais(std::string_view d, std::initializer_list<int> pesos1,
                    std::initializer_list<int> pesos2) {
  int s1 = 0;
  std::size_t i = 0;
  for (const int p : pesos1) s1 += (d[i++] - '0') * p;
  const int v1 = DigitoModulo11(s1);
  int s2 = 0;
  i = 0;
  for (const int p : pesos2) s2 += (d[i++] - '0') * p;
  s2 += v1 * 2;
  return v1 * 10 + DigitoModulo11(s2);
}

// The weights of a CPF (11 digits) and of a CNPJ (14), for the first and the second check digit.
int DigitosFederaisDe(std::string_view numero) {
  if (numero.size() == 11)
    return DigitosFederais(numero, {10, 9, 8, 7, 6, 5, 4, 3, 2}, {11, 10, 9, 8, 7, 6, 5, 4, 3});
  return DigitosFederais(numero, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2},
                         {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3});
}

// The two check digits `numero` carries, as one number.
int DigitosDeclarados(std::string_view numero) {
  const std::size_t n = numero.size();
  return (numero[n - 2] - '0') * 10 + (numero[n - 1] - '0');
}

// The ordering key AAAAMM of a period, as a number. For months 0..99 and years 0..9999 (all that
// two- and four-digit fields can hold) its order is the order of the zero-padded text key.
std::int64_t ChavePeriodo(std::int32_t mes, std::int32_t ano) {
  return static_cast<std::int64_t>(ano) * 100 + mes;
}

}  // namespace

bool ValidaUF(std::string_view codigo) {
  if (codigo.size() != 2) return false;
  // Capital letters only: anything else falls outside the 26 x 26 table.
  const unsigned primeira = static_cast<unsigned char>(codigo[0]) - 'A';
  const unsigned segunda = static_cast<unsigned char>(codigo[1]) - 'A';
  return primeira < 26 && segunda < 26 && kTabelaUnidades[primeira * 26 + segunda];
}

bool ValidaInscricao(std::string_view numero, std::string_view uf) {
  // The home unit's ten digits followed by blanks, the number of most annex records: the same
  // answer as below with the tests that cannot fail for it left out (a first character that is a
  // digit, the length, the digits-only form) and the check digit computed once.
  if (uf.size() == 2 && uf[0] == 'T' && uf[1] == 'Q') {
    const std::string_view dez = AparaDireita(numero);
    if (dez.size() == 10 && digitos::SoDigitos(dez))
      return dez != "0000000000" && digitos::DigitoDeDez(dez.data()) == dez[9];
  }
  // Every condition is evaluated, so the unit's registration rule sees every number.
  const bool iniciaComBranco = !numero.empty() && numero.front() == ' ';
  const bool valorZero = ValorLidoEZero(numero);
  const bool tamanhoTQ = uf == "TQ" && AparaDireita(numero).size() != 10;
  const bool recusadaPelaUnidade = ConsisteInscricao(numero, uf) != kInscricaoValida;
  return !(iniciaComBranco || valorZero || tamanhoTQ || recusadaPelaUnidade);
}

bool ValidaCPFCNPJ(std::string_view numero) {
  if (!SoDigitos(numero)) return false;
  if (numero.size() < 12) {
    if (numero.size() != 11) return false;
    // Eleven equal digits are not refused: they pass whenever their check digits agree.
    return DigitosDeclarados(numero) == DigitosFederaisDe(numero);
  }
  if (numero.size() != 14) return false;
  int somaSimples = 0;
  for (std::size_t i = 0; i < 12; ++i) somaSimples += numero[i] - '0';
  if (somaSimples == 0) return false;  // twelve zeros: refused even when the check digits agree
  return DigitosDeclarados(numero) == DigitosFederaisDe(numero);
}

int DigitosEsperadosCPFCNPJ(std::string_view numero) {
  if (!SoDigitos(numero) || (numero.size() != 11 && numero.size() != 14)) return -1;
  return DigitosFederaisDe(numero);
}

std::int32_t DiferencaMeses(std::int32_t mes1, std::int32_t ano1, std::int32_t mes2,
                            std::int32_t ano2) {
  // The first period steps one month at a time until its key reaches the second key: add 1 to the
  // month, and past 12 go to month 1 of the next year. The steps are counted at once, so that a
  // far-away year costs no loop; months outside 1..12 step exactly as that rule has them.
  const std::int64_t chave2 = ChavePeriodo(mes2, ano2);
  std::int64_t chave1 = ChavePeriodo(mes1, ano1);
  if (chave1 > chave2) return -1;
  std::int64_t n = 0;
  std::int64_t mes = mes1;
  std::int64_t ano = ano1;
  if (mes < 1) {
    // Months below 1 rise one by one to month 1 of the same year, the key rising by 1 a step.
    const std::int64_t ateMes1 = 1 - mes;
    if (chave2 - chave1 <= ateMes1) return static_cast<std::int32_t>(chave2 - chave1);
    n = ateMes1;
    mes = 1;
  } else if (mes > 12) {
    // A month above 12 goes in one step to month 1 of the next year.
    if (chave1 == chave2) return 0;
    n = 1;
    mes = 1;
    ++ano;
  }
  chave1 = ano * 100 + mes;
  if (chave1 >= chave2) return static_cast<std::int32_t>(n);
  // The first real month whose key is not below the second key: month 0 (or below) comes before
  // month 1 of its year and a month above 12 after month 12.
  std::int64_t anoAlvo = chave2 / 100;
  std::int64_t mesAlvo = chave2 % 100;
  if (mesAlvo < 0) {
    mesAlvo += 100;
    --anoAlvo;
  }
  if (mesAlvo == 0) {
    mesAlvo = 1;
  } else if (mesAlvo > 12) {
    mesAlvo = 1;
    ++anoAlvo;
  }
  n += (anoAlvo * 12 + mesAlvo) - (ano * 12 + mes);
  return static_cast<std::int32_t>(n);
}

}  // namespace rolval
