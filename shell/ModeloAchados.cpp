#include "shell/ModeloAchados.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QStyle>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace rolval {

namespace {

QString Numero(double valor) { return QString::number(valor, 'f', 0); }

// The ranks of the distinct texts that `texto(i)` gives for findings 0..n-1, in byte order.
template <class F>
std::vector<std::int64_t> Ranques(std::size_t n, F texto) {
  std::unordered_map<std::string_view, std::int64_t> distintos;
  for (std::size_t i = 0; i < n; ++i) distintos.try_emplace(texto(i), 0);
  std::vector<std::string_view> ordenados;
  ordenados.reserve(distintos.size());
  for (const auto& [t, r] : distintos) ordenados.push_back(t);
  std::sort(ordenados.begin(), ordenados.end());
  for (std::size_t r = 0; r < ordenados.size(); ++r)
    distintos[ordenados[r]] = static_cast<std::int64_t>(r);
  std::vector<std::int64_t> chaves(n);
  for (std::size_t i = 0; i < n; ++i) chaves[i] = distintos[texto(i)];
  return chaves;
}

// A period as printed ("05/2005") ordered by year, then month; anything else after, by its text.
std::int64_t ChavePeriodo(std::string_view p) {
  const auto digito = [&p](std::size_t i) { return p[i] >= '0' && p[i] <= '9'; };
  if (p.size() == 7 && p[2] == '/' && digito(0) && digito(1) && digito(3) && digito(4) &&
      digito(5) && digito(6)) {
    std::int64_t chave = 0;
    for (const std::size_t i : {3, 4, 5, 6, 0, 1}) chave = chave * 10 + (p[i] - '0');
    return chave;
  }
  return std::numeric_limits<std::int32_t>::max();
}

}  // namespace

QString TextoLatin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString NomeDoCampo(const CampoRegistro& c) {
  return (c.numero > 0 ? QString::number(c.numero) + QLatin1Char(' ') : QString()) +
         QString::fromUtf8(c.nome.data(), static_cast<qsizetype>(c.nome.size()));
}

QString NomeDoCodigo(char catalogo, int codigo) {
  return (catalogo == 'M' ? QStringLiteral("M ") : QStringLiteral("ST ")) + QString::number(codigo);
}

QString TextoValores(const Achado& a) {
  QStringList partes;
  if (a.declarado) partes << QStringLiteral("declarado ") + Numero(*a.declarado);
  if (a.calculado) partes << QStringLiteral("calculado ") + Numero(*a.calculado);
  return partes.join(QStringLiteral(" / "));
}

ModeloAchados::ModeloAchados(const ListaAchados& lista, QObject* pai)
    : QAbstractTableModel(pai),
      lista_(lista),
      iconeErro_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical)),
      iconeAviso_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {
  ordem_.resize(lista_.Tamanho());
  std::iota(ordem_.begin(), ordem_.end(), 0);
  visiveis_ = ordem_;
}

int ModeloAchados::rowCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(visiveis_.size());
}

int ModeloAchados::columnCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : QtdColunas;
}

QString ModeloAchados::Texto(int achado, int coluna) const {
  const Achado a = lista_.Le(static_cast<std::size_t>(achado));
  switch (coluna) {
    case Numero:
      return QString::number(achado + 1);
    case Tipo:
      return a.Aviso() ? QStringLiteral("Aviso") : QStringLiteral("Erro");
    case Codigo:
      return NomeDoCodigo(a.catalogo, a.codigo);
    case Inscricao:
      return TextoLatin1(a.inscricao);
    case Periodo:
      return TextoLatin1(a.periodo);
    case Linha:
      return a.linha > 0 ? QString::number(a.linha) : QString();
    case Registro:
      return TextoLatin1(a.tipoRegistro);
    case Campo:
      if (a.campo == nullptr) return {};
      return NomeDoCampo(*a.campo);
    case Colunas:
      if (a.inicio <= 0) return {};
      return a.fim > a.inicio ? QStringLiteral("%1-%2").arg(a.inicio).arg(a.fim)
                              : QString::number(a.inicio);
    case Encontrado:
      return TextoLatin1(a.encontrado);
    case Valores:
      return TextoValores(a);
    case Mensagem:
      return TextoLatin1(a.mensagem);
    default:
      return {};
  }
}

