// Fuzz target: the corrector of spoilt files. Its copy must differ from the fuzzer's bytes only
// by the changes it counted (checked here by an independent walk of both), must not depend on how
// the bytes were handed to it, and saving it must never write over a file already there.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/CopiaCorrigida.h"

using namespace rolval;
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Quebra(const char* motivo) {
  std::fprintf(stderr, "rolval fuzz: %s\n", motivo);
  std::abort();
}

struct Correcao {
  bool aceita = false;
  std::string saida;
  std::string recusa;
  ContagemCorrecao contagem;
};

Correcao Corrige(std::string_view entrada, std::size_t fatia) {
  Correcao c;
  Corretor corretor([&c](std::string_view bytes) { c.saida.append(bytes); });
  bool segue = true;
  for (std::size_t i = 0; segue && i < entrada.size(); i += fatia)
    segue = corretor.Acrescenta(entrada.substr(i, fatia));
  c.aceita = segue && corretor.Termina();
  c.recusa = corretor.recusa();
  c.contagem = corretor.contagem();
  return c;
}

// The lines of `texto`, each with whether a line end followed it, split at `fim`.
std::vector<std::pair<std::string_view, bool>> Linhas(std::string_view texto,
                                                      std::string_view fim) {
  std::vector<std::pair<std::string_view, bool>> linhas;
  while (!texto.empty()) {
    const std::size_t p = texto.find(fim);
    if (p == std::string_view::npos) {
      linhas.emplace_back(texto, false);
      break;
    }
    linhas.emplace_back(texto.substr(0, p), true);
    texto.remove_prefix(p + fim.size());
  }
  return linhas;
}

// Latin-1 of a line of UTF-8 whose characters are all below U+0100; counts them in `acentos`.
std::string DeUtf8(std::string_view linha, std::int64_t& acentos) {
  std::string r;
  for (std::size_t i = 0; i < linha.size(); ++i) {
    const auto b = static_cast<unsigned char>(linha[i]);
    if (b < 0x80) {
      r.push_back(linha[i]);
      continue;
    }
    if ((b != 0xC2 && b != 0xC3) || i + 1 >= linha.size()) Quebra("an accepted non-Latin-1 byte");
    r.push_back(static_cast<char>(((b & 0x1F) << 6) | (linha[++i] & 0x3F)));
    ++acentos;
  }
  return r;
}

// Rebuilds the counts from the input and the copy alone; aborts where they differ otherwise.
void ConfereDiferencas(std::string_view entrada, const Correcao& c) {
  const ContagemCorrecao& k = c.contagem;
  ContagemCorrecao visto;
  visto.bom = entrada.starts_with("\xEF\xBB\xBF");
  if (visto.bom != k.bom) Quebra("the byte-order mark told wrong");
  if (visto.bom) entrada.remove_prefix(3);
  if (k.fimLF > 0 && k.fimCR > 0) Quebra("two kinds of line end both corrected");
  const std::string_view fim = k.fimLF > 0 ? "\n" : k.fimCR > 0 ? "\r" : "\r\n";
  const auto de = Linhas(entrada, fim);
  const auto para = Linhas(c.saida, "\r\n");
  if (de.size() != para.size() + static_cast<std::size_t>(k.linhasVazias))
    Quebra("lines other than empty ones at the end were added or removed");
  for (std::size_t i = 0; i < de.size(); ++i) {
    const auto& [origem, comFim] = de[i];
    if (i >= para.size()) {
      if (!origem.empty() || !comFim) Quebra("a removed line at the end was not empty");
      ++visto.linhasVazias;
      continue;
    }
    const auto& [copia, copiaComFim] = para[i];
    if (!copiaComFim) Quebra("a line of the copy without CR LF");
    if (copia.find_first_of("\r\n") != std::string_view::npos) Quebra("a stray CR or LF kept");
    if (!comFim) visto.fimAcrescentado = true;
    if (comFim && fim == "\n") ++visto.fimLF;
    if (comFim && fim == "\r") ++visto.fimCR;
    const std::string latin1 = k.acentos > 0 ? DeUtf8(origem, visto.acentos) : std::string(origem);
    if (!copia.starts_with(latin1)) Quebra("a character of a line changed");
    const std::string_view resto = copia.substr(latin1.size());
    if (resto.find_first_not_of(' ') != std::string_view::npos) Quebra("added bytes not blanks");
    if (!resto.empty()) {
      ++visto.registrosCompletados;
      visto.brancos += static_cast<std::int64_t>(resto.size());
    }
  }
  if (!(visto == k)) Quebra("the counts differ from the changes made");
}

