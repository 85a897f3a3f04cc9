// The bundled sample files of layouts 03 and ST 01 give the reports they are meant to show. The
// sample generator makes them (tests/tools checks that it makes them byte for byte):
//
//   rol03-limpo.txt:        rolval-amostras --layout 03 --returns 7 --seed 1994 -o
//   samples/rol03-limpo.txt rol03-com-erros.txt:    rolval-amostras --layout 03 --returns 4 --seed
//   1995 --spoil soma:1 --spoil digito:2
//                             --spoil numerico:3 --spoil vencimento:4 -o
//                             samples/rol03-com-erros.txt
//   rolst01-limpo.txt:      rolval-amostras --layout ST01 --returns 5 --seed 1999 -o
//   samples/rolst01-limpo.txt rolst01-com-erros.txt:  rolval-amostras --layout ST01 --returns 4
//   --seed 2000 --spoil soma:1 --spoil digito:2
//                             --spoil numerico:3 --spoil vencimento:4 -o
//                             samples/rolst01-com-erros.txt
#include <gtest/gtest.h>

#include <filesystem>

#include "layouts/Layouts.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

ResultadoExecucao ValidaAmostra(const char* nome) {
  PastaTemporaria pasta;
  return ExecutaArquivo(Amostra(nome).string(), pasta.caminho(), TabelaPadrao());
}

TEST(AmostrasAntigas, LimposSaemOK) {
  struct Caso {
    const char* arquivo;
    std::vector<std::string> lista;
    const char* contagem;
  };
  for (const Caso& c : {
           Caso{"rol03-limpo.txt",
                {"705/9268619    06/1997  094/8587563    05/1998  348/8498516    01/1996  ",
                 "557/7798856    02/1995  909/4236279    12/1996  536/6189604    11/1996  ",
                 "259/2865980    03/1998  "},
                "Foram Validadas 007 ROL(s)."},
           Caso{"rolst01-limpo.txt",
                {"111/4933489    02/2000  294/2835197    10/1999  763/4394174    08/1999  ",
                 "832/6583594    09/1999  804/4509699    09/1999  "},
                "Foram Validadas 005 ROL(s)."},
       }) {
    SCOPED_TRACE(c.arquivo);
    const auto r = ValidaAmostra(c.arquivo);
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
    ASSERT_EQ(r.linhasSaida.size(), 7 + c.lista.size() + 3);
    EXPECT_EQ(r.linhasSaida[0], "ARQUIVO OK.");
    EXPECT_EQ(std::vector<std::string>(r.linhasSaida.begin() + 7, r.linhasSaida.end() - 3),
              c.lista);
    EXPECT_EQ(r.linhasSaida.back(), c.contagem);
  }
}

TEST(AmostrasAntigas, ROL03ComErros) {
  const auto r = ValidaAmostra("rol03-com-erros.txt");
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  const std::vector<std::string> esperado = {
      "    868/970407606/1995 001 292 307 Valor incorreto",
      "    665/768750208/1994 002 026 035 Dígito controle inválido",
      "    306/769328202/1998 003 748 763 Campo numérico é esperado",
      // A due date before the reference month is read twice: led by the date, then by its amount.
      "    260/225381702/1998 004 516 523 Vencimento Incorreto",
      "    260/225381702/1998 004 516 523 Vencimento Incorreto",
  };
  EXPECT_EQ(r.achados, esperado);
}

TEST(AmostrasAntigas, ST01ComErros) {
  const auto r = ValidaAmostra("rolst01-com-erros.txt");
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  const std::vector<std::string> esperado = {
      "    175/740260504/2000 001 213 227 Soma parcelas difere do campo 17",
      "    731/009503205/2000 002 017 026 Dig. Controle Campo 5 Incorreto",
      "    999/864035606/2000 003 453 456 Campo numérico é esperado",
      "    630/870262902/2000 004 228 235 1° venc deve ser maior que 01/02/2000",
  };
  EXPECT_EQ(r.achados, esperado);
}

}  // namespace
}  // namespace rolval
