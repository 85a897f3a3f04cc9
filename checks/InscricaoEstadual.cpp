// The registration-number rule of every unit: one table of accepted forms per unit, each form made
// of a length, fixed leading characters, and check digits that are weighted sums mapped to a digit.
//
// The number is read as it sits in the record: left-aligned, trailing blanks ignored, no
// separators. Every other character must be a digit, except a letter that a unit's form begins
// with: the only such form is the rural-producer number of SP ("P" followed by 12 digits, the
// letter in upper case). A leading or inner blank, a dot, a dash or a slash makes the number
// invalid. The unit code is compared exactly (upper case).
//
// Choices where a unit publishes more than one form:
//  - RO: the 14-digit number and the 9-digit number used before it (municipality + 5 + digit).
//  - PE: the 9-digit number and the 14-digit number used before it.
//  - TO: the 9-digit number and the 11-digit number with a type code (01, 02, 03 or 99) in
//    positions 3-4 that takes no part in the sum.
//  - MT: 11 digits; a number written without its leading zeros (9 or 10 digits) is read as if
//    padded with zeros on the left, which leaves the weighted sum unchanged.
//  - GO: starts with 10, 11, 15 or 20 to 29; a remainder of 1 gives check digit 1 for 10103105 to
//    10119997 and 0 elsewhere, and 11094402 takes 0 or 1.
//  - DF: starts with 07 or 08 (the 08 series follows the 07 series, which ran out).
//  - PA: starts with 15 or 75 to 79 (the 75 series follows the 15 series).
// Where each form comes from, and the year it came in where known, is listed above the forms.
#include "checks/InscricaoEstadual.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "checks/Cadastros.h"
#include "checks/Numeros.h"
#include "run/Campo.h"

