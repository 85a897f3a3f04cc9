#pragma once
// Run-time failures of a run (a file that cannot be opened or read, a full disk, a device error).
// They are thrown where they happen and handled only by the run driver, by their class.
#include <stdexcept>
#include <string>

namespace rolval {

enum class ClasseFalha {
  Acesso,       // file not found, access denied, bad path
  DiscoCheio,   // disk full, too many open files
  Dispositivo,  // device unavailable, I/O error
  Outra,        // anything else (reading past the end of the file, for one)
};

class FalhaExecucao : public std::runtime_error {
 public:
  FalhaExecucao(ClasseFalha classe, const std::string& detalhe)
      : std::runtime_error(detalhe), classe_(classe) {}
  ClasseFalha classe() const { return classe_; }

 private:
  ClasseFalha classe_;
};

// The class of an operating-system error number.
ClasseFalha ClasseDeErrno(int erro);

// Throws the failure for the current `errno`, naming the operation and the path.
[[noreturn]] void FalhaDoSistema(const std::string& operacao, const std::string& caminho);

}  // namespace rolval
