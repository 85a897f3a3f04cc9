#pragma once
// Text bound for a terminal: bytes that a terminal would take as commands (control characters,
// escape sequences) are shown as visible escapes instead, so that a file's content can never
// retitle, clear or reprogram the user's terminal. Text bound for a file or a pipe is left as it
// is.
#include <string>
#include <string_view>

namespace rolval {

// Bytes below 0x20 and 0x7F as "\xNN"; everything else unchanged (a path, a UTF-8 text).
// The C1 control characters of UTF-8 text (U+0080 to U+009F) as "\xNN" of their code, as a
// report shows the same byte.
std::string EscapaParaTerminal(std::string_view texto);

// A report (Latin-1, CR LF) as UTF-8 text with LF line ends for standard output, converted piece
// by piece: the CR LF that ends a line becomes LF. For a terminal, any other control byte (a lone
// CR or LF among them), and 0x7F to 0x9F, is shown as "\xNN"; elsewhere they are kept.
class ConversorRelatorio {
 public:
  explicit ConversorRelatorio(bool terminal) : terminal_(terminal) {}
  void Converte(std::string_view latin1, std::string& destino);
  void Termina(std::string& destino);  // what is held back at the end (a last lone CR)

 private:
  void CrSolto(std::string& destino) const;
  bool terminal_;
  bool crPendente_ = false;
};

}  // namespace rolval
