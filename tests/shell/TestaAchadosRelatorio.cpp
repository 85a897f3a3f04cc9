// Findings read back from the report: line, columns and message of every form of finding line the
// findings log writes, and where each finding stands among the lines of the report view.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <string>
#include <vector>

#include "run/Execucao.h"
#include "run/Formatos.h"
#include "shell/AchadosRelatorio.h"
#include "shell/Saida.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// Finding lines as the findings log writes them (Latin-1), with what each was written from.
class LinhasDoRegistro : public ::testing::Test {
 protected:
  struct Escrita {
    std::int32_t linha;
    int inicio;
    int fim;
    std::string periodo;   // as printed
    std::string mensagem;  // Latin-1
  };

  LinhasDoRegistro() : execucao(pasta.caminho(), tela) { execucao.aux1.Abre(); }

  std::vector<std::string> Linhas() {
    execucao.aux1.Fecha();
    const std::string bytes = execucao.aux1.Texto();
    std::vector<std::string> linhas;
    for (std::size_t inicio = 0; inicio < bytes.size();) {
      const std::size_t fim = bytes.find("\r\n", inicio);
      linhas.push_back(bytes.substr(inicio, fim - inicio));
      inicio = fim + 2;
    }
    return linhas;
  }

  PastaTemporaria pasta;
  TelaMuda tela;
  Execucao execucao;
};

TEST_F(LinhasDoRegistro, CadaFormaDeLinhaDeAchadoELidaDeVolta) {
  const std::string_view documentos[] = {DocROL03, DocROL04, DocROL05, DocROLST01, DocROLST02, ""};
  const std::string inscricoes[] = {"1234567890",    "12345",          "12345678901234",
                                    "1234567890123", "123456789012",   "00000000001234",
                                    "ABC1234567890", "ABCDEFGHIJKLMN", "",
                                    " 12 345 678 9", "1234567/890123", "999 888 777 66"};
  const std::string periodos[] = {"052005", "",       "AB 123", "12 456",
                                  "0A2005", " 52005", "X",      "1/2345"};
  const struct {
    std::int32_t linha;
    int inicio;
    int fim;
  } posicoes[] = {{0, 0, 0}, {7, 26, 35}, {1234, 999, 999}, {1234567, 1000, 12345}};

  std::vector<Escrita> escritas;
  for (const std::string_view documento : documentos)
    for (const std::string& inscricao : inscricoes)
      for (const std::string& periodo : periodos)
        for (const auto& pos : posicoes) {
          execucao.controle.Documento = documento;
          execucao.RegistroAtual.Inscricao = inscricao;
          execucao.RegistroAtual.MesAnoRef = periodo;
          execucao.NumLinha = pos.linha;
          const Fixo<6> fixo(periodo);
          const std::string impresso = Apara(fixo).empty() ? "00/0000" : FormataPeriodo(fixo);
          execucao.GravaErro(CodigoM::DigitoControleInvalido, pos.inicio, pos.fim);
          escritas.push_back(
              {pos.linha, pos.inicio, pos.fim, impresso, L1("Dígito controle inválido")});
          execucao.GravaErroST(CodigoST::Campos9e10Zerados, 0, pos.inicio, pos.fim);
          escritas.push_back(
              {pos.linha, pos.inicio, pos.fim, impresso, "AVISO: Campos 9 e 10 zerados"});
          execucao.GravaErroST(CodigoST::VencimentoAntesDaReferencia, 3, pos.inicio,
                               pos.fim);  // a message that begins with a number
          escritas.push_back({pos.linha, pos.inicio, pos.fim, impresso,
                              L1("3° venc deve ser maior que 01/") + FormataPeriodo(fixo)});
        }

  const std::vector<std::string> linhas = Linhas();
  ASSERT_EQ(linhas.size(), escritas.size());
  int falhas = 0;
  for (std::size_t i = 0; i < linhas.size() && falhas < 10; ++i) {
    const Escrita& e = escritas[i];
    AchadoLido lido;
    // A period "1/2345" not masked after a registration masked to 15 characters prints as a
    // masked period after a registration of 14 characters would: the same bytes, so only line,
    // columns and message can be told.
    const bool ambiguo = e.periodo == "1/2345";
    const bool ok = LeLinhaAchado(linhas[i], lido) && lido.linha == e.linha &&
                    lido.inicio == e.inicio && lido.fim == e.fim &&
                    (ambiguo || lido.periodo == e.periodo) && lido.mensagem == e.mensagem &&
                    lido.aviso == e.mensagem.starts_with("AVISO:");
    if (!ok) {
      ++falhas;
      ADD_FAILURE() << "'" << linhas[i] << "' read as line " << lido.linha << " columns "
                    << lido.inicio << "-" << lido.fim << " period '" << lido.periodo
                    << "' message '" << lido.mensagem << "'";
    }
  }
}

