// The engine's entry point in WebAssembly: one run of one file of the module's file system, with
// its report, its status file, its findings as JSON Lines, the lines of the report view each
// finding takes and the summary of the run, handed to the JavaScript side (web/motor/api.js)
// through a result object it frees when done. The run publishes nothing: the report stays in the
// run object.
#include <emscripten.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "achados/Escritores.h"
#include "achados/ListaAchados.h"
#include "layouts/CopiaCorrigida.h"
#include "layouts/Layouts.h"
#include "run/Catalogos.h"
#include "run/Latin1.h"
#include "run/Relatorio.h"

// Hands the progress window's state to the page: percentage, layout caption and taxpayer (UTF-8).
EM_JS(void, rolval_mostra_progresso, (double valor, const char* ver, const char* contrib), {
  if (Module['rolvalProgresso'])
    Module['rolvalProgresso'](valor, UTF8ToString(ver), UTF8ToString(contrib));
});

namespace {

// The progress window as the page sees it. The driver sets the percentage after every line and
// a validator may set the taxpayer at every line: the page is told only when the whole percentage
// moves, or when a caption changed and 50 ms have passed since it was last told.
class TelaPagina : public rolval::Tela {
 public:
  explicit TelaPagina(std::vector<std::string>& mensagens) : mensagens_(mensagens) {}
  void MostraProgresso() override { Informa(); }
  void AtualizaProgresso() override {
    if (inteiro_ != informado_) {
      Informa();
      return;
    }
    if (legendasMudaram_ && emscripten_get_now() - quando_ >= IntervaloMs) Informa();
  }
  void DefineValorProgresso(float valor) override {
    valor_ = valor;
    inteiro_ = static_cast<int>(valor);
  }
  void DefineVer(std::string_view legenda) override {
    if (legenda != ver_) {
      ver_.assign(legenda);
      legendasMudaram_ = true;
    }
  }
  void DefineContrib(std::string_view contribuinte) override {
    if (contribuinte != contrib_) {
      contrib_.assign(contribuinte);
      legendasMudaram_ = true;
    }
  }
  void EscondeProgresso() override { Informa(); }
  void MostraSaida() override {}
  void MostraMensagem(std::string_view texto, std::string_view, rolval::IconeMensagem) override {
    mensagens_.emplace_back(texto);
  }

 private:
  static constexpr double IntervaloMs = 50;
  void Informa() {
    rolval_mostra_progresso(valor_, ver_.c_str(), contrib_.c_str());
    informado_ = inteiro_;
    legendasMudaram_ = false;
    quando_ = emscripten_get_now();
  }
  std::vector<std::string>& mensagens_;
  std::string ver_;
  std::string contrib_;
  float valor_ = 0;
  int inteiro_ = 0;
  int informado_ = -1;
  bool legendasMudaram_ = false;
  double quando_ = 0;
};

// Every finding as the command line's JSON Lines form writes it, the first and last line of the
// report view it takes, and the counts of the summary.
class ColetorAchados : public rolval::OuvinteAchados {
 public:
  explicit ColetorAchados(const std::string& nome) : arquivo_(rolval::NomeEmJson(nome)) {}
  void Anota(const rolval::Achado& achado) override {
    ++achados;
    if (achado.Aviso()) ++avisos;
    rolval::AcrescentaJsonAchado(jsonl, arquivo_, achado);
    linhasVisao.push_back(proxima_);
    proxima_ += rolval::LinhasNaVisao(achado.linhaRelatorio);
    linhasVisao.push_back(proxima_ - 1);
  }
  std::string jsonl;
  std::vector<std::int32_t> linhasVisao;
  std::int64_t achados = 0;
  std::int64_t avisos = 0;

 private:
  std::string arquivo_;
  std::int32_t proxima_ = rolval::LinhasAntesDosAchados;
};

}  // namespace

