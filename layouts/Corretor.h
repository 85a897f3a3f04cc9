#pragma once
// The corrector of the common ways a file gets spoilt on its way from the taxpayer's program (the
// faults the hints tell): line ends LF or CR alone become CR LF, a UTF-8 byte-order mark goes,
// UTF-8 text becomes Latin-1, records whose trailing blanks were cut get them back, a missing
// last line end is added and empty lines at the end go. It works on a stream of bytes, one line
// in memory at a time, and changes nothing but what it counts. When a change would be a guess it
// refuses, saying why, and the caller drops what was written.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "run/ValidaArquivo.h"

namespace rolval {

// How many changes of each kind a correction made.
struct ContagemCorrecao {
  std::int64_t fimLF = 0;                 // line ends LF made CR LF
  std::int64_t fimCR = 0;                 // line ends CR made CR LF
  bool bom = false;                       // the byte-order mark removed
  std::int64_t acentos = 0;               // UTF-8 characters written as their Latin-1 byte
  std::int64_t registrosCompletados = 0;  // short records given back their trailing blanks
  std::int64_t brancos = 0;               // blanks added to them
  bool fimAcrescentado = false;           // CR LF added after the last record
  std::int64_t linhasVazias = 0;          // empty lines removed from the end

  bool Alguma() const {
    return fimLF + fimCR + acentos + registrosCompletados + linhasVazias > 0 || bom ||
           fimAcrescentado;
  }
  bool operator==(const ContagemCorrecao&) const = default;
};

// The changes in words, joined by "; " ("1.193 fins de linha LF trocados por CR LF"), UTF-8.
std::string DescreveCorrecao(const ContagemCorrecao& contagem);

class Corretor {
 public:
  // `saida` receives the corrected bytes in order, in pieces.
  explicit Corretor(std::function<void(std::string_view)> saida);

  // The next bytes of the file. False once the correction is refused; later calls do nothing.
  bool Acrescenta(std::string_view bytes);
  // The end of the file. False when the correction is refused, also when there was nothing to
  // correct: a copy equal to the file is no correction.
  bool Termina();

  const std::string& recusa() const { return recusa_; }  // why it was refused (UTF-8), or empty
  const ContagemCorrecao& contagem() const { return contagem_; }

 private:
  enum class Fim { Nenhum, CRLF, LF, CR };
  enum class Codificacao { Indefinida, Latin1, Utf8 };

  static std::string_view NomeDoFim(Fim fim);
  void Byte(unsigned char b);
  void Conteudo(unsigned char b);
  void FechaSequencia();  // a UTF-8 sequence cut by a line end or the end of the file
  void FimDeLinha(Fim fim);
  void FechaLinha(Fim fim);
  void Recusa(std::string motivo);
  void Emite(std::string_view bytes);

  std::function<void(std::string_view)> saida_;
  std::string recusa_;
  ContagemCorrecao contagem_;
  std::string inicio_;  // the first bytes while they may still be a byte-order mark
  bool inicioVisto_ = false;
  bool crPendente_ = false;
  Codificacao codificacao_ = Codificacao::Indefinida;
  std::string sequencia_;           // a UTF-8 sequence begun and not yet whole
  std::size_t faltam_ = 0;          // continuation bytes it still needs
  std::string linha_;               // the line being read, in Latin-1
  Fim fimDoArquivo_ = Fim::Nenhum;  // the kind of the first line end, which all must share
  std::int64_t numLinha_ = 0;
  std::int64_t vaziasPendentes_ = 0;  // empty lines not yet known to be at the end
  const LayoutArquivo* layout_ = nullptr;
  std::string bloco_;  // corrected bytes not yet handed over
};

}  // namespace rolval
