#include "shell/Ajuda.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <string_view>

#include "VersaoPrograma.h"
#include "run/RegistroErros.h"
#include "shell/AjusteJanela.h"
#include "shell/Preferencias.h"

namespace rolval {

namespace {

// What usually causes a message and how to fix it. Messages of a kind share one explanation.
constexpr const char* Conteudo =
    "O campo tem um valor que o leiaute não aceita. Corrija o campo no programa que gerou o "
    "arquivo.";
constexpr const char* Numerico =
    "Há letras, brancos ou sinais num campo só de dígitos; um acento gravado em UTF-8 ou brancos "
    "cortados no fim das linhas deslocam os campos seguintes. Preencha com dígitos, zeros à "
    "esquerda.";
constexpr const char* Data =
    "Data inexistente (31 num mês de 30 dias, 29/02 fora de ano bissexto) ou fora do formato do "
    "campo. Corrija a data.";
constexpr const char* Periodo =
    "Período de referência fora do aceito pelo leiaute ou incoerente com outro campo. Confira o "
    "mês e o ano (MMAAAA).";
constexpr const char* Soma =
    "Um total ou cálculo não confere com os valores de que depende. Refaça o cálculo ou corrija "
    "as parcelas.";
constexpr const char* Contagem =
    "A quantidade declarada no cabeçalho difere dos registros que o arquivo traz. Acerte a "
    "quantidade ou inclua/retire os registros.";
constexpr const char* Anexo =
    "Falta um anexo de que este depende, ou os anexos não estão na combinação permitida. Inclua "
    "ou retire os anexos conforme o leiaute.";
constexpr const char* Leiaute =
    "O arquivo não é do leiaute que a primeira linha indica: é de outro tipo, tem marca BOM no "
    "início, foi gravado com outra codificação ou junta leiautes diferentes. Veja as dicas abaixo "
    "do relatório e gere o arquivo de novo.";
constexpr const char* Digito =
    "O dígito verificador não confere: quase sempre um número digitado errado. Confira-o no "
    "documento de origem.";
constexpr const char* Obrigatorio = "O campo está em branco ou zerado. Informe-o.";
constexpr const char* Aviso =
    "Aviso: o arquivo é aceito assim, mas confira se é isso mesmo que se quer declarar.";

struct Explicacao {
  char catalogo;
  int codigo;
  const char* texto;
};

constexpr Explicacao Explicacoes[] = {
    {'M', 1, Conteudo},
    {'M', 2,
     "A versão no cabeçalho não é a do leiaute do arquivo. Gere o arquivo na versão em vigor."},
    {'M', 3, Periodo},
    {'M', 4, Digito},
    {'M', 5, Contagem},
    {'M', 6,
     "O tipo de registro no início da linha não é um dos previstos; comum em linhas quebradas ou "
     "juntadas por um editor. Confira os fins de linha (CR LF)."},
    {'M', 7, Numerico},
    {'M', 8, Conteudo},
    {'M', 9,
     "Os números de sequência não seguem em ordem: registros apagados, repetidos ou trocados de "
     "lugar. Renumere ou gere o arquivo de novo."},
    {'M', 10, Contagem},
    {'M', 11, Conteudo},
    {'M', 12, Data},
    {'M', 13, "Há dígitos ou sinais num campo de letras. Corrija o campo."},
    {'M', 14, Conteudo},
    {'M', 15, Data},
    {'M', 16, Obrigatorio},
    {'M', 17, Leiaute},
    {'M', 18, Leiaute},
    {'M', 19, "O arquivo indicado não existe. Confira o caminho."},
    {'M', 20, "O anexo não traz o mesmo prefixo do cabeçalho da declaração. Confira o cabeçalho."},
    {'M', 21, Leiaute},
    {'M', 22, Conteudo},
    {'M', 23, "O CFOP não existe ou não é aceito neste anexo. Corrija o código."},
    {'M', 24, Soma},
    {'M', 25, Data},
    {'M', 26, Data},
    {'M', 27, Leiaute},
    {'M', 28,
     "O arquivo não pôde ser lido até o fim (mídia removida ou com defeito). Copie-o para o disco "
     "e valide de novo."},
    {'M', 29, Conteudo},
    {'M', 30, Soma},
    {'M', 31, Periodo},
    {'M', 32, Data},
    {'M', 33, Soma},
    {'M', 34, Anexo},
    {'M', 35, Anexo},
    {'M', 37, Periodo},
    {'M', 44, Anexo},
    {'M', 45, Anexo},
    {'M', 46, Anexo},
    {'M', 47, Soma},
    {'M', 48, Soma},
    {'M', 49, Leiaute},
    {'M', 50,
     "O arquivo junta declarações de versões diferentes do leiaute. Separe-as em arquivos."},
    {'M', 51, Periodo},
    {'M', 52, Periodo},
    {'S', 1, Leiaute},
    {'S', 2, Aviso},
    {'S', 3, "O campo deve ficar em branco ou zerado nesta situação. Retire o valor."},
    {'S', 4, Data},
    {'S', 5, Conteudo},
    {'S', 6, Obrigatorio},
    {'S', 12, Soma},
    {'S', 16, "Duas parcelas têm a mesma data de vencimento. Corrija as datas."},
    {'S', 17, Soma},
    {'S', 18, Aviso},
    {'S', 21, Conteudo},
    {'S', 22, Digito},
    {'S', 23, Aviso},
    {'S', 24, Aviso},
    {'S', 25, Soma},
    {'S', 26, Soma},
    {'S', 27, Anexo},
    {'S', 28, Contagem},
    {'S', 29, Aviso},
    {'S', 30, "O contribuinte informado no anexo é o próprio declarante. Corrija a inscrição."},
    {'S', 32, Conteudo},
    {'S', 33, "O arquivo junta declarações de unidades diferentes. Separe-as em arquivos."},
    {'S', 34, Periodo},
    {'S', 35, Data},
    {'S', 37, Contagem},
    {'S', 38, Aviso},
    {'S', 39, Aviso},
    {'S', 40, Aviso},
};

// The messages of the tax-substitution catalogue that carry a field's number (n).
constexpr struct {
  const char* mensagem;
  const char* texto;
} MensagensComNumero[] = {
    {"Campo n deve ser maior que 04/1999", Periodo},
    {"Informe o campo n", Obrigatorio},
    {"Dig. Controle Campo n Incorreto", Digito},
    {"Campo n deve ser positivo", Conteudo},
    {"Campo n não pode ser maior que o 6", Soma},
    {"Valor do campo n incorreto", Soma},
    {"Soma parcelas difere do campo n", Soma},
    {"n° venc deve ser maior que 01/...", Data},
    {"Informe o valor do n° pagamento", Obrigatorio},
    {"Informe o vencimento do n° pagto", Obrigatorio},
    {"Campo n deve ser menor que 07/2000", Periodo},
};

QString Escapa(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toHtmlEscaped();
}

QString LinhaTabela(const QString& codigo, const QString& mensagem, const char* texto) {
  return QStringLiteral("<tr><td>%1</td><td><tt>%2</tt></td><td>%3</td></tr>")
      .arg(codigo, mensagem, Escapa(texto));
}

QString Catalogo(char catalogo, const QString& titulo) {
  QString html = QStringLiteral(
                     "<h3>%1</h3><table border=\"1\" cellspacing=\"0\" "
                     "cellpadding=\"3\"><tr><th>Código</th><th>Mensagem</th>"
                     "<th>Causa comum e correção</th></tr>")
                     .arg(titulo);
  for (const Explicacao& e : Explicacoes) {
    if (e.catalogo != catalogo) continue;
    const std::string_view mensagem = TextoDoCatalogo(catalogo, e.codigo);
    if (mensagem.empty()) continue;
    html += LinhaTabela(QString::number(e.codigo), Escapa(mensagem), e.texto);
  }
  if (catalogo == 'S')
    for (const auto& m : MensagensComNumero)
      html += LinhaTabela(QStringLiteral("-"), Escapa(m.mensagem), m.texto);
  return html + QStringLiteral("</table>");
}

}  // namespace

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
      "percorrem os achados.</p>"
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
  html += Catalogo('M', QStringLiteral("Declarações mensais (ROL03, ROL04, ROL05)"));
  html += Catalogo('S', QStringLiteral("Declarações de substituição tributária (ROL ST)"));
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
