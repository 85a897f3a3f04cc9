#include "shell/GradeAchados.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace rolval {

namespace {

// What a summary line filters by.
enum PapelResumo { Tipo = Qt::UserRole, Chave, Periodo };
enum TipoResumo { Todos, PorMensagem, PorRetorno, Nada };

struct ChaveRetorno {
  std::string_view inscricao, periodo;
  bool operator==(const ChaveRetorno&) const = default;
};
struct HashRetorno {
  std::size_t operator()(const ChaveRetorno& c) const {
    const std::hash<std::string_view> h;
    return h(c.inscricao) * 31 + h(c.periodo);
  }
};

QTreeWidgetItem* ItemResumo(QTreeWidgetItem* pai, std::int64_t quantos, const QString& texto,
                            TipoResumo tipo) {
  auto* item = new QTreeWidgetItem(pai, {QString::number(quantos), texto});
  item->setData(0, Tipo, tipo);
  item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
  item->setToolTip(1, texto);
  return item;
}

}  // namespace

GradeAchados::GradeAchados(const ListaAchados& lista, QWidget* pai)
    : QWidget(pai), lista_(lista), modelo_(new ModeloAchados(lista, this)) {
  setObjectName(QStringLiteral("GradeAchados"));
  cmbTipo = new QComboBox(this);
  cmbTipo->setObjectName(QStringLiteral("cmbTipo"));
  cmbTipo->addItems(
      {QStringLiteral("Erros e avisos"), QStringLiteral("Só erros"), QStringLiteral("Só avisos")});
  txtFiltro = new QLineEdit(this);
  txtFiltro->setObjectName(QStringLiteral("txtFiltro"));
  txtFiltro->setPlaceholderText(QStringLiteral("Filtrar por mensagem ou código"));
  txtFiltro->setClearButtonEnabled(true);
  txtLocalizar = new QLineEdit(this);
  txtLocalizar->setObjectName(QStringLiteral("txtLocalizar"));
  txtLocalizar->setPlaceholderText(QStringLiteral("Localizar (Ctrl+F)"));
  txtIrLinha = new QLineEdit(this);
  txtIrLinha->setObjectName(QStringLiteral("txtIrLinha"));
  txtIrLinha->setPlaceholderText(QStringLiteral("Ir para linha (Ctrl+G)"));
  txtIrLinha->setValidator(new QIntValidator(1, INT32_MAX, txtIrLinha));
  lblContagem = new QLabel(this);
  lblContagem->setObjectName(QStringLiteral("lblContagem"));

  tblAchados = new QTableView(this);
  tblAchados->setObjectName(QStringLiteral("tblAchados"));
  tblAchados->setModel(modelo_);
  tblAchados->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblAchados->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // In the report's order, as the model starts.
  tblAchados->horizontalHeader()->setSortIndicator(ModeloAchados::Numero, Qt::AscendingOrder);
  tblAchados->setSortingEnabled(true);
  tblAchados->setWordWrap(false);
  tblAchados->setContextMenuPolicy(Qt::ActionsContextMenu);
  // Rows of one height, set once: the view never measures a million rows.
  tblAchados->verticalHeader()->hide();
  tblAchados->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tblAchados->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 6);
  tblAchados->horizontalHeader()->setStretchLastSection(true);
  tblAchados->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  const int letra = fontMetrics().averageCharWidth();
  const int larguras[] = {7, 9, 7, 16, 9, 8, 8, 22, 9, 16, 26};
  for (int c = 0; c < static_cast<int>(std::size(larguras)); ++c)
    tblAchados->setColumnWidth(c, larguras[c] * letra + 12);
  tblAchados->installEventFilter(this);
  tblAchados->viewport()->installEventFilter(this);
  connect(tblAchados->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &GradeAchados::AtualMudou);
  connect(tblAchados, &QTableView::doubleClicked, this, [this](const QModelIndex& indice) {
    if (indice.isValid()) emit AchadoEscolhido(modelo_->AchadoDaLinha(indice.row()));
  });

  lstResumo = new QTreeWidget(this);
  lstResumo->setObjectName(QStringLiteral("lstResumo"));
  lstResumo->setColumnCount(2);
  lstResumo->setHeaderLabels({QStringLiteral("Achados"), QStringLiteral("Resumo")});
  lstResumo->setRootIsDecorated(true);
  lstResumo->setUniformRowHeights(true);
  lstResumo->setColumnWidth(0, letra * 10);
  MontaResumo();
  connect(lstResumo, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { ResumoEscolhido(item); });

  connect(cmbTipo, &QComboBox::currentIndexChanged, this, &GradeAchados::AplicaFiltro);
  connect(txtFiltro, &QLineEdit::textChanged, this, &GradeAchados::AplicaFiltro);
  connect(txtLocalizar, &QLineEdit::returnPressed, this,
          [this] { Localiza(txtLocalizar->text()); });
  connect(txtIrLinha, &QLineEdit::returnPressed, this,
          [this] { IrParaLinha(txtIrLinha->text().toLongLong()); });
  const auto tecla = [this](const QKeySequence& sequencia, QWidget* destino) {
    connect(new QShortcut(sequencia, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
            &QShortcut::activated, this, [destino] {
              destino->setFocus();
              if (auto* linha = qobject_cast<QLineEdit*>(destino)) linha->selectAll();
            });
  };
  tecla(QKeySequence(Qt::CTRL | Qt::Key_F), txtLocalizar);
  tecla(QKeySequence(Qt::CTRL | Qt::Key_G), txtIrLinha);

  auto* barra = new QHBoxLayout;
  barra->addWidget(cmbTipo);
  barra->addWidget(txtFiltro, 2);
  barra->addWidget(txtLocalizar, 1);
  barra->addWidget(txtIrLinha, 1);
  barra->addWidget(lblContagem);
  // Small screens at a large scale keep the window's buttons and counts in sight: the grid and
  // the summary give up height first.
  tblAchados->setMinimumHeight(fontMetrics().lineSpacing() * 2);
  lstResumo->setMinimumHeight(fontMetrics().lineSpacing() * 2);
  auto* esquerda = new QWidget(this);
  auto* colunaGrade = new QVBoxLayout(esquerda);
  colunaGrade->setContentsMargins(0, 0, 0, 0);
  colunaGrade->addLayout(barra);
  colunaGrade->addWidget(tblAchados, 1);
  auto* divisor = new QSplitter(Qt::Horizontal, this);
  divisor->setObjectName(QStringLiteral("divisorGrade"));
  divisor->setChildrenCollapsible(false);
  divisor->addWidget(esquerda);
  divisor->addWidget(lstResumo);
  divisor->setStretchFactor(0, 3);
  divisor->setStretchFactor(1, 1);
  // The summary takes about a third of the width, whatever the window's.
  divisor->setSizes({letra * 70, letra * 34});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(divisor);
  AtualizaContagem();
}

