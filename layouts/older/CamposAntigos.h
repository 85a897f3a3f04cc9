#pragma once
// The fields of the one-line returns: the monthly return in layout 03 ("ROL03", 898 columns) and
// the tax-substitution return in layout ST 01 ("ST01", 754 columns).
#include <array>
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The two records' fields, at hand at compile time: a validator takes a plain field's columns from
// here by name or number (CampoDe).
namespace campos_antigos {

using enum TipoCampo;

// Layout 03: the identification, the amounts A to L with their two running sums, nine due-date
// entries of 24 columns, and numbers checked for digits only. The identification (columns 1-35)
// is that of the later monthly layouts; a layout folder does not read another's tables, so it is
// declared here again.
inline constexpr std::array<CampoRegistro, 28> ROL03 = {{
    CampoSimples("Marca teleprocessamento", 1, 4, Texto),
    CampoSimples("Versão", 5, 2, Digitos),
    CampoSimples("Complemento", 7, 8, Texto),
    CampoSimples("Marcador", 15, 1, Marcador),
    CampoSimples("Dia de início", 16, 2, Digitos),
    CampoSimples("Dia de término", 18, 2, Digitos),
    CampoSimples("Mês/ano de referência", 20, 6, PeriodoMMAAAA),
    CampoSimples("Inscrição", 26, 10, Inscricao),
    Enchimento(36, 48),
    CampoSimples("Valor A", 84, 16, Valor),
    CampoSimples("Valor B", 100, 16, Valor),
    CampoSimples("Diferença A − B (C)", 116, 16, Valor),
    CampoRepetido("Parcela do total E", 132, 16, Valor, 16, 9),
    CampoSimples("Valor D (parcela do total E)", 276, 16, Valor),
    CampoSimples("Total E", 292, 16, Valor),
    CampoRepetido("Parcela do total F", 308, 16, Valor, 16, 7),
    CampoSimples("Total F", 420, 16, Valor),
    CampoSimples("Saldo E − F (G)", 436, 16, Valor),
    CampoSimples("Valor H", 452, 16, Valor),
    CampoSimples("Saldo F − E + H (I)", 468, 16, Valor),
    CampoSimples("Valor J", 484, 16, Valor),
    CampoSimples("Soma J + I (K)", 500, 16, Valor),
    CampoRepetido("Vencimento", 516, 8, DataDDMMAAAA, 24, 9),
    CampoRepetido("Valor do vencimento", 524, 16, Valor, 24, 9),
    CampoSimples("Valor L", 732, 16, Valor),
    CampoRepetido("Número (col. 748)", 748, 16, Digitos, 16, 8),
    CampoSimples("Número (col. 876)", 876, 4, Digitos),
    Enchimento(880, 19),
}};

// Layout ST 01: fields numbered as the form numbers them; the period (field 4) is checked as one
// field of first day, last day, month and year.
inline constexpr std::array<CampoRegistro, 31> ST01 = {{
    CampoSimples("Identificação do leiaute", 1, 5, Texto),
    CampoSimples("Marcador", 6, 1, Marcador),
    CampoNumerado(4, "Período (dias, mês e ano)", 7, 10, Digitos),
    CampoNumerado(5, "Inscrição", 17, 10, Inscricao),
    CampoNumerado(23, "CNPJ", 27, 14, CNPJ),
    CampoSimples("Sem movimento", 41, 1, Marcador),
    Enchimento(42, 6),
    CampoNumerado(6, "Valor (campo 6)", 48, 15, Valor),
    CampoNumerado(7, "Valor (campo 7)", 63, 15, Valor),
    CampoNumerado(8, "Valor (campo 8)", 78, 15, Valor),
    CampoNumerado(9, "Valor (campo 9)", 93, 15, Valor),
    CampoNumerado(10, "Valor (campo 10)", 108, 15, Valor),
    CampoNumerado(11, "Valor (campo 11)", 123, 15, Valor),
    CampoNumerado(12, "Débito (campo 12)", 138, 15, Valor),
    CampoNumerado(13, "Crédito (campo 13)", 153, 15, Valor),
    CampoNumerado(14, "Crédito (campo 14)", 168, 15, Valor),
    CampoNumerado(15, "Crédito (campo 15)", 183, 15, Valor),
    CampoNumerado(16, "Saldo credor", 198, 15, Valor),
    CampoNumerado(17, "Imposto a recolher (soma das parcelas)", 213, 15, Valor),
    CampoRepetido("Vencimento da parcela", 228, 8, DataDDMMAAAA, 23, 6),
    CampoRepetido("Valor da parcela", 236, 15, Valor, 23, 6),
    CampoNumerado(24, "Nome da empresa", 366, 46, Texto),
    CampoNumerado(25, "CPF do responsável", 412, 11, CNPJ),
    CampoNumerado(26, "Nome do responsável", 423, 30, Texto),
    CampoSimples("Número (col. 453)", 453, 4, Digitos),
    CampoSimples("Número (col. 457)", 457, 8, Digitos),
    CampoNumerado(28, "Nome do signatário", 465, 30, Texto),
    CampoNumerado(28, "Data da assinatura", 495, 8, DataDDMMAAAA),
    CampoSimples("Número (col. 503)", 503, 4, Digitos),
    CampoSimples("Número (col. 507)", 507, 8, Digitos),
    Enchimento(515, 240),
}};

}  // namespace campos_antigos

inline constexpr const auto& CamposROL03 = campos_antigos::ROL03;
inline constexpr const auto& CamposST01 = campos_antigos::ST01;
// Each record's length: the last column of its last field.
inline constexpr int ComprimentoROL03 = campos_antigos::ROL03.back().Ultima();
inline constexpr int ComprimentoST01 = campos_antigos::ST01.back().Ultima();

std::span<const TabelaRegistro> TabelasAntigas();
// The table of "ROL03" or "ST01"; nullptr for another name.
const TabelaRegistro* TabelaAntiga(std::string_view tipo);
const TabelaRegistro& TabelaROL03();
const TabelaRegistro& TabelaST01();

}  // namespace rolval
