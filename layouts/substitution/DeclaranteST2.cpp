// Header "A0" of layout ST 02, columns 395-797: the declarant's federal numbers and names, the
// signature date, the S/N markers and the declared numbers of annex records.
#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/DatasST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

constexpr CampoRegistro CNPJDeclarante = CampoDe(CamposCabecalhoST2, 28);
constexpr CampoRegistro NomeEmpresa = CampoDe(CamposCabecalhoST2, 29);
constexpr CampoRegistro CPFResponsavel = CampoDe(CamposCabecalhoST2, 30);
constexpr CampoRegistro NomeResponsavel = CampoDe(CamposCabecalhoST2, 31);
constexpr CampoRegistro Numero496 = CampoDe(CamposCabecalhoST2, "Número (col. 496)");
constexpr CampoRegistro Numero508 = CampoDe(CamposCabecalhoST2, "Número (col. 508)");
constexpr CampoRegistro NomeSignatario = CampoDe(CamposCabecalhoST2, "Nome do signatário");
constexpr CampoRegistro DataAssinatura = CampoDe(CamposCabecalhoST2, "Data da assinatura");
constexpr CampoRegistro Marca778 = CampoDe(CamposCabecalhoST2, "Marca (col. 778)");
constexpr CampoRegistro MarcaAnexoIII = CampoDe(CamposCabecalhoST2, "Marca do anexo III");
constexpr CampoRegistro LinhasAnexoI = CampoDe(CamposCabecalhoST2, "Linhas do anexo I");
constexpr CampoRegistro LinhasAnexoII = CampoDe(CamposCabecalhoST2, "Linhas do anexo II");
constexpr CampoRegistro LinhasAnexoIII = CampoDe(CamposCabecalhoST2, "Linhas do anexo III");

void ConfereSN(Execucao& ex, std::string_view linha, const CampoRegistro& campo) {
  const std::string_view c = Campo(linha, campo);
  if (c != "S" && c != "N") ex.GravaErro(CodigoM::ConteudoNaoSouN, campo.coluna, campo.Ultima());
}

// The signature date must fall after the reference month and no later than the same month six
// years on. Without an accepted reference period the limit is month 6 of year 0, so every date
// is late.
void ConfereDataAssinatura(Execucao& ex, std::string_view linha, std::int32_t refAAAAMM) {
  constexpr CampoRegistro d = DataAssinatura;
  if (!ExigeNumerico(ex, linha, d)) return;
  if (!ValidaDataAAAAMMDD(linha, d.coluna)) {
    ex.GravaErro(CodigoM::DataInvalida, d.coluna, d.Ultima());
    return;
  }
  // The date's year and month, AAAAMM.
  const auto mesAssinatura = static_cast<std::int32_t>(ValorInteiro(Campo(linha, d.coluna, 6)));
  const std::int32_t limite = (refAAAAMM / 100 + 6) * 100 + refAAAAMM % 100;
  if (refAAAAMM >= mesAssinatura)
    ex.GravaErroST(CodigoST::DataNaoPosteriorAReferencia, 0, d.coluna, d.Ultima());
  else if (mesAssinatura > limite)
    ex.GravaErroST(CodigoST::DataIncorreta, 0, d.coluna, d.Ultima());
}

// A declared number of annex records, kept for the end-of-return checks only when accepted.
bool LeQuantidade(Execucao& ex, std::string_view linha, const CampoRegistro& campo,
                  std::int32_t& valor) {
  if (!ExigeNumerico(ex, linha, campo)) return false;
  valor = static_cast<std::int32_t>(ValorInteiro(Campo(linha, campo)));
  return true;
}

}  // namespace

void ValidaDeclaranteST2(Execucao& ex, std::string_view linha, const LeituraCabecalhoST2& leitura) {
  ConfereNumeroFederalST(ex, linha, CNPJDeclarante);
  ExigeTextoST(ex, linha, NomeEmpresa);
  ConfereNumeroFederalST(ex, linha, CPFResponsavel);
  ExigeTextoST(ex, linha, NomeResponsavel);
  ExigeNumerico(ex, linha, Numero496);
  ExigeNumerico(ex, linha, Numero508);
  // Field 35 is the signer's name and the date; a missing name names the whole field.
  if (Apara(Campo(linha, NomeSignatario)).empty())
    ex.GravaErroST(CodigoST::CampoNaoInformado, NomeSignatario.numero, NomeSignatario.coluna,
                   DataAssinatura.Ultima());
  ConfereDataAssinatura(ex, linha, leitura.RefAAAAMM);
  ConfereSN(ex, linha, Marca778);
  ConfereSN(ex, linha, MarcaAnexoIII);

  EstadoST2& st = ST2(ex);
  std::int32_t qtd = 0;
  if (LeQuantidade(ex, linha, LinhasAnexoI, qtd)) st.QtdLinhasAnexoI = qtd;
  if (LeQuantidade(ex, linha, LinhasAnexoII, qtd)) st.QtdLinhasAnexoII = qtd;
  if (LeQuantidade(ex, linha, LinhasAnexoIII, qtd)) {
    // An annex III announced in its marker needs its number of lines.
    if (Campo(linha, MarcaAnexoIII) == "S" && qtd == 0)
      ex.GravaErroST(CodigoST::LinhasAnexoIIIAusentes, 0, LinhasAnexoIII.coluna,
                     LinhasAnexoIII.Ultima());
    else
      st.QtdLinhasAnexoIII = qtd;
  }
}

}  // namespace rolval
