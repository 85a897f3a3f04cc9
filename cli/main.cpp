// rolval-cli: validation runs from a terminal or a script, one file or many.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "VersaoPrograma.h"
#include "achados/Escritores.h"
#include "cli/Correcao.h"
#include "cli/ListaArquivos.h"
#include "cli/Lote.h"
#include "cli/Opcoes.h"
#include "cli/RelatoriosGuardados.h"
#include "cli/Sinais.h"
#include "cli/Terminal.h"
#include "run/Falha.h"

namespace fs = std::filesystem;
using namespace rolval;

namespace {

constexpr int SaidaSemRelatorio = 2;
constexpr int SaidaUso = 64;

// A program started with standard input, output or error closed would hand the next files it
// opens those numbers, and its own text would land in them. Each closed one is opened on
// /dev/null: standard output read-only, so that writing the reports there fails as it should.
void AbreDescritoresFechados() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int aberto = ::open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
    if (aberto >= 0 && aberto != fd) {
      ::dup2(aberto, fd);
      ::close(aberto);
    }
  }
}

// Standard output, every write checked: after the first failure nothing more is written, and
// the failure is what the program reports at its end.
class SaidaVerificada {
 public:
  bool Escreve(std::string_view bytes) {
    if (erro_ != 0) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
      Falhou();
    return erro_ == 0;
  }
  bool Descarrega() {
    if (erro_ == 0 && std::fflush(stdout) != 0) Falhou();
    return erro_ == 0;
  }
  bool Fecha() {
    Descarrega();
    if (std::fclose(stdout) != 0 && erro_ == 0) erro_ = errno != 0 ? errno : EIO;
    return erro_ == 0;
  }
  int erro() const { return erro_; }

 private:
  void Falhou() { erro_ = errno != 0 ? errno : EIO; }
  int erro_ = 0;
};

// Hands each file's result to the user: messages on stderr, the report, JSON Lines or the summary
// line on stdout, and with several files and --dir the kept reports.
class Entrega {
 public:
  Entrega(const Opcoes& opcoes, bool varios, SaidaVerificada& saida, GuardaSinais& guarda)
      : opcoes_(opcoes),
        saida_(saida),
        varios_(varios),
        jsonl_(opcoes.formato == FormatoSaida::Jsonl),
        csv_(opcoes.formato == FormatoSaida::Csv),
        saidaTerminal_(::isatty(STDOUT_FILENO) == 1),
        erroTerminal_(::isatty(STDERR_FILENO) == 1) {
    if (varios_ && !opcoes.pasta.empty())
      guardados_.emplace(opcoes.pasta, &guarda, !opcoes.semSincronia);
  }

  // A message of the program's own about `caminho`, kept until the next result or the end:
  // the list is read by whichever thread starts the next file.
  void Aviso(const std::string& caminho, const std::string& texto) {
    std::lock_guard<std::mutex> g(travaAvisos_);
    avisos_.emplace_back(caminho, texto);
  }

  // Each file the list gives, before it is started.
  void Arquivo(const std::string& caminho) {
    if (guardados_) guardados_->Registra(caminho);
  }

  // The messages kept by Aviso, told; whether there were any.
  bool Avisos() {
    std::vector<std::pair<std::string, std::string>> avisos;
    {
      std::lock_guard<std::mutex> g(travaAvisos_);
      avisos.swap(avisos_);
    }
    for (const auto& [caminho, texto] : avisos) Mensagem(caminho, texto);
    if (!avisos.empty()) status_ = std::max(status_, SaidaSemRelatorio);
    return !avisos.empty();
  }

  // The csv format's byte-order mark and header row, before any file.
  void Comeca() {
    if (!csv_) return;
    std::string s(MarcaUtf8);
    if (opcoes_.resumo)
      AcrescentaCsvCabecalhoResumo(s, opcoes_.separador);
    else
      AcrescentaCsvCabecalho(s, opcoes_.separador);
    saida_.Escreve(s);
  }

