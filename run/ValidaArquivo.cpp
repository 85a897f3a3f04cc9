#include "run/ValidaArquivo.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

#include "run/Falha.h"

namespace rolval {

namespace {

// Longest line the reader keeps: more than any record, so that a longer line is still seen as such.
constexpr std::size_t LimiteLinha = 1024;

// What stands at a path the run is to read.
enum class Caminho { Arquivo, Pasta, Ausente };

Caminho OQueHa(const std::string& caminho) {
  struct stat st {};
  if (::stat(caminho.c_str(), &st) != 0) return Caminho::Ausente;
  return S_ISDIR(st.st_mode) ? Caminho::Pasta : Caminho::Arquivo;
}

// Percentage of the file read, from the position after the line just read, in 128-byte blocks
// as the progress bar has always counted it; never above 100.
float ValorProgresso(std::int64_t posicao, std::int64_t tamanho, int comprimento) {
  const double denominador = static_cast<double>(tamanho - comprimento);
  if (denominador <= 0) return 100.0f;  // a file of one record without its line end
  // Whole blocks read: the division drops the part of a block on purpose.
  const double blocos = static_cast<double>(posicao / 128);  // NOLINT(bugprone-integer-division)
  const double valor = std::nearbyint(blocos * 100.0 / denominador * 128.0);
  return static_cast<float>(std::min(valor, 100.0));
}

void FechaTudo(Execucao& ex) noexcept {
  ex.entrada.Fecha();
  ex.arquivoAchados.FechaEmSilencio();
  ex.arquivoLista.FechaEmSilencio();
}

// The end of every run that gets a report: the input and the work files closed, then the report.
void Conclui(Execucao& ex) {
  ex.entrada.Fecha();
  ex.arquivoAchados.Fecha();
  ex.arquivoLista.Fecha();
  ex.GeraSaida();
}

// The failure handler's report for a failure met after recognition: one file-level finding,
// then the report. False when even that could not be written.
bool RelatorioDeFalha(Execucao& ex, CodigoM codigo) noexcept {
  try {
    ex.entrada.Fecha();
    if (!ex.arquivoAchados.Aberto()) ex.arquivoAchados.Acrescenta();
    ex.GravaErroDoArquivo(codigo);
    Conclui(ex);
    return true;
  } catch (...) {
    FechaTudo(ex);
    return false;
  }
}

// Whether a file the run would publish is the input itself.
bool PublicariaSobreEntrada(const Execucao& ex, const std::string& caminho) {
  const std::filesystem::path& pasta = ex.pastaRelatorio();
  return !pasta.empty() &&
         (EscreveriaSobre(pasta, NomeSaida, caminho) || EscreveriaSobre(pasta, NomeParam, caminho));
}

}  // namespace

// The progress value of the read loop. It depends only on the 128-byte blocks read and on the
// record length: the window is given it when a line ends in another block or has another length
// than the line before (a line in the same block as the one before, of the same length, has its
// value already).
class CorridaArquivo::ProgressoLeitura {
 public:
  explicit ProgressoLeitura(std::int64_t tamanho) : tamanho_(tamanho) {}
  void Define(Tela& tela, std::int64_t posicao, int comprimento) {
    const std::int64_t bloco = posicao / 128;
    if (bloco == bloco_ && comprimento == comprimento_) return;
    bloco_ = bloco;
    comprimento_ = comprimento;
    tela.DefineValorProgresso(ValorProgresso(bloco * 128, tamanho_, comprimento_));
  }

