#include "layouts/monthly/CamposMensal.h"

#include <array>

namespace rolval {

namespace {

using enum TipoCampo;
using namespace campos_mensal;

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
constexpr auto X01 = Itens(std::array<CampoRegistro, 6>{{
    Item("CFOP", 46, 3, Digitos, 68, 12),
    Item("Valor (col. 49)", 49, 13, Valor, 68, 12),
    Item("Valor (col. 62)", 62, 13, Valor, 68, 12),
    Item("Valor do total do anexo X01", 75, 13, Valor, 68, 12),
    Item("Valor (col. 88)", 88, 13, Valor, 68, 12),
    Item("Valor (col. 101)", 101, 13, Valor, 68, 12),
}});
constexpr auto X05 = Itens(std::array<CampoRegistro, 6>{{
    Item("CFOP", 46, 3, Digitos, 68, 12),
    Item("Valor (col. 49)", 49, 13, Valor, 68, 12),
    Item("Valor (col. 62)", 62, 13, Valor, 68, 12),
    Item("Valor do total do anexo X05", 75, 13, Valor, 68, 12),
    Item("Valor do CFOP no anexo X05A", 88, 13, Valor, 68, 12),
    Item("Valor do CFOP no anexo X05B", 101, 13, Valor, 68, 12),
}});
// X05A and X05B: a CFOP of X05 with a number and its amount (19 columns, 44 items).
constexpr auto X05A = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 19, 44),
    Item("Número", 49, 3, Digitos, 19, 44),
    Item("Valor do CFOP", 52, 13, Valor, 19, 44),
}});
// X02 and X06: a registration, a number and an amount (26 columns, 32 items).
constexpr auto X02 = Itens(std::array<CampoRegistro, 3>{{
    Item("Inscrição do item", 46, 10, Inscricao, 26, 32),
    Item("Número", 56, 3, Digitos, 26, 32),
    Item("Valor do total do anexo X02", 59, 13, Valor, 26, 32),
}});
constexpr auto X06 = Itens(std::array<CampoRegistro, 3>{{
    Item("Inscrição do item", 46, 10, Inscricao, 26, 32),
    Item("Número", 56, 3, Digitos, 26, 32),
    Item("Valor do total do anexo X06", 59, 13, Valor, 26, 32),
}});
// X03: a code and an amount (16 columns, 53 items).
constexpr auto X03 = Itens(std::array<CampoRegistro, 2>{{
    Item("Código", 46, 3, Digitos, 16, 53),
    Item("Valor do total do anexo X03", 49, 13, Valor, 16, 53),
}});
// X03A: the detail of an X03 code (38 columns, 22 items).
constexpr auto X03A = Itens(std::array<CampoRegistro, 6>{{
    Item("Código do anexo X03", 46, 3, Digitos, 38, 22),
    Item("Tipo (A, B ou S)", 49, 1, Marcador, 38, 22),
    Item("Número (col. 50)", 50, 9, Digitos, 38, 22),
    Item("Número (col. 59)", 59, 2, Digitos, 38, 22),
    Item("Inscrição do item", 61, 10, Inscricao, 38, 22),
    Item("Valor", 71, 13, Valor, 38, 22),
}});
// X04: an earlier period, its due date and two amounts (44 columns, 19 items).
constexpr auto X04 = Itens(std::array<CampoRegistro, 4>{{
    Item("Período (dias, mês e ano)", 46, 10, Digitos, 44, 19),
    Item("Vencimento", 56, 8, DataDDMMAAAA, 44, 19),
    Item("Valor P", 64, 13, Valor, 44, 19),
    Item("Valor Q", 77, 13, Valor, 44, 19),
}});
// X07: one summary occurrence, columns 46-243.
constexpr auto X07 = ComPrefixo(std::array<CampoRegistro, 10>{{
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
constexpr auto X07A = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 29, 29),
    Item("Valor (col. 49)", 49, 13, Valor, 29, 29),
    Item("Valor do total do anexo X07A", 62, 13, Valor, 29, 29),
}});
constexpr auto X07B = Itens(std::array<CampoRegistro, 3>{{
    Item("CFOP", 46, 3, Digitos, 29, 29),
    Item("Valor (col. 49)", 49, 13, Valor, 29, 29),
    Item("Valor do total do anexo X07B", 62, 13, Valor, 29, 29),
}});
// X08 and X10: two days, a due date, two amounts and a registration (48 columns, 17 items).
constexpr auto X08 = Itens(std::array<CampoRegistro, 5>{{
    Item("Dias (início e fim)", 46, 4, Digitos, 48, 17),
    Item("Vencimento", 50, 8, DataDDMMAAAA, 48, 17),
    Item("Valor do total 1 do anexo X08", 58, 13, Valor, 48, 17),
    Item("Valor do total 2 do anexo X08", 71, 13, Valor, 48, 17),
    Item("Inscrição do item", 84, 10, Inscricao, 48, 17),
}});
constexpr auto X10 = Itens(std::array<CampoRegistro, 5>{{
    Item("Dias (início e fim)", 46, 4, Digitos, 48, 17),
    Item("Vencimento", 50, 8, DataDDMMAAAA, 48, 17),
    Item("Valor do total 1 do anexo X10", 58, 13, Valor, 48, 17),
    Item("Valor do total 2 do anexo X10", 71, 13, Valor, 48, 17),
    Item("Inscrição do item", 84, 10, Inscricao, 48, 17),
}});
// X09: a due day, two amounts and a registration (38 columns, 22 items).
constexpr auto X09 = Itens(std::array<CampoRegistro, 4>{{
    Item("Dia de vencimento", 46, 2, Digitos, 38, 22),
    Item("Valor do total 1 do anexo X09", 48, 13, Valor, 38, 22),
    Item("Valor do total 2 do anexo X09", 61, 13, Valor, 38, 22),
    Item("Inscrição do item", 74, 10, Inscricao, 38, 22),
}});
// X11 (a code of two characters, 28 columns, 30 items) and X12 (a number, 29 columns, 29 items):
// a key and two summed amounts.
constexpr auto X11 = Itens(std::array<CampoRegistro, 3>{{
    Item("Código", 46, 2, Texto, 28, 30),
    Item("Valor do total 1 do anexo X11", 48, 13, Valor, 28, 30),
    Item("Valor do total 2 do anexo X11", 61, 13, Valor, 28, 30),
}});
constexpr auto X12 = Itens(std::array<CampoRegistro, 3>{{
    Item("Número", 46, 3, Digitos, 29, 29),
    Item("Valor do total 1 do anexo X12", 49, 13, Valor, 29, 29),
    Item("Valor do total 2 do anexo X12", 62, 13, Valor, 29, 29),
}});

