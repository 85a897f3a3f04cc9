#include "layouts/substitution/CamposST2.h"

#include <array>

namespace rolval {

namespace {

using enum TipoCampo;

constexpr std::array<CampoRegistro, 40> Cabecalho = {{
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
constexpr std::array<CampoRegistro, 6> AnexoI = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Número", 3, 8, Digitos),
    CampoSimples("Código", 11, 3, Texto),
    CampoSimples("Inscrição estadual", 14, 14, Inscricao),
    CampoSimples("Data", 28, 8, DataAAAAMMDD),
    CampoSimples("Valor", 36, 15, Valor),
}};

constexpr std::array<CampoRegistro, 4> AnexoIII = {{
    CampoSimples("Tipo de registro", 1, 2, Marcador),
    CampoSimples("Inscrição estadual", 3, 14, Inscricao),
    CampoSimples("Primeiro valor", 17, 15, Valor),
    CampoSimples("Segundo valor", 32, 15, Valor),
}};

constexpr std::array<TabelaRegistro, 4> Tabelas = {{
    {"A0", 797, Cabecalho},
    {"A1", 50, AnexoI},
    {"A2", 50, AnexoI},
    {"A3", 46, AnexoIII},
}};
static_assert(Cabecalho.back().Ultima() == 797);

// A record of a type the layout does not have: only its first two columns are known, its type.
constexpr std::array<CampoRegistro, 1> SoTipo = {{Cabecalho[0]}};
constexpr TabelaRegistro TabelaTipoDesconhecido{"", 0, SoTipo};

}  // namespace

std::span<const TabelaRegistro> TabelasST2() { return Tabelas; }

const TabelaRegistro& TabelaTipoDesconhecidoST2() { return TabelaTipoDesconhecido; }

const TabelaRegistro* TabelaST2(std::string_view tipo) { return TabelaDoTipo(Tabelas, tipo); }

}  // namespace rolval