 private:
  std::int64_t tamanho_;
  std::int64_t bloco_ = -1;
  int comprimento_ = -1;
};

void AdotaLayout(Execucao& ex, const LayoutArquivo& layout) {
  ex.controle.Documento = layout.documento;
  ex.controle.Forma = layout.forma;
  ex.DefineEstado(layout.criaEstado != nullptr ? layout.criaEstado() : nullptr);
}

const LayoutArquivo* ReconheceLayout(const TabelaLayouts& tabela, std::string_view primeiraLinha) {
  for (const LayoutArquivo& layout : tabela.layouts)
    if (layout.reconhece(primeiraLinha)) return &layout;
  return nullptr;
}

Desfecho ValidaArquivo(Execucao& ex, std::string_view nomeArq, const TabelaLayouts& tabela) {
  CorridaArquivo corrida(ex, nomeArq, tabela);
  while (corrida.Avanca()) {
  }
  return corrida.Resultado();
}

CorridaArquivo::CorridaArquivo(Execucao& execucao, std::string_view nomeArq,
                               const TabelaLayouts& tabela)
    : ex_(execucao), nomeArq_(nomeArq), tabela_(tabela) {}

CorridaArquivo::~CorridaArquivo() = default;

bool CorridaArquivo::Avanca() {
  if (fase_ == Fase::Inicio) {
    if (!ex_.entrada.LinhaAoAlcance(LimiteLinha)) return true;
    if (!Comeca()) return false;
    fase_ = Fase::Linhas;
  }
  if (fase_ == Fase::Linhas) {
    if (LeLinhas()) return true;
    if (fase_ == Fase::Linhas) Termina();
  }
  return false;
}

// The end of a run: the outcome kept; a run that ends without a report leaves no report of an
// earlier run to be taken for its own.
void CorridaArquivo::Encerra(Desfecho desfecho) {
  fase_ = Fase::Encerrada;
  desfecho_ = desfecho;
  if (desfecho != Desfecho::SemRelatorio) return;
  Execucao& ex = ex_;
  ex.DescartaRelatorio();
  const std::string motivo =
      ex.pastaRelatorio().empty() ? std::string() : RetiraRelatorio(ex.pastaRelatorio());
  // Files that cannot be removed are said to be someone else's, never left to pass for ours.
  if (!motivo.empty())
    ex.tela().MostraMensagem(MensagemRelatorioAnterior(motivo), "Atenção",
                             IconeMensagem::Informacao);
}

bool CorridaArquivo::Comeca() {
  Execucao& ex = ex_;
  Tela& tela = ex.tela();
  ex.DescartaRelatorio();
  ex.CausaFalha.clear();
  ex.controle.NomeArquivo = nomeArq_;
  if (PublicariaSobreEntrada(ex, ex.controle.NomeArquivo)) {
    ex.LimpaVariaveis();
    tela.MostraMensagem(
        "O arquivo a ser validado é o saida.txt ou o param.txt da pasta do relatório e não pode "
        "ser substituído pelo relatório; copie-o para outra pasta antes de validá-lo.",
        "Atenção", IconeMensagem::Informacao);
    fase_ = Fase::Encerrada;
    desfecho_ = Desfecho::SemRelatorio;
    return false;
  }
  // The folder holds no report while the run lasts: one stopped half-way leaves none to be taken
  // for its own.
  if (!ex.pastaRelatorio().empty()) RetiraRelatorio(ex.pastaRelatorio());
  ex.LimpaVariaveis();
  try {
    tela.MostraProgresso();
    ex.controle.NomeArquivo = nomeArq_;
    const std::string& caminho = ex.controle.NomeArquivo;
    ex.arquivoAchados.Abre();
    ex.arquivoLista.Abre();

    if (const Caminho ha = OQueHa(caminho); ha != Caminho::Arquivo) {
      FechaTudo(ex);
      tela.EscondeProgresso();
      tela.MostraMensagem(ha == Caminho::Pasta
                              ? "O caminho especificado é uma pasta; escolha um arquivo nela."
                              : "Não foi possível localizar o arquivo especificado.",
                          "Atenção", IconeMensagem::Informacao);
      Encerra(Desfecho::SemRelatorio);
      return false;
    }
    ex.entrada.Abre(caminho);
    ex.entrada.LeLinha(ex.LinhaAtual, LimiteLinha);

    layout_ = ReconheceLayout(tabela_, ex.LinhaAtual);
    if (layout_ == nullptr) {
      ex.controle.Documento = "";
      ex.controle.Forma = {};
      ex.GravaErroDoArquivo(CodigoM::ArquivoNaoROL);
      Conclui(ex);
      tela.EscondeProgresso();
      tela.MostraSaida();
      Encerra(Desfecho::RelatorioNOK);
      return false;
    }
    AdotaLayout(ex, *layout_);
    reconhecido_ = true;
    // Start again from the first line, so that the read loop counts it.
    ex.entrada.Fecha();
    ex.entrada.Abre(caminho);
    comprimento_ = layout_->comprimento;

    if (layout_->verificaTamanho) {
      const std::int64_t tamanho = ex.entrada.Tamanho();
      const std::int64_t registro = comprimento_ + 2;  // every record carries its CR LF
      if (tamanho % registro != 0 || tamanho / registro == 0) {
        ex.GravaErroDoArquivo(CodigoM::ArquivoNaoROL);
        ler_ = false;
      }
    }
    if (ler_ && layout_->prepara != nullptr) layout_->prepara(ex);
    progresso_ = std::make_unique<ProgressoLeitura>(ex.entrada.Tamanho());
    return true;
  } catch (const FalhaExecucao& falha) {
    Falhou(&falha);
  } catch (const std::exception&) {
    Falhou(nullptr);
  }
  return false;
}

bool CorridaArquivo::LeLinhas() {
  Execucao& ex = ex_;
  Tela& tela = ex.tela();
  const LayoutArquivo& layout = *layout_;
  try {
    // Each line is a view into the reader's buffer, valid until the next line is read; the run
    // state keeps a copy of the last one only when the reading ends.
    while (ler_) {
      if (!ex.entrada.LinhaAoAlcance(LimiteLinha)) return true;
      if (ex.entrada.Fim()) break;
      ex.DeslocamentoLinha = ex.entrada.Posicao();
      linha_ = ex.entrada.LeLinha(LimiteLinha);
      ex.LinhaLida = linha_;
      ++ex.NumLinha;
      if (layout.enquadra != nullptr) comprimento_ = layout.enquadra(ex, linha_, comprimento_);
      progresso_->Define(tela, ex.entrada.Posicao(), comprimento_);
      if (linha_.size() != static_cast<std::size_t>(comprimento_)) {
        ex.GravaErroDoArquivo(CodigoM::ArquivoNaoROL);
        break;
      }
      if (layout.antesDeValidar != nullptr && !layout.antesDeValidar(ex, linha_)) break;
      tela.AtualizaProgresso();
      if (!legendaDefinida_) {
        tela.DefineVer(layout.legenda);  // the same caption for every line of the file
        legendaDefinida_ = true;
      }
      if (layout.valida != nullptr) layout.valida(ex, linha_);
      // A header line opens a return: only now, so that the findings of the return it closes,
      // made while it was read, still name the return's own header.
      if (ex.TabelaAtual != nullptr && ex.TabelaAtual == ex.TabelaCabecalho) {
        ex.LinhaCabecalho = ex.NumLinha;
        ex.DeslocamentoCabecalho = ex.DeslocamentoLinha;
      }
    }
  } catch (const FalhaExecucao& falha) {
    Falhou(&falha);
  } catch (const std::exception&) {
    Falhou(nullptr);
  }
  return false;
}

void CorridaArquivo::Termina() {
  Execucao& ex = ex_;
  Tela& tela = ex.tela();
  try {
    // At the end of the file the reader has read nothing into its buffer since the last line:
    // no record is as long as a line cut at the reader's limit, so such a line fails the length
    // check and leaves the loop by its break before the rest of it is skipped.
    if (ex.NumLinha > 0) ex.LinhaAtual.assign(linha_);
    ex.LinhaLida = ex.LinhaAtual;  // the reader's buffer goes on to other uses

    // End phase.
    if (ex.ListaROLs.size() > 1) ex.arquivoLista.EscreveLinha(ex.ListaROLs);
    if (layout_->fechaArquivo != nullptr) layout_->fechaArquivo(ex);
    Conclui(ex);
    tela.EscondeProgresso();
    tela.MostraSaida();
    Encerra(ex.HouveErro ? Desfecho::RelatorioNOK : Desfecho::RelatorioOK);
  } catch (const FalhaExecucao& falha) {
    Falhou(&falha);
  } catch (const std::exception&) {
    Falhou(nullptr);
  }
}

// A failure of the system's calls (`falha`), or anything else (null: memory exhausted, a failed
// conversion), handled as an unknown failure.
void CorridaArquivo::Falhou(const FalhaExecucao* falha) {
  Execucao& ex = ex_;
  Tela& tela = ex.tela();
  if (falha != nullptr) {
    if (falha->classe() != ClasseFalha::Outra) ex.CausaFalha = falha->what();
    switch (falha->classe()) {
      case ClasseFalha::Acesso:
      case ClasseFalha::Dispositivo: {
        const bool relatorio =
            reconhecido_ && RelatorioDeFalha(ex, falha->classe() == ClasseFalha::Acesso
                                                     ? CodigoM::ArquivoNaoEncontrado
                                                     : CodigoM::UnidadeIlegivel);
        FechaTudo(ex);
        tela.EscondeProgresso();
        Encerra(relatorio ? Desfecho::RelatorioSemJanela : Desfecho::SemRelatorio);
        return;
      }
      case ClasseFalha::DiscoCheio:
        FechaTudo(ex);
        tela.MostraMensagem("Disco Cheio. Não é possível Executar Validador.", "Atenção",
                            IconeMensagem::Nenhum);
        tela.EscondeProgresso();
        Encerra(Desfecho::SemRelatorio);
        return;
      case ClasseFalha::Outra:
        break;
    }
  }
  FechaTudo(ex);
  tela.EscondeProgresso();
  tela.MostraMensagem("Não foi possível acessar o arquivo que você marcou para ser validado.",
                      "Atenção", IconeMensagem::Informacao);
  Encerra(Desfecho::SemRelatorio);
}

}  // namespace rolval