QVariant ModeloAchados::data(const QModelIndex& indice, int papel) const {
  if (!indice.isValid() || indice.row() >= rowCount()) return {};
  const int achado = AchadoDaLinha(indice.row());
  const int coluna = indice.column();
  switch (papel) {
    case Qt::DisplayRole:
      return Texto(achado, coluna);
    case Qt::ToolTipRole:
      if (coluna == Mensagem || coluna == Encontrado || coluna == Campo)
        return Texto(achado, coluna);
      return {};
    case Qt::TextAlignmentRole:
      if (coluna == Numero || coluna == Linha) return int(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    default:
      break;
  }
  if (coluna != Tipo) return {};
  // Errors and warnings are told apart by icon and word, and coloured besides.
  const bool aviso = lista_.Le(static_cast<std::size_t>(achado)).Aviso();
  if (papel == Qt::DecorationRole) return aviso ? iconeAviso_ : iconeErro_;
  if (papel == Qt::ForegroundRole)
    return QBrush(aviso ? QColor(0x7a, 0x4d, 0x00) : QColor(0xa0, 0x00, 0x00));
  if (papel == Qt::BackgroundRole)
    return QBrush(aviso ? QColor(0xff, 0xf1, 0xc4) : QColor(0xfb, 0xdc, 0xdc));
  return {};
}

QVariant ModeloAchados::headerData(int secao, Qt::Orientation orientacao, int papel) const {
  if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole) return {};
  static const char* const nomes[QtdColunas] = {"Nº",
                                                "Tipo",
                                                "Código",
                                                "Inscrição",
                                                "Período",
                                                "Linha",
                                                "Registro",
                                                "Campo",
                                                "Colunas",
                                                "Encontrado",
                                                "Declarado / Calculado",
                                                "Mensagem"};
  if (secao < 0 || secao >= QtdColunas) return {};
  return QString::fromUtf8(nomes[secao]);
}

