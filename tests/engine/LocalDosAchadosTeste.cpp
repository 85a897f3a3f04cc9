// Every layout raises each code where its catalogue entry says it is reported: a finding of the
// record at the line being read with that record's period, a finding of the file without
// registration or period. Checked on every finding of spoiled and byte-mutated sample files of
// every layout, as each finding is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <set>
#include <string>

#include "layouts/Layouts.h"
#include "run/Formatos.h"
#include "run/ValidaArquivo.h"
#include "tests/support/Apoio.h"
#include "tools/GeradorAmostras.h"

namespace rolval {
namespace {

using namespace teste;
namespace am = amostras;

// Compares each finding, as it is written, with the run's state at that moment.
class ConfereLocal : public OuvinteAchados {
 public:
  explicit ConfereLocal(const Execucao& ex) : ex_(ex) {}

  void Anota(const Achado& a) override {
    const EntradaCatalogo* e = EntradaDe(a.catalogo, a.codigo);
    ASSERT_NE(e, nullptr) << a.catalogo << a.codigo;
    const std::string periodoRegistro = Apara(ex_.RegistroAtual.MesAnoRef).empty()
                                            ? std::string("00/0000")
                                            : FormataPeriodo(ex_.RegistroAtual.MesAnoRef);
    const std::string codigo = std::string(1, a.catalogo) + std::to_string(a.codigo);
    switch (e->onde) {
      case Onde::Registro:
        EXPECT_EQ(a.linha, ex_.NumLinha) << codigo;
        EXPECT_EQ(a.periodo, periodoRegistro) << codigo;
        break;
      case Onde::RegistroSemPeriodo:
        EXPECT_EQ(a.linha, ex_.NumLinha) << codigo;
        EXPECT_EQ(a.periodo, "00/0000") << codigo;
        break;
      case Onde::LinhaGuardada:
        EXPECT_LE(a.linha, ex_.NumLinha) << codigo;
        break;
      case Onde::Arquivo:
        EXPECT_TRUE(a.inscricao.empty()) << codigo;
        EXPECT_EQ(a.periodo, "00/0000") << codigo;
        break;
    }
    vistos.insert(codigo);
  }

  std::set<std::string> vistos;

 private:
  const Execucao& ex_;
};

TEST(LocalDosAchados, CadaCodigoOndeOCatalogoDiz) {
  std::mt19937 sorteio(20261208);
  std::set<std::string> vistos;
  for (const am::ModuloAmostra& modulo : am::ModulosAmostra()) {
    std::vector<std::string> arquivos;
    // Every kind of spoil, in the first return and in the last (closed by the end of the file);
    // a kind written for any annex ("soma-XNN") for each annex it takes.
    for (const am::DescricaoEstrago& estrago : modulo.estragos) {
      const std::string tipo(estrago.tipo);
      const std::size_t marca = std::min(tipo.find("XNN"), tipo.find("AN"));
      std::vector<std::string> tipos;
      if (marca == std::string::npos)
        tipos.push_back(tipo);
      else
        for (const std::string_view anexo : modulo.anexos)
          tipos.push_back(tipo.substr(0, marca) + std::string(anexo));
      for (const std::string& t : tipos)
        for (const std::int32_t retorno : {1, 3}) {
          am::OpcoesAmostra opcoes;
          opcoes.layout = std::string(modulo.layout);
          opcoes.retornos = 3;
          opcoes.estragos = {{t, retorno}};
          try {
            arquivos.push_back(am::GeraAmostraTexto(opcoes));
          } catch (const std::invalid_argument&) {
            // A spoil the annex does not take (a sum of an annex without amounts).
          }
        }
    }
    // Clean files with a few bytes changed at random (any value but the line ends).
    for (std::uint64_t semente = 1; semente <= 30; ++semente) {
      am::OpcoesAmostra opcoes;
      opcoes.layout = std::string(modulo.layout);
      opcoes.retornos = 3;
      opcoes.semente = semente;
      std::string texto = am::GeraAmostraTexto(opcoes);
      for (int i = 0; i < 4; ++i) {
        char& c = texto[sorteio() % texto.size()];
        if (c != '\r' && c != '\n') c = static_cast<char>(32 + sorteio() % 224);
      }
      arquivos.push_back(std::move(texto));
    }
    if (modulo.layout == "05") {
      // A later return of layout 04 in a file of layout 05: a finding of the file at a record.
      std::string texto = arquivos.back();
      std::size_t cabecalho = texto.find("ABC ", texto.find("\r\n") + 2);
      while (cabecalho != std::string::npos && (cabecalho - 39) % 900 != 0)
        cabecalho = texto.find("ABC ", cabecalho + 1);
      ASSERT_NE(cabecalho, std::string::npos);
      texto[cabecalho - 39 + 5] = '4';
      arquivos.push_back(std::move(texto));
    }
    for (const std::string& texto : arquivos) {
      PastaTemporaria pasta;
      const auto caminho = pasta / "entrada.txt";
      EscreveArquivo(caminho, texto);
      TelaGravada tela;
      Execucao ex(pasta.caminho(), tela);
      ConfereLocal confere(ex);
      ex.DefineOuvinte(&confere);
      ValidaArquivo(ex, caminho.string(), TabelaPadrao());
      vistos.insert(confere.vistos.begin(), confere.vistos.end());
    }
  }
  // The files reach findings of every kind of place.
  std::string todos;
  for (const std::string& c : vistos) todos += c + ' ';
  for (const char* codigo : {"M7", "M5", "M33", "M36", "M50", "S13", "S31", "S28", "M21"})
    EXPECT_TRUE(vistos.contains(codigo)) << codigo << " not among " << todos;
}

}  // namespace
}  // namespace rolval