// What the JavaScript side reads back after a run.
struct ResultadoWeb {
  std::string saida;    // saida.txt, byte for byte
  std::string param;    // param.txt, byte for byte
  std::string achados;  // one JSON object a line, one line per finding, in report order
  std::vector<std::int32_t> linhasVisao;  // per finding: first and last line of the report view
  std::string resumo;                     // the summary object of the run
};

// What a correction gave: a JSON object {"copy", "changes", "refusal"}.
struct CorrecaoWeb {
  std::string json;
};

extern "C" {

// One run of the file at `caminho`, named `nome` in the findings. The caller frees the result
// with RolvalLibera.
EMSCRIPTEN_KEEPALIVE ResultadoWeb* RolvalValida(const char* caminho, const char* nome) {
  auto* resultado = new ResultadoWeb;
  const std::string arquivo = nome;
  ColetorAchados coletor(arquivo);
  std::vector<std::string> mensagens;
  TelaPagina tela(mensagens);
  rolval::Execucao execucao(std::filesystem::path{}, tela);
  execucao.DefineOuvinte(&coletor);
  const rolval::Desfecho desfecho = rolval::ValidaArquivo(execucao, caminho);
  execucao.DefineOuvinte(nullptr);
  const std::string documento = rolval::DocumentoDaExecucao(execucao);
  if (desfecho != rolval::Desfecho::SemRelatorio) {
    resultado->saida = execucao.Relatorio().Texto();
    resultado->param = execucao.TextoParam();
  }
  resultado->achados = std::move(coletor.jsonl);
  resultado->linhasVisao = std::move(coletor.linhasVisao);
  rolval::AcrescentaJsonResumo(resultado->resumo, {arquivo, documento, desfecho, execucao.QtdROLs,
                                                   coletor.achados, coletor.avisos, &mensagens});
  resultado->resumo.pop_back();  // the object without its line end
  return resultado;
}

// Saves the corrected copy of the file at `caminho` as the new file `destino`. The caller frees
// the result with RolvalLiberaCorrecao.
EMSCRIPTEN_KEEPALIVE CorrecaoWeb* RolvalCorrige(const char* caminho, const char* destino) {
  const rolval::ResultadoCorrecao r = rolval::SalvaCopiaCorrigida(caminho, destino, nullptr);
  std::string json = "{\"copy\":";
  rolval::AcrescentaJsonUtf8(json, r.copia);
  json.append(",\"changes\":");
  rolval::AcrescentaJsonUtf8(json, r.copia.empty() ? "" : rolval::DescreveCorrecao(r.contagem));
  json.append(",\"refusal\":");
  rolval::AcrescentaJsonUtf8(json, r.recusa);
  json.push_back('}');
  return new CorrecaoWeb{std::move(json)};
}
EMSCRIPTEN_KEEPALIVE const char* RolvalTextoCorrecao(const CorrecaoWeb* c) {
  return c->json.c_str();
}
EMSCRIPTEN_KEEPALIVE void RolvalLiberaCorrecao(CorrecaoWeb* c) { delete c; }

EMSCRIPTEN_KEEPALIVE const char* RolvalSaida(const ResultadoWeb* r) { return r->saida.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoSaida(const ResultadoWeb* r) {
  return r->saida.size();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalParam(const ResultadoWeb* r) { return r->param.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoParam(const ResultadoWeb* r) {
  return r->param.size();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalAchados(const ResultadoWeb* r) { return r->achados.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoAchados(const ResultadoWeb* r) {
  return r->achados.size();
}
EMSCRIPTEN_KEEPALIVE const std::int32_t* RolvalLinhasVisao(const ResultadoWeb* r) {
  return r->linhasVisao.data();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalResumo(const ResultadoWeb* r) { return r->resumo.c_str(); }
EMSCRIPTEN_KEEPALIVE void RolvalLibera(ResultadoWeb* r) { delete r; }

}  // extern "C"
