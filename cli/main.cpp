// rolval-cli: validation runs from a terminal or a script, one file or many.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "VersaoPrograma.h"
#include "cli/Correcao.h"
#include "cli/ListaArquivos.h"
#include "cli/Lote.h"
#include "cli/Opcoes.h"
#include "cli/RelatoriosGuardados.h"
#include "cli/SaidaJson.h"
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
  Entrega(const Opcoes& opcoes, const std::vector<std::string>& arquivos, SaidaVerificada& saida,
          GuardaSinais& guarda)
      : opcoes_(opcoes),
        arquivos_(arquivos.size()),
        saida_(saida),
        varios_(arquivos.size() > 1),
        jsonl_(opcoes.formato == FormatoSaida::Jsonl),
        saidaTerminal_(::isatty(STDOUT_FILENO) == 1),
        erroTerminal_(::isatty(STDERR_FILENO) == 1) {
    if (varios_ && !opcoes.pasta.empty()) guardados_.emplace(opcoes.pasta, arquivos, &guarda);
  }

  // A message of the program's own about `caminho`, as every message is given.
  void Aviso(const std::string& caminho, const std::string& texto) {
    Mensagem(caminho, texto);
    status_ = std::max(status_, SaidaSemRelatorio);
  }

  // False once nothing more can be delivered.
  bool Um(ResultadoArquivo& r) {
    status_ = std::max(status_, r.StatusSaida());
    totalAchados_ += r.achados;
    (r.Ok() ? arquivosOk_ : r.TemRelatorio() ? arquivosNok_ : semRelatorio_) += 1;
    Mensagens(r);
    if (opcoes_.resumo && !jsonl_)
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
    if (!opcoes_.resumo || jsonl_) return;
    // TOTAL, files, files OK, files NOK, files without a report, findings.
    char linha[256];
    std::snprintf(linha, sizeof linha, "TOTAL\t%zu\t%d\t%d\t%d\t%lld\n", arquivos_, arquivosOk_,
                  arquivosNok_, semRelatorio_, static_cast<long long>(totalAchados_));
    saida_.Escreve(linha);
  }

  int status() const { return status_; }

 private:
  std::string NomeNaSaida(const std::string& nome) const {
    return saidaTerminal_ ? EscapaParaTerminal(nome) : nome;
  }

  void Mensagem(const std::string& caminho, const std::string& texto) {
    const std::string nome = erroTerminal_ ? EscapaParaTerminal(caminho) : caminho;
    std::fprintf(stderr, "rolval-cli: %s: %s\n", nome.c_str(), texto.c_str());
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
                              (r.Ok()             ? "OK"
                               : r.TemRelatorio() ? "NOK"
                                                  : "NO_REPORT") +
                              "\t" + std::to_string(r.retornos) + "\t" + std::to_string(r.achados) +
                              "\n";
    saida_.Escreve(linha);
  }

  void Json(const ResultadoArquivo& r) {
    if (!opcoes_.resumo) CopiaTrabalho(r, r.achadosJson, false);
    saida_.Escreve(JsonDoResumo(r) + "\n");
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
      std::fprintf(stderr, "rolval-cli: %s: the report could not be read back: %s\n",
                   r.arquivo.c_str(), falha.what());
      status_ = std::max(status_, SaidaSemRelatorio);
    }
    utf8.clear();
    conversor.Termina(utf8);
    saida_.Escreve(utf8);
  }

  void Guarda(const ResultadoArquivo& r) {
    const std::string erro = guardados_->Guarda(r);
    if (erro.empty()) return;
    std::fprintf(stderr, "rolval-cli: %s: cannot keep the report in '%s': %s\n", r.arquivo.c_str(),
                 opcoes_.pasta.c_str(), erro.c_str());
    status_ = std::max(status_, SaidaSemRelatorio);
  }

  const Opcoes& opcoes_;
  const std::size_t arquivos_;
  SaidaVerificada& saida_;
  const bool varios_;
  const bool jsonl_;
  const bool saidaTerminal_;
  const bool erroTerminal_;
  std::optional<RelatoriosGuardados> guardados_;
  int status_ = 0;
  int arquivosOk_ = 0, arquivosNok_ = 0, semRelatorio_ = 0;
  std::int64_t totalAchados_ = 0;
};

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

  // Lists and folders that cannot be read are told once the list is known, with their path.
  std::vector<std::pair<std::string, std::string>> avisos;
  std::vector<std::string> arquivos;
  if (!MontaListaDeArquivos(
          opcoes, arquivos,
          [&avisos](const std::string& c, const std::string& t) { avisos.emplace_back(c, t); },
          erro)) {
    std::fprintf(stderr, "rolval-cli: %s\nTry 'rolval-cli --help'.\n", erro.c_str());
    return SaidaUso;
  }

  const bool varios = arquivos.size() > 1;
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
  pedido.formato = opcoes.formato;
  if (!varios) pedido.pastaUnica = opcoes.pasta;
  pedido.progresso = ModoDoProgresso(opcoes);
  pedido.dicas = !opcoes.silencioso;
  pedido.guarda = &guarda;

  Entrega entrega(opcoes, arquivos, saida, guarda);
  for (const auto& [caminho, texto] : avisos) entrega.Aviso(caminho, texto);
  ValidaLote(arquivos, pedido, [&](ResultadoArquivo& r) { return entrega.Um(r); });
  entrega.Total();
  if (!saida.Fecha()) return FalhaDeEscrita(saida.erro(), guarda);
  return entrega.status();
}
