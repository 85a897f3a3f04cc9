#pragma once
// Test helpers: a window set that records what the run showed, a temporary folder, reading and
// writing files byte for byte, and one whole run of a file with its report.
#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "run/CamposRegistro.h"
#include "run/Execucao.h"
#include "run/ValidaArquivo.h"

namespace rolval::teste {

// Records every call a run made on its windows.
class TelaGravada : public Tela {
 public:
  void MostraProgresso() override { eventos.push_back("MostraProgresso"); }
  void AtualizaProgresso() override { ++atualizacoes; }
  void DefineValorProgresso(float valor) override { valores.push_back(valor); }
  void DefineVer(std::string_view legenda) override { ver = legenda; }
  void DefineContrib(std::string_view contribuinte) override {
    contribs.emplace_back(contribuinte);
  }
  void EscondeProgresso() override { eventos.push_back("EscondeProgresso"); }
  void MostraSaida() override { eventos.push_back("MostraSaida"); }
  void MostraMensagem(std::string_view texto, std::string_view titulo,
                      IconeMensagem icone) override {
    mensagens.push_back({std::string(texto), std::string(titulo), icone});
  }

  struct Mensagem {
    std::string texto;
    std::string titulo;
    IconeMensagem icone;
  };
  std::vector<std::string> eventos;
  std::vector<float> valores;
  std::vector<std::string> contribs;
  std::vector<Mensagem> mensagens;
  std::string ver;
  int atualizacoes = 0;
};

// A fresh folder under the system's temporary folder, removed with its content.
class PastaTemporaria {
 public:
  PastaTemporaria();
  ~PastaTemporaria();
  PastaTemporaria(const PastaTemporaria&) = delete;
  PastaTemporaria& operator=(const PastaTemporaria&) = delete;
  const std::filesystem::path& caminho() const { return caminho_; }
  std::filesystem::path operator/(const std::string& nome) const { return caminho_ / nome; }

 private:
  std::filesystem::path caminho_;
};

std::string LeArquivo(const std::filesystem::path& caminho);  // bytes; empty when missing
// A bundled sample file of the source tree (samples/NOME).
std::filesystem::path Amostra(std::string_view nome);
void EscreveArquivo(const std::filesystem::path& caminho, std::string_view bytes);

// Joins records with CR LF after each one.
std::string ComCRLF(const std::vector<std::string>& registros);

// Text given in UTF-8, as the Latin-1 bytes the report holds.
std::string L1(std::string_view utf8);

// The outcome of one whole run.
struct ResultadoExecucao {
  Desfecho desfecho;
  std::string saida;                     // saida.txt (Latin-1), empty when none
  std::string param;                     // param.txt, empty when none
  std::vector<std::string> linhasSaida;  // saida.txt split at CR LF, as UTF-8
  std::vector<std::string> achados;      // the finding lines only (after the headings), UTF-8
  TelaGravada tela;
  bool sobrouAuxiliar = false;  // the run left a file in its folder besides saida.txt and param.txt
};

// Validates the bytes `conteudo` (written to a file in a temporary folder) with `tabela`.
ResultadoExecucao ExecutaConteudo(std::string_view conteudo, const TabelaLayouts& tabela);
// Validates the file at `caminho` with `tabela`, with `pasta` as the work folder.
ResultadoExecucao ExecutaArquivo(const std::string& caminho, const std::filesystem::path& pasta,
                                 const TabelaLayouts& tabela);

// Whether `pasta` holds anything but saida.txt, param.txt and the file `entrada`.
bool SobrouNaPasta(const std::filesystem::path& pasta, const std::filesystem::path& entrada);

// A finding as the run's listener was told of it, kept past the run.
struct AchadoVisto {
  char catalogo;
  int codigo;
  int inicio;
  int fim;
  std::string tipoRegistro;
  const CampoRegistro* campo;
  int ocorrencia;
  std::optional<double> declarado;
  std::optional<double> calculado;
};
// The findings of a run of the bytes `conteudo` with the program's layouts, in order.
std::vector<AchadoVisto> AchadosVistos(std::string_view conteudo);
// The one finding of `catalogo` and `codigo` at column `inicio` of the run of `conteudo`; a test
// failure (and an empty finding) when there is not exactly one.
AchadoVisto AchadoUnico(std::string_view conteudo, char catalogo, int codigo, int inicio);

// The same layouts as the program's table, but with no validator attached: lines are framed,
// counted and length-checked only. Lets the run driver be tested on its own.
const TabelaLayouts& TabelaSoEnquadramento();

// The run set up as the driver sets it up for the layout of tag `documento`; a tag of no layout
// (blanks) leaves the run with that tag and no layout.
void DefineDocumento(Execucao& execucao, std::string_view documento);

// The field of `campos` named `nome`, for the test records' builders; a name the table lacks is a
// fault of the test. Not the engine's compile-time CampoDe: clang 14, which builds the fuzz
// targets' seeds from these builders, miscompiles a compile-time lookup made inside another
// compile-time function and hands back a field of garbage.
template <std::size_t N>
constexpr CampoRegistro CampoChamado(const std::array<CampoRegistro, N>& campos,
                                     std::string_view nome) {
  for (const CampoRegistro& campo : campos)
    if (campo.nome == nome) return campo;
  throw std::invalid_argument("no field named " + std::string(nome));
}

}  // namespace rolval::teste
