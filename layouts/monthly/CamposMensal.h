#pragma once
// The fields of the monthly return's records (layouts 04 and 05): the header "ABC" and the 17
// annex types, each with the 43-character prefix every record carries.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The fields of the header and of the annex types, at hand at compile time: a validator takes a
// plain field's columns from here by name (CampoDe).
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

// An annex of repeated items: the count at 44-45, the items from 46 on (each field given with
// the item's width and the most items a record holds), and the columns after the last item.
template <std::size_t N>
constexpr std::array<CampoRegistro, Prefixo.size() + N + 2> Itens(
    const std::array<CampoRegistro, N>& item) {
  std::array<CampoRegistro, N + 2> corpo{};
  corpo[0] = QuantidadeItens;
  for (std::size_t i = 0; i < N; ++i) corpo[i + 1] = item[i];
  const CampoRegistro& primeiro = item[0];
  const int fim = primeiro.coluna + primeiro.largura * primeiro.vezes;
  corpo[N + 1] = Enchimento(fim, TamanhoRegistro + 1 - fim);
  return ComPrefixo(corpo);
}

constexpr CampoRegistro Item(std::string_view nome, int coluna, int tamanho, TipoCampo tipo,
                             int largura, int vezes) {
  return CampoRepetido(nome, coluna, tamanho, tipo, largura, vezes);
}

// X01 and X05: CFOP and five amounts (68 columns, 12 items).
inline constexpr auto X01 = Itens(std::array<CampoRegistro, 6>{{
    Item("CFOP", 46, 3, Digitos, 68, 12),
    Item("Valor (col. 49)", 49, 13, Valor, 68, 12),
    Item("Valor (col. 62)", 62, 13, Valor, 68, 12),
    Item("Valor do total do anexo X01", 75, 13, Valor, 68, 12),
    Item("Valor (col. 88)", 88, 13, Valor, 68, 12),
    Item("Valor (col. 101)", 101, 13, Valor, 68, 12),
}});
inline constexpr auto X05 = Itens(std::array<CampoRegistro, 6>{{
    Item("CFOP", 46, 3, Digitos, 68, 12),
    Item("Valor (col. 49)", 49, 13, Valor, 68, 12),
    Item("Valor (col. 62)", 62, 13, Valor, 68, 12),
    Item("Valor do total do anexo X05", 75, 13, Valor, 68, 12),
    Item("Valor do CFOP no anexo X05A", 88, 13, Valor, 68, 12),
    Item("Valor do CFOP no anexo X05B", 101, 13, Valor, 68, 12),
}});
// X05A and X05B: a CFOP of X05 with a number and its amount (19 columns, 44 items).
inline constexpr auto X05A = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 19, 44),
    Item("Número", 49, 3, Digitos, 19, 44),
    Item("Valor do CFOP", 52, 13, Valor, 19, 44),
}});
// X02 and X06: a registration, a number and an amount (26 columns, 32 items).
inline constexpr auto X02 = Itens(std::array<CampoRegistro, 3>{{
    Item("Inscrição do item", 46, 10, Inscricao, 26, 32),
    Item("Número", 56, 3, Digitos, 26, 32),
    Item("Valor do total do anexo X02", 59, 13, Valor, 26, 32),
}});
inline constexpr auto X06 = Itens(std::array<CampoRegistro, 3>{{
    Item("Inscrição do item", 46, 10, Inscricao, 26, 32),
    Item("Número", 56, 3, Digitos, 26, 32),
    Item("Valor do total do anexo X06", 59, 13, Valor, 26, 32),
}});
// X03: a code and an amount (16 columns, 53 items).
inline constexpr auto X03 = Itens(std::array<CampoRegistro, 2>{{
    Item("Código", 46, 3, Digitos, 16, 53),
    Item("Valor do total do anexo X03", 49, 13, Valor, 16, 53),
}});
// X03A: the detail of an X03 code (38 columns, 22 items).
inline constexpr auto X03A = Itens(std::array<CampoRegistro, 6>{{
    Item("Código do anexo X03", 46, 3, Digitos, 38, 22),
    Item("Tipo (A, B ou S)", 49, 1, Marcador, 38, 22),
    Item("Número (col. 50)", 50, 9, Digitos, 38, 22),
    Item("Número (col. 59)", 59, 2, Digitos, 38, 22),
    Item("Inscrição do item", 61, 10, Inscricao, 38, 22),
    Item("Valor", 71, 13, Valor, 38, 22),
}});
// X04: an earlier period, its due date and two amounts (44 columns, 19 items).
inline constexpr auto X04 = Itens(std::array<CampoRegistro, 4>{{
    Item("Período (dias, mês e ano)", 46, 10, Digitos, 44, 19),
    Item("Vencimento", 56, 8, DataDDMMAAAA, 44, 19),
    Item("Valor P", 64, 13, Valor, 44, 19),
    Item("Valor Q", 77, 13, Valor, 44, 19),
}});
// X07: one summary occurrence, columns 46-243.
inline constexpr auto X07 = ComPrefixo(std::array<CampoRegistro, 10>{{
    QuantidadeItens,
    CampoSimples("Valor 1 (total do anexo X07A)", 46, 13, Valor),
    CampoSimples("Outros valores 1", 59, 13, Valor),
    CampoSimples("Descrição de outros valores 1", 72, 60, Texto),
    CampoSimples("Total 1", 132, 13, Valor),
    CampoSimples("Valor 2 (total do anexo X07B)", 145, 13, Valor),
    CampoSimples("Outros valores 2", 158, 13, Valor),
    CampoSimples("Descrição de outros valores 2", 171, 60, Texto),
    CampoSimples("Total 2", 231, 13, Valor),
    Enchimento(244, TamanhoRegistro - 243),
}});
// X07A and X07B: CFOP and two amounts (29 columns, 29 items).
inline constexpr auto X07A = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 29, 29),
    Item("Valor (col. 49)", 49, 13, Valor, 29, 29),
    Item("Valor do total do anexo X07A", 62, 13, Valor, 29, 29),
}});
inline constexpr auto X07B = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 29, 29),
    Item("Valor (col. 49)", 49, 13, Valor, 29, 29),
    Item("Valor do total do anexo X07B", 62, 13, Valor, 29, 29),
}});
// X08 and X10: two days, a due date, two amounts and a registration (48 columns, 17 items).
inline constexpr auto X08 = Itens(std::array<CampoRegistro, 5>{{
    Item("Dias (início e fim)", 46, 4, Digitos, 48, 17),
    Item("Vencimento", 50, 8, DataDDMMAAAA, 48, 17),
    Item("Valor do total 1 do anexo X08", 58, 13, Valor, 48, 17),
    Item("Valor do total 2 do anexo X08", 71, 13, Valor, 48, 17),
    Item("Inscrição do item", 84, 10, Inscricao, 48, 17),
}});
inline constexpr auto X10 = Itens(std::array<CampoRegistro, 5>{{
    Item("Dias (início e fim)", 46, 4, Digitos, 48, 17),
    Item("Vencimento", 50, 8, DataDDMMAAAA, 48, 17),
    Item("Valor do total 1 do anexo X10", 58, 13, Valor, 48, 17),
    Item("Valor do total 2 do anexo X10", 71, 13, Valor, 48, 17),
    Item("Inscrição do item", 84, 10, Inscricao, 48, 17),
}});
// X09: a due day, two amounts and a registration (38 columns, 22 items).
inline constexpr auto X09 = Itens(std::array<CampoRegistro, 4>{{
    Item("Dia de vencimento", 46, 2, Digitos, 38, 22),
    Item("Valor do total 1 do anexo X09", 48, 13, Valor, 38, 22),
    Item("Valor do total 2 do anexo X09", 61, 13, Valor, 38, 22),
    Item("Inscrição do item", 74, 10, Inscricao, 38, 22),
}});
// X11 (a code of two characters, 28 columns, 30 items) and X12 (a number, 29 columns, 29 items):
// a key and two summed amounts.
inline constexpr auto X11 = Itens(std::array<CampoRegistro, 3>{{
    Item("Código", 46, 2, Texto, 28, 30),
    Item("Valor do total 1 do anexo X11", 48, 13, Valor, 28, 30),
    Item("Valor do total 2 do anexo X11", 61, 13, Valor, 28, 30),
}});
inline constexpr auto X12 = Itens(std::array<CampoRegistro, 3>{{
    Item("Número", 46, 3, Digitos, 29, 29),
    Item("Valor do total 1 do anexo X12", 49, 13, Valor, 29, 29),
    Item("Valor do total 2 do anexo X12", 62, 13, Valor, 29, 29),
}});

