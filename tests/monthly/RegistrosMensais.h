#pragma once
// Records of the monthly return (layouts 04 and 05) for tests: a valid header "ABC " and valid
// annex records of any type, 898 characters each, that tests then spoil one field at a time;
// whole returns whose sequences and declared line counts follow the records put in; and runs
// whose run object stays for inspection.
//
//   ROLMensal rol;                                   // version 05, 01/2005, REG/TB 0123456789
//   rol.Anexo("X01 ", {ItemX01(102)}).Anexo("X08 ", {itemX08});  // any type, items as text
//   rol.Cabecalho(194, "000000000000010");           // a header field, by column
//   rol.Registro(2, 46, "500");                      // a field of the second record (1 = header)
//   auto r = ExecutaConteudo(ComCRLF(rol.Registros()), TabelaPadrao());
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/Execucao.h"
#include "run/ValidaArquivo.h"
#include "tests/support/Apoio.h"
#include "tests/support/LinhaAchado.h"

namespace rolval::teste {

// Writes `valor` into `registro` from 1-based column `coluna`, over as many characters.
void Poe(std::string& registro, int coluna, std::string_view valor);
// Writes `valor` zero-filled to `tamanho` digits from `coluna`.
void PoeNumero(std::string& registro, int coluna, int tamanho, std::int64_t valor);
// `valor` zero-filled to `tamanho` digits.
std::string Digitos(std::int64_t valor, int tamanho);

// A 10-digit registry number: the nine digits given and their check digit.
std::string InscricaoComDigito(std::string_view noveDigitos);

// What every record of a return carries in columns 1-35.
struct PrefixoMensal {
  std::string marca = "****";
  std::string versao = "05";
  std::string complemento = "00000000";
  std::string marcador = " ";
  std::string diaInicio = "01";
  std::string diaFim = "31";
  std::string mesAnoRef = "012005";
  std::string inscricao = "0123456789";
};
// The prefix of a return of `versao` for `mesAnoRef` (MMAAAA), ending on the month's last day.
PrefixoMensal PrefixoPara(std::string_view versao, std::string_view mesAnoRef,
                          std::string_view inscricao = "0123456789");

// A header with every amount 0, "N" at 374 and at 834, no annex line declared.
std::string CabecalhoMensal(const PrefixoMensal& prefixo, int sequencia = 1);
// An annex record of type `tipo` ("X01 ", "X05A", ...): the count field holds the number of items
// and the items follow one another from column 46; the rest is blank.
std::string AnexoMensal(const PrefixoMensal& prefixo, int sequencia, std::string_view tipo,
                        const std::vector<std::string>& itens);
// Column of the header's declared line count of an annex type ("X01 " 841 ... "X12 " 889).
int ColunaDeclarada(std::string_view tipo);

// Valid items of the annexes X01 to X06 (amounts are whole numbers).
std::string ItemX01(int cfop, std::int64_t valor75 = 0, std::int64_t valor88 = 0,
                    std::int64_t valor101 = 0);  // X01 and X05, 68 characters
std::string ItemX05A(int cfop, std::int64_t valor = 0, int numero = 1);  // X05A and X05B, 19
std::string ItemX02(std::string_view inscricao = "0123456789", std::int64_t valor = 0,
                    int numero = 1);                      // X02 and X06, 26
std::string ItemX03(int codigo, std::int64_t valor = 0);  // 16
std::string ItemX03A(int codigo, char tipo = 'A', std::string_view inscricao = "0000000000");  // 38
// X04, 44: period DD DD MM AAAA, due date DDMMAAAA, amounts P and Q.
std::string ItemX04(std::string_view periodo = "0131122004",
                    std::string_view vencimento = "10012005", std::int64_t p = 0,
                    std::int64_t q = 0);

// Valid items of the annexes X07A to X12, every field given as its text except the amounts.
std::string ItemX07A(std::string_view cfop = "102", std::int64_t valor49 = 0,
                     std::int64_t valor62 = 0);  // X07A and X07B, 29
// X08 and X10, 48: days, due date, two amounts, registry number.
std::string ItemX08(std::string_view dias = "0131", std::string_view vencimento = "10012005",
                    std::int64_t a = 0, std::int64_t b = 0,
                    std::string_view inscricao = "0000000000");
std::string ItemX09(std::string_view dia = "10", std::int64_t a = 0, std::int64_t b = 0,
                    std::string_view inscricao = "0000000000");                               // 38
std::string ItemX11(std::string_view codigo = "01", std::int64_t a = 0, std::int64_t b = 0);  // 28
std::string ItemX12(std::string_view numero = "001", std::int64_t a = 0,
                    std::int64_t b = 0);  // 29

// The X07 body, columns 46-243: V1, W1, its text, T1, then V2, W2, its text, T2; each amount as
// its 13 characters, each text blank-padded to its 60.
struct CorpoX07 {
  std::string v1 = Digitos(0, 13), w1 = Digitos(0, 13), texto1 = "", t1 = Digitos(0, 13);
  std::string v2 = Digitos(0, 13), w2 = Digitos(0, 13), texto2 = "", t2 = Digitos(0, 13);
  std::string Texto() const;
};

// An X07 body with V1 + W1 = T1 and V2 + W2 = T2, both texts given.
std::string CorpoX07Somado(std::int64_t v1, std::int64_t w1, std::int64_t v2, std::int64_t w2);

// A whole return: its header and its annex records, numbered 0001 onward, the header declaring
// for each annex type the items put in (set before Registros() is called).
class ROLMensal {
 public:
  explicit ROLMensal(PrefixoMensal prefixo = {});
  ROLMensal& Anexo(std::string_view tipo, const std::vector<std::string>& itens);
  ROLMensal& Cabecalho(int coluna, std::string_view valor);        // writes into the header
  ROLMensal& Registro(int n, int coluna, std::string_view valor);  // into record n (1 = header)
  std::vector<std::string> Registros() const;

  PrefixoMensal prefixo;

 private:
  std::string cabecalho_;
  std::vector<std::string> anexos_;
  std::vector<std::string> tipos_;
  std::vector<int> quantidades_;
};

// A return whose X05 (line 2) and X03 (line 3) give the CFOP 102 and the code 5 that the detail
// records need; the record under test is line 4.
ROLMensal ComPreRequisitos();

// The records of several returns, one after another.
std::vector<std::string> Junta(const std::vector<ROLMensal>& retornos);

// The layouts of the program without the end-of-file closing: the findings of a file of one
// return are then those of its records only.
const TabelaLayouts& TabelaSemFechamento();

// A finding line of a monthly file: registration and period as printed ("012/3456789",
// "01/2005"), then line, first and last column and the message.
std::string Achado(std::string_view inscricao, std::string_view periodo, int linha, int inicio,
                   int fim, std::string_view mensagem);
// The same for the default return (REG/TB 012/3456789, period 01/2005).
std::string Achado(int linha, int inicio, int fim, std::string_view mensagem);

// One whole run whose run object stays, so that its state can be looked at afterwards.
class ExecucaoRetida {
  PastaTemporaria pasta_;  // first: the run object works in it

 public:
  ExecucaoRetida() : execucao(pasta_.caminho(), tela) {}
  void Roda(const std::vector<std::string>& registros, const TabelaLayouts& tabela);

  TelaGravada tela;
  Execucao execucao;
  std::vector<std::string> achados;  // the finding lines of the report, UTF-8
};

}  // namespace rolval::teste
