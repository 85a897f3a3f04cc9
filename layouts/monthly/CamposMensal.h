#pragma once
// The fields of the monthly return's records (layouts 04 and 05): the header "ABC" and the 17
// annex types, each with the 43-character prefix every record carries.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The header's fields, at hand at compile time: a validator takes a plain field's columns from
// here by name (CampoDe).
namespace campos_mensal {

using enum TipoCampo;

inline constexpr int TamanhoRegistro = 898;

// Columns 1-35 of every record of the monthly return, the return's identification.
inline constexpr std::array<CampoRegistro, 8> IdentificacaoMensal = {{
    CampoSimples("Marca teleprocessamento", 1, 4, Texto),
    CampoSimples("Versão", 5, 2, Digitos),
    CampoSimples("Complemento", 7, 8, Texto),
    CampoSimples("Marcador", 15, 1, Marcador),
    CampoSimples("Dia de início", 16, 2, Digitos),
    CampoSimples("Dia de término", 18, 2, Digitos),
    CampoSimples("Mês/ano de referência", 20, 6, PeriodoMMAAAA),
    CampoSimples("Inscrição", 26, 10, Inscricao),
}};

// Columns 1-43, the same in every record of a return; an annex's count of items follows at 44.
inline constexpr auto Prefixo =
    JuntaCampos(IdentificacaoMensal, std::array<CampoRegistro, 2>{{
                                         CampoSimples("Sequência", 36, 4, Digitos),
                                         CampoSimples("Tipo de registro", 40, 4, Marcador),
                                     }});

inline constexpr CampoRegistro QuantidadeItens =
    CampoSimples("Quantidade de itens", 44, 2, Digitos);

template <std::size_t N>
constexpr std::array<CampoRegistro, Prefixo.size() + N> ComPrefixo(
    const std::array<CampoRegistro, N>& corpo) {
  return JuntaCampos(Prefixo, corpo);
}

inline constexpr auto Cabecalho = ComPrefixo(std::array<CampoRegistro, 69>{{
    CampoSimples("Total do anexo X01", 44, 15, Valor),
    CampoSimples("Crédito (col. 59)", 59, 15, Valor),
    CampoSimples("Total do anexo X02", 74, 15, Valor),
    CampoSimples("Total do anexo X03", 89, 15, Valor),
    CampoSimples("Total do anexo X04", 104, 15, Valor),
    CampoSimples("Outros créditos", 119, 15, Valor),
    CampoSimples("Descrição de outros créditos", 134, 60, Texto),
    CampoSimples("Total dos créditos", 194, 15, Valor),
    CampoSimples("Total do anexo X05", 209, 15, Valor),
    CampoSimples("Débito (col. 224)", 224, 15, Valor),
    CampoSimples("Débito (col. 239)", 239, 15, Valor),
    CampoSimples("Total do anexo X06", 254, 15, Valor),
    CampoSimples("Débito (col. 269)", 269, 15, Valor),
    CampoSimples("Outros débitos", 284, 15, Valor),
    CampoSimples("Descrição de outros débitos", 299, 60, Texto),
    CampoSimples("Total dos débitos", 359, 15, Valor),
    CampoSimples("Marca do anexo 7", 374, 1, Marcador),
    CampoSimples("Dedução do saldo próprio (col. 375)", 375, 15, Valor),
    CampoSimples("Dedução do saldo próprio (col. 390)", 390, 15, Valor),
    CampoSimples("Dedução do total do anexo X10", 405, 15, Valor),
    CampoSimples("Valor (col. 420)", 420, 15, Valor),
    CampoSimples("Total dos anexos X08", 435, 15, Valor),
    CampoSimples("Total do anexo X09", 450, 15, Valor),
    CampoSimples("Saldo da substituição a recolher", 465, 15, Valor),
    CampoSimples("Saldo próprio a recolher", 480, 15, Valor),
    CampoSimples("Saldo próprio fora do anexo X10", 495, 15, Valor),
    CampoSimples("Saldo próprio pago no anexo X10", 510, 15, Valor),
    CampoSimples("Acréscimo ao saldo próprio", 525, 15, Valor),
    CampoSimples("Saldo credor da substituição", 540, 15, Valor),
    CampoSimples("Saldo credor próprio", 555, 15, Valor),
    CampoSimples("Soma dos valores 405 e 510", 570, 15, Valor),
    CampoSimples("Soma dos valores 420 e 495", 585, 15, Valor),
    CampoSimples("Número (col. 600)", 600, 15, Digitos),
    CampoSimples("Número (col. 615)", 615, 6, Digitos),
    CampoSimples("Número (col. 621)", 621, 15, Digitos),
    CampoSimples("Número (col. 636)", 636, 7, Digitos),
    CampoSimples("Número (col. 643)", 643, 15, Digitos),
    CampoSimples("Número (col. 658)", 658, 15, Digitos),
    CampoSimples("Parcela da soma 763 (col. 673)", 673, 15, Valor),
    CampoSimples("Parcela da soma 778 (col. 688)", 688, 15, Valor),
    CampoSimples("Total 1 do anexo X11", 703, 15, Valor),
    CampoSimples("Total 2 do anexo X11", 718, 15, Valor),
    CampoSimples("Total 1 do anexo X12", 733, 15, Valor),
    CampoSimples("Total 2 do anexo X12", 748, 15, Valor),
    CampoSimples("Soma dos valores 673, 703 e 733", 763, 15, Valor),
    CampoSimples("Soma dos valores 688, 718 e 748", 778, 15, Valor),
    Enchimento(793, 11),
    CampoSimples("Acréscimo ao total 1 do anexo X08", 804, 15, Valor),
    CampoSimples("Acréscimo ao total 2 do anexo X08", 819, 15, Valor),
    CampoSimples("Marca dos totais 570 e 585", 834, 1, Marcador),
    Enchimento(835, 6),
    CampoSimples("Linhas do anexo X01", 841, 3, Digitos),
    CampoSimples("Linhas do anexo X02", 844, 3, Digitos),
    CampoSimples("Linhas do anexo X03", 847, 3, Digitos),
    CampoSimples("Linhas do anexo X03A", 850, 3, Digitos),
    CampoSimples("Linhas do anexo X04", 853, 3, Digitos),
    CampoSimples("Linhas do anexo X05", 856, 3, Digitos),
    CampoSimples("Linhas do anexo X05A", 859, 3, Digitos),
    CampoSimples("Linhas do anexo X05B", 862, 3, Digitos),
    CampoSimples("Linhas do anexo X06", 865, 3, Digitos),
    CampoSimples("Linhas do anexo X07", 868, 3, Digitos),
    CampoSimples("Linhas do anexo X07A", 871, 3, Digitos),
    CampoSimples("Linhas do anexo X07B", 874, 3, Digitos),
    CampoSimples("Linhas do anexo X08", 877, 3, Digitos),
    CampoSimples("Linhas do anexo X09", 880, 3, Digitos),
    CampoSimples("Linhas do anexo X10", 883, 3, Digitos),
    CampoSimples("Linhas do anexo X11", 886, 3, Digitos),
    CampoSimples("Linhas do anexo X12", 889, 3, Digitos),
    Enchimento(892, 7),
}});

inline constexpr std::size_t PrimeiraLinhaDeclarada = Prefixo.size() + 51;
static_assert(Cabecalho[PrimeiraLinhaDeclarada].coluna == 841);
static_assert(Cabecalho.back().Ultima() == TamanhoRegistro);

}  // namespace campos_mensal

