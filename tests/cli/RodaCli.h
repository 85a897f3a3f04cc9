#pragma once
// Runs the built rolval-cli as a process (fork and exec, no shell unless asked for) and captures
// its stdout, stderr, terminal output and wait status.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Apoio.h"

extern char** environ;

namespace rolval {

// Where a standard stream of the child goes.
enum class Fluxo {
  Arquivo,      // a file, read back when the run ends
  Fechado,      // closed when the program starts
  Cheio,        // /dev/full
  CanoFechado,  // a pipe nobody reads (its reading end closed)
  Terminal,     // a pseudo-terminal (one for stdout and stderr), read back as the run goes
};

struct Chamada {
  Chamada(std::vector<std::string> a = {}, std::vector<std::string> amb = {},
          std::filesystem::path p = {})
      : args(std::move(a)), ambiente(std::move(amb)), pasta(std::move(p)) {}
  std::vector<std::string> args;
  std::vector<std::string> ambiente;  // "NAME=VALUE" set for the run
  std::filesystem::path pasta;        // working folder; empty: the test's own
  std::string bash;  // when set, `bash -c` runs this line instead ($ROLVAL_CLI: the program)
  std::optional<std::string> entrada;  // stdin: these bytes through a pipe (else /dev/null)
  Fluxo saida = Fluxo::Arquivo;
  Fluxo erro = Fluxo::Arquivo;
  bool entradaFechada = false;
  bool ignoraSigpipe = false;
  bool semPrivilegios = false;  // when the tests run as root, the run does not
};

struct Fim {
  int espera = 0;  // the raw wait status
  std::string out, err;
  std::string terminal;  // what reached the pseudo-terminal
  int Status() const { return WIFEXITED(espera) ? WEXITSTATUS(espera) : -1; }
  int Sinal() const { return WIFSIGNALED(espera) ? WTERMSIG(espera) : 0; }
};

// One process. Arguments are taken byte for byte and the wait status is the program's own.
class Processo {
 public:
  explicit Processo(const Chamada& c) {
    std::vector<std::string> argumentos{ROLVAL_CLI};
    if (c.bash.empty())
      argumentos.insert(argumentos.end(), c.args.begin(), c.args.end());
    else
      argumentos = {"/bin/bash", "-c", c.bash};
    std::vector<std::string> ambiente;
    std::vector<std::string> novos = c.ambiente;
    novos.push_back(std::string("ROLVAL_CLI=") + ROLVAL_CLI);
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string v = *e;
      bool trocado = false;
      for (const auto& novo : novos)
        trocado = trocado || v.compare(0, novo.find('=') + 1, novo, 0, novo.find('=') + 1) == 0;
      if (!trocado) ambiente.push_back(v);
    }
    ambiente.insert(ambiente.end(), novos.begin(), novos.end());
    std::vector<char*> argv, envp;
    for (auto& a : argumentos) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& a : ambiente) envp.push_back(a.data());
    envp.push_back(nullptr);

