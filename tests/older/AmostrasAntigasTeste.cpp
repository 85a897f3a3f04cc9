// The bundled sample files of layouts 03 and ST 01 give the reports they are meant to show.
#include <gtest/gtest.h>

#include <filesystem>

#include "layouts/Layouts.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

std::string Amostra(const char* nome) {
  return (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / nome)
      .string();
}

ResultadoExecucao ValidaAmostra(const char* nome) {
  PastaTemporaria pasta;
  return ExecutaArquivo(Amostra(nome), pasta.caminho(), TabelaPadrao());
}

TEST(AmostrasAntigas, LimposSaemOK) {
  struct Caso {
    const char* arquivo;
    std::vector<std::string> lista;
    const char* contagem;
  };
  for (const Caso& c : {
           Caso{"rol03-limpo.txt",
                {"255/5125765    07/1994  452/2047710    12/1994  355/3593123    03/1995  ",
                 "680/2507173    08/1996  724/6977741    02/1997  034/7013465    11/1997  ",
                 "523/4505789    09/1998  "},
                "Foram Validadas 007 ROL(s)."},
           Caso{"rolst01-limpo.txt",
                {"411/6508089    05/1999  290/4337568    08/1999  922/9051859    12/1999  ",
                 "972/9859987    02/2000  227/5157012    06/2000  "},
                "Foram Validadas 005 ROL(s)."},
       }) {
    SCOPED_TRACE(c.arquivo);
    const auto r = ValidaAmostra(c.arquivo);
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
    ASSERT_EQ(r.linhasSaida.size(), 7 + c.lista.size() + 3);
    EXPECT_EQ(r.linhasSaida[0], "ARQUIVO OK.");
    EXPECT_EQ(std::vector<std::string>(r.linhasSaida.begin() + 7, r.linhasSaida.end() - 3), c.lista);
    EXPECT_EQ(r.linhasSaida.back(), c.contagem);
  }
}

TEST(AmostrasAntigas, ROL03ComErros) {
  const auto r = ValidaAmostra("rol03-com-erros.txt");
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  const std::vector<std::string> esperado = {
      "    400/800524107/1994 001 016 017 Dia Início Período Inválida",
      "    508/467903506/1994 002 020 025 Mês/Ano de referência inválido",
      // A due date that is not a number, with an amount: reported once, and the run goes on.
      "    271/545054503/1995 003 516 523 Campo numérico é esperado",
      "    271/545054503/1995 003 516 523 Campo obrigatório não informado",
      "    639/118010008/1996 004 026 035 Dígito controle inválido",
      "    928/892916402/1997 005 116 131 Valor incorreto",
      "    575/705259311/1997 006 500 515 Valor incorreto",
      "    575/705259311/1997 006 500 515 Valor incorreto",
  };
  EXPECT_EQ(r.achados, esperado);
}

TEST(AmostrasAntigas, ST01ComErros) {
  const auto r = ValidaAmostra("rolst01-com-erros.txt");
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  const std::vector<std::string> esperado = {
      "    578/618032405/1999 001 007 016 Dia de término inválido",
      "    812/660882808/1999 002 041 041 Campo não deve ser informado",
      "    525/079925212/1999 003 251 258 Data vencimento em duplicidade",
      "    525/079925212/1999 003 228 235 Data vencimento em duplicidade",
      "    431/439382202/2000 004 027 040 Dig. Controle Campo 23 Incorreto",
      "    683/670508306/2000 005 366 411 Informe o campo 24",
      "    433/043547007/2000 006 007 016 Campo 4 deve ser menor que 07/2000",
      "    433/043547007/2000 006 228 235 1° venc deve ser maior que 01/07/2000",
      "    433/043547007/2000 006 251 258 2° venc deve ser maior que 01/07/2000",
      "    433/043547007/2000 006 274 281 3° venc deve ser maior que 01/07/2000",
      "    433/043547007/2000 006 495 502 Data Incorreta",
  };
  EXPECT_EQ(r.achados, esperado);
}

}  // namespace
}  // namespace rolval
