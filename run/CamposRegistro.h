#pragma once
// The field dictionary's types: what a record type's fields are (number, short name, first column,
// length, kind, and for repeated items their width and count). Every layout declares its record
// types' fields once, in tables of these; validators, the generator, the test builders and every
// face read the same tables. A finding names its field by pointing into them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "run/Campo.h"

namespace rolval {

// What a field holds, as the record layouts describe it.
enum class TipoCampo : std::uint8_t {
  Texto,          // free text
  Digitos,        // a number written in digits (counts, codes, sequence)
  Valor,          // an amount: whole number in digits, no decimal point
  DataDDMMAAAA,   // a date, day month year
  DataAAAAMMDD,   // a date, year month day
  PeriodoMMAAAA,  // a reference period, month year
  Inscricao,      // a state registration number
  CNPJ,           // a federal taxpayer number
  UF,             // a federative unit's code
  Marcador,       // a one-character mark or choice ("S"/"N", "X"/" ", record type)
  Filler,         // columns the layout leaves blank or unused
};

// One field of a record type. Columns are 1-based, as the record layouts give them. A repeated
// item (an annex's items, a return's installments) is declared once at its first occurrence with
// `largura` (distance between occurrences) and `vezes` (how many); a plain field has vezes 0.
struct CampoRegistro {
  std::int16_t numero;    // the field's number where the layout numbers its fields, else 0
  std::string_view nome;  // short Portuguese name, UTF-8
  std::int16_t coluna;    // first column
  std::int16_t tamanho;   // length in characters
  TipoCampo tipo;
  std::int16_t largura = 0;
  std::int16_t vezes = 0;

  constexpr int Ultima() const { return coluna + tamanho - 1; }
  // The first column of occurrence `i` (0-based) of a repeated field.
  constexpr int ColunaDe(int i) const { return coluna + i * largura; }
  constexpr int UltimaDe(int i) const { return ColunaDe(i) + tamanho - 1; }
};

// The characters of field `campo` in `linha` (of a repeated field, its first occurrence).
constexpr std::string_view Campo(std::string_view linha, const CampoRegistro& campo) {
  return Campo(linha, campo.coluna, campo.tamanho);
}

// One record type: its name as the findings and the faces show it ("ABC", "X01", "A0", "ST01"),
// the record's length (0 where records vary in length) and its fields in column order.
struct TabelaRegistro {
  std::string_view tipo;
  std::int16_t comprimento;
  std::span<const CampoRegistro> campos;
};

// Shorthands for writing the tables: a plain field, a field the layout numbers, an item's field
// repeated `vezes` times every `largura` columns, and columns left unused.
constexpr CampoRegistro CampoSimples(std::string_view nome, int coluna, int tamanho,
                                     TipoCampo tipo) {
  return {0, nome, static_cast<std::int16_t>(coluna), static_cast<std::int16_t>(tamanho), tipo};
}
constexpr CampoRegistro CampoNumerado(int numero, std::string_view nome, int coluna, int tamanho,
                                      TipoCampo tipo) {
  CampoRegistro c = CampoSimples(nome, coluna, tamanho, tipo);
  c.numero = static_cast<std::int16_t>(numero);
  return c;
}
constexpr CampoRegistro CampoRepetido(std::string_view nome, int coluna, int tamanho,
                                      TipoCampo tipo, int largura, int vezes) {
  CampoRegistro c = CampoSimples(nome, coluna, tamanho, tipo);
  c.largura = static_cast<std::int16_t>(largura);
  c.vezes = static_cast<std::int16_t>(vezes);
  return c;
}
constexpr CampoRegistro Enchimento(int coluna, int tamanho) {
  return CampoSimples("Não usado", coluna, tamanho, TipoCampo::Filler);
}

// The table of `tabelas` whose record type is `tipo`, trailing blanks of `tipo` ignored (a
// monthly record carries "X01 "), or nullptr when none is.
const TabelaRegistro* TabelaDoTipo(std::span<const TabelaRegistro> tabelas, std::string_view tipo);

// The fields of `primeiros` followed by those of `seguintes`, for tables that share a run of
// fields (a prefix every record type of a layout carries, say).
template <std::size_t N, std::size_t M>
constexpr std::array<CampoRegistro, N + M> JuntaCampos(
    const std::array<CampoRegistro, N>& primeiros, const std::array<CampoRegistro, M>& seguintes) {
  std::array<CampoRegistro, N + M> campos{};
  for (std::size_t i = 0; i < N; ++i) campos[i] = primeiros[i];
  for (std::size_t i = 0; i < M; ++i) campos[N + i] = seguintes[i];
  return campos;
}

// The field of `campos` named `nome` (or numbered `numero`), at compile time: a validator takes a
// plain field's columns from its table with these, and a name the table lacks does not compile.
template <std::size_t N>
consteval CampoRegistro CampoDe(const std::array<CampoRegistro, N>& campos, std::string_view nome) {
  for (const CampoRegistro& campo : campos)
    if (campo.nome == nome) return campo;
  throw "no field of that name";
}
template <std::size_t N>
consteval CampoRegistro CampoDe(const std::array<CampoRegistro, N>& campos, int numero) {
  for (const CampoRegistro& campo : campos)
    if (campo.numero == numero) return campo;
  throw "no field of that number";
}

// The field of `tabela` that holds 1-based column `coluna` (filler included), or nullptr when no
// field does. For a repeated field `ocorrencia`, when given, receives the 0-based occurrence
// that holds the column (0 for a plain field).
const CampoRegistro* CampoNaColuna(const TabelaRegistro& tabela, int coluna,
                                   int* ocorrencia = nullptr);
// The first field of `tabela` that the layout numbers `numero`, or nullptr when none is.
const CampoRegistro* CampoDeNumero(const TabelaRegistro& tabela, int numero);
// The field of `tabela` named `nome`; a name the table lacks is a programming error, thrown as
// std::out_of_range.
const CampoRegistro& CampoChamado(const TabelaRegistro& tabela, std::string_view nome);

}  // namespace rolval
