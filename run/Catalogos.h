#pragma once
// The two catalogues of findings as data. For every code: its name, its message (or how the
// message is made with the finding's number), whether it is a warning, where it is reported and
// what usually causes it. The findings log builds every message from here; the faces take from
// here whether a finding is a warning and the help's explanation of each message.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace rolval {

// The letters that name the two catalogues in a finding.
inline constexpr char LetraMensal = 'M';  // the monthly return's, also the generic and file faults
inline constexpr char LetraST = 'S';      // the tax-substitution return's

// Codes of the monthly catalogue: layouts 03, 04 and 05, the generic field faults of every layout
// and the faults of the file as a whole. Codes 38 to 43 have no message.
enum class CodigoM : std::uint8_t {
  MarcaTeleprocessamentoInvalida = 1,
  VersaoIncorreta = 2,
  ReferenciaInvalida = 3,
  DigitoControleInvalido = 4,
  LinhasAnexoInvalidas = 5,
  IdentificacaoRegistroInvalida = 6,
  CampoNaoNumerico = 7,
  ConteudoNaoSouN = 8,
  SequenciaIncorreta = 9,
  OcorrenciasAnexoInvalidas = 10,
  ConteudoNaoABouS = 11,
  DataInvalida = 12,
  CampoNaoAlfabetico = 13,
  ConteudoNaoXouBranco = 14,
  DiaTerminoInvalido = 15,
  CampoObrigatorioAusente = 16,
  ArquivoNaoROL04 = 17,
  ParametrosInvalidos = 18,
  ArquivoNaoEncontrado = 19,
  AnexoComCabecalhoInvalido = 20,
  ArquivoNaoROL = 21,
  DataEntregaNaoZerada = 22,
  CfopInvalido = 23,
  ValorIncorreto = 24,
  VencimentoIncorreto = 25,
  DiaInicioInvalido = 26,
  ArquivoNaoROL03 = 27,
  UnidadeIlegivel = 28,
  CodigoInvalido = 29,
  SomaX07Incorreta = 30,
  PeriodoApuracaoIncorreto = 31,
  DiaVencimentoIncorreto = 32,
  TotalDaReferenciaIncorreto = 33,
  MaisDeUmAnexo7 = 34,
  Anexo7ComAnexos7Ae7B = 35,
  ValorCfopIncorreto = 36,
  ReferenciaIncorreta = 37,
  X03ASemX03 = 44,
  X05AouX05BSemX05 = 45,
  X07AouX07BSemX07 = 46,
  IcmsProprioIncorreto = 47,
  IcmsSubstituicaoIncorreto = 48,
  ArquivoNaoROL05 = 49,
  VersoesDiferentes = 50,
  ReferenciaIncompativelComVersao = 51,
  VencimentoX08ForaDaReferencia = 52,
};

// Codes of the tax-substitution catalogue (layouts ST 01 and ST 02).
enum class CodigoST : std::uint8_t {
  ArquivoNaoROLST = 1,
  Campos9e10Zerados = 2,
  CampoNaoDeveSerInformado = 3,
  DataIncorreta = 4,
  CampoFixoIncorreto = 5,
  VencimentoAnteriorAusente = 6,
  PeriodoAte041999 = 7,
  CampoNaoInformado = 8,
  DigitoDoCampoIncorreto = 9,
  CampoNaoPositivo = 10,
  CampoMaiorQueO6 = 11,
  Campo10MaiorQue9 = 12,
  ValorDoCampoIncorreto = 13,
  SomaParcelasDifere = 14,
  VencimentoAntesDaReferencia = 15,
  VencimentoDuplicado = 16,
  Campo12MaiorQue11 = 17,
  Campos11e12Zerados = 18,
  ValorDoPagamentoAusente = 19,
  VencimentoDoPagamentoAusente = 20,
  UFFavorecidaIncorreta = 21,
  InscricaoIncorreta = 22,
  Campos10e11Zerados = 23,
  Campos12e13Zerados = 24,
  Campo10NaoMenorQue11 = 25,
  Campo13NaoMenorQue12 = 26,
  AnexoIIIAusente = 27,
  LinhasAnexoInvalidas = 28,
  MesmaInscricaoDaROLAviso = 29,
  MesmaInscricaoDaROL = 30,
  TotalDoCampoIncorreto = 31,
  DeveSerSemMovimento = 32,
  UFsDiferentes = 33,
  ReferenciaIncompativelComVersao = 34,
  DataNaoPosteriorAReferencia = 35,
  AnexoDuplicado = 36,
  LinhasAnexoIIIAusentes = 37,
  Campo8MaiorQue7 = 38,
  Campo9MaiorQue7 = 39,
  VencimentoMaisDe2Meses = 40,
  PeriodoApos062000 = 41,
};

// How a message is made from its entry and the finding's number.
enum class Montagem : std::uint8_t {
  Fixa,          // the text as it stands
  ComNumero,     // text, the number as written, what follows ("Informe o campo 28")
  ComNumero000,  // text, the number masked "000", what follows ("Valor do CFOP 051 incorreto")
  ComPeriodo,    // the number, what follows, the finding's period masked "00/0000"
  ComAnexo,      // text, then "I" for number 1, "II" for 2, "III" for any other
};

// Where a finding is reported: which registration, period and line it carries.
enum class Onde : std::uint8_t {
  Registro,            // the record being read: its registration, its period and its line
  RegistroSemPeriodo,  // the same with the period "00/0000"
  LinhaGuardada,       // a return as a whole, at a line saved for it (its header, an annex)
  Arquivo,             // the file: no registration, period "00/0000"
};

// A text that begins so is a warning: the file is accepted as it is, yet the finding counts.
constexpr bool MensagemDeAviso(std::string_view mensagem) { return mensagem.starts_with("AVISO:"); }

struct EntradaCatalogo {
  int codigo = 0;
  std::string_view texto;   // UTF-8: the whole message, or what goes before the number
  std::string_view depois;  // what follows the number
  Montagem montagem = Montagem::Fixa;
  Onde onde = Onde::Registro;
  std::string_view explicacao;  // what usually causes it and how to fix it

  constexpr bool Aviso() const { return MensagemDeAviso(texto); }
};

// The entries of a catalogue (LetraMensal or LetraST) in code order; codes without a message have
// no entry.
std::span<const EntradaCatalogo> EntradasDoCatalogo(char catalogo);

// The entry of a code; nullptr for a code without a message or outside the catalogue.
const EntradaCatalogo* EntradaDe(char catalogo, int codigo);
inline const EntradaCatalogo* EntradaDe(CodigoM codigo) {
  return EntradaDe(LetraMensal, static_cast<int>(codigo));
}
inline const EntradaCatalogo* EntradaDe(CodigoST codigo) {
  return EntradaDe(LetraST, static_cast<int>(codigo));
}

// Whether the findings of a code are warnings rather than errors.
bool EAviso(char catalogo, int codigo);

// The fixed message of a code, as UTF-8; empty for a code without one (those made with a number).
std::string_view TextoDoCatalogo(char catalogo, int codigo);

// Appends the message of `entrada` made with `numero` and, for a message that names the period,
// `periodo` (MMAAAA, as the finding carries it before a blank one is shown as zeros).
void AcrescentaMensagem(std::string& destino, const EntradaCatalogo& entrada, int numero,
                        std::string_view periodo);

// The message as a pattern, for a reader: the number as "n", the CFOP as "nnn", the period as
// "MM/AAAA", the annex as "I, II ou III" ("Campo n deve ser positivo").
std::string MensagemModelo(const EntradaCatalogo& entrada);

}  // namespace rolval
