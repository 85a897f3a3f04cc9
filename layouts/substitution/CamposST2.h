#pragma once
// The fields of the tax-substitution return's records in layout ST 02: the header "A0" and the
// annex records "A1", "A2" and "A3", each of its own length.
#include <array>
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The records' fields, at hand at compile time: a validator takes a plain field's columns from
// here by name or number (CampoDe).
namespace campos_st2 {

using enum TipoCampo;

inline constexpr std::array<CampoRegistro, 40> Cabecalho = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Identificação do leiaute", 3, 5, Texto),
    CampoSimples("Mês/ano de referência", 8, 6, PeriodoMMAAAA),
    CampoSimples("Inscrição estadual", 14, 14, Inscricao),
    CampoSimples("Sem movimento", 28, 1, Marcador),
    CampoSimples("Marca (col. 29)", 29, 1, Marcador),
    // Six installments of 23 columns: due date and amount.
    CampoRepetido("Vencimento da parcela", 30, 8, DataAAAAMMDD, 23, 6),
    CampoRepetido("Valor da parcela", 38, 15, Valor, 23, 6),
    CampoSimples("UF favorecida", 168, 2, UF),
    CampoNumerado(7, "Valor (campo 7)", 170, 15, Valor),
    CampoNumerado(8, "Valor (campo 8)", 185, 15, Valor),
    CampoNumerado(9, "Valor (campo 9)", 200, 15, Valor),
    CampoNumerado(10, "Valor (campo 10)", 215, 15, Valor),
    CampoNumerado(11, "Valor (campo 11)", 230, 15, Valor),
    CampoNumerado(12, "Valor (campo 12)", 245, 15, Valor),
    CampoNumerado(13, "Débito (campo 13)", 260, 15, Valor),
    CampoNumerado(14, "Total do anexo I", 275, 15, Valor),
    CampoNumerado(15, "Total do anexo II", 290, 15, Valor),
    CampoNumerado(16, "Crédito (campo 16)", 305, 15, Valor),
    CampoNumerado(17, "Crédito (campo 17)", 320, 15, Valor),
    CampoNumerado(18, "Saldo (campo 18)", 335, 15, Valor),
    CampoNumerado(19, "Débito (campo 19)", 350, 15, Valor),
    CampoNumerado(20, "Saldo credor", 365, 15, Valor),
    CampoNumerado(21, "Imposto a recolher (soma das parcelas)", 380, 15, Valor),
    CampoNumerado(28, "CNPJ do declarante", 395, 14, CNPJ),
    CampoNumerado(29, "Nome da empresa", 409, 46, Texto),
    CampoNumerado(30, "CPF do responsável", 455, 11, CNPJ),
    CampoNumerado(31, "Nome do responsável", 466, 30, Texto),
    CampoSimples("Número (col. 496)", 496, 12, Digitos),
    CampoSimples("Número (col. 508)", 508, 12, Digitos),
    Enchimento(520, 40),
    CampoNumerado(35, "Nome do signatário", 560, 30, Texto),
    CampoNumerado(35, "Data da assinatura", 590, 8, DataAAAAMMDD),
    Enchimento(598, 180),
    CampoSimples("Marca (col. 778)", 778, 1, Marcador),
    CampoSimples("Marca do anexo III", 779, 1, Marcador),
    Enchimento(780, 6),
    CampoSimples("Linhas do anexo I", 786, 4, Digitos),
    CampoSimples("Linhas do anexo II", 790, 4, Digitos),
    CampoSimples("Linhas do anexo III", 794, 4, Digitos),
}};

// A1 and A2 share their layout; their amounts add up to the header's fields 14 and 15.
inline constexpr std::array<CampoRegistro, 6> AnexoI = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Número", 3, 8, Digitos),
    CampoSimples("Código", 11, 3, Texto),
    CampoSimples("Inscrição estadual", 14, 14, Inscricao),
    CampoSimples("Data", 28, 8, DataAAAAMMDD),
    CampoSimples("Valor", 36, 15, Valor),
}};

inline constexpr std::array<CampoRegistro, 4> AnexoIII = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Inscrição estadual", 3, 14, Inscricao),
    CampoSimples("Primeiro valor", 17, 15, Valor),
    CampoSimples("Segundo valor", 32, 15, Valor),
}};

}  // namespace campos_st2

inline constexpr const auto& CamposCabecalhoST2 = campos_st2::Cabecalho;
inline constexpr const auto& CamposAnexoIST2 = campos_st2::AnexoI;
inline constexpr const auto& CamposAnexoIIIST2 = campos_st2::AnexoIII;
// Each record type's length: the last column of its last field.
inline constexpr int ComprimentoCabecalhoST2 = campos_st2::Cabecalho.back().Ultima();
inline constexpr int ComprimentoAnexoIST2 = campos_st2::AnexoI.back().Ultima();
inline constexpr int ComprimentoAnexoIIIST2 = campos_st2::AnexoIII.back().Ultima();

// The four record types' tables: A0, A1, A2, A3.
std::span<const TabelaRegistro> TabelasST2();
// A record of a type the layout does not have, as a table: its type (columns 1-2) only, and the
// type's name empty.
const TabelaRegistro& TabelaTipoDesconhecidoST2();
// The table of a record type by its name ("A0", "A1", ...); nullptr for another name.
const TabelaRegistro* TabelaST2(std::string_view tipo);

}  // namespace rolval
