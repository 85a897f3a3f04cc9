#pragma once
// The findings log: a finding as the log writes it (the catalogues are in run/Catalogos.h). The run
// object's GravaErro and GravaErroST write the lines (one per finding, in the fixed layout of the
// report) to the run's findings work file.
#include <cstdint>
#include <optional>
#include <string_view>

#include "run/CamposRegistro.h"
#include "run/Catalogos.h"

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
  std::int16_t ocorrencia = 0;           // of a repeated field, the one (0-based) its columns name
  std::string_view encontrado = {};      // the bytes of its columns, when on the line just read
  std::int64_t deslocamento = -1;        // byte offset of its line in the file; -1: not known
  // The header line of its return (the return's first record; for the one-line returns of the
  // older layouts, the line itself) and its byte offset: 0 and -1 when not known.
  std::int32_t linhaCabecalho = 0;
  std::int64_t deslocamentoCabecalho = -1;
  std::optional<double> declarado = {};  // a total, count or check digit as the file has it
  std::optional<double> calculado = {};  // the same as computed from the file
  std::string_view linhaRelatorio = {};  // the whole report line, without its line end

  // A warning, not an error, as its catalogue entry says.
  bool Aviso() const { return EAviso(catalogo, codigo); }
};

// Told of every finding as it is written (for machine-readable output); optional.
class OuvinteAchados {
 public:
  virtual ~OuvinteAchados() = default;
  virtual void Anota(const Achado& achado) = 0;
};

}  // namespace rolval
