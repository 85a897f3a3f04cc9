// The engine's entry point in WebAssembly: one run of one file of the module's file system, with
// its report, its status file, its findings (kept as a compact list and handed over packed in
// typed arrays, with the lines of the report view each takes), their JSON Lines and CSV when
// asked, and the summary of the run, handed to the JavaScript side (web/motor/api.js) through a
// result object it frees when done; and the field tables of every record type. The run publishes
// nothing: the report stays in the run object.
#include <emscripten.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "achados/Escritores.h"
#include "achados/ListaAchados.h"
#include "layouts/CamposLayouts.h"
#include "layouts/CopiaCorrigida.h"
#include "layouts/Layouts.h"
#include "run/Catalogos.h"
#include "run/Latin1.h"
#include "run/Relatorio.h"
#include "run/ValidaArquivo.h"

// Hands the progress window's state to the page: percentage, layout caption and taxpayer (UTF-8).
EM_JS(void, rolval_mostra_progresso, (double valor, const char* ver, const char* contrib), {
  if (Module['rolvalProgresso'])
    Module['rolvalProgresso'](valor, UTF8ToString(ver), UTF8ToString(contrib));
});

namespace {

// The progress window as the page sees it. The driver sets the percentage after every line and
// a validator may set the taxpayer at every line: the page is told when the whole percentage or a
// caption changed and 50 ms have passed since it was last told, so that a large file sends the
// page a few messages a second, not one for each percent. The clock is a call out to JavaScript:
// it is read once every LinhasPorRelogio lines, not at every line.
class TelaPagina : public rolval::Tela {
 public:
  explicit TelaPagina(std::vector<std::string>& mensagens) : mensagens_(mensagens) {}
  void MostraProgresso() override { Informa(); }
  void AtualizaProgresso() override {
    if ((inteiro_ != informado_ || legendasMudaram_) && ++semRelogio_ >= LinhasPorRelogio) {
      semRelogio_ = 0;
      if (emscripten_get_now() - quando_ >= IntervaloMs) Informa();
    }
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
  static constexpr int LinhasPorRelogio = 64;
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
  int semRelogio_ = 0;  // lines since the clock was last read
  double quando_ = 0;
};

}  // namespace

// The findings as the page receives them: numbers packed in two typed arrays, each distinct text
// once. Per finding, CamposInteiros int32 (their order is api.js's rolvalCampos) and CamposReais
// doubles (byte offset of its line, declared, computed; NaN where the finding has none): 88 bytes
// a finding, plus its texts when they are new.
struct AchadosEmpacotados {
  static constexpr std::size_t CamposInteiros = 16;
  static constexpr std::size_t CamposReais = 3;
  std::vector<std::int32_t> inteiros;
  std::vector<double> reais;
  std::string textos;                     // every distinct text, Latin-1, one after another
  std::vector<std::uint32_t> inicios{0};  // text i is textos[inicios[i], inicios[i + 1])
};

// What the JavaScript side reads back after a run.
struct ResultadoWeb {
  std::string saida;             // saida.txt, byte for byte
  std::string param;             // param.txt, byte for byte
  rolval::ListaAchados achados;  // the run's findings, in report order
  AchadosEmpacotados empacotados;
  std::string jsonl;   // the findings as JSON Lines, when asked
  std::string csv;     // the findings as CSV (mark, header, rows), when asked
  std::string resumo;  // the summary object of the run
};

// What a correction gave: a JSON object {"copy", "changes", "refusal"}.
struct CorrecaoWeb {
  std::string json;
};

namespace {

// Where each field of every record type sits in the list of all of them, table after table: the
// number a finding's field is known by on the page.
std::unordered_map<const rolval::CampoRegistro*, std::int32_t> IndicesDosCampos() {
  std::unordered_map<const rolval::CampoRegistro*, std::int32_t> indices;
  std::int32_t n = 0;
  for (const rolval::TabelaRegistro* tabela : rolval::TodasAsTabelas())
    for (const rolval::CampoRegistro& campo : tabela->campos) indices.emplace(&campo, n++);
  return indices;
}

// The number of field `campo` in that list. A field may be declared outside every table (the
// prefix that the tables of a layout share, named by a finding whose record type is not known):
// it is then known by a field of the tables equal to it, kept in `indices` for the next time.
std::int32_t IndiceDoCampo(std::unordered_map<const rolval::CampoRegistro*, std::int32_t>& indices,
                           const rolval::CampoRegistro* campo) {
  if (const auto i = indices.find(campo); i != indices.end()) return i->second;
  std::int32_t n = 0;
  std::int32_t igual = -1;
  for (const rolval::TabelaRegistro* tabela : rolval::TodasAsTabelas()) {
    for (const rolval::CampoRegistro& c : tabela->campos) {
      if (igual < 0 && c.numero == campo->numero && c.nome == campo->nome &&
          c.coluna == campo->coluna && c.tamanho == campo->tamanho && c.largura == campo->largura)
        igual = n;
      ++n;
    }
  }
  indices.emplace(campo, igual);
  return igual;
}

std::int32_t IndiceDaTabela(std::string_view tipo) {
  const rolval::TabelaRegistro* tabela = rolval::TabelaDoRegistro(tipo);
  const auto todas = rolval::TodasAsTabelas();
  for (std::size_t i = 0; i < todas.size(); ++i)
    if (todas[i] == tabela) return static_cast<std::int32_t>(i);
  return -1;
}

// The list's findings packed for the page, their texts as the list keeps them: each once, by
// number.
void Empacota(const rolval::ListaAchados& lista, AchadosEmpacotados& e) {
  for (std::size_t n = 0; n < lista.NumeroDeTextos(); ++n) {
    e.textos.append(lista.TextoDeNumero(n));
    e.inicios.push_back(static_cast<std::uint32_t>(e.textos.size()));
  }
  auto campos = IndicesDosCampos();
  std::unordered_map<std::string_view, std::int32_t> tabelas;
  const double nenhum = std::numeric_limits<double>::quiet_NaN();
  e.inteiros.reserve(lista.Tamanho() * AchadosEmpacotados::CamposInteiros);
  e.reais.reserve(lista.Tamanho() * AchadosEmpacotados::CamposReais);
  for (std::size_t i = 0; i < lista.Tamanho(); ++i) {
    const rolval::Achado a = lista.Le(i);
    const rolval::ListaAchados::NumerosDosTextos t = lista.TextosDoAchado(i);
    auto tabela = tabelas.find(a.tipoRegistro);
    if (tabela == tabelas.end())
      tabela = tabelas.emplace(a.tipoRegistro, IndiceDaTabela(a.tipoRegistro)).first;
    const std::int32_t campo = a.campo ? IndiceDoCampo(campos, a.campo) : -1;
    const auto numero = [](std::uint32_t n) { return static_cast<std::int32_t>(n); };
    e.inteiros.insert(
        e.inteiros.end(),
        {a.catalogo, a.codigo, a.Aviso() ? 1 : 0, numero(t.inscricao), numero(t.periodo), a.linha,
         a.inicio, a.fim, numero(t.mensagem), numero(t.tipoRegistro), tabela->second, campo,
         a.ocorrencia, numero(t.encontrado), lista.PrimeiraLinhaNaVisao(i),
         lista.UltimaLinhaNaVisao(i)});
    e.reais.insert(e.reais.end(), {static_cast<double>(a.deslocamento),
                                   a.declarado.value_or(nenhum), a.calculado.value_or(nenhum)});
  }
}

// What the kinds of field are called on the page.
const char* NomeDoTipo(rolval::TipoCampo tipo) {
  switch (tipo) {
    case rolval::TipoCampo::Texto:
      return "texto";
    case rolval::TipoCampo::Digitos:
      return "digitos";
    case rolval::TipoCampo::Valor:
      return "valor";
    case rolval::TipoCampo::DataDDMMAAAA:
      return "data-ddmmaaaa";
    case rolval::TipoCampo::DataAAAAMMDD:
      return "data-aaaammdd";
    case rolval::TipoCampo::PeriodoMMAAAA:
      return "periodo-mmaaaa";
    case rolval::TipoCampo::Inscricao:
      return "inscricao";
    case rolval::TipoCampo::CNPJ:
      return "cnpj";
    case rolval::TipoCampo::UF:
      return "uf";
    case rolval::TipoCampo::Marcador:
      return "marcador";
    case rolval::TipoCampo::Filler:
      return "filler";
  }
  return "texto";
}

// Every record type's table as JSON: [{"type","length","fields":[{"number","name","column",
// "length","kind","width","times"}]}], fields numbered as IndicesDosCampos numbers them.
std::string TabelasEmJson() {
  std::string s = "[";
  for (const rolval::TabelaRegistro* tabela : rolval::TodasAsTabelas()) {
    if (s.size() > 1) s.push_back(',');
    s.append("{\"type\":");
    rolval::AcrescentaJsonUtf8(s, tabela->tipo);
    s.append(",\"length\":" + std::to_string(tabela->comprimento) + ",\"fields\":[");
    bool primeiro = true;
    for (const rolval::CampoRegistro& c : tabela->campos) {
      if (!primeiro) s.push_back(',');
      primeiro = false;
      s.append("{\"number\":" + std::to_string(c.numero) + ",\"name\":");
      rolval::AcrescentaJsonUtf8(s, c.nome);
      s.append(",\"column\":" + std::to_string(c.coluna) +
               ",\"length\":" + std::to_string(c.tamanho) + ",\"kind\":\"" + NomeDoTipo(c.tipo) +
               "\",\"width\":" + std::to_string(c.largura) +
               ",\"times\":" + std::to_string(c.vezes) + "}");
    }
    s.append("]}");
  }
  s.push_back(']');
  return s;
}

// What a run writes besides its report, as RolvalValida's `formatos` asks.
constexpr int FormatoJsonl = 1;
constexpr int FormatoCsv = 2;

}  // namespace

// One run of the page: its input, its findings and its progress, from RolvalComeca to
// RolvalConclui.
struct CorridaWeb {
  CorridaWeb(const char* caminho, const char* nome, int formatos_, char separador_)
      : arquivo(nome),
        formatos(formatos_),
        separador(separador_),
        corrida(execucao, caminho, rolval::TabelaPadrao()) {
    execucao.entrada.Usa(entrada);
    execucao.DefineOuvinte(&resultado->achados);
  }
  std::unique_ptr<ResultadoWeb> resultado = std::make_unique<ResultadoWeb>();
  std::string arquivo;
  int formatos;
  char separador;
  std::vector<std::string> mensagens;
  TelaPagina tela{mensagens};
  rolval::Execucao execucao{std::filesystem::path{}, tela};
  rolval::EntradaEmFatias entrada;
  rolval::CorridaArquivo corrida;
};

extern "C" {

// One run of the file at `caminho`, named `nome` in the findings, its bytes given slice by slice
// (RolvalEspaco, RolvalRecebe) as the page reads them; `formatos` (FormatoJsonl, FormatoCsv)
// says which renderings of the findings to write as well, the CSV with `separador` between its
// fields. RolvalConclui gives the result and ends the run.
EMSCRIPTEN_KEEPALIVE CorridaWeb* RolvalComeca(const char* caminho, const char* nome, int formatos,
                                              char separador) {
  return new CorridaWeb(caminho, nome, formatos, separador);
}

// Room in the run's input for the next `n` bytes of the file.
EMSCRIPTEN_KEEPALIVE char* RolvalEspaco(CorridaWeb* c, std::size_t n) {
  return c->entrada.Espaco(n);
}

// The next `n` bytes of the file are in the room, the last ones when `ultimos`: the run goes as
// far as they allow. 1 while it wants more of the file, 0 once it has ended.
EMSCRIPTEN_KEEPALIVE int RolvalRecebe(CorridaWeb* c, std::size_t n, int ultimos) {
  c->entrada.Recebe(n, ultimos != 0);
  return c->corrida.Avanca() ? 1 : 0;
}

// The rest of the file could not be read (it changed or went away): the run ends as when a
// device fails.
EMSCRIPTEN_KEEPALIVE void RolvalFalhaLeitura(CorridaWeb* c) {
  c->entrada.Falha();
  while (c->corrida.Avanca()) {
  }
}

// The run's result, for the JavaScript side to read; the run itself is let go. The caller frees
// the result with RolvalLibera.
EMSCRIPTEN_KEEPALIVE ResultadoWeb* RolvalConclui(CorridaWeb* corrida) {
  const std::unique_ptr<CorridaWeb> c(corrida);
  // A run still waiting for bytes that will not come ends as one whose file could not be read.
  if (c->corrida.Avanca()) RolvalFalhaLeitura(c.get());
  ResultadoWeb* resultado = c->resultado.release();
  rolval::Execucao& execucao = c->execucao;
  const rolval::Desfecho desfecho = c->corrida.Resultado();
  execucao.DefineOuvinte(nullptr);
  const std::string documento = rolval::DocumentoDaExecucao(execucao);
  if (desfecho != rolval::Desfecho::SemRelatorio) {
    resultado->saida = execucao.Relatorio().Texto();
    resultado->param = execucao.TextoParam();
  }
  const rolval::ListaAchados& lista = resultado->achados;
  Empacota(lista, resultado->empacotados);
  if (c->formatos & FormatoJsonl) {
    const std::string arquivoJson = rolval::NomeEmJson(c->arquivo);
    for (std::size_t i = 0; i < lista.Tamanho(); ++i)
      rolval::AcrescentaJsonAchado(resultado->jsonl, arquivoJson, lista.Le(i));
  }
  if (c->formatos & FormatoCsv) {
    const std::string arquivoUtf8 = rolval::NomeEmUtf8(c->arquivo);
    resultado->csv.assign(rolval::MarcaUtf8);
    rolval::AcrescentaCsvCabecalho(resultado->csv, c->separador);
    for (std::size_t i = 0; i < lista.Tamanho(); ++i)
      rolval::AcrescentaCsvAchado(resultado->csv, arquivoUtf8, lista.Le(i), c->separador);
  }
  rolval::AcrescentaJsonResumo(
      resultado->resumo,
      {c->arquivo, documento, desfecho, execucao.QtdROLs,
       static_cast<std::int64_t>(lista.Tamanho()), lista.Avisos(), &c->mensagens});
  if (c->formatos & FormatoJsonl) resultado->jsonl.append(resultado->resumo);
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

// Every record type's fields, as TabelasEmJson writes them; the text lives as long as the module.
EMSCRIPTEN_KEEPALIVE const char* RolvalTabelas() {
  static const std::string tabelas = TabelasEmJson();
  return tabelas.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* RolvalSaida(const ResultadoWeb* r) { return r->saida.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoSaida(const ResultadoWeb* r) {
  return r->saida.size();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalParam(const ResultadoWeb* r) { return r->param.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoParam(const ResultadoWeb* r) {
  return r->param.size();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalJsonl(const ResultadoWeb* r) { return r->jsonl.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoJsonl(const ResultadoWeb* r) {
  return r->jsonl.size();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalCsv(const ResultadoWeb* r) { return r->csv.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalTamanhoCsv(const ResultadoWeb* r) { return r->csv.size(); }
EMSCRIPTEN_KEEPALIVE std::size_t RolvalQtdAchados(const ResultadoWeb* r) {
  return r->achados.Tamanho();
}
EMSCRIPTEN_KEEPALIVE const std::int32_t* RolvalInteiros(const ResultadoWeb* r) {
  return r->empacotados.inteiros.data();
}
EMSCRIPTEN_KEEPALIVE const double* RolvalReais(const ResultadoWeb* r) {
  return r->empacotados.reais.data();
}
EMSCRIPTEN_KEEPALIVE const char* RolvalTextos(const ResultadoWeb* r) {
  return r->empacotados.textos.data();
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* RolvalInicioTextos(const ResultadoWeb* r) {
  return r->empacotados.inicios.data();
}
EMSCRIPTEN_KEEPALIVE std::size_t RolvalQtdTextos(const ResultadoWeb* r) {
  return r->empacotados.inicios.size() - 1;
}
EMSCRIPTEN_KEEPALIVE const char* RolvalResumo(const ResultadoWeb* r) { return r->resumo.c_str(); }
EMSCRIPTEN_KEEPALIVE void RolvalLibera(ResultadoWeb* r) { delete r; }

}  // extern "C"