  // False once nothing more can be delivered.
  bool Um(ResultadoArquivo& r) {
    Avisos();
    ++arquivos_;
    status_ = std::max(status_, r.StatusSaida());
    totalAchados_ += r.achados;
    (r.Ok() ? arquivosOk_ : r.TemRelatorio() ? arquivosNok_ : semRelatorio_) += 1;
    contagem_.Junta(r.contagem);
    Mensagens(r);
    if (csv_)
      Csv(r);
    else if (opcoes_.resumo && !jsonl_)
      LinhaDeResumo(r);
    else if (jsonl_)
      Json(r);
    else
      Relatorio(r);
    if (!saida_.Descarrega()) return false;
    if (guardados_ && r.TemRelatorio()) Guarda(r);
    return true;
  }

  void Total() {
    if (opcoes_.resumo && !jsonl_ && !csv_) {
      // TOTAL, files, files OK, files NOK, files without a report, findings.
      char linha[256];
      std::snprintf(linha, sizeof linha, "TOTAL\t%zu\t%d\t%d\t%d\t%lld\n", arquivos_, arquivosOk_,
                    arquivosNok_, semRelatorio_, static_cast<long long>(totalAchados_));
      saida_.Escreve(linha);
    }
    if (opcoes_.contagem) Contagem();
  }

  int status() const { return status_; }
  std::size_t arquivos() const { return arquivos_; }

 private:
  // A name in a line of the summary or a header: a tab or a line end in it would forge a field
  // or a line, so its control bytes are always escaped, as on a terminal.
  static std::string NomeNaSaida(const std::string& nome) { return EscapaParaTerminal(nome); }

  void Mensagem(const std::string& caminho, const std::string& texto) {
    if (erroTerminal_)
      std::fprintf(stderr, "rolval-cli: %s: %s\n", EscapaParaTerminal(caminho).c_str(),
                   EscapaParaTerminal(texto).c_str());
    else
      std::fprintf(stderr, "rolval-cli: %s: %s\n", caminho.c_str(), texto.c_str());
  }

  void Mensagens(const ResultadoArquivo& r) {
    for (const auto& m : r.mensagens) Mensagem(r.arquivo, m);
    if (!r.TemRelatorio() && r.mensagens.empty())
      Mensagem(r.arquivo, "the run ended without a report");
    for (const auto& d : r.dicas) Mensagem(r.arquivo, d);
  }

  // Path, document, status, returns, findings.
  void LinhaDeResumo(const ResultadoArquivo& r) {
    const std::string linha = NomeNaSaida(r.arquivo) + "\t" + r.documento + "\t" +
                              std::string(NomeDoStatus(r.desfecho)) + "\t" +
                              std::to_string(r.retornos) + "\t" + std::to_string(r.achados) + "\n";
    saida_.Escreve(linha);
  }

  void Json(const ResultadoArquivo& r) {
    if (!opcoes_.resumo && !r.achadosEntregues) CopiaTrabalho(r, r.achadosJson, false);
    std::string s;
    AcrescentaJsonResumo(s, ResumoDe(r));
    saida_.Escreve(s);
  }

  void Csv(const ResultadoArquivo& r) {
    if (!opcoes_.resumo) {
      if (!r.achadosEntregues) CopiaTrabalho(r, r.achadosJson, false);
      return;
    }
    std::string s;
    AcrescentaCsvResumo(s, ResumoDe(r), opcoes_.separador);
    saida_.Escreve(s);
  }

  // The tally of every file delivered; in the csv format a table of its own after a blank row.
  void Contagem() {
    std::string s;
    if (csv_) {
      s.append("\r\n");
      AcrescentaCsvCabecalhoContagem(s, opcoes_.separador);
    }
    for (const LinhaContagem& l : contagem_.Linhas()) {
      if (jsonl_)
        AcrescentaJsonContagem(s, l);
      else if (csv_)
        AcrescentaCsvContagem(s, l, opcoes_.separador);
      else
        AcrescentaTextoContagem(s, l);
    }
    saida_.Escreve(s);
  }

  void Relatorio(const ResultadoArquivo& r) {
    if (varios_) saida_.Escreve("==> " + NomeNaSaida(r.arquivo) + " <==\n");
    if (r.TemRelatorio()) CopiaTrabalho(r, r.relatorio, true);
  }