TEST(LeLinhaAchado, LinhasDosRelatoriosDeCadaLayout) {
  const struct {
    std::string linha;
    std::string inscricao;
    std::string periodo;
    std::int64_t numero, inicio, fim;
    std::string mensagem;
  } casos[] = {
      {"    400/800524107/1994 001 016 017 Dia Início Período Inválida", "400/8005241", "07/1994",
       1, 16, 17, "Dia Início Período Inválida"},
      {"    954/296996804/2004 025 999 999 Valor do CFOP 202 incorreto", "954/2969968", "04/2004",
       25, 999, 999, "Valor do CFOP 202 incorreto"},
      {"    433/043547007/2000 006 228 235 1° venc deve ser maior que 01/07/2000", "433/0435470",
       "07/2000", 6, 228, 235, "1° venc deve ser maior que 01/07/2000"},
      {" 0123456789    00/0000 003 001 002 Identificação Registro Inválida", "0123456789",
       "00/0000", 3, 1, 2, "Identificação Registro Inválida"},
      {"               00/0000 000 000 000 Arquivo a ser validado não é ROL", "", "00/0000", 0, 0,
       0, "Arquivo a ser validado não é ROL"},
      {"    123/456789005/2005 12345 026 035 Valor incorreto", "123/4567890", "05/2005", 12345, 26,
       35, "Valor incorreto"},
      {"    123/456789005/2005 123456789 1000 10000 Valor incorreto", "123/4567890", "05/2005",
       123456789, 1000, 10000, "Valor incorreto"},
      // Not cut by the tax-substitution catalogue: 18 and 19 characters before the period.
      {"    ABC1234567890 01/2001 000 026 035 Data Incorreta", "ABC1234567890", "01/2001", 0, 26,
       35, "Data Incorreta"},
      {"    1234567/890123405/2005 1000 007 008 Data Incorreta", "1234567/8901234", "05/2005", 1000,
       7, 8, "Data Incorreta"},
      // A period that is not a number prints as it was; a message may be empty, or hold numbers.
      {"    123/4567890AB 123 042 001 010 Valor incorreto", "123/4567890", "AB 123", 42, 1, 10,
       "Valor incorreto"},
      {"    123/456789005/2005 042 001 010 ", "123/4567890", "05/2005", 42, 1, 10, ""},
      {"    123/456789005/2005 042 001 010 Linha 123 456 789 x", "123/4567890", "05/2005", 42, 1,
       10, "Linha 123 456 789 x"},
  };
  for (const auto& c : casos) {
    AchadoLido lido;
    ASSERT_TRUE(LeLinhaAchado(L1(c.linha), lido)) << c.linha;
    EXPECT_EQ(lido.inscricao, L1(c.inscricao)) << c.linha;
    EXPECT_EQ(lido.periodo, c.periodo) << c.linha;
    EXPECT_EQ(lido.linha, c.numero) << c.linha;
    EXPECT_EQ(lido.inicio, c.inicio) << c.linha;
    EXPECT_EQ(lido.fim, c.fim) << c.linha;
    EXPECT_EQ(lido.mensagem, L1(c.mensagem)) << c.linha;
  }
}

TEST(LeLinhaAchado, LinhasQueNaoSaoAchados) {
  const std::string linhas[] = {
      "",
      "ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:",
      "REG/TB         Período Lin Ini Fim Descrição do Erro",
      std::string(73, '-'),
      "    123/456789005/2005 01 026 035 Valor incorreto",  // a number of two digits
      "    123/456789005/2005 012 026 035X",                // no blank before the message
      "    123/456789005/2005 012 026",                     // two numbers
      "  123/456789005/2005 012 026 035 Valor incorreto",   // registration part too short
      "    123/456789005/2005 1234567890123456789 026 035 Valor incorreto",  // beyond 64 bits
      "Foram Validadas 004 ROL(s).",
  };
  for (const std::string& linha : linhas) {
    AchadoLido lido;
    EXPECT_FALSE(LeLinhaAchado(L1(linha), lido)) << linha;
  }
}

// A report of the error form with these finding lines (Latin-1), CR LF ends.
std::string Relatorio(const std::vector<std::string>& achadosLatin1) {
  return L1(ComCRLF({"ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:", "", "Documento: ROL05",
                     std::string(73, '-'), "REG/TB         Período Lin Ini Fim Descrição do Erro",
                     std::string(73, '-')})) +
         ComCRLF(achadosLatin1);
}