constexpr TabelaRegistro TabelaCabecalho{"ABC", TamanhoRegistro, Cabecalho};
// A record whose type is none of these: only its prefix is known, and its type is not named.
constexpr TabelaRegistro TabelaPrefixo{"", TamanhoRegistro, Prefixo};

constexpr std::array<TabelaRegistro, 17> Anexos = {{
    {"X01", TamanhoRegistro, X01},
    {"X02", TamanhoRegistro, X02},
    {"X03", TamanhoRegistro, X03},
    {"X03A", TamanhoRegistro, X03A},
    {"X04", TamanhoRegistro, X04},
    {"X05", TamanhoRegistro, X05},
    {"X05A", TamanhoRegistro, X05A},
    {"X05B", TamanhoRegistro, X05A},
    {"X06", TamanhoRegistro, X06},
    {"X07", TamanhoRegistro, X07},
    {"X07A", TamanhoRegistro, X07A},
    {"X07B", TamanhoRegistro, X07B},
    {"X08", TamanhoRegistro, X08},
    {"X09", TamanhoRegistro, X09},
    {"X10", TamanhoRegistro, X10},
    {"X11", TamanhoRegistro, X11},
    {"X12", TamanhoRegistro, X12},
}};

}  // namespace

const TabelaRegistro& TabelaCabecalhoMensal() { return TabelaCabecalho; }

std::span<const TabelaRegistro> TabelasAnexosMensais() { return Anexos; }

const TabelaRegistro& TabelaPrefixoMensal() { return TabelaPrefixo; }

const TabelaRegistro* TabelaMensal(std::string_view tipo) {
  if (const TabelaRegistro* t = TabelaDoTipo({&TabelaCabecalho, 1}, tipo)) return t;
  return TabelaDoTipo(Anexos, tipo);
}

const CampoRegistro& CampoLinhasDeclaradas(std::size_t indice) {
  return Cabecalho[PrimeiraLinhaDeclarada + indice];
}

const CampoRegistro& CampoQuantidadeItens() { return QuantidadeItens; }

}  // namespace rolval