    int cano[2] = {-1, -1};
    if (c.saida == Fluxo::CanoFechado) {
      if (::pipe2(cano, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
      ::close(cano[0]);
    }
    int canoEntrada[2] = {-1, -1};
    if (c.entrada && ::pipe2(canoEntrada, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    int escravo = -1;
    if (c.saida == Fluxo::Terminal || c.erro == Fluxo::Terminal) {
      mestre_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
      if (mestre_ < 0 || ::grantpt(mestre_) != 0 || ::unlockpt(mestre_) != 0)
        throw std::runtime_error("pseudo-terminal");
      escravo = ::open(::ptsname(mestre_), O_RDWR | O_NOCTTY | O_CLOEXEC);
      termios modo{};
      ::tcgetattr(escravo, &modo);
      ::cfmakeraw(&modo);  // bytes as written: no CR added before LF
      ::tcsetattr(escravo, TCSANOW, &modo);
    }
    const std::string out = (saidas_ / "out").string(), err = (saidas_ / "err").string();

    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
      if (!c.pasta.empty() && ::chdir(c.pasta.c_str()) != 0) ::_exit(126);
      // Every target is opened before any of 0-2 is closed, so none lands on a closed number.
      auto abre = [&](Fluxo f, const std::string& arquivo) {
        switch (f) {
          case Fluxo::Arquivo:
            return ::open(arquivo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
          case Fluxo::Fechado:
            return -1;
          case Fluxo::Cheio:
            return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
          case Fluxo::CanoFechado:
            return cano[1];
          case Fluxo::Terminal:
            return escravo;
        }
        return -1;
      };
      const int entrada = c.entradaFechada ? -1
                          : c.entrada      ? canoEntrada[0]
                                           : ::open("/dev/null", O_RDONLY | O_CLOEXEC);
      const int alvos[3] = {entrada, abre(c.saida, out), abre(c.erro, err)};
      for (int fd = 0; fd < 3; ++fd) {
        if (alvos[fd] < 0)
          ::close(fd);
        else if (::dup2(alvos[fd], fd) < 0)
          ::_exit(126);
      }
      sigset_t nenhum;
      sigemptyset(&nenhum);
      ::sigprocmask(SIG_SETMASK, &nenhum, nullptr);
      for (const int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      ::signal(SIGPIPE, c.ignoraSigpipe ? SIG_IGN : SIG_DFL);
      if (c.semPrivilegios && ::geteuid() == 0 &&
          (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(126);
      ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    }
    if (cano[1] >= 0) ::close(cano[1]);
    if (escravo >= 0) ::close(escravo);
    if (c.entrada) {
      ::close(canoEntrada[0]);
      // Written aside, so that a child that reads late, or never, blocks no one; a child gone
      // early makes the writes fail (SIGPIPE is blocked in that thread).
      escritor_ = std::thread([fd = canoEntrada[1], bytes = *c.entrada] {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        for (std::size_t feito = 0; feito < bytes.size();) {
          const ssize_t n = ::write(fd, bytes.data() + feito, bytes.size() - feito);
          if (n < 0 && errno == EINTR) continue;
          if (n <= 0) break;
          feito += static_cast<std::size_t>(n);
        }
        ::close(fd);
      });
    }
  }

  ~Processo() {
    if (pid_ > 0 && !esperado_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (escritor_.joinable()) escritor_.join();
    if (mestre_ >= 0) ::close(mestre_);
  }

  pid_t pid() const { return pid_; }

  // Waits for the end (unless Terminou saw it) and collects what the process wrote.
  Fim Espera() {
    Fim f;
    if (!esperado_) {
      if (mestre_ >= 0) {  // until the terminal's last writer has gone
        char buf[4096];
        for (;;) {
          const ssize_t n = ::read(mestre_, buf, sizeof buf);
          if (n > 0)
            terminal_.append(buf, static_cast<std::size_t>(n));
          else if (n == 0 || errno != EINTR)
            break;
        }
      }
      while (::waitpid(pid_, &espera_, 0) < 0 && errno == EINTR) {
      }
      esperado_ = true;
    }
    if (escritor_.joinable()) escritor_.join();
    f.espera = espera_;
    f.terminal = terminal_;
    f.out = teste::LeArquivo(saidas_ / "out");
    f.err = teste::LeArquivo(saidas_ / "err");
    return f;
  }

  // Whether the process has ended (reaped then; Espera still gives its status).
  bool Terminou() {
    if (!esperado_ && ::waitpid(pid_, &espera_, WNOHANG) == pid_) esperado_ = true;
    return esperado_;
  }

  // How far the process has read `arquivo` through its open descriptor, if it has it open.
  std::optional<long long> Posicao(const std::filesystem::path& arquivo) const {
    namespace fs = std::filesystem;
    const fs::path fds = "/proc/" + std::to_string(pid_) + "/fd";
    std::error_code e;
    for (fs::directory_iterator it(fds, e), fim; !e && it != fim; it.increment(e)) {
      std::error_code e2;
      if (fs::read_symlink(it->path(), e2) != arquivo) continue;
      std::ifstream info("/proc/" + std::to_string(pid_) + "/fdinfo/" +
                         it->path().filename().string());
      std::string chave;
      long long pos = -1;
      if (info >> chave >> pos && chave == "pos:") return pos;
    }
    return std::nullopt;
  }

 private:
  teste::PastaTemporaria saidas_;
  pid_t pid_ = -1;
  int mestre_ = -1;
  bool esperado_ = false;
  int espera_ = 0;
  std::string terminal_;
  std::thread escritor_;
};

inline Fim Executa(const Chamada& c) { return Processo(c).Espera(); }

// Built by appending: the "'" + string + "'" form trips GCC 12's false -Wrestrict (GCC bug 105329)
// when inlined at -O3.
inline std::string Aspas(const std::filesystem::path& p) {
  std::string s(1, '\'');
  s.append(p.string()).push_back('\'');
  return s;
}

struct SaidaCli {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs rolval-cli through bash with `args` (already quoted for the shell), after the variable
// settings `ambiente`.
inline SaidaCli Roda(const std::string& args, const std::string& ambiente = "") {
  Chamada c;
  c.bash = ambiente + " exec \"$ROLVAL_CLI\" " + args;
  const Fim f = Executa(c);
  return {f.Status(), f.out, f.err};
}

// What rolval-cli prints of a report (UTF-8, LF) as the report file holds it (Latin-1, CR LF).
inline std::string ComoArquivo(std::string_view saida) {
  std::string crlf;
  for (const char c : saida) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  return teste::L1(crlf);
}

}  // namespace rolval
