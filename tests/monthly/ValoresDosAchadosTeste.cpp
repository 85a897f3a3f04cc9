// What the findings of the monthly return carry besides their report line: the value a total,
// count or check digit has in the file and the value computed from the file; the record type and
// the field their columns lie in.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/monthly/RegistrosMensais.h"

namespace rolval::teste {
namespace {

std::string Quinze(std::int64_t valor) { return Digitos(valor, 15); }

// The registration 012345678 with a check digit other than its own.
std::string InscricaoComDigitoErrado() {
  std::string inscricao = InscricaoComDigito("012345678");
  inscricao[9] = inscricao[9] == '0' ? '1' : '0';
  return inscricao;
}

// The one finding of `codigo` at column `inicio` of the run of `rol`'s records.
AchadoVisto AchadoDe(const ROLMensal& rol, CodigoM codigo, int inicio) {
  return AchadoUnico(ComCRLF(rol.Registros()), LetraMensal, static_cast<int>(codigo), inicio);
}

struct Caso {
  const char* nome;
  std::function<void(ROLMensal&)> monta;
  CodigoM codigo;
  int inicio;
  std::optional<double> declarado;
  std::optional<double> calculado;
};

TEST(ValoresDosAchadosMensais, DeclaradoECalculadoDeCadaTotalContagemEDigito) {
  const Caso casos[] = {
      {"annex lines declared against lines read",
       [](ROLMensal& r) { r.Cabecalho(841, "002").Anexo("X12 ", {ItemX12("001", 0)}); },
       CodigoM::LinhasAnexoInvalidas, 841, 2, 0},
      {"header amount against its annex's sum",
       [](ROLMensal& r) {
         r.Anexo("X12 ", {ItemX12("001", 3), ItemX12("001", 4)});
       },
       CodigoM::TotalDaReferenciaIncorreto, 733, 0, 7},
      {"header total against the amounts before it",
       [](ROLMensal& r) { r.Cabecalho(74, Quinze(500)); }, CodigoM::ValorIncorreto, 194, 0, 500},
      {"own ICMS against the balance",
       [](ROLMensal& r) { r.Cabecalho(209, Quinze(1000)).Cabecalho(359, Quinze(1000)); },
       CodigoM::IcmsProprioIncorreto, 480, 0, 1000},
      {"X07 amount against the sum of X07A",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)}).Anexo("X07A", {ItemX07A("102", 0, 5)});
       },
       CodigoM::SomaX07Incorreta, 46, 0, 5},
      {"X05 CFOP amount against its X05A detail",
       [](ROLMensal& r) {
         r.Anexo("X05 ", {ItemX01(102, 0, 7)}).Anexo("X05A", {ItemX05A(102, 4)});
       },
       CodigoM::ValorCfopIncorreto, 999, 7, 4},
      {"X05 CFOP amount without detail: declared only",
       [](ROLMensal& r) { r.Anexo("X05 ", {ItemX01(102, 0, 7)}); }, CodigoM::ValorCfopIncorreto,
       999, 7, std::nullopt},
      {"registration check digit",
       [](ROLMensal& r) { r.Cabecalho(26, InscricaoComDigitoErrado()); },
       CodigoM::DigitoControleInvalido, 26, InscricaoComDigitoErrado()[9] - '0',
       InscricaoComDigito("012345678")[9] - '0'},
      {"item count out of range: declared only",
       [](ROLMensal& r) { r.Anexo("X12 ", {ItemX12("001", 0)}).Registro(2, 44, "00"); },
       CodigoM::OcorrenciasAnexoInvalidas, 44, 0, std::nullopt},
  };
  for (const Caso& c : casos) {
    ROLMensal rol;
    c.monta(rol);
    const AchadoVisto a = AchadoDe(rol, c.codigo, c.inicio);
    EXPECT_EQ(a.declarado, c.declarado) << c.nome;
    EXPECT_EQ(a.calculado, c.calculado) << c.nome;
  }
}

TEST(ValoresDosAchadosMensais, CampoEOcorrenciaDasColunasDoAchado) {
  struct CasoCampo {
    const char* nome;
    std::function<void(ROLMensal&)> monta;
    CodigoM codigo;
    int inicio;
    const char* tipo;
    const char* campo;  // nullptr: none
    int ocorrencia;
  };
  const CasoCampo casos[] = {
      {"header, at the header's line",
       [](ROLMensal& r) { r.Cabecalho(26, InscricaoComDigitoErrado()); },
       CodigoM::DigitoControleInvalido, 26, "ABC", "Inscrição", 0},
      {"closed return, at its header",
       [](ROLMensal& r) { r.Cabecalho(841, "002").Anexo("X12 ", {ItemX12("001", 0)}); },
       CodigoM::LinhasAnexoInvalidas, 841, "ABC", "Linhas do anexo X01", 0},
      {"closed return, at its X07 line",
       [](ROLMensal& r) {
         r.Anexo("X07 ", {CorpoX07Somado(0, 0, 0, 0)}).Anexo("X07A", {ItemX07A("102", 0, 5)});
       },
       CodigoM::SomaX07Incorreta, 46, "X07", "Valor 1 (total do anexo X07A)", 0},
      {"second item of an annex",
       [](ROLMensal& r) {
         r.Anexo("X12 ", {ItemX12("001", 0), ItemX12("001", 0)}).Registro(2, 75, "AAA");
       },
       CodigoM::CampoNaoNumerico, 75, "X12", "Número", 1},
      {"record of no known type: its prefix only",
       [](ROLMensal& r) { r.Anexo("X12 ", {ItemX12("001", 0)}).Registro(2, 40, "X99 "); },
       CodigoM::IdentificacaoRegistroInvalida, 40, "", "Tipo de registro", 0},
      {"columns past the record", [](ROLMensal& r) { r.Anexo("X05 ", {ItemX01(102, 0, 7)}); },
       CodigoM::ValorCfopIncorreto, 999, "X05", nullptr, 0},
  };
  for (const CasoCampo& c : casos) {
    ROLMensal rol;
    c.monta(rol);
    const AchadoVisto a = AchadoDe(rol, c.codigo, c.inicio);
    EXPECT_EQ(a.tipoRegistro, c.tipo) << c.nome;
    if (c.campo == nullptr) {
      EXPECT_EQ(a.campo, nullptr) << c.nome;
      continue;
    }
    ASSERT_NE(a.campo, nullptr) << c.nome;
    EXPECT_EQ(a.campo->nome, c.campo) << c.nome;
    EXPECT_EQ(a.ocorrencia, c.ocorrencia) << c.nome;
    EXPECT_LE(a.campo->ColunaDe(a.ocorrencia), a.inicio) << c.nome;
    EXPECT_GE(a.campo->UltimaDe(a.ocorrencia), a.fim) << c.nome;
  }
}

}  // namespace
}  // namespace rolval::teste
