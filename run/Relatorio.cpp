#include "run/Relatorio.h"

#include "run/Execucao.h"
#include "run/Formatos.h"
#include "run/Latin1.h"

namespace rolval {

std::string EscreveRelatorio(ArquivoTrabalho& saida, std::string_view doc,
                             const FormaRelatorio& forma, bool houveErro,
                             const ArquivoTrabalho& achados, const ArquivoTrabalho& lista,
                             std::int32_t qtdROLs) {
  saida.Abre();

  const std::string hifens73(73, '-');
  const std::string hifens70(70, '-');
  std::string status;
  if (houveErro) {
    saida.EscreveLinha("ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:");
    saida.EscreveLinha("");
    saida.EscreveLinha(std::string("Documento: ") +
                       (Apara(doc).empty() ? std::string("DESCONHECIDO") : std::string(doc)));
    saida.EscreveLinha(hifens73);
    if (Apara(doc).empty() || forma.inscricaoComoLida)
      saida.EscreveLinha(ParaLatin1("Inscrição      Período Lin Ini Fim Descrição do Erro"));
    else
      saida.EscreveLinha(ParaLatin1("REG/TB         Período Lin Ini Fim Descrição do Erro"));
    saida.EscreveLinha(hifens73);
    saida.EscreveConteudoDe(achados);
    status = "NOK";
  } else {
    saida.EscreveLinha("ARQUIVO OK.");
    saida.EscreveLinha("");
    saida.EscreveLinha(std::string("Documento: ") + std::string(doc));
    saida.EscreveLinha("");
    saida.EscreveLinha(hifens70);
    if (forma.inscricaoComoLida)
      saida.EscreveLinha(
          ParaLatin1("INSCRIÇÃO      REFER    INSCRIÇÃO      REFER    INSCRIÇÃO      REFER"));
    else
      saida.EscreveLinha("REG/TB         REFER    REG/TB         REFER    REG/TB         REFER");
    saida.EscreveLinha(hifens70);
    saida.EscreveConteudoDe(lista);
    saida.EscreveLinha("");
    saida.EscreveLinha("");
    std::string fecho = "Foram Validadas ";
    AcrescentaNumero(fecho, qtdROLs);
    fecho += ' ';
    fecho += forma.nomeRetornos;
    fecho += '.';
    saida.EscreveLinha(fecho);
    status = "OK";
  }
  saida.Fecha();
  return status;
}

void Execucao::GeraSaida() {
  status_.clear();
  const std::string status = EscreveRelatorio(relatorio_, controle.Documento, controle.Forma,
                                              HouveErro, arquivoAchados, arquivoLista, QtdROLs);
  // The report is whole, and published where asked, before the status says what it is.
  if (!pasta_.empty())
    publicada_ = PublicaRelatorio(pasta_, *sistema_, relatorio_, "\r\n" + status + "\r\n", guarda_,
                                  sincroniza_);
  status_ = status;
}

}  // namespace rolval
