#pragma once
// Record builder for layout ST 02: a valid header "A0" and valid annex records "A1", "A2" and
// "A3" that tests spoil one field at a time, and the finding lines the report prints for them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/substitution/CamposST2.h"
#include "tests/support/Apoio.h"
#include "tests/support/LinhaAchado.h"

namespace rolval::teste {

// Registration numbers of the home unit "TQ": ten digits, the last one the check digit.
inline constexpr std::string_view InscricaoROL = "0123456789    ";
inline constexpr std::string_view InscricaoROL2 = "0500000000    ";
inline constexpr std::string_view InscricaoROL3 = "9876543216    ";
inline constexpr std::string_view InscricaoCliente = "1234567897    ";
inline constexpr std::string_view InscricaoCliente2 = "1111111119    ";
inline constexpr std::string_view InscricaoCliente3 = "2222222227    ";
// A registration number of unit "SP" (twelve digits, two check digits).
inline constexpr std::string_view InscricaoSP = "110042490114  ";

// The fields of the records A0, A1 (and A2) and A3 by name, from the layout's tables.
constexpr CampoRegistro CampoA0(std::string_view nome) {
  return CampoChamado(CamposCabecalhoST2, nome);
}
constexpr CampoRegistro CampoA1(std::string_view nome) {
  return CampoChamado(CamposAnexoIST2, nome);
}
constexpr CampoRegistro CampoA3(std::string_view nome) {
  return CampoChamado(CamposAnexoIIIST2, nome);
}

// A record line of fixed length, written by 1-based column or by field.
class RegistroST2 {
 public:
  RegistroST2(std::size_t tamanho, std::string_view tipo);
  // Writes `texto` at `coluna`; the text must fit in the record.
  RegistroST2& Poe(int coluna, std::string_view texto);
  // Writes `texto` at the field's first column; a text wider than the field is a test bug.
  RegistroST2& Poe(const CampoRegistro& campo, std::string_view texto);
  // Writes `valor` zero-filled in `tamanho` digits at `coluna`, or in the field's width.
  RegistroST2& PoeNumero(int coluna, int tamanho, std::int64_t valor);
  RegistroST2& PoeNumero(const CampoRegistro& campo, std::int64_t valor) {
    return PoeNumero(campo.coluna, campo.tamanho, valor);
  }
  std::int64_t LeNumero(int coluna, int tamanho) const;
  const std::string& Texto() const { return linha_; }
  operator std::string() const { return linha_; }  // NOLINT: records go straight into lists

 private:
  std::string linha_;
};

// A valid header of reference period 07/2000, unit "TQ", registration InscricaoROL: one
// installment of 1000 due 15/08/2000, fields 7 to 21 balanced, no annex records declared.
class RegistroA0 : public RegistroST2 {
 public:
  RegistroA0();
  RegistroA0& Poe(int coluna, std::string_view texto) {
    RegistroST2::Poe(coluna, texto);
    return *this;
  }
  RegistroA0& Poe(const CampoRegistro& campo, std::string_view texto) {
    RegistroST2::Poe(campo, texto);
    return *this;
  }
  RegistroA0& Periodo(std::string_view mmaaaa) {
    return Poe(CampoA0("Mês/ano de referência"), mmaaaa);
  }
  RegistroA0& Inscricao(std::string_view inscricao14) {
    return Poe(CampoA0("Inscrição estadual"), inscricao14);
  }
  RegistroA0& SemMovimento() { return Poe(CampoA0("Sem movimento"), "X"); }
  RegistroA0& UF(std::string_view uf) { return Poe(CampoA0("UF favorecida"), uf); }
  // Installment i (1 to 6): due date AAAAMMDD and amount.
  RegistroA0& Parcela(int i, std::string_view aaaammdd, std::int64_t valor);
  // Amount field n (7 to 21).
  RegistroA0& Valor(int campo, std::int64_t valor);
  std::int64_t Valor(int campo) const;
  RegistroA0& DataAssinatura(std::string_view aaaammdd) {
    return Poe(CampoA0("Data da assinatura"), aaaammdd);
  }
  // Declared numbers of A1, A2 and A3 records (columns 786-797).
  RegistroA0& Linhas(int a1, int a2, int a3);
  // Declared totals of annexes I and II (fields 14 and 15), then the balance made right again.
  RegistroA0& TotaisAnexos(std::int64_t totalI, std::int64_t totalII);
  // Sets fields 18, 20 and 21 from fields 13, 14 to 17 and 19, and installment 1 (due 15/08/2000,
  // the rest without date or amount) to the amount of field 21.
  RegistroA0& Equilibra();
  // Fields 7 to 21 all zero, the installments empty.
  RegistroA0& ZeraValores();
};

// A valid annex I record ("A1") or, with tipo "A2", annex II: number 1, code "001", counterpart
// InscricaoCliente, dated 01/07/2000, amount 100.
class RegistroA1 : public RegistroST2 {
 public:
  explicit RegistroA1(std::string_view tipo = "A1");
  RegistroA1& Poe(int coluna, std::string_view texto) {
    RegistroST2::Poe(coluna, texto);
    return *this;
  }
  RegistroA1& Numero(std::int64_t numero) {
    PoeNumero(CampoA1("Número"), numero);
    return *this;
  }
  RegistroA1& Inscricao(std::string_view inscricao14) {
    RegistroST2::Poe(CampoA1("Inscrição estadual"), inscricao14);
    return *this;
  }
  RegistroA1& Data(std::string_view aaaammdd) {
    RegistroST2::Poe(CampoA1("Data"), aaaammdd);
    return *this;
  }
  RegistroA1& Valor(std::int64_t valor) {
    PoeNumero(CampoA1("Valor"), valor);
    return *this;
  }
};

// A valid annex III record: InscricaoCliente, first amount 100, second 50.
class RegistroA3 : public RegistroST2 {
 public:
  RegistroA3();
  RegistroA3& Poe(int coluna, std::string_view texto) {
    RegistroST2::Poe(coluna, texto);
    return *this;
  }
  RegistroA3& Inscricao(std::string_view inscricao14) {
    RegistroST2::Poe(CampoA3("Inscrição estadual"), inscricao14);
    return *this;
  }
  RegistroA3& Valores(std::int64_t a, std::int64_t b);
};

// The finding line of a layout ST 02 report, given in UTF-8.
std::string Achado(std::string_view inscricao14, std::string_view periodo, int linha, int inicio,
                   int fim, std::string_view mensagem);

// The finding lines of one run of `registros` with every layout (empty for "ARQUIVO OK.").
std::vector<std::string> AchadosST2(const std::vector<std::string>& registros);

}  // namespace rolval::teste
