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

// Whether a line of layout `layout` is the header line of a return, as the layout reads it.
bool LinhaDeCabecalho(std::string_view layout, std::string_view linha) {
  if (layout == "ST02") return linha.starts_with("A0");
  if (layout == "04" || layout == "05") return linha.size() >= 43 && linha.substr(39, 4) == "ABC ";
  return true;  // one line a return
}

// Compares each finding, as it is written, with the run's state at that moment; and the header
// line it names with the file `texto` of layout `layout`.
class ConfereLocal : public OuvinteAchados {
 public:
  ConfereLocal(const Execucao& ex, std::string_view texto, std::string_view layout)
      : ex_(ex), texto_(texto), layout_(layout) {
    for (std::size_t i = 0; i < texto.size(); i = texto.find("\r\n", i) + 2) {
      inicios_.push_back(static_cast<std::int64_t>(i));
      if (texto.find("\r\n", i) == std::string_view::npos) break;
    }
  }

  // Line `n` (1-based) of the file, without its end.
  std::string_view Linha(std::int32_t n) const {
    const auto i = static_cast<std::size_t>(inicios_[static_cast<std::size_t>(n) - 1]);
    return texto_.substr(i, texto_.find("\r\n", i) - i);
  }

  // A finding of a record names the last header line at or before its own line, where that line
  // starts; none when no header comes before it.
  void ConfereCabecalho(const Achado& a) {
    if (a.tipoRegistro.empty() || a.linha <= 0) return;
    std::int32_t ultimo = 0;
    for (std::int32_t n = 1; n <= a.linha; ++n)
      if (LinhaDeCabecalho(layout_, Linha(n))) ultimo = n;
    if (ultimo == 0) {
      EXPECT_EQ(a.linhaCabecalho, 0) << a.linha;
      return;
    }
    ASSERT_GT(a.linhaCabecalho, 0) << a.linha;
    EXPECT_TRUE(LinhaDeCabecalho(layout_, Linha(a.linhaCabecalho))) << a.linhaCabecalho;
    EXPECT_EQ(a.deslocamentoCabecalho, inicios_[static_cast<std::size_t>(a.linhaCabecalho) - 1]);
    // The header of the return a finding at the next return's header closes may come earlier.
    EXPECT_LE(a.linhaCabecalho, a.linha);
    EXPECT_TRUE(a.linhaCabecalho == a.linha || a.linhaCabecalho == ultimo || ultimo == a.linha);
  }

  void Anota(const Achado& a) override {
    ConfereCabecalho(a);
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
  std::string_view texto_;
  std::string_view layout_;
  std::vector<std::int64_t> inicios_;  // where each line starts
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
      ConfereLocal confere(ex, texto, modulo.layout);
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
