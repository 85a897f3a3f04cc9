#pragma once
// The findings log: the monthly and the tax-substitution catalogues of messages, and a finding as
// the log writes it. The run object's GravaErro and GravaErroST write the lines (one per finding,
// in the fixed layout of the report) to the run's findings work file.
#include <cstdint>
#include <optional>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// One finding as written to the findings log: its printed pieces (Latin-1 bytes) and what the
// report does not print. The views stay valid only while the listener is told of it.
struct Achado {
  char catalogo;  // 'M' (monthly catalogue) or 'S' (tax-substitution catalogue)
  int codigo;
  std::string_view inscricao;  // the registration part, as printed, without surrounding blanks
  std::string_view periodo;    // as printed ("05/2005")
  std::int32_t linha;
  int inicio;
  int fim;
  std::string_view mensagem;
  std::string_view tipoRegistro = {};    // the record type ("X01", "A0"); empty when not known
  const CampoRegistro* campo = nullptr;  // the field its columns name; none when not known
  std::string_view encontrado = {};      // the bytes of its columns, when on the line just read
  std::int64_t deslocamento = -1;        // byte offset of its line in the file; -1: not known
  std::optional<double> declarado = {};  // a total, count or check digit as the file has it
  std::optional<double> calculado = {};  // the same as computed from the file
  std::string_view linhaRelatorio = {};  // the whole report line, without its line end

  // A warning, not an error: the report tells them apart by the message's first word.
  bool Aviso() const { return mensagem.starts_with("AVISO:"); }
};

// Told of every finding as it is written (for machine-readable output); optional.
class OuvinteAchados {
 public:
  virtual ~OuvinteAchados() = default;
  virtual void Anota(const Achado& achado) = 0;
};

// The fixed text of a code of the monthly catalogue ('M') or of the tax-substitution catalogue
// ('S'), as UTF-8; empty for a code without a text of its own (those built with a number).
std::string_view TextoDoCatalogo(char catalogo, int codigo);

}  // namespace rolval
