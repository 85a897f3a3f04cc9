// The run's findings as the output window takes them: each as the findings log wrote it, counted
// between errors and warnings, and on the line of the report view that shows it.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <string>
#include <vector>

#include "achados/ListaAchados.h"
#include "layouts/Layouts.h"
#include "run/Execucao.h"
#include "run/Formatos.h"
#include "shell/Saida.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

class AchadosDaExecucao : public ::testing::Test {
 protected:
  AchadosDaExecucao() : execucao(pasta.caminho(), tela) {
    execucao.arquivoAchados.Abre();
    execucao.arquivoLista.Abre();
    execucao.DefineOuvinte(&lista);
  }

  // The report of the findings written so far, in the output window's view.
  void GeraVisao() {
    execucao.DefineOuvinte(nullptr);
    execucao.arquivoAchados.Fecha();
    execucao.arquivoLista.Fecha();
    execucao.GeraSaida();
    const std::string relatorio = execucao.Relatorio().Texto();
    visao.setPlainText(TextoRelatorio(QByteArray::fromStdString(relatorio)));
  }
  QString LinhaDaVisao(std::int32_t n) const {
    return visao.document()->findBlockByNumber(n).text();
  }

  PastaTemporaria pasta;
  TelaMuda tela;
  Execucao execucao;
  ListaAchados lista;
  QPlainTextEdit visao;
};

TEST_F(AchadosDaExecucao, CadaFormaDeAchadoComoFoiEscritoENaLinhaQueOMostra) {
  struct Escrita {
    std::int32_t linha;
    int inicio;
    int fim;
    std::string periodo;   // as printed
    std::string mensagem;  // Latin-1
  };
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
          teste::DefineDocumento(execucao, documento);
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
  teste::DefineDocumento(execucao, DocROL05);
  GeraVisao();

  ASSERT_EQ(lista.Tamanho(), escritas.size());
  EXPECT_EQ(lista.Avisos(), static_cast<std::int64_t>(escritas.size() / 3));
  int falhas = 0;
  for (std::size_t i = 0; i < escritas.size() && falhas < 10; ++i) {
    const Escrita& e = escritas[i];
    const Achado a = lista.Le(i);
    const QString linha = LinhaDaVisao(lista.PrimeiraLinhaNaVisao(i));
    const bool ok = a.linha == e.linha && a.inicio == e.inicio && a.fim == e.fim &&
                    a.periodo == e.periodo && a.mensagem == e.mensagem &&
                    a.Aviso() == e.mensagem.starts_with("AVISO:") &&
                    lista.UltimaLinhaNaVisao(i) == lista.PrimeiraLinhaNaVisao(i) &&
                    linha.toLatin1().toStdString().ends_with(" " + e.mensagem);
    if (!ok) {
      ++falhas;
      ADD_FAILURE() << "finding " << i << " on view line '" << linha.toStdString() << "': line "
                    << a.linha << " columns " << a.inicio << "-" << a.fim << " period '"
                    << a.periodo << "' message '" << a.mensagem << "'";
    }
  }
}

TEST_F(AchadosDaExecucao, CadaAchadoNaLinhaDaVisaoMesmoComQuebrasNaInscricao) {
  // Registrations of every byte value, CR and LF among them (each breaks the view's line): the
  // view line of each finding must still be the one that shows it.
  std::string todos;
  for (int c = 0; c < 256; ++c) todos.push_back(static_cast<char>(c));
  todos += "12\r\n34\n\r56\r";
  execucao.controle.Documento = "";
  for (std::size_t k = 0; k < todos.size(); k += 14) {
    execucao.RegistroAtual.Inscricao = todos.substr(k, 14);
    execucao.NumLinha = static_cast<std::int32_t>(k / 14 + 1);
    execucao.GravaErro(CodigoM::DigitoControleInvalido, 1, 2);
  }
  GeraVisao();

  ASSERT_EQ(lista.Tamanho(), (todos.size() + 13) / 14);
  for (std::size_t i = 0; i < lista.Tamanho(); ++i) {
    const Achado a = lista.Le(i);
    EXPECT_EQ(a.linha, static_cast<std::int32_t>(i + 1));
    // The first view line begins with the registration up to its first break; the last ends
    // with the line, columns and message.
    const std::string inscricao = todos.substr(i * 14, 14);
    const std::string inicio = " " + inscricao.substr(0, inscricao.find_first_of("\r\n"));
    EXPECT_TRUE(LinhaDaVisao(lista.PrimeiraLinhaNaVisao(i)).toLatin1().startsWith(inicio.c_str()))
        << i;
    char fim[64];
    std::snprintf(fim, sizeof fim, " %03zu 001 002 ", i + 1);
    EXPECT_TRUE(
        LinhaDaVisao(lista.UltimaLinhaNaVisao(i))
            .endsWith(QString::fromLatin1(fim) + QString::fromUtf8("Dígito controle inválido")))
        << i << ": " << LinhaDaVisao(lista.UltimaLinhaNaVisao(i)).toStdString();
  }
  EXPECT_GT(lista.UltimaLinhaNaVisao(0), lista.PrimeiraLinhaNaVisao(0));  // bytes 10 and 13
  EXPECT_EQ(visao.document()->blockCount(), lista.UltimaLinhaNaVisao(lista.Tamanho() - 1) + 1);
}

TEST_F(AchadosDaExecucao, ContadosEntreErrosEAvisos) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.RegistroAtual.Inscricao = "0500000000";
  execucao.RegistroAtual.MesAnoRef = "072000";
  execucao.NumLinha = 6;
  execucao.GravaErroST(CodigoST::Campo10NaoMenorQue11, 0, 230, 244);
  execucao.GravaErroST(CodigoST::Campos9e10Zerados, 0, 230, 244);
  execucao.GravaErroST(CodigoST::MesmaInscricaoDaROLAviso, 0, 1, 2);
  execucao.GravaErroST(CodigoST::LinhasAnexoInvalidas, 0, 786, 789);
  GeraVisao();
  EXPECT_EQ(TextoResumo(lista), QStringLiteral("Erros: 2    Avisos: 2"));
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(lista.PrimeiraLinhaNaVisao(i), static_cast<std::int32_t>(6 + i));
  EXPECT_EQ(TextoResumo(ListaAchados()), QStringLiteral("Erros: 0    Avisos: 0"));
}

}  // namespace
}  // namespace rolval::teste
