// The report: saida.txt in its error form or its accepted form, and the status file param.txt.
#include <system_error>

#include "run/Execucao.h"
#include "run/Formatos.h"
#include "run/Latin1.h"

namespace rolval {

void Execucao::GeraSaida() {
  ArquivoSaida param(*sistema_);
  param.Cria(CaminhoTrabalho(NomeParam));
  param.EscreveLinha("");
  ArquivoSaida saida(*sistema_);
  saida.Cria(CaminhoTrabalho(NomeSaida));

  const std::string_view doc = controle.Documento;
  const bool st2 = doc == DocROLST02;
  const std::string hifens73(73, '-');
  const std::string hifens70(70, '-');
  std::string status;
  if (HouveErro) {
    saida.EscreveLinha("ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:");
    saida.EscreveLinha("");
    saida.EscreveLinha(std::string("Documento: ") +
                       (Apara(doc).empty() ? std::string("DESCONHECIDO") : std::string(doc)));
    saida.EscreveLinha(hifens73);
    if (Apara(doc).empty() || st2)
      saida.EscreveLinha(ParaLatin1("Inscrição      Período Lin Ini Fim Descrição do Erro"));
    else
      saida.EscreveLinha(ParaLatin1("REG/TB         Período Lin Ini Fim Descrição do Erro"));
    saida.EscreveLinha(hifens73);
    saida.EscreveConteudoDe(CaminhoTrabalho(NomeAux1));
    status = "NOK";
  } else {
    saida.EscreveLinha("ARQUIVO OK.");
    saida.EscreveLinha("");
    saida.EscreveLinha(std::string("Documento: ") + std::string(doc));
    saida.EscreveLinha("");
    saida.EscreveLinha(hifens70);
    if (!st2)
      saida.EscreveLinha("REG/TB         REFER    REG/TB         REFER    REG/TB         REFER");
    else
      saida.EscreveLinha(ParaLatin1("INSCRIÇÃO      REFER    INSCRIÇÃO      REFER    INSCRIÇÃO      REFER"));
    saida.EscreveLinha(hifens70);
    saida.EscreveConteudoDe(CaminhoTrabalho(NomeAux2));
    saida.EscreveLinha("");
    saida.EscreveLinha("");
    std::string fecho = "Foram Validadas ";
    AcrescentaNumero(fecho, QtdROLs);
    fecho += st2 ? " ROL(s) ST." : " ROL(s).";
    saida.EscreveLinha(fecho);
    status = "OK";
  }
  // The report is complete on disk before the status says so.
  saida.Fecha();
  param.EscreveLinha(status);
  param.Fecha();
  std::error_code ignorado;
  std::filesystem::remove(CaminhoTrabalho(NomeAux1), ignorado);
  std::filesystem::remove(CaminhoTrabalho(NomeAux2), ignorado);
}

}  // namespace rolval