void GradeAchados::MontaResumo() {
  const std::size_t n = lista_.Tamanho();
  // Counted by the texts' views: each distinct text is kept once by the list.
  std::unordered_map<std::string_view, std::int64_t> porMensagem;
  std::unordered_map<ChaveRetorno, std::pair<std::int64_t, std::size_t>, HashRetorno> porRetorno;
  std::vector<std::string_view> mensagens;
  std::vector<ChaveRetorno> retornos;
  for (std::size_t i = 0; i < n; ++i) {
    const Achado a = lista_.Le(i);
    if (porMensagem[a.mensagem]++ == 0) mensagens.push_back(a.mensagem);
    const auto [onde, novo] = porRetorno.try_emplace({a.inscricao, a.periodo}, 0, retornos.size());
    if (novo) retornos.push_back({a.inscricao, a.periodo});
    ++onde->second.first;
  }
  auto* todos = new QTreeWidgetItem(
      lstResumo, {QString::number(static_cast<qint64>(n)), QStringLiteral("Todos os achados")});
  todos->setData(0, Tipo, TipoResumo::Todos);
  todos->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);

  // Messages, most findings first (the report's order among equals).
  std::stable_sort(mensagens.begin(), mensagens.end(), [&](std::string_view a, std::string_view b) {
    return porMensagem[a] > porMensagem[b];
  });
  auto* grupoMensagens = new QTreeWidgetItem(
      lstResumo, {QString::number(mensagens.size()), QStringLiteral("Por mensagem")});
  grupoMensagens->setData(0, Tipo, TipoResumo::Nada);
  for (const std::string_view m : mensagens)
    ItemResumo(grupoMensagens, porMensagem[m], TextoLatin1(m), PorMensagem)
        ->setData(0, Chave, QByteArray(m.data(), static_cast<qsizetype>(m.size())));

  // Returns in the file's order; past the limit, those with most findings.
  auto* grupoRetornos = new QTreeWidgetItem(
      lstResumo, {QString::number(retornos.size()), QStringLiteral("Por declaração")});
  grupoRetornos->setData(0, Tipo, TipoResumo::Nada);
  std::vector<ChaveRetorno> listados = retornos;
  if (listados.size() > static_cast<std::size_t>(MaxRetornosNoResumo)) {
    std::stable_sort(listados.begin(), listados.end(), [&](const auto& a, const auto& b) {
      return porRetorno[a].first > porRetorno[b].first;
    });
    listados.resize(MaxRetornosNoResumo);
    std::sort(listados.begin(), listados.end(), [&](const auto& a, const auto& b) {
      return porRetorno[a].second < porRetorno[b].second;
    });
  }
  for (const ChaveRetorno& r : listados) {
    const QString texto = r.inscricao.empty() ? QStringLiteral("(arquivo inteiro)")
                                              : TextoLatin1(r.inscricao) + QStringLiteral("  ") +
                                                    TextoLatin1(r.periodo);
    QTreeWidgetItem* item = ItemResumo(grupoRetornos, porRetorno[r].first, texto, PorRetorno);
    item->setData(0, Chave,
                  QByteArray(r.inscricao.data(), static_cast<qsizetype>(r.inscricao.size())));
    item->setData(0, Periodo,
                  QByteArray(r.periodo.data(), static_cast<qsizetype>(r.periodo.size())));
  }
  if (listados.size() < retornos.size()) {
    auto* resto = new QTreeWidgetItem(
        grupoRetornos, {QString(), QStringLiteral("... e mais %1 declarações com menos achados")
                                       .arg(retornos.size() - listados.size())});
    resto->setData(0, Tipo, TipoResumo::Nada);
  }
  grupoMensagens->setExpanded(true);
  grupoRetornos->setExpanded(retornos.size() <= 50);
}

