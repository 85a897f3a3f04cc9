#pragma once
// The findings grid of the output window: one row per finding with its columns, sorted by a
// click on a heading, filtered by type, by message or code (typed, or chosen in the summary) and
// by return; Ctrl+F finds a text in the rows from the current one, Ctrl+G goes to a line of the
// file, Ctrl+C copies the selected rows as tab-separated text. The summary beside it counts the
// findings per message and per return; choosing one shows only those.
#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "achados/ListaAchados.h"
#include "shell/ModeloAchados.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace rolval {

class GradeAchados : public QWidget {
  Q_OBJECT

 public:
  // Returns listed in the summary at most (those with most findings); the filter reaches any.
  static constexpr int MaxRetornosNoResumo = 2000;

  // `lista` must outlive the grid.
  GradeAchados(const ListaAchados& lista, QWidget* pai);

  ModeloAchados& Modelo() { return *modelo_; }
  QTableView* Tabela() const { return tblAchados; }
  // The finding of the current row (0-based, in the report's order); -1 with none.
  int AchadoAtual() const;
  // Makes the row of finding `achado` current and brings it into sight, when the filter shows it.
  void SelecionaAchado(int achado);
  // The finding of the row `passo` rows from the current one (the first or last row with none);
  // -1 past either end.
  int AchadoVizinho(int passo) const;
  // The selected rows (the current one when none is selected), in the grid's order.
  std::vector<int> LinhasSelecionadas() const;
  void CopiaSelecao() const;  // as tab-separated text, to the clipboard

  void Localiza(const QString& texto);   // the next row from the current one holding `texto`
  bool IrParaLinha(std::int64_t linha);  // the first row of that file line, else the next after

 signals:
  void AchadoEscolhido(int achado);  // double-click or Enter on a row
  void AtualMudou();                 // the current row moved

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void MontaResumo();
  void AplicaFiltro();
  void ResumoEscolhido(QTreeWidgetItem* item);
  void AtualizaContagem();

  const ListaAchados& lista_;
  ModeloAchados* modelo_;
  std::optional<std::string> mensagemEscolhida_;
  std::optional<std::pair<std::string, std::string>> retornoEscolhido_;

  QComboBox* cmbTipo;
  QLineEdit* txtFiltro;
  QLineEdit* txtLocalizar;
  QLineEdit* txtIrLinha;
  QTableView* tblAchados;
  QTreeWidget* lstResumo;
  QLabel* lblContagem;
};

}  // namespace rolval
