#pragma once
// Runs the built rolval-cli and captures its stdout, stderr and exit status.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/Apoio.h"

namespace rolval {

struct SaidaCli {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs rolval-cli with `args` (already quoted for the shell), after the variable settings
// `ambiente`.
inline SaidaCli Roda(const std::string& args, const std::string& ambiente = "") {
  teste::PastaTemporaria temp;
  const std::string comando =
      ambiente + " '" + ROLVAL_CLI + "' " + args + " 2>'" + (temp / "err").string() + "'";
  SaidaCli s;
  FILE* p = ::popen(comando.c_str(), "r");
  if (p == nullptr) return s;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) s.out.append(buf.data(), n);
  const int w = ::pclose(p);
  s.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  s.err = teste::LeArquivo(temp / "err");
  return s;
}

// Built by appending: the "'" + string + "'" form trips GCC 12's false -Wrestrict (GCC bug 105329)
// when inlined at -O3.
inline std::string Aspas(const std::filesystem::path& p) {
  std::string s(1, '\'');
  s.append(p.string()).push_back('\'');
  return s;
}

}  // namespace rolval
