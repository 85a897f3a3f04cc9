#include "tests/support/Apoio.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>
#include <unistd.h>

#include "layouts/Layouts.h"
#include "run/Latin1.h"

namespace rolval::teste {

PastaTemporaria::PastaTemporaria() {
  const char* base = std::getenv("TMPDIR");
  std::string modelo = std::string(base && *base ? base : "/tmp") + "/rolval-teste-XXXXXX";
  if (::mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  caminho_ = modelo;
}

PastaTemporaria::~PastaTemporaria() {
  std::error_code ignorado;
  std::filesystem::permissions(caminho_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignorado);
  std::filesystem::remove_all(caminho_, ignorado);
}

std::filesystem::path Amostra(std::string_view nome) {
  return std::filesystem::path(ROLVAL_PASTA_AMOSTRAS) / nome;
}

std::string LeArquivo(const std::filesystem::path& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void EscreveArquivo(const std::filesystem::path& caminho, std::string_view bytes) {
  std::ofstream out(caminho, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ComCRLF(const std::vector<std::string>& registros) {
  std::string s;
  for (const auto& r : registros) {
    s += r;
    s += "\r\n";
  }
  return s;
}

std::string L1(std::string_view utf8) { return ParaLatin1(utf8); }

namespace {

std::vector<std::string> Linhas(const std::string& latin1) {
  std::vector<std::string> linhas;
  std::size_t inicio = 0;
  while (inicio < latin1.size()) {
    const std::size_t fim = latin1.find("\r\n", inicio);
    if (fim == std::string::npos) {
      linhas.push_back(ParaUtf8(latin1.substr(inicio)));
      break;
    }
    linhas.push_back(ParaUtf8(latin1.substr(inicio, fim - inicio)));
    inicio = fim + 2;
  }
  return linhas;
}

}  // namespace

ResultadoExecucao ExecutaArquivo(const std::string& caminho, const std::filesystem::path& pasta,
                                 const TabelaLayouts& tabela) {
  ResultadoExecucao r{};
  Execucao execucao(pasta, r.tela);
  r.desfecho = ValidaArquivo(execucao, caminho, tabela);
  r.saida = LeArquivo(pasta / NomeSaida);
  r.param = LeArquivo(pasta / NomeParam);
  r.linhasSaida = Linhas(r.saida);
  if (!r.linhasSaida.empty() &&
      r.linhasSaida[0] == "ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:")
    r.achados.assign(
        r.linhasSaida.begin() +
            std::min<std::ptrdiff_t>(6, static_cast<std::ptrdiff_t>(r.linhasSaida.size())),
        r.linhasSaida.end());
  r.sobrouAuxiliar = SobrouNaPasta(pasta, caminho);
  return r;
}

ResultadoExecucao ExecutaConteudo(std::string_view conteudo, const TabelaLayouts& tabela) {
  PastaTemporaria pasta;
  const auto arquivo = pasta / "entrada.txt";
  EscreveArquivo(arquivo, conteudo);
  return ExecutaArquivo(arquivo.string(), pasta.caminho(), tabela);
}

std::vector<AchadoVisto> AchadosVistos(std::string_view conteudo) {
  class Guarda : public OuvinteAchados {
   public:
    void Anota(const Achado& a) override {
      vistos.push_back({a.catalogo, a.codigo, a.inicio, a.fim, std::string(a.tipoRegistro), a.campo,
                        a.ocorrencia, a.declarado, a.calculado});
    }
    std::vector<AchadoVisto> vistos;
  };
  PastaTemporaria pasta;
  const auto arquivo = pasta / "entrada.txt";
  EscreveArquivo(arquivo, conteudo);
  TelaGravada tela;
  Execucao execucao(pasta.caminho(), tela);
  Guarda guarda;
  execucao.DefineOuvinte(&guarda);
  ValidaArquivo(execucao, arquivo.string(), TabelaPadrao());
  return std::move(guarda.vistos);
}

bool SobrouNaPasta(const std::filesystem::path& pasta, const std::filesystem::path& entrada) {
  std::error_code e;
  for (const auto& item : std::filesystem::directory_iterator(pasta, e)) {
    const std::string nome = item.path().filename().string();
    if (nome == NomeSaida || nome == NomeParam ||
        std::filesystem::equivalent(item.path(), entrada, e))
      continue;
    return true;
  }
  return false;
}

void DefineDocumento(Execucao& execucao, std::string_view documento) {
  if (const LayoutArquivo* layout = LayoutDe(documento); layout != nullptr) {
    AdotaLayout(execucao, *layout);
  } else {
    execucao.controle.Documento = documento;
    execucao.controle.Forma = {};
  }
}

const TabelaLayouts& TabelaSoEnquadramento() {
  // The program's rows with no `valida` and no `prepara`, and no end-of-file closings.
  static const std::vector<LayoutArquivo> layouts = [] {
    const auto programa = TabelaPadrao().layouts;
    std::vector<LayoutArquivo> linhas(programa.begin(), programa.end());
    for (LayoutArquivo& linha : linhas) {
      linha.valida = nullptr;
      linha.prepara = nullptr;
      linha.fechaArquivo = nullptr;
    }
    return linhas;
  }();
  static const TabelaLayouts tabela{layouts};
  return tabela;
}

}  // namespace rolval::teste
