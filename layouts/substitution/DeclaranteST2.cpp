// Header "A0" of layout ST 02, columns 395-797: the declarant's federal numbers and names, the
// signature date, the S/N markers and the declared numbers of annex records.
#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/DatasST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

// A federal number (CNPJ of 14 digits, CPF of 11): required, with agreeing check digits.
void ConfereNumeroFederal(Execucao& ex, std::string_view linha, int campo, int coluna,
                          int tamanho) {
  if (!ExigeNumerico(ex, linha, coluna, tamanho)) return;
  const int fim = coluna + tamanho - 1;
  const std::string_view numero = Campo(linha, coluna, tamanho);
  if (ValorNumerico(numero) == 0)
    ex.GravaErroST(CodigoST::CampoNaoInformado, campo, coluna, fim);
  else if (!ValidaCPFCNPJ(numero))
    ex.GravaErroST(CodigoST::DigitoDoCampoIncorreto, campo, coluna, fim,
                   DigitosFederaisDeclaradosECalculados(numero));
}

void ConfereTextoObrigatorio(Execucao& ex, std::string_view linha, int campo, int coluna,
                             int tamanho) {
  if (Apara(Campo(linha, coluna, tamanho)).empty())
    ex.GravaErroST(CodigoST::CampoNaoInformado, campo, coluna, coluna + tamanho - 1);
}

void ConfereSN(Execucao& ex, std::string_view linha, int coluna) {
  const std::string_view c = Campo(linha, coluna, 1);
  if (c != "S" && c != "N") ex.GravaErro(CodigoM::ConteudoNaoSouN, coluna, coluna);
}

// The signature date must fall after the reference month and no later than the same month six
// years on. Without an accepted reference period the limit is month 6 of year 0, so every date
// is late.
void ConfereDataAssinatura(Execucao& ex, std::string_view linha, std::int32_t refAAAAMM) {
  if (!ExigeNumerico(ex, linha, 590, 8)) return;
  if (!ValidaDataAAAAMMDD(linha, 590)) {
    ex.GravaErro(CodigoM::DataInvalida, 590, 597);
    return;
  }
  const auto mesAssinatura = static_cast<std::int32_t>(ValorInteiro(Campo(linha, 590, 6)));
  const std::int32_t limite = (refAAAAMM / 100 + 6) * 100 + refAAAAMM % 100;
  if (refAAAAMM >= mesAssinatura)
    ex.GravaErroST(CodigoST::DataNaoPosteriorAReferencia, 0, 590, 597);
  else if (mesAssinatura > limite)
    ex.GravaErroST(CodigoST::DataIncorreta, 0, 590, 597);
}

// A declared number of annex records, kept for the end-of-return checks only when accepted.
bool LeQuantidade(Execucao& ex, std::string_view linha, int coluna, std::int32_t& valor) {
  if (!ExigeNumerico(ex, linha, coluna, 4)) return false;
  valor = static_cast<std::int32_t>(ValorInteiro(Campo(linha, coluna, 4)));
  return true;
}

}  // namespace

void ValidaDeclaranteST2(Execucao& ex, std::string_view linha, const LeituraCabecalhoST2& leitura) {
  ConfereNumeroFederal(ex, linha, 28, 395, 14);
  ConfereTextoObrigatorio(ex, linha, 29, 409, 46);
  ConfereNumeroFederal(ex, linha, 30, 455, 11);
  ConfereTextoObrigatorio(ex, linha, 31, 466, 30);
  ExigeNumerico(ex, linha, 496, 12);
  ExigeNumerico(ex, linha, 508, 12);
  // Field 35 is the signer's name and the date; a missing name names the whole field.
  if (Apara(Campo(linha, 560, 30)).empty())
    ex.GravaErroST(CodigoST::CampoNaoInformado, 35, 560, 597);
  ConfereDataAssinatura(ex, linha, leitura.RefAAAAMM);
  ConfereSN(ex, linha, 778);
  ConfereSN(ex, linha, 779);

  EstadoST2& st = ST2(ex);
  std::int32_t qtd = 0;
  if (LeQuantidade(ex, linha, 786, qtd)) st.QtdLinhasAnexoI = qtd;
  if (LeQuantidade(ex, linha, 790, qtd)) st.QtdLinhasAnexoII = qtd;
  if (LeQuantidade(ex, linha, 794, qtd)) {
    // An annex III announced in column 779 needs its number of lines.
    if (Campo(linha, 779, 1) == "S" && qtd == 0)
      ex.GravaErroST(CodigoST::LinhasAnexoIIIAusentes, 0, 794, 797);
    else
      st.QtdLinhasAnexoIII = qtd;
  }
}

}  // namespace rolval
