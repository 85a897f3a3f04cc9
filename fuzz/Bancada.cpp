#include "fuzz/Bancada.h"

#include <cstdio>
#include <cstdlib>

#include "run/Falha.h"

namespace rolval::fuzz {

namespace {

[[noreturn]] void Quebra(const char* motivo) {
  std::fprintf(stderr, "rolval fuzz: %s\n", motivo);
  std::abort();
}

bool ComecaCom(std::string_view s, std::string_view prefixo) {
  return s.substr(0, prefixo.size()) == prefixo;
}

// The next line of `resto` (without its end), as the reader splits lines; consumes it.
std::string_view ProximaLinha(std::string_view& resto) {
  const std::size_t cr = resto.find('\r');
  if (cr == std::string_view::npos) {
    const std::string_view linha = resto;
    resto = {};
    return linha;
  }
  const std::string_view linha = resto.substr(0, cr);
  resto.remove_prefix(cr + 1);
  if (!resto.empty() && resto.front() == '\n') resto.remove_prefix(1);
  return linha;
}

}  // namespace

SistemaMemoria& Sistema() {
  static SistemaMemoria sistema;
  return sistema;
}

void ConfereRelatorio(const Execucao& ex) {
  const std::string paramTexto = ex.TextoParam();
  const std::string saidaTexto = ex.Relatorio().Texto();
  const std::string achadosTexto = ex.arquivoAchados.Texto();
  const std::string_view param = paramTexto;
  const std::string_view saida = saidaTexto;
  if (ex.HouveErro) {
    if (param != "\r\nNOK\r\n") Quebra("findings were written but the status is not NOK");
    if (!ComecaCom(saida, "ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:\r\n"))
      Quebra("findings were written but the report does not list them");
    // Every finding written to the work file is in the report, byte for byte, after the headings.
    const std::string_view achados = achadosTexto;
    if (achados.empty() || saida.size() < achados.size() ||
        saida.substr(saida.size() - achados.size()) != achados)
      Quebra("the report lost findings");
  } else {
    if (param != "\r\nOK\r\n") Quebra("no finding was written but the status is not OK");
    if (!ComecaCom(saida, "ARQUIVO OK.\r\n"))
      Quebra("no finding was written but the report is not OK");
    if (!achadosTexto.empty()) Quebra("a finding was written without HouveErro");
  }
  if (saida.size() < 2 || saida.substr(saida.size() - 2) != "\r\n")
    Quebra("the report's last line has no end");
}

void PercorreLinhas(const LayoutArquivo& layout, const std::uint8_t* dados, std::size_t tamanho) {
  SistemaMemoria& sistema = Sistema();
  sistema.NovaEntrada(nullptr, 0);
  TelaMuda tela;
  Execucao ex({}, tela);
  ex.DefineSistemaArquivos(sistema);
  static std::string linha;  // reused: no allocation per line once it has grown
  try {
    ex.LimpaVariaveis();
    ex.controle.NomeArquivo = "entrada.txt";
    ex.arquivoAchados.Abre();
    ex.arquivoLista.Abre();
    AdotaLayout(ex, layout);
    if (layout.prepara != nullptr) layout.prepara(ex);
    int comprimento = layout.comprimento;
    std::string_view resto(reinterpret_cast<const char*>(dados), tamanho);
    while (!resto.empty()) {
      const std::string_view bruta = ProximaLinha(resto);
      ++ex.NumLinha;
      if (layout.enquadra != nullptr) comprimento = layout.enquadra(ex, bruta, comprimento);
      linha.assign(bruta.substr(0, static_cast<std::size_t>(comprimento)));
      linha.resize(static_cast<std::size_t>(comprimento), '0');
      ex.LinhaAtual = linha;
      if (layout.antesDeValidar != nullptr && !layout.antesDeValidar(ex, linha)) break;
      layout.valida(ex, linha);
    }
    if (ex.ListaROLs.size() > 1) ex.arquivoLista.EscreveLinha(ex.ListaROLs);
    if (layout.fechaArquivo != nullptr) layout.fechaArquivo(ex);
    ex.arquivoAchados.Fecha();
    ex.arquivoLista.Fecha();
    const bool houveErro = ex.HouveErro;
    ex.GeraSaida();
    if (ex.HouveErro != houveErro) Quebra("writing the report changed the run's status");
    ConfereRelatorio(ex);
  } catch (const FalhaExecucao&) {
    // A run failure by design (a date part that is not a number): the driver's handler takes it.
    ex.arquivoAchados.FechaEmSilencio();
    ex.arquivoLista.FechaEmSilencio();
  }
}

}  // namespace rolval::fuzz
