#include "cli/Lote.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "cli/Entrada.h"
#include "achados/Escritores.h"
#include "layouts/Dicas.h"
#include "layouts/Layouts.h"
#include "run/Catalogos.h"

namespace rolval {

namespace {

// Counts the findings of a run, tallies them when asked and, for the jsonl and csv formats, writes
// each to the result's private work file (a failure there is a failure of the run, never a cut
// line) or, when `direto`, gathers them into large blocks for PedidoLote::saidaAchados.
class ContadorAchados : public OuvinteAchados {
 public:
  ContadorAchados(ResultadoArquivo& resultado, const PedidoLote& pedido, bool direto)
      : resultado_(resultado),
        formato_(pedido.formato),
        separador_(pedido.separador),
        contagem_(pedido.contagem),
        saida_(direto ? &pedido.saidaAchados : nullptr),
        arquivo_(formato_ == FormatoSaida::Csv ? NomeEmUtf8(resultado.arquivo)
                                               : NomeEmJson(resultado.arquivo)) {
    if (saida_ != nullptr) linha_.reserve(BlocoSaida + ReservaLinha);
  }
  void Anota(const Achado& achado) override {
    ++resultado_.achados;
    if (achado.Aviso()) ++resultado_.avisos;
    if (contagem_) resultado_.contagem.Anota(achado);
    if (formato_ == FormatoSaida::Texto) return;
    if (saida_ == nullptr) linha_.clear();
    if (formato_ == FormatoSaida::Jsonl)
      AcrescentaJsonAchado(linha_, arquivo_, achado);
    else
      AcrescentaCsvAchado(linha_, arquivo_, achado, separador_);
    if (saida_ == nullptr)
      resultado_.achadosJson.Escreve(linha_);
    else if (linha_.size() >= BlocoSaida)
      Termina();
  }
  // The lines still gathered go out (after the run, or when a block is full).
  void Termina() {
    if (saida_ == nullptr || linha_.empty()) return;
    (*saida_)(linha_);
    linha_.clear();
  }