TEST(LeAchados, AchadosDepoisDaSegundaLinhaDeHifensContadosEntreErrosEAvisos) {
  const std::string relatorio = Relatorio({
      " 0500000000    07/2000 006 230 244 Campo 10 deve ser menor que o 11",
      " 0500000000    07/2000 006 230 244 AVISO: Campos 9 e 10 zerados",
      L1(" 0500000000    07/2000 007 001 002 AVISO: mesma Inscrição Estadual da ROL"),
      L1(" 0500000000    07/2000 1000 786 789 Nro de linhas do anexo inválido"),
  });
  const AchadosRelatorio lidos = LeAchados(relatorio);
  ASSERT_EQ(lidos.achados.size(), 4u);
  EXPECT_EQ(lidos.erros, 2);
  EXPECT_EQ(lidos.avisos, 2);
  const std::int64_t esperadas[] = {6, 6, 7, 1000};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lidos.achados[i].blocoInicial, static_cast<std::int32_t>(6 + i));
    EXPECT_EQ(lidos.achados[i].blocoFinal, static_cast<std::int32_t>(6 + i));
    EXPECT_EQ(lidos.achados[i].linha, esperadas[i]);
  }
  EXPECT_EQ(TextoResumo(lidos), QStringLiteral("Erros: 2    Avisos: 2"));

  // An accepted file's report has no findings, though its list looks much like them.
  const std::string aceito = L1(ComCRLF(
      {"ARQUIVO OK.", "", "Documento: ROL05", "", std::string(70, '-'),
       "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER", std::string(70, '-'),
       "123/4567890    05/2005  ", "", "", "Foram Validadas 001 ROL(s)."}));
  const AchadosRelatorio nenhum = LeAchados(aceito);
  EXPECT_TRUE(nenhum.achados.empty());
  EXPECT_EQ(TextoResumo(nenhum), QStringLiteral("Erros: 0    Avisos: 0"));
}

TEST(LeAchados, CadaAchadoNaLinhaDaVisaoDoRelatorioQueOMostra) {
  // Bytes of every value but CR inside findings (an LF among them breaks the view's line), and
  // lone CRs as line ends: the view's line of each finding must still be the one it reports.
  std::string todos;
  for (int c = 0; c < 256; ++c)
    if (c != '\r') todos.push_back(static_cast<char>(c));
  std::string relatorio = Relatorio({
      "    123/456789005/2005 001 001 002 " + todos,
      " 12345\n7890    05/2005 002 003 004 Registro com LF",
      "    123/456789005/2005 003 005 006 " + todos,
  });
  relatorio += "    123/456789005/2005 004 007 008 Depois de um CR sozinho\r";
  relatorio += "    123/456789005/2005 005 009 010 Fim";

  const AchadosRelatorio lidos = LeAchados(relatorio);
  ASSERT_EQ(lidos.achados.size(), 5u);
  QPlainTextEdit visao;
  visao.setPlainText(TextoRelatorio(QByteArray::fromStdString(relatorio)));
  for (std::size_t i = 0; i < lidos.achados.size(); ++i) {
    const AchadoLido& achado = lidos.achados[i];
    EXPECT_EQ(achado.linha, static_cast<std::int64_t>(i + 1));
    // The finding's first view line begins it; its last holds the end of its message.
    const QString primeira = visao.document()->findBlockByNumber(achado.blocoInicial).text();
    const QString ultima = visao.document()->findBlockByNumber(achado.blocoFinal).text();
    EXPECT_TRUE(primeira.startsWith(QLatin1Char(' ')) &&
                primeira.contains(QString::fromLatin1(achado.inscricao.substr(0, 5).c_str())))
        << i << ": " << primeira.toStdString();
    const QString mensagem =
        QString::fromLatin1(achado.mensagem.data(), static_cast<qsizetype>(achado.mensagem.size()));
    EXPECT_TRUE(ultima.endsWith(mensagem.section(QLatin1Char('\n'), -1))) << i;
  }
  EXPECT_EQ(lidos.achados[1].blocoFinal, lidos.achados[1].blocoInicial + 1);
  EXPECT_EQ(lidos.achados[2].blocoInicial, lidos.achados[0].blocoFinal + 3);
  EXPECT_EQ(visao.document()->blockCount(), lidos.achados.back().blocoFinal + 1);
}

}  // namespace
}  // namespace rolval::teste