inline constexpr const auto& CamposCabecalhoMensal = campos_mensal::Cabecalho;

// The header's amounts that the end-of-return checks compare with the annexes and the balances.
namespace campo_cabecalho {
inline constexpr CampoRegistro TotalX01 = CampoDe(CamposCabecalhoMensal, "Total do anexo X01");
inline constexpr CampoRegistro TotalX02 = CampoDe(CamposCabecalhoMensal, "Total do anexo X02");
inline constexpr CampoRegistro TotalX03 = CampoDe(CamposCabecalhoMensal, "Total do anexo X03");
inline constexpr CampoRegistro TotalX04 = CampoDe(CamposCabecalhoMensal, "Total do anexo X04");
inline constexpr CampoRegistro TotalCreditos = CampoDe(CamposCabecalhoMensal, "Total dos créditos");
inline constexpr CampoRegistro TotalX05 = CampoDe(CamposCabecalhoMensal, "Total do anexo X05");
inline constexpr CampoRegistro TotalX06 = CampoDe(CamposCabecalhoMensal, "Total do anexo X06");
inline constexpr CampoRegistro TotalDebitos = CampoDe(CamposCabecalhoMensal, "Total dos débitos");
inline constexpr CampoRegistro MarcaAnexo7 = CampoDe(CamposCabecalhoMensal, "Marca do anexo 7");
inline constexpr CampoRegistro DeducaoProprioA =
    CampoDe(CamposCabecalhoMensal, "Dedução do saldo próprio (col. 375)");
inline constexpr CampoRegistro DeducaoProprioB =
    CampoDe(CamposCabecalhoMensal, "Dedução do saldo próprio (col. 390)");
inline constexpr CampoRegistro DeducaoX10 =
    CampoDe(CamposCabecalhoMensal, "Dedução do total do anexo X10");
inline constexpr CampoRegistro TotalX08 = CampoDe(CamposCabecalhoMensal, "Total dos anexos X08");
inline constexpr CampoRegistro TotalX09 = CampoDe(CamposCabecalhoMensal, "Total do anexo X09");
inline constexpr CampoRegistro SubstituicaoARecolher =
    CampoDe(CamposCabecalhoMensal, "Saldo da substituição a recolher");
inline constexpr CampoRegistro ProprioARecolher =
    CampoDe(CamposCabecalhoMensal, "Saldo próprio a recolher");
inline constexpr CampoRegistro ProprioForaX10 =
    CampoDe(CamposCabecalhoMensal, "Saldo próprio fora do anexo X10");
inline constexpr CampoRegistro ProprioPagoX10 =
    CampoDe(CamposCabecalhoMensal, "Saldo próprio pago no anexo X10");
inline constexpr CampoRegistro AcrescimoProprio =
    CampoDe(CamposCabecalhoMensal, "Acréscimo ao saldo próprio");
inline constexpr CampoRegistro CredorSubstituicao =
    CampoDe(CamposCabecalhoMensal, "Saldo credor da substituição");
inline constexpr CampoRegistro CredorProprio =
    CampoDe(CamposCabecalhoMensal, "Saldo credor próprio");
inline constexpr CampoRegistro Total1X11 = CampoDe(CamposCabecalhoMensal, "Total 1 do anexo X11");
inline constexpr CampoRegistro Total2X11 = CampoDe(CamposCabecalhoMensal, "Total 2 do anexo X11");
inline constexpr CampoRegistro Total1X12 = CampoDe(CamposCabecalhoMensal, "Total 1 do anexo X12");
inline constexpr CampoRegistro Total2X12 = CampoDe(CamposCabecalhoMensal, "Total 2 do anexo X12");
}  // namespace campo_cabecalho

// The header's table.
const TabelaRegistro& TabelaCabecalhoMensal();
// The annex types' tables, in the order of the header's declared line counts (X01, X02, X03,
// X03A, X04, X05, X05A, X05B, X06, X07, X07A, X07B, X08, X09, X10, X11, X12).
std::span<const TabelaRegistro> TabelasAnexosMensais();
// The prefix every record carries (columns 1-43), as the table of a record of unknown type: its
// type is empty.
const TabelaRegistro& TabelaPrefixoMensal();
// The table of a record type by its name, with or without the record's trailing blank ("X01",
// "X01 ", "ABC "); nullptr for a name the layout does not have.
const TabelaRegistro* TabelaMensal(std::string_view tipo);
// The header field that declares the line count of the annex type at `indice` in
// TabelasAnexosMensais().
const CampoRegistro& CampoLinhasDeclaradas(std::size_t indice);
// The field of an annex's items that holds the item count ("Quantidade de itens", columns 44-45).
const CampoRegistro& CampoQuantidadeItens();

}  // namespace rolval
