#pragma once
// The record view of the output window: one finding's message and line number above the line of
// the validated file it names, under a column ruler, with the field's columns highlighted and in
// sight. Above the record, the record type and the finding's field by number and name, with what
// it holds (a date as dd/mm/aaaa, an amount with its decimals) and, for totals, counts and check
// digits, what the file declares and what was computed. The ruler shades each field of the record
// type in turn; hovering a column tells its field's name and value. Under the record, the header
// line of the finding's return (its first record), or a word that the record is that header. Only
// those two lines are read from the file. Says so instead when the file is gone or no longer the
// one the run read. A ruler number that the view's left edge cuts when
// scrolled is shown whole over the edge.
#include <QWidget>
#include <cstdint>
#include <string>

#include "run/RegistroErros.h"
#include "shell/IndiceLinhas.h"

class QLabel;
class QPlainTextEdit;

namespace rolval {

class VisaoRegistro : public QWidget {
  Q_OBJECT

 public:
  // Bytes of a line shown at most; a record has 898, so only a line far too long is cut.
  static constexpr std::size_t LimiteMostrado = 8192;

  explicit VisaoRegistro(QWidget* pai);

  // Shows finding number `ordem` (1-based) of `total`, its line fetched from `indice`.
  void Mostra(const Achado& achado, int ordem, int total, IndiceLinhas& indice);
  // What the tooltip says over 1-based column `coluna` of the record shown: its field's number,
  // name, columns and value; empty where the record type is not known or no field is.
  QString DicaDaColuna(int coluna) const;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void MostraTexto(const QString& aviso);
  void MostraCabecalho(const Achado& achado, IndiceLinhas& indice);
  void RolaAteCampo();
  void AtualizaNumeroFixo();

  QLabel* lblAchado;
  QLabel* lblCampo;
  QLabel* lblAviso;
  QPlainTextEdit* txtregistro;
  QLabel* lblNumeroFixo;  // over the left edge of the ruler's numbers
  QLabel* lblCabecalho;   // the caption of the return's header line, or that the record is it
  QPlainTextEdit* txtcabecalho;
  int colunas_ = 0;  // columns of the ruler shown
  // Columns of the field on the record line, 0-based, end exclusive; empty when none is shown.
  int campoInicio_ = 0;
  int campoFim_ = 0;
  const TabelaRegistro* tabela_ = nullptr;  // the record type's fields; none when not known
  std::string bytes_;                       // the record shown
};

// What a field's bytes mean, for the kinds that read better otherwise: a date as dd/mm/aaaa, a
// period as mm/aaaa, an amount with two decimals ("1.234,56"); empty for other kinds, or when the
// bytes are not all digits (or not a date's length).
QString ValorLegivel(TipoCampo tipo, std::string_view bytes);

// The line above the record: record type, field number and name, its columns, what it holds, and
// declared and computed values when the finding has them; empty when the finding knows none.
QString DescricaoCampo(const Achado& achado);

// The ruler over `colunas` columns: numbers every ten (each ending at its column), then a mark
// every column ("." , ":" every five, "|" every ten).
QString ReguaNumeros(int colunas);
QString ReguaMarcas(int colunas);

// A line's bytes for display, one column each: Latin-1, with control bytes as U+FFFD.
QString TextoRegistro(std::string_view bytes);

// Where the line a finding names starts in the file: the offset the run gave it, or its return's
// header's when the finding is on that header (a return's closing checks); -1 when not known.
std::int64_t DeslocamentoDoAchado(const Achado& achado);

}  // namespace rolval
