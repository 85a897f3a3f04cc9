#include "cli/Lote.h"

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/SaidaJson.h"
#include "cli/TelaTerminal.h"
#include "layouts/Layouts.h"
#include "run/Latin1.h"

namespace rolval {

namespace {

// Counts the findings of a run and, for the jsonl format, writes one JSON object per finding.
class ContadorAchados : public OuvinteAchados {
 public:
  ContadorAchados(ResultadoArquivo& resultado, std::ofstream* json)
      : resultado_(resultado), json_(json) {}
  void Anota(const Achado& achado) override {
    ++resultado_.achados;
    const bool aviso = achado.mensagem.rfind("AVISO:", 0) == 0;
    if (aviso) ++resultado_.avisos;
    if (json_ != nullptr) *json_ << JsonDoAchado(resultado_.arquivo, achado, aviso) << '\n';
  }

 private:
  ResultadoArquivo& resultado_;
  std::ofstream* json_;
};

ResultadoArquivo ValidaUm(const std::string& arquivo, const std::filesystem::path& pasta,
                          FormatoSaida formato, bool barra) {
  ResultadoArquivo r;
  r.arquivo = arquivo;
  std::optional<std::ofstream> json;
  if (formato == FormatoSaida::Jsonl) {
    r.achadosJson = pasta / "achados.jsonl";
    json.emplace(r.achadosJson, std::ios::binary | std::ios::trunc);
  }
  ContadorAchados contador(r, json ? &*json : nullptr);
  TelaTerminal tela(barra);
  Execucao execucao(pasta, tela);
  execucao.DefineOuvinte(&contador);
  r.desfecho = ValidaArquivo(execucao, arquivo);
  execucao.DefineOuvinte(nullptr);
  r.documento = std::string(AparaDireita(execucao.controle.Documento));
  r.retornos = execucao.QtdROLs;
  r.mensagens = tela.mensagens();
  if (r.TemRelatorio()) {
    r.relatorio = pasta / NomeSaida;
    r.param = pasta / NomeParam;
  }
  return r;
}

}  // namespace

void ValidaLote(const std::vector<std::string>& arquivos, unsigned trabalhos, FormatoSaida formato,
                const std::filesystem::path& pastaBase, const std::filesystem::path& pastaUnica,
                bool barraDeProgresso, const std::function<void(ResultadoArquivo&)>& entrega) {
  const std::size_t n = arquivos.size();
  auto pastaDe = [&](std::size_t i) {
    if (n == 1 && !pastaUnica.empty()) return pastaUnica;
    std::filesystem::path p = pastaBase / ("run-" + std::to_string(i + 1));
    std::filesystem::create_directories(p);
    return p;
  };
  auto removePasta = [&](std::size_t i) {
    if (n == 1 && !pastaUnica.empty()) return;
    std::error_code ignorado;
    std::filesystem::remove_all(pastaBase / ("run-" + std::to_string(i + 1)), ignorado);
  };
  if (n == 1 || trabalhos <= 1) {
    for (std::size_t i = 0; i < n; ++i) {
      ResultadoArquivo r = ValidaUm(arquivos[i], pastaDe(i), formato, barraDeProgresso && n == 1);
      entrega(r);
      removePasta(i);
    }
    return;
  }

  // Workers take the next file in turn; the calling thread hands the results over in order.
  std::vector<std::optional<ResultadoArquivo>> resultados(n);
  std::mutex trava;
  std::condition_variable pronto;
  std::atomic<std::size_t> proximo{0};
  auto trabalhador = [&] {
    for (;;) {
      const std::size_t i = proximo.fetch_add(1);
      if (i >= n) return;
      ResultadoArquivo r = ValidaUm(arquivos[i], pastaDe(i), formato, false);
      {
        std::lock_guard<std::mutex> g(trava);
        resultados[i] = std::move(r);
      }
      pronto.notify_one();
    }
  };
  std::vector<std::thread> threads;
  const unsigned quantos = static_cast<unsigned>(std::min<std::size_t>(trabalhos, n));
  threads.reserve(quantos);
  for (unsigned t = 0; t < quantos; ++t) threads.emplace_back(trabalhador);
  for (std::size_t i = 0; i < n; ++i) {
    ResultadoArquivo r;
    {
      std::unique_lock<std::mutex> g(trava);
      pronto.wait(g, [&] { return resultados[i].has_value(); });
      r = std::move(*resultados[i]);
      resultados[i].reset();
    }
    entrega(r);
    removePasta(i);
  }
  for (auto& t : threads) t.join();
}

}  // namespace rolval
