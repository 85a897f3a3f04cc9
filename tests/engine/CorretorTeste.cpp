// The corrected copy of a spoilt file: every common spoiling of a sound file, alone or two at
// once, corrected gives back the sound file's bytes, which validate; a correction that would be a
// guess is refused and leaves nothing; the copy never takes the name of an existing file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "layouts/CopiaCorrigida.h"
#include "layouts/Layouts.h"
#include "run/Latin1.h"
#include "tests/support/Apoio.h"
#include "tools/GeradorAmostras.h"

namespace rolval {
namespace {

namespace fs = std::filesystem;
using namespace teste;

// Generated files of each layout in the round trip, besides the bundled samples (about 50 s in an
// optimised build on two cores).
constexpr int GeradosPorLayout = 200;

std::string Troca(std::string texto, std::string_view de, std::string_view para) {
  for (std::size_t i = 0; (i = texto.find(de, i)) != std::string::npos; i += para.size())
    texto.replace(i, de.size(), para);
  return texto;
}

// Each record's trailing blanks cut, as an editor does.
std::string SemBrancosFinais(const std::string& texto) {
  std::string r;
  std::size_t inicio = 0;
  for (std::size_t fim; (fim = texto.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2) {
    const std::string_view linha(texto.data() + inicio, fim - inicio);
    r.append(linha.substr(0, linha.find_last_not_of(' ') + 1)).append("\r\n");
  }
  return r;
}

// The sound file with Latin-1 accents in its texts: past column 60, A and C become Ã and Ç.
std::string ComAcentos(const std::string& texto) {
  std::string r;
  std::size_t coluna = 0;
  for (const char c : texto) {
    coluna = c == '\n' ? 0 : coluna + 1;
    r.push_back(coluna <= 60 ? c : c == 'A' ? '\xC3' : c == 'C' ? '\xC7' : c);
  }
  return r;
}

struct Estrago {
  const char* nome;
  bool acentos;  // applied to the file with accents (UTF-8 needs them to change anything)
  std::function<std::string(const std::string&)> estraga;
};

const std::vector<Estrago>& Estragos() {
  static const auto lf = [](const std::string& t) { return Troca(t, "\r\n", "\n"); };
  static const auto cr = [](const std::string& t) { return Troca(t, "\r\n", "\r"); };
  static const auto bom = [](const std::string& t) { return "\xEF\xBB\xBF" + t; };
  static const auto semFim = [](const std::string& t) { return t.substr(0, t.size() - 2); };
  static const auto fimDobrado = [](const std::string& t) { return t + "\r\n"; };
  static const std::vector<Estrago> estragos = {
      {"LF", false, lf},
      {"CR", false, cr},
      {"BOM", false, bom},
      {"UTF-8", true, [](const std::string& t) { return ParaUtf8(t); }},
      {"brancos cortados", false, SemBrancosFinais},
      {"sem o ultimo fim de linha", false, semFim},
      {"ultimo fim de linha dobrado", false, fimDobrado},
      {"LF e BOM", false, [](const std::string& t) { return bom(lf(t)); }},
      {"UTF-8 e LF", true, [](const std::string& t) { return lf(ParaUtf8(t)); }},
      {"brancos cortados e sem o ultimo fim", false,
       [](const std::string& t) { return semFim(SemBrancosFinais(t)); }},
      {"CR e fim dobrado", false, [](const std::string& t) { return cr(fimDobrado(t)); }},
  };
  return estragos;
}

std::set<std::string> Conteudo(const fs::path& pasta) {
  std::set<std::string> nomes;
  for (const auto& e : fs::directory_iterator(pasta)) nomes.insert(e.path().filename().string());
  return nomes;
}

// Spoils the sound file `limpo` every way, corrects each and checks the copy. With `valida`,
// every copy is validated; otherwise only the first (all copies have the same bytes). The
// spoilings that changed the file are added to `mudaram`.
void ConfereIdaEVolta(const std::string& origem, const std::string& limpo, bool valida,
                      std::set<std::string>& mudaram) {
  const std::string acentuado = ComAcentos(limpo);
  bool validado = false;
  for (const Estrago& e : Estragos()) {
    SCOPED_TRACE(origem + ", " + e.nome);
    const std::string& original = e.acentos ? acentuado : limpo;
    const std::string estragado = e.estraga(original);
    PastaTemporaria pasta;
    const fs::path entrada = pasta / "rol.txt";
    EscreveArquivo(entrada, estragado);
    const ResultadoCorrecao r = SalvaCopiaCorrigida(entrada.string(), "", nullptr);
    if (estragado == original) {  // a spoiling that changed nothing in this file
      EXPECT_EQ(r.copia, "");
      EXPECT_EQ(r.recusa.rfind("nada a corrigir", 0), 0u) << r.recusa;
      continue;
    }
    mudaram.insert(e.nome);
    ASSERT_EQ(r.recusa, "");
    EXPECT_EQ(r.copia, (pasta / "rol-corrigido.txt").string());
    EXPECT_TRUE(LeArquivo(r.copia) == original) << "the copy is not the sound file";
    EXPECT_TRUE(LeArquivo(entrada) == estragado) << "the input changed";
    EXPECT_EQ(Conteudo(pasta.caminho()), (std::set<std::string>{"rol.txt", "rol-corrigido.txt"}));
    if (e.acentos || (validado && !valida)) continue;
    fs::create_directories(pasta / "rel");
    const ResultadoExecucao v = ExecutaArquivo(r.copia, pasta / "rel", TabelaPadrao());
    ASSERT_FALSE(v.linhasSaida.empty());
    EXPECT_EQ(v.linhasSaida[0], "ARQUIVO OK.");
    validado = true;
  }
}

// Every spoiling must have changed some file, or it tested nothing.
void ConfereQueTodosMudaram(const std::set<std::string>& mudaram) {
  for (const Estrago& e : Estragos()) EXPECT_TRUE(mudaram.contains(e.nome)) << e.nome;
}

TEST(CopiaCorrigida, CadaEstragoDasAmostrasVoltaAoArquivoSao) {
  std::set<std::string> mudaram;
  for (const char* amostra : {"rol03", "rol05", "rolst01", "rolst02"}) {
    const std::string limpo = LeArquivo(Amostra(std::string(amostra) + "-limpo.txt"));
    ASSERT_FALSE(limpo.empty()) << amostra;
    ConfereIdaEVolta(amostra, limpo, true, mudaram);
  }
  ConfereQueTodosMudaram(mudaram);
}

TEST(CopiaCorrigida, CadaEstragoDeArquivosGeradosVoltaAoArquivoSao) {
  std::set<std::string> mudaram;
  for (const amostras::ModuloAmostra& modulo : amostras::ModulosAmostra()) {
    for (int semente = 1; semente <= GeradosPorLayout; ++semente) {
      amostras::OpcoesAmostra opcoes;
      opcoes.layout = std::string(modulo.layout);
      opcoes.retornos = 1 + semente % 3;
      opcoes.semente = static_cast<std::uint64_t>(semente);
      ConfereIdaEVolta(opcoes.layout + " semente " + std::to_string(semente),
                       amostras::GeraAmostraTexto(opcoes), false, mudaram);
      if (HasFatalFailure()) return;
    }
  }
  ConfereQueTodosMudaram(mudaram);
}

std::string Registro05(std::size_t comprimento = 898) {
  std::string r = "****05";
  r.resize(comprimento, ' ');
  return r;
}

TEST(CopiaCorrigida, RecusaOQueSeriaPalpiteENadaGrava) {
  const std::string r = Registro05();
  const std::string curto = "****05";
  struct Caso {
    const char* nome;
    std::string conteudo;
    const char* motivo;  // the start of the refusal
  };
  const std::vector<Caso> casos = {
      {"arquivo sao", r + "\r\n" + r + "\r\n", "nada a corrigir"},
      {"arquivo vazio", "", "o arquivo não tem nenhum registro"},
      {"so linhas vazias", "\n\n", "o arquivo não tem nenhum registro"},
      {"caractere sem forma em Latin-1", curto + "\xE2\x82\xAC\n" + r + "\n",
       "a linha 1 tem um caractere que não existe em Latin-1"},
      {"linha mais longa que o registro", r + "\n" + r + "X\n",
       "a linha 2 tem 899 caracteres, mais que os 898"},
      {"linha mais longa que qualquer registro", r + "\n" + std::string(2000, 'X') + "\n",
       "a linha 2 é mais longa que qualquer registro"},
      {"layout desconhecido", "qualquer coisa\n",
       "o primeiro registro não começa como o de nenhum"},
      {"fins de linha misturados", r + "\n" + r + "\r\n" + r + "\n",
       "as linhas terminam de modos diferentes (LF na primeira, CR LF na linha 2)"},
      {"CR e LF separados", r + "\r" + r + "\n", "as linhas terminam de modos diferentes (CR"},
      {"UTF-8 e Latin-1 misturados", curto + "\xC3\xA7\n" + curto + "\xE7\n",
       "a linha 2 tem bytes que não formam UTF-8"},
      {"linha vazia no meio", r + "\n\n" + r + "\n", "a linha 2 está vazia, no meio do arquivo"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    const fs::path entrada = pasta / "rol.txt";
    EscreveArquivo(entrada, c.conteudo);
    const ResultadoCorrecao resultado = SalvaCopiaCorrigida(entrada.string(), "", nullptr);
    EXPECT_EQ(resultado.copia, "");
    EXPECT_EQ(resultado.recusa.rfind(c.motivo, 0), 0u) << resultado.recusa;
    EXPECT_EQ(Conteudo(pasta.caminho()), std::set<std::string>{"rol.txt"});
    EXPECT_EQ(LeArquivo(entrada), c.conteudo);
  }
}

TEST(CopiaCorrigida, NuncaGravaSobreUmArquivo) {
  PastaTemporaria pasta;
  const std::string r = Registro05();
  const fs::path entrada = pasta / "rol.dat";
  EscreveArquivo(entrada, r + "\n");
  EscreveArquivo(pasta / "rol-corrigido.txt", "meu");
  fs::create_symlink(pasta / "nada", pasta / "rol-corrigido-2.txt");  // a dangling link
  const ResultadoCorrecao terceira = SalvaCopiaCorrigida(entrada.string(), "", nullptr);
  EXPECT_EQ(terceira.copia, (pasta / "rol-corrigido-3.txt").string());
  EXPECT_EQ(LeArquivo(terceira.copia), r + "\r\n");
  EXPECT_EQ(LeArquivo(pasta / "rol-corrigido.txt"), "meu");
  EXPECT_FALSE(fs::exists(pasta / "nada"));

  for (const fs::path& destino : {pasta / "rol-corrigido.txt", pasta / "rol-corrigido-2.txt",
                                  entrada, pasta.caminho() / ""}) {
    SCOPED_TRACE(destino.string());
    const ResultadoCorrecao r2 = SalvaCopiaCorrigida(entrada.string(), destino.string(), nullptr);
    EXPECT_EQ(r2.copia, "");
    EXPECT_FALSE(r2.recusa.empty());
  }
  EXPECT_EQ(Conteudo(pasta.caminho()),
            (std::set<std::string>{"rol.dat", "rol-corrigido.txt", "rol-corrigido-2.txt",
                                   "rol-corrigido-3.txt"}));
  EXPECT_EQ(LeArquivo(entrada), r + "\n");

  const ResultadoCorrecao escolhido =
      SalvaCopiaCorrigida(entrada.string(), (pasta / "outro.txt").string(), nullptr);
  EXPECT_EQ(escolhido.copia, (pasta / "outro.txt").string());
  EXPECT_EQ(escolhido.contagem.fimLF, 1);

  // A folder is no file to correct.
  const ResultadoCorrecao pastaNao = SalvaCopiaCorrigida(pasta.caminho().string(), "", nullptr);
  EXPECT_EQ(pastaNao.copia, "");
  EXPECT_EQ(pastaNao.recusa, "não é um arquivo comum (é uma pasta, um cano ou um dispositivo)");
}

TEST(CopiaCorrigida, DescreveCadaMudancaNoSingularENoPlural) {
  ContagemCorrecao c;
  c.fimLF = 1193;
  EXPECT_EQ(DescreveCorrecao(c), "1.193 fins de linha LF trocados por CR LF");
  ContagemCorrecao todas{.fimLF = 0,
                         .fimCR = 1,
                         .bom = true,
                         .acentos = 1,
                         .registrosCompletados = 1,
                         .brancos = 1234567,
                         .fimAcrescentado = true,
                         .linhasVazias = 2};
  EXPECT_EQ(DescreveCorrecao(todas),
            "marca BOM (EF BB BF) retirada do início; 1 fim de linha CR trocado por CR LF; "
            "1 caractere acentuado passado de UTF-8 para Latin-1; 1 registro completado com "
            "1.234.567 brancos no fim; quebra de linha CR LF acrescentada ao fim do último "
            "registro; 2 linhas vazias retiradas do fim");
}

}  // namespace
}  // namespace rolval