namespace rolval {
namespace {

constexpr std::size_t kMaxPosicoes = 14;

// The weight of each position of the number, from the left; 0 for a position that is not summed
// (the check digit itself, a letter, a type code).
using Pesos = std::array<signed char, kMaxPosicoes>;

// A set of acceptable check digits, one bit per digit 0-9.
using Algarismos = unsigned;

constexpr Algarismos Somente(int algarismo) {
  return algarismo >= 0 && algarismo <= 9 ? 1u << algarismo : 0u;
}

// The check digits that a weighted sum allows. The number is given for the rules whose outcome
// depends on where the number lies.
using RegraDigito = Algarismos (*)(int soma, std::string_view numero);

// A further condition of a form (a type code, a range of prefixes, a digit of its own rule).
using Condicao = bool (*)(std::string_view numero);

struct Digito {
  std::size_t posicao = 0;  // 0-based position of the check digit
  Pesos pesos{};
  RegraDigito regra = nullptr;
};

struct Forma {
  std::size_t tamanho = 0;
  std::string_view inicio;  // leading characters every number of the form has
  std::array<Digito, 2> digitos{};
  std::size_t qtdDigitos = 0;
  Condicao condicao = nullptr;
};

struct Unidade {
  std::string_view codigo;
  std::span<const Forma> formas;
};

int Algarismo(char c) { return c - '0'; }

int SomaPonderada(std::string_view numero, const Pesos& pesos) {
  int soma = 0;
  for (std::size_t i = 0; i < numero.size() && i < kMaxPosicoes; ++i)
    if (pesos[i] != 0) soma += Algarismo(numero[i]) * pesos[i];
  return soma;
}

// ---- From a weighted sum to a check digit ----

// 11 minus the remainder by 11; a remainder of 0 or 1 gives 0.
Algarismos Modulo11(int soma, std::string_view) {
  const int resto = soma % 11;
  return Somente(resto < 2 ? 0 : 11 - resto);
}

// 11 minus the remainder by 11; 10 and 11 lose their ten (0 and 1).
Algarismos Modulo11MenosDez(int soma, std::string_view) {
  const int k = 11 - soma % 11;
  return Somente(k >= 10 ? k - 10 : k);
}

// The remainder by 11 of ten times the sum; a remainder of 10 gives 0.
Algarismos Modulo11DoDecuplo(int soma, std::string_view) {
  const int resto = soma * 10 % 11;
  return Somente(resto == 10 ? 0 : resto);
}

// The last figure of the remainder by 11 (a remainder of 10 gives 0).
Algarismos UltimoAlgarismoModulo11(int soma, std::string_view) { return Somente(soma % 11 % 10); }

// The remainder by 9.
Algarismos Modulo9(int soma, std::string_view) { return Somente(soma % 9); }

// A sum below 11 gives 11 minus the sum (none when that is 10 or 11); otherwise as Modulo11.
Algarismos Modulo11SomaMinima(int soma, std::string_view numero) {
  return soma < 11 ? Somente(11 - soma) : Modulo11(soma, numero);
}

// Modulus 10 (10 minus the remainder, 0 for none) when the digit that selects it is 0-5 or 8;
// modulus 11 as Modulo11 when it is 6, 7 or 9. The selecting digit is the first of an 8-digit
// number and the second of a 9-digit one.
Algarismos Modulo10Ou11(int soma, std::string_view numero) {
  const char seletor = numero.size() == 8 ? numero[0] : numero[1];
  if (seletor == '6' || seletor == '7' || seletor == '9') return Modulo11(soma, numero);
  const int resto = soma % 10;
  return Somente(resto == 0 ? 0 : 10 - resto);
}

// The number without its check digit, as an integer (the first eight digits).
long Base8(std::string_view numero) {
  long base = 0;
  for (std::size_t i = 0; i < 8; ++i) base = base * 10 + Algarismo(numero[i]);
  return base;
}

// A constant added to the sum and the digit that stands for 11 depend on the range of the
// number: 03000001-03017000 add 5 and 11 gives 0; 03017001-03019022 add 9 and 11 gives 1; above,
// nothing is added and 11 gives 0. 10 always gives 0.
Algarismos Modulo11FaixaAP(int soma, std::string_view numero) {
  const long base = Base8(numero);
  int constante = 0;
  int onze = 0;
  if (base >= 3000001 && base <= 3017000) {
    constante = 5;
  } else if (base >= 3017001 && base <= 3019022) {
    constante = 9;
    onze = 1;
  }
  const int k = 11 - (soma + constante) % 11;
  return Somente(k == 10 ? 0 : k == 11 ? onze : k);
}

// As Modulo11, except that a remainder of 1 gives 1 for 10103105 to 10119997, and that 11094402
// takes either 0 or 1.
Algarismos Modulo11FaixaGO(int soma, std::string_view numero) {
  const long base = Base8(numero);
  if (base == 11094402) return Somente(0) | Somente(1);
  if (soma % 11 == 1 && base >= 10103105 && base <= 10119997) return Somente(1);
  return Modulo11(soma, numero);
}

// ---- Conditions of particular forms ----

// The home unit's REG/TB number: the tenth digit is the check digit of the number.
bool ConfereDigitoTQ(std::string_view numero) { return CalculaDigito(numero) == numero[9]; }

bool ConfereInicioGO(std::string_view numero) {
  const std::string_view inicio = numero.substr(0, 2);
  return inicio == "10" || inicio == "11" || inicio == "15" || numero[0] == '2';
}

// Positions 3-4 of the 11-digit number: 01, 02, 03 or 99.
bool ConfereTipoTO(std::string_view numero) {
  const std::string_view tipo = numero.substr(2, 2);
  return tipo == "01" || tipo == "02" || tipo == "03" || tipo == "99";
}

// The first check digit (position 12): a 0 is put after the 3-digit municipality code, the 12
// digits are multiplied by 1, 2, 1, 2, ... from the left, the figures of the products are added,
// and the digit is what that sum lacks to reach a multiple of 10.
bool ConfereDigitoMG1(std::string_view numero) {
  int soma = 0;
  int peso = 1;
  auto acrescenta = [&](int algarismo) {
    const int produto = algarismo * peso;
    soma += produto / 10 + produto % 10;
    peso = 3 - peso;
  };
  for (std::size_t i = 0; i < 3; ++i) acrescenta(Algarismo(numero[i]));
  acrescenta(0);
  for (std::size_t i = 3; i < 11; ++i) acrescenta(Algarismo(numero[i]));
  return (10 - soma % 10) % 10 == Algarismo(numero[11]);
}

// ---- The forms ----

constexpr Forma Numero(std::size_t tamanho, std::string_view inicio,
                       std::initializer_list<Digito> digitos, Condicao condicao = nullptr) {
  Forma forma;
  forma.tamanho = tamanho;
  forma.inicio = inicio;
  for (const Digito& d : digitos) forma.digitos[forma.qtdDigitos++] = d;
  forma.condicao = condicao;
  return forma;
}

constexpr Pesos kDe9a2 = {9, 8, 7, 6, 5, 4, 3, 2};

// One check digit after eight digits, weights 9 to 2.
constexpr Digito kDigito9 = {8, kDe9a2, Modulo11};

// AC and DF: 13 digits, two check digits.
constexpr Digito kDigitoAC1 = {11, {4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11};
constexpr Digito kDigitoAC2 = {12, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11};

// The forms of every unit, and where each comes from. "Registry page" is the unit's page in the
// national registry of interstate operations, which publishes every unit's rule with worked
// examples; "tax office" is the unit's own revenue authority. A year is given where the sources
// give one.
//  - TQ: the home unit's own REG/TB check digit.
//  - AC 13 digits from 01; AP 03 with its ranges; AM, CE, ES, PB, PI, SC, SE 9 digits; MA 12;
//    MT 11 digits; MG 13 digits; PR 10 digits; RJ 8 digits; RN 20 in 9 or 10 digits; RR 24;
//    SP 12 digits and "P": the registry pages. CE has no fixed prefix there; a public validator
//    that required 06 was reported to refuse a registered number beginning with 07.
//  - BA 8 digits and 9 digits, modulus 10 or 11 by the selecting digit: the registry page.
//  - RO 14 digits since 08/2000, 9 digits before: the registry page (the old numbers were
//    re-issued as 14 digits with the same check digit).
//  - PE 9 digits and the 14-digit number before it: the registry page.
//  - TO 9 digits since 06/2002, and the 11-digit number with a type code before it: the registry
//    page (11 digits) and the notes of the maintained public validators (9 digits, 2002).
//  - MS 9 digits from 28: the registry page. Some public validators also accept a series from 50;
//    no publication of the unit's tax office says so, so it is not accepted.
//  - AL 9 digits from 24: the registry page. The registry page also fixes the third digit to a
//    kind of business (0, 3, 5, 7 or 8); the tax office's own published rule has no such digit and
//    numbers of other kinds are registered, so the third digit is free.
//  - DF 07 (the first series) and 08 since 09/2020, when the 07 series ran out: the tax office's
//    answer quoted by the maintained public validators (the registry page still shows 07 only).
//  - GO 10 and 11, and 20 to 29 for registrations since 01/2023: the tax office's announcement
//    (20) and the registry page ("20 to 29"). 15 is not on the registry page but is accepted by
//    the older public validators, which cite an earlier rule of the tax office; it is kept, since
//    refusing it would reject numbers that may have been issued under that rule.
//  - PA 15, and 75 to 79 since 10/2024 when the 15 series was running out: the tax office's
//    announcement (75) and the registry page (75 to 79).
constexpr Forma kTQ[] = {Numero(10, "", {}, ConfereDigitoTQ)};
constexpr Forma kAC[] = {Numero(13, "01", {kDigitoAC1, kDigitoAC2})};
constexpr Forma kDF[] = {Numero(13, "07", {kDigitoAC1, kDigitoAC2}),
                         Numero(13, "08", {kDigitoAC1, kDigitoAC2})};
constexpr Forma kAL[] = {Numero(9, "24", {{8, kDe9a2, Modulo11DoDecuplo}})};
constexpr Forma kAP[] = {Numero(9, "03", {{8, kDe9a2, Modulo11FaixaAP}})};
constexpr Forma kAM[] = {Numero(9, "", {{8, kDe9a2, Modulo11SomaMinima}})};
// The second check digit (the last) comes first and enters the sum of the first one with weight 2.
constexpr Forma kBA[] = {
    Numero(8, "",
           {{7, {7, 6, 5, 4, 3, 2}, Modulo10Ou11}, {6, {8, 7, 6, 5, 4, 3, 0, 2}, Modulo10Ou11}}),
    Numero(
        9, "",
        {{8, {8, 7, 6, 5, 4, 3, 2}, Modulo10Ou11}, {7, {9, 8, 7, 6, 5, 4, 3, 0, 2}, Modulo10Ou11}}),
};
// CE, ES, PB, PI, SC and SE share the plain rule.
constexpr Forma kNoveDigitos[] = {Numero(9, "", {kDigito9})};
constexpr Forma kGO[] = {Numero(9, "", {{8, kDe9a2, Modulo11FaixaGO}}, ConfereInicioGO)};
constexpr Forma kMA[] = {Numero(9, "12", {kDigito9})};
constexpr Forma kMS[] = {Numero(9, "28", {kDigito9})};
// PA: one digit rule for every prefix.
constexpr Forma kPA[] = {
    Numero(9, "15", {kDigito9}), Numero(9, "75", {kDigito9}), Numero(9, "76", {kDigito9}),
    Numero(9, "77", {kDigito9}), Numero(9, "78", {kDigito9}), Numero(9, "79", {kDigito9}),
};
constexpr Forma kMT[] = {
    Numero(11, "", {{10, {3, 2, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11}}),
    Numero(10, "", {{9, {2, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11}}),
    Numero(9, "", {kDigito9}),
};
constexpr Forma kMG[] = {
    Numero(13, "", {{12, {3, 2, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11}}, ConfereDigitoMG1)};
constexpr Forma kPR[] = {Numero(
    10, "", {{8, {3, 2, 7, 6, 5, 4, 3, 2}, Modulo11}, {9, {4, 3, 2, 7, 6, 5, 4, 3, 2}, Modulo11}})};
constexpr Forma kPE[] = {
    Numero(9, "", {{7, {8, 7, 6, 5, 4, 3, 2}, Modulo11}, {8, kDe9a2, Modulo11}}),
    Numero(14, "", {{13, {5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11MenosDez}}),
};
constexpr Forma kRN[] = {
    Numero(9, "20", {{8, kDe9a2, Modulo11DoDecuplo}}),
    Numero(10, "20", {{9, {10, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11DoDecuplo}}),
};
constexpr Forma kRJ[] = {Numero(8, "", {{7, {2, 7, 6, 5, 4, 3, 2}, Modulo11}})};
constexpr Forma kRO[] = {
    Numero(14, "", {{13, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}, Modulo11MenosDez}}),
    // Before: the 3-digit municipality code takes no part in the sum.
    Numero(9, "", {{8, {0, 0, 0, 6, 5, 4, 3, 2}, Modulo11MenosDez}}),
};
constexpr Forma kRR[] = {Numero(9, "24", {{8, {1, 2, 3, 4, 5, 6, 7, 8}, Modulo9}})};
constexpr Pesos kPesosSP1 = {1, 3, 4, 5, 6, 7, 8, 10};
constexpr Forma kSP[] = {
    Numero(12, "",
           {{8, kPesosSP1, UltimoAlgarismoModulo11},
            {11, {3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2}, UltimoAlgarismoModulo11}}),
    // Rural producer: "P", eight digits, the check digit, three more digits.
    Numero(13, "P", {{9, {0, 1, 3, 4, 5, 6, 7, 8, 10}, UltimoAlgarismoModulo11}}),
};
constexpr Forma kTO[] = {
    Numero(9, "", {kDigito9}),
    Numero(11, "", {{10, {9, 8, 0, 0, 7, 6, 5, 4, 3, 2}, Modulo11}}, ConfereTipoTO),
};

constexpr Unidade kUnidades[] = {
    {"TQ", kTQ},          {"AC", kAC},          {"AL", kAL}, {"AP", kAP},          {"AM", kAM},
    {"BA", kBA},          {"CE", kNoveDigitos}, {"DF", kDF}, {"ES", kNoveDigitos}, {"GO", kGO},
    {"MA", kMA},          {"MT", kMT},          {"MS", kMS}, {"MG", kMG},          {"PA", kPA},
    {"PB", kNoveDigitos}, {"PR", kPR},          {"PE", kPE}, {"PI", kNoveDigitos}, {"RN", kRN},
    {"RJ", kRJ},          {"RO", kRO},          {"RR", kRR}, {"SC", kNoveDigitos}, {"SP", kSP},
    {"SE", kNoveDigitos}, {"TO", kTO},
};

// The unit of a code, looked up at once in a table of every pair of capital letters; null for a
// code that is not one of the 27.
const Unidade* UnidadeDoCodigo(std::string_view codigo) {
  static constexpr auto indices = [] {
    std::array<std::int16_t, 26 * 26> tabela{};
    tabela.fill(-1);
    for (std::size_t i = 0; i < std::size(kUnidades); ++i) {
      const std::string_view c = kUnidades[i].codigo;
      tabela[static_cast<std::size_t>(c[0] - 'A') * 26 + static_cast<std::size_t>(c[1] - 'A')] =
          static_cast<std::int16_t>(i);
    }
    return tabela;
  }();
  if (codigo.size() != 2) return nullptr;
  const unsigned primeira = static_cast<unsigned char>(codigo[0]) - 'A';
  const unsigned segunda = static_cast<unsigned char>(codigo[1]) - 'A';
  if (primeira >= 26 || segunda >= 26) return nullptr;
  const int i = indices[primeira * 26 + segunda];
  return i < 0 ? nullptr : &kUnidades[i];
}

// True when some byte of the word is 0.
constexpr bool TemByteZero(std::uint64_t v) {
  return ((v - 0x0101010101010101ULL) & ~v & 0x8080808080808080ULL) != 0;
}

// The text up to its first NUL character, as a C string would end there. The texts are a field
// and a unit code, short: from 8 to 16 characters are tested as two words.
std::string_view AtePrimeiroNulo(std::string_view s) {
  if (s.size() >= 8 && s.size() <= 16 && !TemByteZero(Carrega8(s.data())) &&
      !TemByteZero(Carrega8(s.data() + s.size() - 8)))
    return s;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\0') return s.substr(0, i);
  return s;
}

bool ConfereForma(const Forma& forma, std::string_view numero) {
  if (numero.size() != forma.tamanho) return false;
  if (!forma.inicio.empty() && !numero.starts_with(forma.inicio)) return false;
  if (!digitos::SoDigitos(numero.substr(forma.inicio.size()))) return false;
  if (forma.condicao != nullptr && !forma.condicao(numero)) return false;
  for (std::size_t k = 0; k < forma.qtdDigitos; ++k) {
    const Digito& digito = forma.digitos[k];
    const Algarismos aceitos = digito.regra(SomaPonderada(numero, digito.pesos), numero);
    if ((aceitos & Somente(Algarismo(numero[digito.posicao]))) == 0) return false;
  }
  return true;
}

}  // namespace

std::int16_t ConsisteInscricao(std::string_view numero, std::string_view uf) {
  const Unidade* unidade = UnidadeDoCodigo(AtePrimeiroNulo(uf));
  if (unidade == nullptr) return kUnidadeDesconhecida;
  const std::string_view significativo = AparaDireita(AtePrimeiroNulo(numero));
  for (const Forma& forma : unidade->formas)
    if (ConfereForma(forma, significativo)) return kInscricaoValida;
  return kInscricaoInvalida;
}

}  // namespace rolval

extern "C" std::int16_t ConsisteInscricaoEstadual(const char* numero, const char* uf) {
  using namespace rolval;
  if (uf == nullptr) return kUnidadeDesconhecida;
  if (numero == nullptr)
    return UnidadeDoCodigo(uf) == nullptr ? kUnidadeDesconhecida : kInscricaoInvalida;
  return ConsisteInscricao(numero, uf);
}
