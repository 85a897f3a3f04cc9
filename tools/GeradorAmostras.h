#pragma once
// The sample-file generator: writes valid data files of a chosen layout, return after return
// (never the whole file in memory), and spoils chosen fields on request. Each layout is a module
// of its own with its annex types and its kinds of spoil; the table of modules is the one place
// where a new layout is attached.
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rolval::amostras {

// One spoil: its kind (as the layout names it) and the return it applies to (1 = the first).
struct Estrago {
  std::string tipo;
  std::int32_t retorno = 1;
};

struct OpcoesAmostra {
  std::string layout = "05";
  std::int32_t retornos = 1;
  std::string anexos = "all";  // "all", "none" or a comma-separated list of the layout's annexes
  int itens = 0;               // items of each annex type in a return; 0: drawn from 1 to 3
  std::uint64_t semente = 1;
  std::vector<Estrago> estragos;
};

// What was written.
struct ResumoAmostra {
  std::int32_t retornos = 0;
  std::int64_t registros = 0;
};

// A kind of spoil and what it does, for the help text.
struct DescricaoEstrago {
  std::string_view tipo;
  std::string_view efeito;
};

struct ModuloAmostra {
  std::string_view layout;                     // the value of --layout
  std::string_view descricao;                  // one line for the help text
  std::span<const std::string_view> anexos;    // annex types it writes, in file order
  std::span<const DescricaoEstrago> estragos;  // kinds of spoil it knows
  // Writes the file; throws std::invalid_argument for options it cannot honour.
  ResumoAmostra (*gera)(const OpcoesAmostra& opcoes, std::ostream& saida);
};

std::span<const ModuloAmostra> ModulosAmostra();
const ModuloAmostra* ProcuraModulo(std::string_view layout);  // null when there is none

// Writes the sample file described by `opcoes` to `saida` (records with CR LF). Throws
// std::invalid_argument for a bad option and std::runtime_error when the output fails.
ResumoAmostra GeraAmostra(const OpcoesAmostra& opcoes, std::ostream& saida);

// The same file as bytes in memory: for tests and small samples.
std::string GeraAmostraTexto(const OpcoesAmostra& opcoes);

// Reads "KIND" or "KIND:RETURN" as given to --spoil.
Estrago LeEstrago(std::string_view texto);

}  // namespace rolval::amostras