  // A run's work file to stdout: as it is, or a report (Latin-1) as UTF-8.
  void CopiaTrabalho(const ResultadoArquivo& r, const ArquivoTrabalho& arquivo, bool relatorio) {
    ConversorRelatorio conversor(saidaTerminal_);
    std::string utf8;
    try {
      arquivo.Le([&](std::string_view bloco) {
        if (!relatorio) {
          saida_.Escreve(bloco);
          return;
        }
        utf8.clear();
        conversor.Converte(bloco, utf8);
        saida_.Escreve(utf8);
      });
    } catch (const FalhaExecucao& falha) {
      Mensagem(r.arquivo, std::string("the report could not be read back: ") + falha.what());
      status_ = std::max(status_, SaidaSemRelatorio);
    }
    utf8.clear();
    conversor.Termina(utf8);
    saida_.Escreve(utf8);
  }

  void Guarda(const ResultadoArquivo& r) {
    std::string nome;
    const std::string erro = guardados_->Guarda(r, nome);
    if (erro.empty()) {
      // A name with a suffix could be another input's own: which input it belongs to is said.
      if (nome != fs::path(r.arquivo).filename().string())
        Mensagem(r.arquivo, "report kept as '" + nome + ".saida.txt' and '" + nome + ".param.txt'");
      return;
    }
    Mensagem(r.arquivo, "cannot keep the report in '" + opcoes_.pasta + "': " + erro);
    status_ = std::max(status_, SaidaSemRelatorio);
  }

  const Opcoes& opcoes_;
  std::size_t arquivos_ = 0;
  SaidaVerificada& saida_;
  const bool varios_;
  const bool jsonl_;
  const bool csv_;
  const bool saidaTerminal_;
  const bool erroTerminal_;
  std::optional<RelatoriosGuardados> guardados_;
  std::mutex travaAvisos_;
  std::vector<std::pair<std::string, std::string>> avisos_;
  int status_ = 0;
  int arquivosOk_ = 0, arquivosNok_ = 0, semRelatorio_ = 0;
  std::int64_t totalAchados_ = 0;
  ContagemAchados contagem_;
};

// Whether standard output and error are one file that keeps the order of what is written to it (a
// terminal, a pipe, a regular file, as with 2>&1; not /dev/null); when either cannot be looked at,
// taken as one.
bool SaidaEErroNoMesmoArquivo() {
  struct stat saida {};
  struct stat erro {};
  if (::fstat(STDOUT_FILENO, &saida) != 0 || ::fstat(STDERR_FILENO, &erro) != 0) return true;
  if (saida.st_dev != erro.st_dev || saida.st_ino != erro.st_ino) return false;
  return !S_ISCHR(saida.st_mode) || ::isatty(STDOUT_FILENO) == 1;
}

// The folder of --dir, made when missing. False, with the reason, when it cannot be used.
bool PreparaPasta(const std::string& pasta, std::string& motivo) {
  std::error_code e;
  fs::create_directories(pasta, e);
  const bool pastaOk = fs::is_directory(pasta, e);
  if (pastaOk && ::access(pasta.c_str(), W_OK | X_OK) == 0) return true;
  motivo = e ? e.message() : pastaOk ? std::strerror(errno) : "not a folder";
  return false;
}

// A failed write to stdout: a closed pipe ends the program as SIGPIPE would (unless SIGPIPE was
// ignored); anything else is said on stderr.
int FalhaDeEscrita(int erro, GuardaSinais& guarda) {
  if (erro == EPIPE && !guarda.SigpipeIgnorado()) guarda.TerminaCom(SIGPIPE);
  std::fprintf(stderr, "rolval-cli: write error: %s\n", std::strerror(erro));
  return SaidaSemRelatorio;
}

// How the progress of a single file is shown on stderr.
ModoProgresso ModoDoProgresso(const Opcoes& opcoes) {
  if (opcoes.silencioso || opcoes.semProgresso || ::isatty(STDERR_FILENO) != 1)
    return ModoProgresso::Nenhum;
  const char* term = std::getenv("TERM");
  if (term == nullptr || *term == '\0' || std::strcmp(term, "dumb") == 0)
    return ModoProgresso::Simples;
  return ModoProgresso::Completo;
}

}  // namespace

