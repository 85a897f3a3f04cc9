#include "shell/Ajuda.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <string>
#include <string_view>

#include "VersaoPrograma.h"
#include "run/Catalogos.h"
#include "shell/AjusteJanela.h"
#include "shell/Preferencias.h"

namespace rolval {

namespace {

QString Escapa(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toHtmlEscaped();
}

// Each entry carries an anchor named after its code, where F1 on a finding opens the help.
QString LinhaTabela(char catalogo, int codigo, const std::string& mensagem,
                    std::string_view explicacao) {
  return QStringLiteral("<tr><td><a name=\"%4\"></a>%1</td><td><tt>%2</tt></td><td>%3</td></tr>")
      .arg(QString::number(codigo), Escapa(mensagem), Escapa(explicacao),
           AncoraDoCodigo(catalogo, codigo));
}

// Every message of a catalogue, with the number a message is made with written "n".
QString Catalogo(char catalogo, const QString& titulo) {
  QString html = QStringLiteral(
                     "<h3>%1</h3><table border=\"1\" cellspacing=\"0\" "
                     "cellpadding=\"3\"><tr><th>Código</th><th>Mensagem</th>"
                     "<th>Causa comum e correção</th></tr>")
                     .arg(titulo);
  for (const EntradaCatalogo& e : EntradasDoCatalogo(catalogo))
    html += LinhaTabela(catalogo, e.codigo, MensagemModelo(e), e.explicacao);
  return html + QStringLiteral("</table>");
}

}  // namespace

QString AncoraDoCodigo(char catalogo, int codigo) {
  return (catalogo == LetraMensal ? QStringLiteral("M") : QStringLiteral("ST")) +
         QString::number(codigo);
}

QString TextoAjuda() {
  QString html = QStringLiteral(
      "<h2>Como ler o relatório</h2>"
      "<p>O relatório começa por <b>ARQUIVO OK.</b> quando o arquivo não tem nenhum erro nem "
      "aviso: segue a lista das declarações validadas (inscrição e referência de cada uma) e a "
      "quantidade delas. Começa por <b>ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:</b> "
      "quando há achados: um por linha, na ordem em que foram encontrados.</p>"
      "<p><b>Documento:</b> o leiaute reconhecido pela primeira linha (ROL03, ROL04, ROL05, "
      "ROLST01, ROLST02), ou DESCONHECIDO.</p>"
      "<h3>Colunas de cada achado</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
      "<tr><td><b>REG/TB</b> ou <b>Inscrição</b></td><td>a inscrição estadual da declaração em "
      "que está o achado; o cabeçalho diz REG/TB nos leiautes 03, 04, 05 e ST 01, e Inscrição "
      "no ST 02 e num arquivo não reconhecido; em branco num achado do arquivo inteiro</td></tr>"
      "<tr><td><b>Período</b></td><td>mês/ano de referência da declaração</td></tr>"
      "<tr><td><b>Lin</b></td><td>número da linha do arquivo em que está o registro</td></tr>"
      "<tr><td><b>Ini</b>, <b>Fim</b></td><td>primeira e última coluna do campo na linha "
      "(000 quando o achado não é de um campo)</td></tr>"
      "<tr><td><b>Descrição do Erro</b></td><td>a mensagem; veja o catálogo abaixo</td></tr>"
      "</table>"
      "<p>Na janela do relatório, ponha o cursor numa linha de achado e tecle Enter (ou dê um "
      "clique duplo) para ver o registro com o campo marcado; Anterior e Próximo (Shift+F3 e F3) "
      "percorrem os achados. A aba Achados mostra os mesmos achados numa grade que se ordena e "
      "filtra; F1 num achado abre esta ajuda na sua mensagem.</p>"
      "<h3>Erros e avisos</h3>"
      "<p>Um <b>erro</b> impede a entrega do arquivo: corrija-o e valide de novo. Um "
      "<b>aviso</b> (mensagem que começa por <b>AVISO:</b>) não é erro: chama a atenção para um "
      "valor incomum, que pode estar certo. A linha abaixo do relatório conta os dois.</p>"
      "<h3>Dicas</h3>"
      "<p>Quando o arquivo tem um defeito comum que explica os achados (fins de linha só LF ou só "
      "CR, acentos em UTF-8, marca BOM, tamanho de outro leiaute, brancos cortados no fim das "
      "linhas), uma dica aparece abaixo do relatório, com a correção. As dicas não fazem parte do "
      "relatório salvo ou impresso. Quando uma cópia corrigida conserta o arquivo, o botão "
      "<b>Salvar cópia corrigida e validar</b> grava a cópia ao lado dele (o arquivo validado "
      "não é alterado) e valida a cópia, dizendo acima do relatório o que mudou.</p>"
      "<h2>Catálogo das mensagens</h2>");
  html += Catalogo(LetraMensal, QStringLiteral("Declarações mensais (ROL03, ROL04, ROL05)"));
  html += Catalogo(LetraST, QStringLiteral("Declarações de substituição tributária (ROL ST)"));
  return html;
}

QString TextoSobre() {
  return QStringLiteral(
             "ROLVAL - Programa de Validação de Documentos\nVersão %1\n\n"
             "Valida os arquivos de declaração do imposto estadual.\n\n"
             "Licença MIT: pode ser usado, copiado, modificado e distribuído livremente, sem "
             "garantia de qualquer tipo.")
      .arg(QString::fromLatin1(VersaoTexto));
}

JanelaAjuda::JanelaAjuda(Preferencias* preferencias)
    : QWidget(nullptr, Qt::Window), preferencias_(preferencias) {
  setObjectName(QStringLiteral("Ajuda"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Como ler o relatório - ROLVAL"));
  txtajuda = new QTextBrowser(this);
  txtajuda->setObjectName(QStringLiteral("txtajuda"));
  txtajuda->setHtml(TextoAjuda());
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("BFecharAjuda"));
  connect(fechar, &QPushButton::clicked, this, &QWidget::close);
  for (const QKeySequence& tecla :
       {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
    connect(new QShortcut(tecla, this), &QShortcut::activated, this, &QWidget::close);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(fechar);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(txtajuda, 1);
  layout->addLayout(botoes);
  resize(fontMetrics().averageCharWidth() * 100, fontMetrics().lineSpacing() * 36);
  restaurada_ = preferencias_ != nullptr && preferencias_->RestauraGeometria(*this);
}

void JanelaAjuda::VaiParaCodigo(char catalogo, int codigo) {
  txtajuda->scrollToAnchor(AncoraDoCodigo(catalogo, codigo));
}

void JanelaAjuda::closeEvent(QCloseEvent* evento) {
  if (preferencias_ != nullptr) preferencias_->GuardaGeometria(*this);
  evento->accept();
}

JanelaAjuda* MostraAjuda(const QWidget* perto, Preferencias* preferencias) {
  JanelaAjuda* ajuda = nullptr;
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (auto* existente = qobject_cast<JanelaAjuda*>(janela); existente && existente->isVisible())
      ajuda = existente;
  if (ajuda == nullptr) {
    ajuda = new JanelaAjuda(preferencias);
    // Where the user last left it, if it still fits; else centred on the window that asked.
    AjustaATela(*ajuda, ajuda->Restaurada() ? nullptr : perto);
  }
  ajuda->show();
  ajuda->raise();
  ajuda->activateWindow();
  return ajuda;
}

}  // namespace rolval
