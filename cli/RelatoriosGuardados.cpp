#include "cli/RelatoriosGuardados.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "run/Falha.h"

namespace rolval {

namespace {

std::filesystem::path Absoluto(const std::filesystem::path& caminho) {
  std::error_code e;
  const std::filesystem::path p = std::filesystem::absolute(caminho, e);
  return (e ? caminho : p).lexically_normal();
}

bool Existe(const std::filesystem::path& caminho) {
  struct stat st {};
  if (::lstat(caminho.c_str(), &st) == 0) return true;
  if (errno == ENOENT) return false;
  throw std::system_error(errno, std::generic_category(), caminho.string());
}

}  // namespace

RelatoriosGuardados::RelatoriosGuardados(std::filesystem::path pasta, GuardaEscrita* guarda,
                                         bool sincroniza)
    : pasta_(std::move(pasta)),
      pastaAbsoluta_(Absoluto(pasta_)),
      guarda_(guarda),
      sincroniza_(sincroniza) {
  if (pastaAbsoluta_.filename().empty()) pastaAbsoluta_ = pastaAbsoluta_.parent_path();  // "d/"
  RetiraProvisoriosOrfaos(pasta_);
}

void RelatoriosGuardados::Registra(const std::string& entrada) {
  std::filesystem::path caminho = Absoluto(entrada);
  if (caminho.parent_path() != pastaAbsoluta_) return;
  std::lock_guard<std::mutex> g(travaEntradas_);
  entradas_.insert(std::move(caminho));
}

bool RelatoriosGuardados::EEntrada(const std::string& nome) const {
  std::lock_guard<std::mutex> g(travaEntradas_);
  return entradas_.count(pastaAbsoluta_ / nome) != 0;
}

std::string RelatoriosGuardados::Guarda(const ResultadoArquivo& r, std::string& nomeGuardado) {
  const std::string base = std::filesystem::path(r.arquivo).filename().string();
  int& primeiro = proximoSufixo_.try_emplace(base, 1).first->second;
  if (guarda_ != nullptr) guarda_->Comeca();
  std::string erro;
  try {
    // Both are written whole first; the temporary names go when these objects do.
    const ArquivoProvisorio saidaNova(
        pasta_, ".rolval-saida.", SistemaArquivos::Padrao(),
        [&r](ArquivoSaida& a) { r.relatorio.Le([&a](std::string_view b) { a.Escreve(b); }); },
        sincroniza_);
    const ArquivoProvisorio paramNova(
        pasta_, ".rolval-param.", SistemaArquivos::Padrao(),
        [&r](ArquivoSaida& a) { a.Escreve(r.param); }, sincroniza_);
    const std::string& saida = saidaNova.caminho();
    const std::string& param = paramNova.caminho();
    const int inicio = primeiro;
    for (int n = inicio;; ++n) {
      if (n > inicio + 100000)
        throw std::runtime_error("no free name for " + base + " in " + pasta_.string());
      const std::string nome = n == 1 ? base : base + "." + std::to_string(n);
      const std::filesystem::path destinoSaida = pasta_ / (nome + ".saida.txt");
      const std::filesystem::path destinoParam = pasta_ / (nome + ".param.txt");
      // A name seen taken stays taken for the batch: no file here is ever removed by it.
      primeiro = n + 1;
      if (EEntrada(nome + ".saida.txt") || EEntrada(nome + ".param.txt") || Existe(destinoSaida) ||
          Existe(destinoParam))
        continue;
      // A link fails when the name exists, whoever made it in the meantime: then the next suffix.
      if (::link(saida.c_str(), destinoSaida.c_str()) != 0) {
        if (errno == EEXIST) continue;
        throw std::system_error(errno, std::generic_category(), destinoSaida.string());
      }
      if (::link(param.c_str(), destinoParam.c_str()) != 0) {
        const int e = errno;
        ::unlink(destinoSaida.c_str());
        if (e == EEXIST) continue;
        throw std::system_error(e, std::generic_category(), destinoParam.string());
      }
      nomeGuardado = nome;
      if (sincroniza_) SincronizaPasta(pasta_);
      break;
    }
  } catch (const std::exception& e) {
    erro = e.what();
  }
  if (guarda_ != nullptr) guarda_->Termina();
  return erro;
}

}  // namespace rolval
