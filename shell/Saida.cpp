#include "shell/Saida.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <system_error>

#include "VersaoPrograma.h"
#include "run/Execucao.h"
#include "shell/Dialogos.h"
#include "shell/Impressao.h"

namespace rolval {

QString TextoRelatorio(const QByteArray& latin1) {
  QString texto = QString::fromLatin1(latin1);
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // The last line's end is not an empty line of its own.
  if (texto.endsWith(QLatin1Char('\n'))) texto.chop(1);
  return texto;
}

QString TituloSaida() {
  return QStringLiteral("Programa de Validação de Documentos - ") + QString::fromLatin1(VersaoTexto);
}

Saida::Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
             Dialogos& dialogos)
    : QWidget(nullptr, Qt::Window),
      execucao_(execucao),
      pasta_(std::move(pastaTrabalho)),
      principal_(principal),
      dialogos_(dialogos) {
  setObjectName(QStringLiteral("Saida"));
  setAttribute(Qt::WA_DeleteOnClose);

  txtsaida = new QPlainTextEdit(this);
  txtsaida->setObjectName(QStringLiteral("txtsaida"));
  txtsaida->setReadOnly(true);
  txtsaida->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fonte.setPointSize(9);
  txtsaida->setFont(fonte);
  BImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  BImprimir->setObjectName(QStringLiteral("BImprimir"));
  BFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  BFechar->setObjectName(QStringLiteral("BFechar"));
  connect(BImprimir, &QPushButton::clicked, this, &Saida::BImprimir_Click);
  connect(BFechar, &QPushButton::clicked, this, &Saida::BFechar_Click);

  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(BImprimir);
  botoes->addWidget(BFechar);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(txtsaida, 1);
  layout->addLayout(botoes);
  // Wide enough for a report line (up to about 110 characters) without scrolling sideways.
  const QFontMetrics medidas(fonte);
  resize(medidas.horizontalAdvance(QLatin1Char('0')) * 116, medidas.lineSpacing() * 30);

  // Form_Load.
  setWindowTitle(TituloSaida());
  if (principal_ != nullptr) principal_->setEnabled(false);
  CarregaRelatorio();
}

std::filesystem::path Saida::CaminhoRelatorio() const { return pasta_ / NomeSaida; }

void Saida::CarregaRelatorio() {
  QFile arquivo(QString::fromStdString(CaminhoRelatorio().string()));
  if (!arquivo.open(QIODevice::ReadOnly)) {
    txtsaida->clear();
    return;
  }
  txtsaida->setPlainText(TextoRelatorio(arquivo.readAll()));
}

void Saida::BImprimir_Click() {
  QPrinter impressora(QPrinter::HighResolution);
  if (!dialogos_.PreparaImpressora(this, impressora)) return;
  ImpressoraQt linhas(impressora);
  ImprimeRelatorio(CaminhoRelatorio(), linhas);
}

void Saida::BFechar_Click() {
  execucao_.LimpaVariaveis();
  hide();
  close();
}

// Form_Unload: from the Fechar button and from the title bar alike.
void Saida::closeEvent(QCloseEvent* evento) {
  std::error_code ignorado;
  std::filesystem::remove(CaminhoRelatorio(), ignorado);
  if (principal_ != nullptr) {
    principal_->setEnabled(true);
    principal_->show();
  }
  evento->accept();
}

}  // namespace rolval
