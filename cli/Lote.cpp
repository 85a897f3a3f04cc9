#include "cli/Lote.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/Entrada.h"
#include "cli/SaidaJson.h"
#include "layouts/Dicas.h"
#include "layouts/Layouts.h"
#include "run/Catalogos.h"

namespace rolval {

namespace {

// Counts the findings of a run and, for the jsonl format, writes one JSON object per finding to
// the result's private work file (a failure there is a failure of the run, never a cut line).
class ContadorAchados : public OuvinteAchados {
 public:
  ContadorAchados(ResultadoArquivo& resultado, bool json) : resultado_(resultado), json_(json) {}
  void Anota(const Achado& achado) override {
    ++resultado_.achados;
    const bool aviso = EAviso(achado.catalogo, achado.codigo);
    if (aviso) ++resultado_.avisos;
    if (json_)
      resultado_.achadosJson.Escreve(JsonDoAchado(resultado_.arquivo, achado, aviso) + '\n');
  }

 private:
  ResultadoArquivo& resultado_;
  bool json_;
};

ResultadoArquivo ValidaUm(const std::string& arquivo, const PedidoLote& pedido, bool sozinho) {
  ResultadoArquivo r;
  r.arquivo = arquivo;
  // A copy of a stream goes where the work files go.
  const EntradaDaExecucao entrada(arquivo, sozinho ? pedido.pastaUnica.string() : std::string());
  if (!entrada.erro().empty()) {
    r.documento = DocumentoDesconhecido;
    r.mensagens.push_back(entrada.erro());
    return r;
  }
  const bool json = pedido.formato == FormatoSaida::Jsonl;
  if (json) {
    // Past the memory limit the findings go where the run's other work files go: the report
    // folder of a single file, else the temporary folder.
    r.achadosJson.DefineTransbordo(sozinho ? pedido.pastaUnica.string() : std::string(),
                                   ArquivoTrabalho::LimitePadrao);
    r.achadosJson.Abre();
  }
  ContadorAchados contador(r, json);
  TelaTerminal tela(sozinho ? pedido.progresso : ModoProgresso::Nenhum);
  Execucao execucao(sozinho ? pedido.pastaUnica : std::filesystem::path(), tela);
  execucao.DefineGuardaEscrita(pedido.guarda);
  execucao.DefineOuvinte(&contador);
  r.desfecho = ValidaArquivo(execucao, entrada.caminho());
  execucao.DefineOuvinte(nullptr);
  r.documento = DocumentoDaExecucao(execucao);
  r.retornos = execucao.QtdROLs;
  r.mensagens = tela.mensagens();
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

void ValidaLote(const std::vector<std::string>& arquivos, const PedidoLote& pedido,
                const std::function<bool(ResultadoArquivo&)>& entrega) {
  const std::size_t n = arquivos.size();
  if (n <= 1 || pedido.trabalhos <= 1) {
    for (std::size_t i = 0; i < n; ++i) {
      ResultadoArquivo r = ValidaUm(arquivos[i], pedido, n == 1);
      if (!entrega(r)) return;
    }
    return;
  }

  // The calling thread and `trabalhos - 1` workers take the next file in turn; the calling thread
  // also hands the results over in order, validating a file itself whenever the next result is
  // not ready yet, so that it seldom sleeps and no core waits on it.
  std::vector<std::optional<ResultadoArquivo>> resultados(n);
  std::mutex trava;
  std::condition_variable pronto;
  std::atomic<std::size_t> proximo{0};
  auto guarda = [&](std::size_t i, ResultadoArquivo&& r) {
    {
      std::lock_guard<std::mutex> g(trava);
      resultados[i] = std::move(r);
    }
    pronto.notify_one();
  };
  auto trabalhador = [&] {
    for (;;) {
      const std::size_t i = proximo.fetch_add(1);
      if (i >= n) return;
      guarda(i, ValidaUm(arquivos[i], pedido, false));
    }
  };
  std::vector<std::thread> threads;
  const unsigned quantos = static_cast<unsigned>(std::min<std::size_t>(pedido.trabalhos, n)) - 1;
  threads.reserve(quantos);
  for (unsigned t = 0; t < quantos; ++t) threads.emplace_back(trabalhador);
  for (std::size_t i = 0; i < n; ++i) {
    std::optional<ResultadoArquivo> r;
    for (;;) {
      std::unique_lock<std::mutex> g(trava);
      if (resultados[i].has_value()) {
        r = std::move(resultados[i]);
        resultados[i].reset();
        break;
      }
      const std::size_t proprio = proximo.load() < n ? proximo.fetch_add(1) : n;
      if (proprio < n) {
        g.unlock();
        ResultadoArquivo feito = ValidaUm(arquivos[proprio], pedido, false);
        g.lock();
        resultados[proprio] = std::move(feito);
        continue;
      }
      pronto.wait(g, [&] { return resultados[i].has_value(); });
    }
    if (!entrega(*r)) {
      proximo.store(n);  // no one starts another file
      break;
    }
  }
  for (auto& t : threads) t.join();
}

}  // namespace rolval