// A folder of the process with names already taken: a file, a link to a file outside it and a
// dangling link, each of which a copy must leave alone.
// Removed when the fuzzer ends.
char modeloPasta[] = "/tmp/rolval-fuzz-corretor-XXXXXX";

const fs::path& Pasta() {
  static const fs::path pasta = [] {
    if (::mkdtemp(modeloPasta) == nullptr) Quebra("no temporary folder");
    std::atexit([] {
      std::error_code e;
      fs::remove_all(modeloPasta, e);
    });
    const fs::path p = modeloPasta;
    std::FILE* f = std::fopen((p / "rol-corrigido.txt").c_str(), "wb");
    std::fputs("meu", f);
    std::fclose(f);
    f = std::fopen((p / "alvo").c_str(), "wb");
    std::fputs("alvo", f);
    std::fclose(f);
    fs::create_symlink(p / "alvo", p / "rol-corrigido-2.txt");
    fs::create_symlink(p / "nada", p / "rol-corrigido-3.txt");
    return p;
  }();
  return pasta;
}

std::string Le(const fs::path& caminho) {
  std::string bytes;
  if (std::FILE* f = std::fopen(caminho.c_str(), "rb")) {
    char bloco[4096];
    for (std::size_t n; (n = std::fread(bloco, 1, sizeof bloco, f)) > 0;) bytes.append(bloco, n);
    std::fclose(f);
  }
  return bytes;
}

void ConfereGravacao(std::string_view entrada, const Correcao& c) {
  const fs::path& pasta = Pasta();
  const fs::path arquivo = pasta / "rol.txt";
  std::FILE* f = std::fopen(arquivo.c_str(), "wb");
  if (f == nullptr || std::fwrite(entrada.data(), 1, entrada.size(), f) != entrada.size())
    Quebra("the input could not be written");
  std::fclose(f);
  const ResultadoCorrecao r = SalvaCopiaCorrigida(arquivo.string(), "", nullptr);
  if (r.copia != (pasta / "rol-corrigido-4.txt").string()) Quebra("the copy took another name");
  if (Le(r.copia) != c.saida || !(r.contagem == c.contagem)) Quebra("the saved copy differs");
  if (Le(pasta / "rol-corrigido.txt") != "meu" || Le(pasta / "alvo") != "alvo" ||
      fs::exists(pasta / "nada") || Le(arquivo) != entrada)
    Quebra("a file already there was written over");
  fs::remove(r.copia);
  fs::remove(arquivo);
  if (std::distance(fs::directory_iterator(pasta), fs::directory_iterator()) != 4)
    Quebra("a file was left behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string_view entrada(reinterpret_cast<const char*>(dados), tamanho);
  const Correcao inteira = Corrige(entrada, entrada.size() + 1);
  const std::size_t fatia = tamanho == 0 ? 1 : 1 + dados[0] % 7;
  const Correcao emFatias = Corrige(entrada, fatia);
  if (inteira.aceita != emFatias.aceita || inteira.saida != emFatias.saida ||
      inteira.recusa != emFatias.recusa)
    Quebra("the correction depends on how the bytes were handed over");
  if (inteira.aceita != inteira.recusa.empty()) Quebra("a refusal without a reason, or both");
  if (!inteira.aceita) return 0;
  if (!inteira.contagem.Alguma()) Quebra("a copy with no change counted");
  ConfereDiferencas(entrada, inteira);
  ConfereGravacao(entrada, inteira);
  return 0;
}
