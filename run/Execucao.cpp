#include "run/Execucao.h"

#include "run/Latin1.h"

namespace rolval {

void PrefixoRegistro::Limpa() {
  Marca.clear();
  Inscricao.clear();
  Complemento = "0";
  Versao = "";
  Marcador = "";
  DiaInicio = "";
  DiaFim = "";
  MesAnoRef = "";
  Sequencia = "";
  TipoRegistro = "";
}

void PrefixoRegistro::LeIdentificacaoMensal(std::string_view linha) {
  CopiaTexto(Marca, Campo(linha, 1, 4));
  Versao = Campo(linha, 5, 2);
  Complemento = Campo(linha, 7, 8);
  Marcador = Campo(linha, 15, 1);
  DiaInicio = Campo(linha, 16, 2);
  DiaFim = Campo(linha, 18, 2);
  MesAnoRef = Campo(linha, 20, 6);
  CopiaTexto(Inscricao, Campo(linha, 26, 10));
}

Execucao::Execucao(std::filesystem::path pastaRelatorio, Tela& tela)
    : pasta_(std::move(pastaRelatorio)), tela_(tela) {
  DefineTransbordo(pasta_, ArquivoTrabalho::LimitePadrao);
  LimpaVariaveis();
}

void Execucao::DefineSistemaArquivos(SistemaArquivos& sistema) {
  sistema_ = &sistema;
  arquivoAchados.Usa(sistema);
  arquivoLista.Usa(sistema);
  relatorio_.Usa(sistema);
  entrada.Usa(sistema);
}

void Execucao::DefineTransbordo(const std::filesystem::path& pasta, std::size_t limite) {
  for (ArquivoTrabalho* arquivo : {&arquivoAchados, &arquivoLista, &relatorio_})
    arquivo->DefineTransbordo(pasta.string(), limite);
}

std::string Execucao::TextoParam() const {
  return status_.empty() ? std::string() : "\r\n" + status_ + "\r\n";
}

void Execucao::DescartaRelatorio() noexcept {
  arquivoAchados.Descarta();
  arquivoLista.Descarta();
  relatorio_.Descarta();
  status_.clear();
}

void Execucao::LimpaVariaveis() {
  estado_.reset();
  LinhaAtual.clear();
  LinhaLida = {};
  DeslocamentoLinha = 0;
  LinhaCabecalho = 0;
  DeslocamentoCabecalho = -1;
  RegistroAtual.Limpa();
  CabecalhoROL.Limpa();
  HouveErro = false;
  CabecalhoLido = false;
  ListaROLs.clear();
  QtdROLs = 0;
  NumLinha = 0;
}

void Execucao::AcrescentaListaROLs(std::string_view entrada) {
  ListaROLs.append(entrada);
  if (ListaROLs.size() > 69) {
    arquivoLista.EscreveLinha(ListaROLs);
    ListaROLs.clear();
  }
}

void Execucao::MostraContribuinte(std::string_view inscricaoLatin1) {
  // A registration of digits and a slash is shown as it is; anything else is converted in a reused
  // buffer. In the one-line layouts this happens at every line.
  if (SoAscii(inscricaoLatin1)) {
    tela_.DefineContrib(inscricaoLatin1);
  } else {
    contribUtf8_.clear();
    AcrescentaUtf8(contribUtf8_, inscricaoLatin1);
    tela_.DefineContrib(contribUtf8_);
  }
  tela_.AtualizaProgresso();
}

}  // namespace rolval
