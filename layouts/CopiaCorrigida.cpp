#include "layouts/CopiaCorrigida.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "run/Falha.h"

namespace rolval {

namespace {

namespace fs = std::filesystem;

// A refusal found while reading or writing, with its reason (UTF-8).
struct Recusada {
  std::string motivo;
};

// Hands the whole file at `arquivo` to `corretor` and ends it; false when it refused. The file
// must be a regular file, opened without waiting on a pipe or a device.
bool Corrige(const std::string& arquivo, SistemaArquivos& sistema, Corretor& corretor,
             GuardaEscrita* guarda) {
  const int fd = sistema.Abre(arquivo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd < 0) FalhaDoSistema("open", arquivo);
  struct Fecha {
    SistemaArquivos& s;
    int fd;
    ~Fecha() { s.Fecha(fd); }
  } fecha{sistema, fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) FalhaDoSistema("stat", arquivo);
  if (!S_ISREG(st.st_mode))
    throw Recusada{"não é um arquivo comum (é uma pasta, um cano ou um dispositivo)"};
  std::vector<char> bloco(64 * 1024);
  for (;;) {
    if (guarda != nullptr && guarda->Interrompida()) throw EscritaInterrompida{};
    const ssize_t lidos = sistema.Le(fd, bloco.data(), bloco.size());
    if (lidos < 0 && errno == EINTR) continue;
    if (lidos < 0) FalhaDoSistema("read", arquivo);
    if (lidos == 0) break;
    if (!corretor.Acrescenta({bloco.data(), static_cast<std::size_t>(lidos)})) return false;
  }
  return corretor.Termina();
}

}  // namespace

std::string NomeDaCopiaCorrigida(const std::string& arquivo, int n) {
  // Built by appends: GCC 12's Release build takes `"-" + string` for an overlapping copy.
  std::string nome = fs::path(arquivo).stem().string();
  nome.append("-corrigido");
  if (n > 1) nome.append("-").append(std::to_string(n));
  nome.append(".txt");
  return nome;
}

ResultadoCorrecao SalvaCopiaCorrigida(const std::string& arquivo, const std::string& destino,
                                      GuardaEscrita* guarda, SistemaArquivos& sistema) {
  ResultadoCorrecao r;
  try {
    Corretor analise([](std::string_view) {});
    if (!Corrige(arquivo, sistema, analise, nullptr)) {
      r.recusa = analise.recusa();
      return r;
    }
    const fs::path alvo(destino);
    if (!destino.empty() && !alvo.has_filename()) {
      r.recusa = "'" + destino + "' não é um nome de arquivo";
      return r;
    }
    const fs::path pasta = (destino.empty() ? fs::path(arquivo) : alvo).parent_path();
    const auto nome = [&](int n) {
      return destino.empty() ? NomeDaCopiaCorrigida(arquivo, n) : alvo.filename().string();
    };
    std::string recusaNaEscrita;
    r.copia = GravaArquivoNovo(
        pasta, nome, destino.empty() ? NomesDeCopiaTentados : 1, sistema,
        [&](ArquivoSaida& saida) {
          Corretor corretor([&saida](std::string_view bytes) { saida.Escreve(bytes); });
          // The file changed between the two readings: what was counted is not what is written.
          if (!Corrige(arquivo, sistema, corretor, guarda) ||
              !(corretor.contagem() == analise.contagem()))
            throw Recusada{"o arquivo mudou enquanto a cópia era feita"};
        },
        guarda);
    r.contagem = analise.contagem();
    if (r.copia.empty())
      r.recusa = destino.empty() ? "todos os nomes de cópia ao lado do arquivo já existem"
                                 : "'" + destino +
                                       "' já existe, e a cópia nunca é gravada sobre "
                                       "um arquivo";
  } catch (const FalhaExecucao& falha) {
    r.copia.clear();
    r.recusa = std::string("falha ao ler o arquivo ou gravar a cópia (") + falha.what() + ")";
  } catch (const Recusada& recusada) {
    r.copia.clear();
    r.recusa = recusada.motivo;
  } catch (const EscritaInterrompida&) {
    r.copia.clear();
    r.recusa = "interrompida";
  }
  return r;
}

}  // namespace rolval