void GradeAchados::ResumoEscolhido(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const int tipo = item->data(0, Tipo).toInt();
  if (tipo == TipoResumo::Nada) return;
  mensagemEscolhida_.reset();
  retornoEscolhido_.reset();
  if (tipo == PorMensagem) mensagemEscolhida_ = item->data(0, Chave).toByteArray().toStdString();
  if (tipo == PorRetorno)
    retornoEscolhido_.emplace(item->data(0, Chave).toByteArray().toStdString(),
                              item->data(0, Periodo).toByteArray().toStdString());
  AplicaFiltro();
}

void GradeAchados::AplicaFiltro() {
  const int atual = AchadoAtual();
  FiltroAchados filtro;
  filtro.tipo = static_cast<FiltroAchados::Tipo>(cmbTipo->currentIndex());
  filtro.texto = txtFiltro->text();
  filtro.mensagem = mensagemEscolhida_;
  filtro.retorno = retornoEscolhido_;
  modelo_->DefineFiltro(std::move(filtro));
  if (atual >= 0) SelecionaAchado(atual);
  AtualizaContagem();
}

void GradeAchados::AtualizaContagem() {
  const auto total = static_cast<qint64>(lista_.Tamanho());
  const auto mostrados = static_cast<qint64>(modelo_->rowCount());
  lblContagem->setText(mostrados == total
                           ? QStringLiteral("%1 achados").arg(total)
                           : QStringLiteral("%1 de %2 achados").arg(mostrados).arg(total));
}