// Whether two record types have their fields at the same columns, whatever their names: a
// validator that reads both by one table says so with this.
template <std::size_t N, std::size_t M>
constexpr bool MesmasColunas(const std::array<CampoRegistro, N>& a,
                             const std::array<CampoRegistro, M>& b) {
  if (N != M) return false;
  for (std::size_t i = 0; i < N; ++i)
    if (a[i].coluna != b[i].coluna || a[i].tamanho != b[i].tamanho ||
        a[i].largura != b[i].largura || a[i].vezes != b[i].vezes)
      return false;
  return true;
}

}  // namespace campos_mensal

inline constexpr const auto& CamposCabecalhoMensal = campos_mensal::Cabecalho;

// The prefix every record of a return carries (columns 1-43), as the framing and the header
// check it.
namespace campo_prefixo {
inline constexpr CampoRegistro Marca = CampoDe(campos_mensal::Prefixo, "Marca teleprocessamento");
inline constexpr CampoRegistro Versao = CampoDe(campos_mensal::Prefixo, "Versão");
inline constexpr CampoRegistro Marcador = CampoDe(campos_mensal::Prefixo, "Marcador");
inline constexpr CampoRegistro DiaInicio = CampoDe(campos_mensal::Prefixo, "Dia de início");
inline constexpr CampoRegistro DiaFim = CampoDe(campos_mensal::Prefixo, "Dia de término");
inline constexpr CampoRegistro Referencia =
    CampoDe(campos_mensal::Prefixo, "Mês/ano de referência");
inline constexpr CampoRegistro Inscricao = CampoDe(campos_mensal::Prefixo, "Inscrição");
inline constexpr CampoRegistro Sequencia = CampoDe(campos_mensal::Prefixo, "Sequência");
inline constexpr CampoRegistro Tipo = CampoDe(campos_mensal::Prefixo, "Tipo de registro");
}  // namespace campo_prefixo

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