void ModeloAchados::sort(int coluna, Qt::SortOrder ordem) {
  const std::size_t n = lista_.Tamanho();
  const auto le = [this](std::size_t i) { return lista_.Le(i); };
  std::vector<std::int64_t> chaves;
  switch (coluna) {
    case Numero:
      // The report's order, or its reverse: no keys needed.
      std::iota(ordem_.begin(), ordem_.end(), 0);
      if (ordem == Qt::DescendingOrder) std::reverse(ordem_.begin(), ordem_.end());
      break;
    case Inscricao:
      chaves = Ranques(n, [&](std::size_t i) { return le(i).inscricao; });
      break;
    case Registro:
      chaves = Ranques(n, [&](std::size_t i) { return le(i).tipoRegistro; });
      break;
    case Encontrado:
      chaves = Ranques(n, [&](std::size_t i) { return le(i).encontrado; });
      break;
    case Mensagem:
      chaves = Ranques(n, [&](std::size_t i) { return le(i).mensagem; });
      break;
    case Campo: {
      chaves = Ranques(n, [&](std::size_t i) {
        const CampoRegistro* c = le(i).campo;
        return c == nullptr ? std::string_view() : c->nome;
      });
      for (std::size_t i = 0; i < n; ++i) {
        const CampoRegistro* c = le(i).campo;
        chaves[i] += (c == nullptr ? -1 : std::int64_t{c->numero}) << 32;
      }
      break;
    }
    default:
      chaves.resize(n);
      for (std::size_t i = 0; i < n; ++i) {
        const Achado a = le(i);
        std::int64_t& k = chaves[i];
        if (coluna == Tipo)
          k = a.Aviso() ? 1 : 0;
        else if (coluna == Codigo)
          k = (a.catalogo == 'M' ? 0 : std::int64_t{1} << 32) + a.codigo;
        else if (coluna == Periodo)
          k = ChavePeriodo(a.periodo);
        else if (coluna == Linha)
          k = a.linha;
        else if (coluna == Colunas)
          k = (std::int64_t{a.inicio} << 32) + a.fim;
        else if (coluna == Valores)
          k = a.declarado ? static_cast<std::int64_t>(*a.declarado)
                          : std::numeric_limits<std::int64_t>::min();
      }
  }
  // Equal keys keep the report's order, whichever the direction.
  const bool descendente = ordem == Qt::DescendingOrder;
  if (!chaves.empty())
    std::sort(ordem_.begin(), ordem_.end(), [&](std::int32_t a, std::int32_t b) {
      const std::int64_t ka = chaves[static_cast<std::size_t>(a)];
      const std::int64_t kb = chaves[static_cast<std::size_t>(b)];
      if (ka != kb) return descendente ? ka > kb : ka < kb;
      return a < b;
    });
  // The views' current row and selection follow their findings to the rows they move to.
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList antes = persistentIndexList();
  std::vector<int> achadosAntes;
  for (const QModelIndex& i : antes) achadosAntes.push_back(AchadoDaLinha(i.row()));
  Refiltra();
  if (!antes.isEmpty()) {
    std::vector<std::int32_t> linhaDe(n, -1);
    for (std::size_t r = 0; r < visiveis_.size(); ++r)
      linhaDe[static_cast<std::size_t>(visiveis_[r])] = static_cast<std::int32_t>(r);
    QModelIndexList depois;
    for (qsizetype k = 0; k < antes.size(); ++k) {
      const int linha =
          linhaDe[static_cast<std::size_t>(achadosAntes[static_cast<std::size_t>(k)])];
      depois << (linha < 0 ? QModelIndex() : index(linha, antes[k].column()));
    }
    changePersistentIndexList(antes, depois);
  }
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeloAchados::DefineFiltro(FiltroAchados filtro) {
  beginResetModel();
  filtro_ = std::move(filtro);
  Refiltra();
  endResetModel();
}

bool ModeloAchados::Passa(int achado) const {
  const Achado a = lista_.Le(static_cast<std::size_t>(achado));
  if (filtro_.tipo == FiltroAchados::Tipo::Erros && a.Aviso()) return false;
  if (filtro_.tipo == FiltroAchados::Tipo::Avisos && !a.Aviso()) return false;
  if (filtro_.mensagem && a.mensagem != *filtro_.mensagem) return false;
  if (filtro_.retorno &&
      (a.inscricao != filtro_.retorno->first || a.periodo != filtro_.retorno->second))
    return false;
  return true;
}

void ModeloAchados::Refiltra() {
  visiveis_.clear();
  const QString texto = filtro_.texto.trimmed();
  // A code asked for: "35", "ST 35", "st35", "M 4".
  std::optional<char> catalogo;
  int codigo = -1;
  if (!texto.isEmpty()) {
    QString resto = texto.toUpper();
    if (resto.startsWith(QStringLiteral("ST"))) {
      catalogo = 'S';
      resto = resto.mid(2).trimmed();
    } else if (resto.startsWith(QLatin1Char('M'))) {
      catalogo = 'M';
      resto = resto.mid(1).trimmed();
    }
    bool ok = false;
    const int n = resto.toInt(&ok);
    if (ok && !resto.isEmpty() && resto[0].isDigit()) codigo = n;
  }
  // Whether each distinct message holds the text, decided once.
  std::unordered_map<std::string_view, bool> contem;
  const auto passaTexto = [&](const Achado& a) {
    if (texto.isEmpty()) return true;
    if (codigo >= 0 && a.codigo == codigo && (!catalogo || *catalogo == a.catalogo)) return true;
    const auto [onde, novo] = contem.try_emplace(a.mensagem, false);
    if (novo) onde->second = TextoLatin1(a.mensagem).contains(texto, Qt::CaseInsensitive);
    return onde->second;
  };
  const bool semFiltro = filtro_.tipo == FiltroAchados::Tipo::Todos && !filtro_.mensagem &&
                         !filtro_.retorno && texto.isEmpty();
  if (semFiltro) {
    visiveis_ = ordem_;
    return;
  }
  for (const std::int32_t i : ordem_)
    if (Passa(i) && passaTexto(lista_.Le(static_cast<std::size_t>(i)))) visiveis_.push_back(i);
}

int ModeloAchados::LinhaDoAchado(int achado) const {
  const auto onde = std::find(visiveis_.begin(), visiveis_.end(), achado);
  return onde == visiveis_.end() ? -1 : static_cast<int>(onde - visiveis_.begin());
}

QStringList ModeloAchados::LinhasParaImpressao() const {
  // Column and width; a negative width is right-aligned. The message takes what is left.
  static constexpr std::pair<int, int> colunas[] = {{Numero, -7},    {Tipo, 5},    {Codigo, 6},
                                                    {Inscricao, 15}, {Periodo, 7}, {Linha, -7},
                                                    {Registro, 8},   {Colunas, 9}};
  const auto linha = [](const auto& celula) {
    QString texto;
    for (const auto& [coluna, largura] : colunas) {
      const QString c = celula(coluna).left(std::abs(largura));
      texto +=
          (largura < 0 ? c.rightJustified(-largura) : c.leftJustified(largura)) + QLatin1Char(' ');
    }
    return texto + celula(Mensagem);
  };
  const QString titulos =
      linha([this](int c) { return headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(); });
  const QString tracos(titulos.size(), QLatin1Char('-'));
  QStringList linhas{tracos, titulos, tracos};
  for (const std::int32_t achado : visiveis_)
    linhas << linha([this, achado](int c) { return Texto(achado, c); });
  return linhas;
}

QString ModeloAchados::TextoDasLinhas(const std::vector<int>& linhas, bool comCabecalho) const {
  QString texto;
  const auto acrescenta = [&texto](const QStringList& celulas) {
    QStringList limpas;
    // A tab or line end inside a cell would break the spreadsheet's rows and columns.
    for (QString c : celulas)
      limpas << c.replace(QLatin1Char('\t'), QLatin1Char(' '))
                    .replace(QLatin1Char('\r'), QLatin1Char(' '))
                    .replace(QLatin1Char('\n'), QLatin1Char(' '));
    texto += limpas.join(QLatin1Char('\t')) + QLatin1Char('\n');
  };
  if (comCabecalho) {
    QStringList cabecalho;
    for (int c = 0; c < QtdColunas; ++c)
      cabecalho << headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    acrescenta(cabecalho);
  }
  for (const int linha : linhas) {
    QStringList celulas;
    for (int c = 0; c < QtdColunas; ++c) celulas << Texto(AchadoDaLinha(linha), c);
    acrescenta(celulas);
  }
  return texto;
}

}  // namespace rolval
