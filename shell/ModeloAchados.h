#pragma once
// The findings grid's model: one row per finding of the run, read from the compact list on
// demand (nothing is copied per finding but its number in the order shown). Sorting and filtering
// work on a vector of finding numbers, so that a million findings sort and filter in a moment:
// every column's key is made an integer once (texts by their rank among the distinct texts).
#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "achados/ListaAchados.h"

namespace rolval {

// What the grid shows: every finding, or those of one type, message, return or text.
struct FiltroAchados {
  enum class Tipo { Todos, Erros, Avisos };
  Tipo tipo = Tipo::Todos;
  // Part of the message (any case), or a code ("35", "ST 35", "M 4").
  QString texto;
  std::optional<std::string> mensagem;  // this exact message (Latin-1)
  // This return: registration and period as the report prints them.
  std::optional<std::pair<std::string, std::string>> retorno;
};

class ModeloAchados : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Coluna {
    Numero,
    Tipo,
    Codigo,
    Inscricao,
    Periodo,
    Linha,
    Registro,
    Campo,
    Colunas,
    Encontrado,
    Valores,
    Mensagem,
    QtdColunas
  };

  // `lista` must outlive the model.
  explicit ModeloAchados(const ListaAchados& lista, QObject* pai = nullptr);

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& indice, int papel) const override;
  QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
  void sort(int coluna, Qt::SortOrder ordem = Qt::AscendingOrder) override;

  void DefineFiltro(FiltroAchados filtro);
  const FiltroAchados& Filtro() const { return filtro_; }

  // The finding (0-based, in the report's order) on grid row `linha`; the row showing finding
  // `achado`, or -1 when the filter hides it.
  int AchadoDaLinha(int linha) const { return visiveis_[static_cast<std::size_t>(linha)]; }
  int LinhaDoAchado(int achado) const;
  // The finding numbers the grid shows, in its order.
  const std::vector<std::int32_t>& Visiveis() const { return visiveis_; }

  // A cell's text as the grid shows it.
  QString Texto(int achado, int coluna) const;
  // The rows shown as a printed table: a line of dashes, the headings, a line of dashes (which
  // the printing repeats on every page), then a line each, in fixed-width columns (the field,
  // found, and values left out for the page's width; a long text cut at its column).
  QStringList LinhasParaImpressao() const;
  // Rows as tab-separated text with a line end after each, for pasting into a spreadsheet.
  QString TextoDasLinhas(const std::vector<int>& linhas, bool comCabecalho) const;

 private:
  bool Passa(int achado) const;  // type, message and return
  void Refiltra();

  const ListaAchados& lista_;
  const QIcon iconeErro_, iconeAviso_;  // looked up once: the view asks for them on every paint
  FiltroAchados filtro_;
  std::vector<std::int32_t> ordem_;     // every finding, in the order sorted
  std::vector<std::int32_t> visiveis_;  // those the filter keeps, in that order
};

// Latin-1 bytes (the findings' texts) as text.
QString TextoLatin1(std::string_view bytes);

// A field as the grid names it: its number where the layout numbers it, then its name ("21
// Imposto a recolher", "Inscrição").
QString NomeDoCampo(const CampoRegistro& campo);

// "M 35" or "ST 35": a finding's code as the grid and the summary name it.
QString NomeDoCodigo(char catalogo, int codigo);

// Declared and computed, as the grid shows them ("declarado 12 / calculado 15"); empty with
// neither.
QString TextoValores(const Achado& achado);

}  // namespace rolval