int GradeAchados::AchadoAtual() const {
  const QModelIndex atual = tblAchados->currentIndex();
  return atual.isValid() ? modelo_->AchadoDaLinha(atual.row()) : -1;
}

void GradeAchados::SelecionaAchado(int achado) {
  const int linha = modelo_->LinhaDoAchado(achado);
  if (linha < 0) return;
  const QModelIndex indice = modelo_->index(linha, 0);
  tblAchados->setCurrentIndex(indice);  // selects its row
  tblAchados->scrollTo(indice);
}

int GradeAchados::AchadoVizinho(int passo) const {
  const int linhas = modelo_->rowCount();
  if (linhas == 0) return -1;
  const QModelIndex atual = tblAchados->currentIndex();
  int linha = atual.isValid() ? atual.row() + passo : (passo > 0 ? 0 : -1);
  return linha >= 0 && linha < linhas ? modelo_->AchadoDaLinha(linha) : -1;
}

std::vector<int> GradeAchados::LinhasSelecionadas() const {
  std::vector<int> linhas;
  for (const QModelIndex& i : tblAchados->selectionModel()->selectedRows())
    linhas.push_back(i.row());
  if (linhas.empty() && tblAchados->currentIndex().isValid())
    linhas.push_back(tblAchados->currentIndex().row());
  std::sort(linhas.begin(), linhas.end());
  return linhas;
}

void GradeAchados::CopiaSelecao() const {
  const std::vector<int> linhas = LinhasSelecionadas();
  if (!linhas.empty())
    QApplication::clipboard()->setText(modelo_->TextoDasLinhas(linhas, linhas.size() > 1));
}

void GradeAchados::Localiza(const QString& texto) {
  const int linhas = modelo_->rowCount();
  if (texto.isEmpty() || linhas == 0) return;
  const QModelIndex atual = tblAchados->currentIndex();
  const int inicio = atual.isValid() ? atual.row() + 1 : 0;
  // From the row after the current one, round to it again.
  for (int k = 0; k < linhas; ++k) {
    const int linha = (inicio + k) % linhas;
    const int achado = modelo_->AchadoDaLinha(linha);
    for (int c = 0; c < ModeloAchados::QtdColunas; ++c) {
      if (modelo_->Texto(achado, c).contains(texto, Qt::CaseInsensitive)) {
        SelecionaAchado(achado);
        return;
      }
    }
  }
}

bool GradeAchados::IrParaLinha(std::int64_t linha) {
  // The row of that line, else the row of the nearest line after it.
  int melhor = -1;
  std::int64_t melhorLinha = INT64_MAX;
  const std::vector<std::int32_t>& visiveis = modelo_->Visiveis();
  for (std::size_t r = 0; r < visiveis.size(); ++r) {
    const std::int64_t l = lista_.Le(static_cast<std::size_t>(visiveis[r])).linha;
    if (l >= linha && l < melhorLinha) {
      melhor = static_cast<int>(r);
      melhorLinha = l;
      if (l == linha) break;
    }
  }
  if (melhor < 0) return false;
  SelecionaAchado(modelo_->AchadoDaLinha(melhor));
  tblAchados->setFocus();
  return true;
}

bool GradeAchados::eventFilter(QObject* objeto, QEvent* evento) {
  // The grid shrinks when the record panel opens under it: the current row is kept in sight.
  if (objeto == tblAchados->viewport() && evento->type() == QEvent::Resize &&
      tblAchados->currentIndex().isValid())
    QMetaObject::invokeMethod(
        this, [this] { tblAchados->scrollTo(tblAchados->currentIndex()); }, Qt::QueuedConnection);
  if (objeto == tblAchados && evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) &&
        tecla->modifiers() == Qt::NoModifier) {
      if (AchadoAtual() >= 0) emit AchadoEscolhido(AchadoAtual());
      return true;
    }
    if (tecla->matches(QKeySequence::Copy)) {
      CopiaSelecao();
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

}  // namespace rolval
