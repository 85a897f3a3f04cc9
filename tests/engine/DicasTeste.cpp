// Hints for the common ways a file is spoilt: each spoilt file gives exactly its hint, a sound
// file (with Latin-1 accents too) gives none, and a pipe is never read for them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layouts/Corretor.h"
#include "layouts/Dicas.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

// A record that layout 05 recognises, of `comprimento` characters, blanks after its tag.
std::string Registro05(std::size_t comprimento = 898) {
  std::string r = "****05";
  r.resize(comprimento, ' ');
  return r;
}

std::string Juntos(const std::vector<std::string>& linhas, std::string_view fim) {
  std::string texto;
  for (const std::string& l : linhas) texto += l + std::string(fim);
  return texto;
}

struct CasoDica {
  std::string nome;
  std::string conteudo;
  std::vector<TipoDica> esperadas;
};

std::vector<TipoDica> Tipos(const std::vector<Dica>& dicas) {
  std::vector<TipoDica> tipos;
  for (const Dica& d : dicas) {
    EXPECT_FALSE(d.texto.empty());
    EXPECT_EQ(d.texto.find_first_of("\r\n"), std::string::npos) << d.texto;
    // The first sentence says what happened in everyday words; the technical terms come after.
    const std::string primeira = d.texto.substr(0, d.texto.find(". "));
    for (const char* termo : {"CR", "LF", "BOM", "UTF", "Latin-1", "ISO", "bytes"})
      EXPECT_EQ(primeira.find(termo), std::string::npos) << d.texto;
    tipos.push_back(d.tipo);
  }
  return tipos;
}

TEST(Dicas, CadaEstragoComumDaSuaDicaEArquivoSaoNenhuma) {
  const std::string r = Registro05();
  std::string latin1 = r;
  latin1.replace(100, 3, "\xE7\xE3o");
  std::string utf8 = r;
  utf8.replace(100, 1, "ç");
  const std::vector<CasoDica> casos = {
      {"arquivo sao", Juntos({r, r, r}, "\r\n"), {}},
      {"acentos em Latin-1", Juntos({r, latin1}, "\r\n"), {}},
      {"texto que nao e de layout nenhum", "qualquer coisa\r\noutra\n", {}},
      {"so LF", Juntos({r, r}, "\n"), {TipoDica::FimDeLinhaLF}},
      {"so CR", Juntos({r, r}, "\r"), {TipoDica::FimDeLinhaCR}},
      {"BOM do UTF-8", "\xEF\xBB\xBF" + Juntos({r, r}, "\r\n"), {TipoDica::MarcaBOM}},
      {"UTF-16", std::string("\xFF\xFE*\0*\0", 6), {TipoDica::MarcaBOM}},
      {"acentos em UTF-8", Juntos({r, utf8}, "\r\n"), {TipoDica::AcentosUtf8}},
      {"tamanho do layout ST 01",
       Juntos({Registro05(754), Registro05(754)}, "\r\n"),
       {TipoDica::TamanhoDeOutroLayout}},
      {"brancos cortados",
       Juntos({r, Registro05(850), Registro05(640)}, "\r\n"),
       {TipoDica::BrancosCortados}},
      {"ultimo sem CR LF", Juntos({r, r}, "\r\n") + r, {TipoDica::UltimoSemFimDeLinha}},
      {"linha vazia no fim", Juntos({r, r, ""}, "\r\n"), {TipoDica::LinhaVaziaNoFim}},
      {"BOM, LF e UTF-8 juntos",
       "\xEF\xBB\xBF" + Juntos({utf8}, "\n"),
       {TipoDica::MarcaBOM, TipoDica::FimDeLinhaLF, TipoDica::AcentosUtf8}},
  };
  for (const CasoDica& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const std::vector<Dica> dicas = DicasDoArquivo(caso.conteudo, caso.conteudo.size());
    EXPECT_EQ(Tipos(dicas), caso.esperadas);
    if (dicas.empty()) continue;
    // A hint offers the corrected copy exactly when the corrector mends the file.
    const bool corrigivel = std::ranges::all_of(dicas, &Dica::corrigivel);
    Corretor corretor([](std::string_view) {});
    EXPECT_EQ(corretor.Acrescenta(caso.conteudo) && corretor.Termina(), corrigivel)
        << corretor.recusa();
  }
}

TEST(Dicas, SoOInicioDeUmArquivoGrandeEOSeuTamanho) {
  const std::string r = Registro05();
  const std::string inicio = Juntos({r, r, r}, "\r\n") + r.substr(0, 300);  // cut mid-record
  EXPECT_TRUE(DicasDoArquivo(inicio, 900 * 1000).empty());
  EXPECT_EQ(Tipos(DicasDoArquivo(inicio, 900 * 1000 + 898)),
            std::vector<TipoDica>{TipoDica::UltimoSemFimDeLinha});
}

TEST(Dicas, DoCaminhoLeArquivoComumENuncaUmCano) {
  PastaTemporaria pasta;
  const std::string arquivo = (pasta / "lf.txt").string();
  EscreveArquivo(arquivo, Juntos({Registro05(), Registro05()}, "\n"));
  EXPECT_EQ(Tipos(DicasDoCaminho(arquivo)), std::vector<TipoDica>{TipoDica::FimDeLinhaLF});

  // Opening a pipe with no writer would block; reading one would take its bytes from the run.
  const std::string cano = (pasta / "cano").string();
  ASSERT_EQ(mkfifo(cano.c_str(), 0600), 0);
  EXPECT_TRUE(DicasDoCaminho(cano).empty());
  EXPECT_TRUE(DicasDoCaminho((pasta / "nao-existe").string()).empty());
}

}  // namespace
}  // namespace rolval
