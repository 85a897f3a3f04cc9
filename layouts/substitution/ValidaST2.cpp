#include "layouts/substitution/ValidaST2.h"

#include "layouts/substitution/AnexosST2.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/EstadoST2.h"
#include "run/Campo.h"
#include "run/Formatos.h"

namespace rolval {

namespace {

constexpr CampoRegistro TipoDoRegistro = CampoDe(CamposCabecalhoST2, "Tipo de registro");
constexpr CampoRegistro Leiaute = CampoDe(CamposCabecalhoST2, "Identificação do leiaute");
constexpr CampoRegistro Periodo = CampoDe(CamposCabecalhoST2, "Mês/ano de referência");
constexpr CampoRegistro Inscricao = CampoDe(CamposCabecalhoST2, "Inscrição estadual");

// Closes the return in hand and opens the one this header starts: the findings of the closed
// return are written before anything of the new header is stored, so they still name it.
void AbreRetornoST2(Execucao& ex, std::string_view linha) {
  EstadoST2& st = ST2(ex);
  st.ChaveAnexoI.clear();
  st.ChaveAnexoII.clear();
  st.ChaveAnexoIII.clear();
  if (Campo(linha, Leiaute) != "RST02") ex.GravaErroDoArquivo(CodigoM::ArquivoNaoROL);
  ConfereAnexosST(ex);

  ex.RegistroAtual.Inscricao.assign(Campo(linha, Inscricao));
  ex.RegistroAtual.MesAnoRef = Campo(linha, Periodo);
  ex.MostraContribuinte(ex.RegistroAtual.Inscricao);

  // List entry: the registration as read, the period masked, two blanks.
  std::string& entrada = st.EntradaLista;
  entrada.assign(ex.RegistroAtual.Inscricao);
  entrada.push_back(' ');
  AcrescentaPeriodoMascarado(entrada, ex.RegistroAtual.MesAnoRef);
  entrada.append("  ");
  ex.AcrescentaListaROLs(entrada);

  ++ex.QtdROLs;
  st.SomaAnexoI = 0;
  st.SomaAnexoII = 0;
  st.ContaAnexoI = 0;
  st.ContaAnexoII = 0;
  st.ContaAnexoIII = 0;
  st.LinhaCabecalho = ex.NumLinha;
}

void ValidaCabecalhoST2(Execucao& ex, std::string_view linha) {
  AbreRetornoST2(ex, linha);
  LeituraCabecalhoST2 leitura;
  ValidaIdentificacaoST2(ex, linha, leitura);
  ST2(ex).RefAAAAMM = leitura.RefAAAAMM;
  ValidaValoresST2(ex, linha, leitura);
  ValidaDeclaranteST2(ex, linha, leitura);
}

}  // namespace

void ValidaST2(Execucao& ex, std::string_view linha) {
  // The run driver has already reported any type other than these four. A type of two
  // characters with no blank is the one the record starts with.
  if (linha.size() < 2 || linha[0] != 'A') return;
  switch (linha[1]) {
    case '0':
      ValidaCabecalhoST2(ex, linha);
      break;
    case '1':
      ValidaAnexoIouII(ex, linha, AnexoST2::I);
      break;
    case '2':
      ValidaAnexoIouII(ex, linha, AnexoST2::II);
      break;
    case '3':
      ValidaAnexoIII(ex, linha);
      break;
    default:
      break;
  }
}

void PreparaST2(Execucao& ex) {
  ST2(ex).UFFavorecida.clear();
  ex.TabelaCabecalho = &TabelasST2()[0];
}

bool ReconheceROLST02(std::string_view primeiraLinha) {
  return Campo(primeiraLinha, Leiaute) == "RST02";
}

int ComprimentoRegistroST2(std::string_view linha) {
  // The four types have no blank, so a record has one of them only as its first two characters.
  if (linha.size() < 2 || linha[0] != 'A') return 0;
  switch (linha[1]) {
    case '0':
      return ComprimentoCabecalhoST2;
    case '1':
    case '2':
      return ComprimentoAnexoIST2;
    case '3':
      return ComprimentoAnexoIIIST2;
    default:
      return 0;
  }
}

int EnquadraST2(Execucao& ex, std::string_view linha, int comprimentoAnterior) {
  const int comprimento = ComprimentoRegistroST2(linha);
  if (comprimento > 0) {
    ex.RegistroAtual.TipoRegistro = linha.substr(0, TipoDoRegistro.tamanho);
    ex.TabelaAtual = &TabelasST2()[static_cast<std::size_t>(linha[1] - '0')];
    return comprimento;
  }
  ex.TabelaAtual = &TabelaTipoDesconhecidoST2();
  ex.RegistroAtual.TipoRegistro = Apara(Campo(linha, TipoDoRegistro));
  ex.RegistroAtual.MesAnoRef = "";
  ex.GravaErro(CodigoM::IdentificacaoRegistroInvalida, TipoDoRegistro.coluna,
               TipoDoRegistro.Ultima());
  return comprimentoAnterior;
}

}  // namespace rolval
