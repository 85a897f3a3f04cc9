// The bundled ST 02 sample files give the reports they are meant to show.
#include <gtest/gtest.h>

#include <filesystem>

#include "layouts/Layouts.h"
#include "tests/substitution/RegistrosST2.h"

namespace rolval::teste {
namespace {

using Linhas = std::vector<std::string>;

ResultadoExecucao ValidaAmostra(const char* nome) {
  const auto caminho =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / nome;
  PastaTemporaria pasta;
  return ExecutaArquivo(caminho.string(), pasta.caminho(), TabelaPadrao());
}

TEST(AmostrasST2, LimpoTemTresRetornos) {
  const auto r = ValidaAmostra("rolst02-limpo.txt");
  ASSERT_EQ(r.desfecho, Desfecho::RelatorioOK);
  ASSERT_EQ(r.linhasSaida.size(), 11u);
  EXPECT_EQ(r.linhasSaida[7], "0123456789     07/2000  0500000000     08/2000  9876543216     09/2000  ");
  EXPECT_EQ(r.linhasSaida[10], "Foram Validadas 003 ROL(s) ST.");
}

TEST(AmostrasST2, ComErros) {
  const auto r = ValidaAmostra("rolst02-com-erros.txt");
  const std::string p06 = "06/2000", p07 = "07/2000", sem = "00/0000";
  EXPECT_EQ(r.achados,
            (Linhas{Achado(InscricaoROL, p06, 1, 8, 13, "Mês/Ano refer. incompatível com versão"),
                    Achado(InscricaoROL, p06, 1, 53, 60, "Data vencimento em duplicidade"),
                    Achado(InscricaoROL, p06, 1, 30, 37, "Data vencimento em duplicidade"),
                    Achado(InscricaoROL, p06, 2, 28, 35, "Data Incorreta"),
                    Achado(InscricaoROL, sem, 3, 1, 2, "Identificação Registro Inválida"),
                    Achado(InscricaoROL, sem, 4, 3, 27, "Informações duplicadas no Anexo I"),
                    Achado(InscricaoROL, sem, 5, 17, 31, "Valor incorreto"),
                    Achado(InscricaoROL2, p07, 6, 230, 244, "Campo 10 deve ser menor que o 11"),
                    Achado(InscricaoROL2, p07, 6, 335, 349, "Valor do campo 18 incorreto"),
                    Achado(InscricaoROL2, p07, 6, 786, 789, "Nro de linhas do anexo inválido")}));
}

}  // namespace
}  // namespace rolval::teste