int main(int argc, char** argv) {
  AbreDescritoresFechados();
  // Past a file-size limit a write fails (EFBIG) and is told as any failed write, instead of the
  // signal ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  std::string erro;
  auto lidas = LeOpcoes(argc, argv, erro);
  if (!lidas) {
    std::fprintf(stderr, "rolval-cli: %s\nTry 'rolval-cli --help'.\n", erro.c_str());
    return SaidaUso;
  }
  const Opcoes& opcoes = *lidas;
  GuardaSinais& guarda = GuardaSinais::Instala();
  SaidaVerificada saida;
  if (opcoes.ajuda || opcoes.versao) {
    if (opcoes.ajuda)
      EscreveAjuda();
    else
      EscreveVersao();
    return saida.Fecha() ? 0 : FalhaDeEscrita(saida.erro(), guarda);
  }
  if (opcoes.corrige && !TrocaPelaCopiaCorrigida(*lidas, guarda)) return SaidaSemRelatorio;

  // The list is read as files are started; what cannot be read in it is told before the next
  // result, with its path.
  Entrega* entregaAtual = nullptr;
  std::vector<std::pair<std::string, std::string>> avisosIniciais;
  ListaDeArquivos lista(opcoes, [&](const std::string& c, const std::string& t) {
    if (entregaAtual != nullptr)
      entregaAtual->Aviso(c, t);
    else
      avisosIniciais.emplace_back(c, t);
  });
  if (!lista.erro().empty()) {
    std::fprintf(stderr, "rolval-cli: %s\nTry 'rolval-cli --help'.\n", lista.erro().c_str());
    return SaidaUso;
  }
  // The first two files tell a single run from a batch.
  std::vector<std::string> primeiros;
  for (std::string a; primeiros.size() < 2 && lista.Proximo(a);) primeiros.push_back(a);

  const bool varios = primeiros.size() > 1;
  if (!opcoes.pasta.empty() && !PreparaPasta(opcoes.pasta, erro)) {
    std::fprintf(
        stderr, "rolval-cli: '%s' is not a folder that can be used: %s\n",
        (::isatty(STDERR_FILENO) == 1 ? EscapaParaTerminal(opcoes.pasta) : opcoes.pasta).c_str(),
        erro.c_str());
    return SaidaSemRelatorio;
  }

  PedidoLote pedido;
  pedido.trabalhos =
      opcoes.trabalhos != 0 ? opcoes.trabalhos : std::max(1u, std::thread::hardware_concurrency());
  // A summary prints no finding: none is written at all.
  pedido.formato = opcoes.resumo ? FormatoSaida::Texto : opcoes.formato;
  pedido.separador = opcoes.separador;
  pedido.contagem = opcoes.contagem;
  if (!varios) pedido.pastaUnica = opcoes.pasta;
  pedido.progresso = ModoDoProgresso(opcoes);
  pedido.dicas = !opcoes.silencioso;
  pedido.guarda = &guarda;
  pedido.limiteCopia = opcoes.limiteCopia;
  pedido.sincroniza = !opcoes.semSincronia;
  // Files validated one at a time write their findings straight to stdout as they come, not
  // through a work file. Not when stderr is the same file: there a file's messages come before
  // its findings, and they are only known once its run has ended.
  if (pedido.formato != FormatoSaida::Texto && !SaidaEErroNoMesmoArquivo())
    pedido.saidaAchados = [&saida](std::string_view bloco) { saida.Escreve(bloco); };

  Entrega entrega(opcoes, varios, saida, guarda);
  for (const auto& [caminho, texto] : avisosIniciais) entrega.Aviso(caminho, texto);
  entrega.Comeca();
  entregaAtual = &entrega;
  std::size_t dados = 0;
  const FonteArquivos fonte = [&](std::string& arquivo) {
    if (dados < primeiros.size())
      arquivo = std::move(primeiros[dados++]);
    else if (!lista.Proximo(arquivo))
      return false;
    entrega.Arquivo(arquivo);
    return true;
  };
  ValidaLote(fonte, !varios, pedido, [&](ResultadoArquivo& r) { return entrega.Um(r); });
  const bool avisou = entrega.Avisos();
  if (entrega.arquivos() == 0) {
    // Folders without a file, or lists without a name: a run that validated nothing is no OK.
    if (!avisou) std::fputs("rolval-cli: no file to validate\n", stderr);
    return SaidaSemRelatorio;
  }
  entrega.Total();
  if (!saida.Fecha()) return FalhaDeEscrita(saida.erro(), guarda);
  return entrega.status();
}