 private:
  // Lines gathered before they go out: few large writes, and the buffer is never moved.
  static constexpr std::size_t BlocoSaida = std::size_t{128} << 10;
  static constexpr std::size_t ReservaLinha = std::size_t{16} << 10;
  ResultadoArquivo& resultado_;
  const FormatoSaida formato_;
  const char separador_;
  const bool contagem_;
  const std::function<void(std::string_view)>* saida_;
  const std::string arquivo_;  // as the findings name it: UTF-8 in CSV, a JSON string in JSON
  std::string linha_;          // reused for every finding, or the lines gathered
};

// `direto`: the findings go to pedido.saidaAchados as they come (files validated one at a time).
ResultadoArquivo ValidaUm(const std::string& arquivo, const PedidoLote& pedido, bool sozinho,
                          bool direto) {
  ResultadoArquivo r;
  r.arquivo = arquivo;
  // A copy of a stream goes where the work files go.
  const EntradaDaExecucao entrada(arquivo, sozinho ? pedido.pastaUnica.string() : std::string(),
                                  pedido.limiteCopia);
  if (!entrada.erro().empty()) {
    r.documento = DocumentoDesconhecido;
    r.mensagens.push_back(entrada.erro());
    // No run is made, and none leaves an earlier run's report to be taken for its own.
    if (sozinho && !pedido.pastaUnica.empty()) {
      const std::string motivo = RetiraRelatorio(pedido.pastaUnica);
      if (!motivo.empty()) r.mensagens.push_back(MensagemRelatorioAnterior(motivo));
    }
    return r;
  }
  direto = direto && pedido.formato != FormatoSaida::Texto && pedido.saidaAchados;
  r.achadosEntregues = direto;
  const bool json = pedido.formato != FormatoSaida::Texto && !direto;
  if (json) {
    // Past the memory limit the findings go where the run's other work files go: the report
    // folder of a single file, else the temporary folder.
    r.achadosJson.DefineTransbordo(sozinho ? pedido.pastaUnica.string() : std::string(),
                                   ArquivoTrabalho::LimitePadrao);
    r.achadosJson.Abre();
  }
  ContadorAchados contador(r, pedido, direto);
  TelaTerminal tela(sozinho ? pedido.progresso : ModoProgresso::Nenhum);
  Execucao execucao(sozinho ? pedido.pastaUnica : std::filesystem::path(), tela);
  execucao.DefineGuardaEscrita(pedido.guarda);
  execucao.DefineSincronia(pedido.sincroniza);
  execucao.DefineOuvinte(&contador);
  r.desfecho = ValidaArquivo(execucao, entrada.caminho());
  execucao.DefineOuvinte(nullptr);
  contador.Termina();
  r.documento = DocumentoDaExecucao(execucao);
  r.retornos = execucao.QtdROLs;
  r.mensagens = tela.mensagens();
  if (!r.TemRelatorio() && !execucao.CausaFalha.empty())
    r.mensagens.push_back("the run ended without a report: " + execucao.CausaFalha);
  if (r.TemRelatorio()) {
    r.param = execucao.TextoParam();
    r.relatorio = execucao.TiraRelatorio();
  }
  if (json) r.achadosJson.FechaEmSilencio();
  // Read from what the run read (a stream's copy too), while it is still there.
  if (pedido.dicas && !r.Ok()) {
    bool corrigivel = false;
    for (Dica& d : DicasDoCaminho(entrada.caminho())) {
      corrigivel = corrigivel || d.corrigivel;
      r.dicas.push_back(std::move(d.texto));
    }
    // The offer comes last, as the desktop's button does; a stream has no file to copy.
    if (corrigivel && r.arquivo != "-")
      r.dicas.push_back(
          "Para salvar uma cópia corrigida ao lado do arquivo e validá-la: rolval-cli "
          "--fix ARQUIVO");
  }
  return r;
}

}  // namespace

std::size_t JanelaDeResultados(unsigned trabalhos) { return 2 * std::size_t{trabalhos} + 8; }

void ValidaLote(const FonteArquivos& fonte, bool sozinho, const PedidoLote& pedido,
                const std::function<bool(ResultadoArquivo&)>& entrega) {
  std::string nome;
  if (sozinho || pedido.trabalhos <= 1) {
    while (fonte(nome)) {
      ResultadoArquivo r = ValidaUm(nome, pedido, sozinho, true);
      if (!entrega(r)) return;
    }
    return;
  }

  // The calling thread and `trabalhos - 1` workers take the next file in turn; the calling thread
  // also hands the results over in order, validating a file itself whenever the next result is
  // not ready yet, so that it seldom sleeps and no core waits on it. The names are taken from
  // the source one at a time, under a lock of their own, only as files are started.
  std::mutex trava;              // the results and the counts below
  std::mutex travaFonte;         // the source
  std::condition_variable muda;  // a result was stored or handed over, or the source ran out
  std::map<std::size_t, ResultadoArquivo> feitos;
  // No file is started further ahead than this of the next one to be handed over, so that the
  // results waiting behind a slow file (each may hold a work file open) stay few.
  const std::size_t janela = JanelaDeResultados(pedido.trabalhos);
  std::atomic<std::size_t> entregues{0};
  std::atomic<bool> parar{false};
  std::size_t iniciados = 0;  // under travaFonte
  // The number of files once the source has run out; SIZE_MAX until then.
  std::atomic<std::size_t> total{SIZE_MAX};

  // Takes the next file when the window allows it; with `travaFonte` held.
  auto pega = [&](std::size_t& i, std::string& arquivo) {
    if (parar || total != SIZE_MAX || iniciados >= entregues + janela) return false;
    if (!fonte(arquivo)) {
      {
        std::lock_guard<std::mutex> g(trava);
        total = iniciados;
      }
      muda.notify_all();
      return false;
    }
    i = iniciados++;
    return true;
  };
  auto guarda = [&](std::size_t i, ResultadoArquivo&& r) {
    {
      std::lock_guard<std::mutex> g(trava);
      feitos.emplace(i, std::move(r));
    }
    muda.notify_all();
  };
  auto trabalhador = [&] {
    std::string arquivo;
    for (;;) {
      std::size_t i = 0;
      bool pegou;
      // Read before the window is looked at, so that a result handed over meanwhile is seen.
      const std::size_t visto = entregues;
      {
        std::lock_guard<std::mutex> f(travaFonte);
        pegou = pega(i, arquivo);
      }
      if (pegou) {
        guarda(i, ValidaUm(arquivo, pedido, false, false));
        continue;
      }
      std::unique_lock<std::mutex> g(trava);
      if (parar || total != SIZE_MAX) return;
      muda.wait(g, [&] { return parar || total != SIZE_MAX || entregues != visto; });
    }
  };
  std::vector<std::thread> threads;
  const unsigned quantos = pedido.trabalhos - 1;
  threads.reserve(quantos);
  // A worker the system cannot start (a process or memory limit) is one fewer: the calling
  // thread alone still validates every file.
  try {
    for (unsigned t = 0; t < quantos; ++t) threads.emplace_back(trabalhador);
  } catch (const std::system_error&) {
  }
  for (std::size_t i = 0;; ++i) {
    std::optional<ResultadoArquivo> r;
    for (;;) {
      std::unique_lock<std::mutex> g(trava);
      if (const auto it = feitos.find(i); it != feitos.end()) {
        r = std::move(it->second);
        feitos.erase(it);
        break;
      }
      if (i >= total) break;  // every file handed over
      g.unlock();
      std::size_t proprio = 0;
      bool pegou = false;
      {
        // A worker reading the source (it may wait on a pipe) is not waited for here.
        std::unique_lock<std::mutex> f(travaFonte, std::try_to_lock);
        pegou = f.owns_lock() && pega(proprio, nome);
      }
      if (pegou) {
        guarda(proprio, ValidaUm(nome, pedido, false, false));
        continue;
      }
      g.lock();
      muda.wait_for(g, std::chrono::milliseconds(50),
                    [&] { return feitos.count(i) != 0 || i >= total; });
    }
    if (!r) break;
    const bool segue = entrega(*r);
    {
      std::lock_guard<std::mutex> g(trava);
      entregues = i + 1;
      parar = !segue;
    }
    muda.notify_all();
    if (!segue) break;
  }
  {
    std::lock_guard<std::mutex> g(trava);
    parar = true;
  }
  muda.notify_all();
  for (auto& t : threads) t.join();
}

}  // namespace rolval
