// The bundled ST 02 sample files give the reports they are meant to show. The sample generator
// makes them (tests/tools checks that it makes them byte for byte):
//
//   rolst02-limpo.txt:      rolval-amostras --layout ST02 --returns 3 --seed 2002 -o
//   samples/rolst02-limpo.txt rolst02-com-erros.txt:  rolval-amostras --layout ST02 --returns 3
//   --seed 2003 --spoil numerico:1
//                             --spoil soma-A1:1 --spoil repete-A3:2 --spoil digito:2 --spoil
//                             vencimento:3
//                             --spoil linhas-A2:3 -o samples/rolst02-com-erros.txt
#include <gtest/gtest.h>

#include <filesystem>

#include "layouts/Layouts.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

ResultadoExecucao ValidaAmostra(const char* nome) {
  const auto caminho = Amostra(nome);
  PastaTemporaria pasta;
  return ExecutaArquivo(caminho.string(), pasta.caminho(), TabelaPadrao());
}

TEST(AmostrasST2, LimpoTemTresRetornos) {
  const auto r = ValidaAmostra("rolst02-limpo.txt");
  ASSERT_EQ(r.desfecho, Desfecho::RelatorioOK);
  ASSERT_EQ(r.linhasSaida.size(), 11u);
  EXPECT_EQ(r.linhasSaida[7],
            "2615204267     05/2001  5418520314     05/2009  8172097440     07/2005  ");
  EXPECT_EQ(r.linhasSaida[10], "Foram Validadas 003 ROL(s) ST.");
}

TEST(AmostrasST2, ComErros) {
  const auto r = ValidaAmostra("rolst02-com-erros.txt");
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  const std::string_view primeira = "5875974911    ", segunda = "8780811955    ",
                         terceira = "2893547510    ";
  // The first return's annex total is reported at its header when the second header closes it;
  // the third return's count at the end of the file.
  EXPECT_EQ(
      r.achados,
      (Linhas{Achado(primeira, "06/2006", 1, 305, 319, "Campo numérico é esperado"),
              Achado(primeira, "06/2006", 1, 275, 289, "Valor do campo 14 incorreto"),
              Achado(segunda, "12/2015", 7, 395, 408, "Dig. Controle Campo 28 Incorreto"),
              Achado(segunda, "12/2015", 13, 3, 16, "Informações duplicadas no Anexo III"),
              Achado(terceira, "12/2008", 15, 30, 37, "1° venc deve ser maior que 01/12/2008"),
              Achado(terceira, "12/2008", 15, 790, 793, "Nro de linhas do anexo inválido")}));
}

}  // namespace
}  // namespace rolval::teste
