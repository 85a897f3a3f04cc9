// Header "A0" of layout ST 02, columns 1-169: registration number, markers, reference period, the
// six installments with their due dates, and the beneficiary unit.
#include <array>

#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/DatasST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

constexpr int QtdParcelas = 6;

// First column of installment i (1 to 6): due date at c..c+7, amount at c+8..c+22.
constexpr int ColunaParcela(int i) { return 30 + 23 * (i - 1); }

bool MarcaXOuBranco(char c) { return c == 'X' || c == ' '; }

}  // namespace

void ValidaIdentificacaoST2(Execucao& ex, std::string_view linha, LeituraCabecalhoST2& leitura) {
  const std::string_view uf = Campo(linha, 168, 2);

  if (!ValidaInscricao(Campo(linha, 14, 14), uf))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, 14, 27);
  if (!MarcaXOuBranco(linha[27])) ex.GravaErro(CodigoM::ConteudoNaoXouBranco, 28, 28);
  if (!MarcaXOuBranco(linha[28])) ex.GravaErro(CodigoM::ConteudoNaoXouBranco, 29, 29);
  leitura.SemMovimento = linha[27] == 'X';

  // Reference period. Its month and year are also needed, as numbers, for the due-date warning;
  // a period that is not all digits cannot give them, and that warning is then not made.
  const bool periodoNumerico = ExigeNumerico(ex, linha, 8, 6);
  std::int32_t mesRef = 0, anoRef = 0;
  if (periodoNumerico) {
    mesRef = static_cast<std::int32_t>(ValorInteiro(Campo(linha, 8, 2)));
    anoRef = static_cast<std::int32_t>(ValorInteiro(Campo(linha, 10, 4)));
    if (!ValidaData(linha, 8, DataMMAAAA)) {
      ex.GravaErro(CodigoM::ReferenciaInvalida, 8, 13);
    } else {
      leitura.RefAAAAMM = ChaveAAAAMM(Campo(linha, 8, 6));
      if (leitura.RefAAAAMM < 200007)
        ex.GravaErroST(CodigoST::ReferenciaIncompativelComVersao, 0, 8, 13);
    }
  }

  // Installments: due date (AAAAMMDD, zeros = none) and amount, then the pairing of the two.
  std::array<std::int32_t, QtdParcelas + 1> vencimentos{};  // index 1 to 6; 0 = no date
  for (int i = 1; i <= QtdParcelas; ++i) {
    const int c = ColunaParcela(i);
    bool dataRejeitada = false;
    if (!ExigeNumerico(ex, linha, c, 8)) {
      dataRejeitada = true;
    } else if (ValidaDataAAAAMMDD(linha, c)) {
      const std::int32_t mes = static_cast<std::int32_t>(ValorInteiro(Campo(linha, c + 4, 2)));
      const std::int32_t ano = static_cast<std::int32_t>(ValorInteiro(Campo(linha, c, 4)));
      if (periodoNumerico && DiferencaMeses(mesRef, anoRef, mes, ano) > 2)
        ex.GravaErroST(CodigoST::VencimentoMaisDe2Meses, i, c, c + 7);
      vencimentos[static_cast<std::size_t>(i)] =
          static_cast<std::int32_t>(ValorInteiro(Campo(linha, c, 8)));
    } else {
      ex.GravaErro(CodigoM::DataInvalida, c, c + 7);
      dataRejeitada = true;
    }

    const double valor = LeNumerico(ex, linha, c + 8, 15).value_or(0);
    leitura.SomaParcelas += valor;

    const std::int32_t vencimento = vencimentos[static_cast<std::size_t>(i)];
    if (vencimento == 0 && valor > 0 && !dataRejeitada)
      ex.GravaErroST(CodigoST::VencimentoDoPagamentoAusente, i, c, c + 7);
    if (vencimento != 0 && valor == 0)
      ex.GravaErroST(CodigoST::ValorDoPagamentoAusente, i, c + 8, c + 22);
  }

  // Due dates: not before the reference month, filled from the first on, and no two alike.
  for (int i = 1; i <= QtdParcelas; ++i) {
    const std::int32_t vencimento = vencimentos[static_cast<std::size_t>(i)];
    if (vencimento == 0) continue;
    const int c = ColunaParcela(i);
    if (vencimento < leitura.RefAAAAMM * 100)
      ex.GravaErroST(CodigoST::VencimentoAntesDaReferencia, i, c, c + 7);
    else if (i >= 2 && vencimentos[static_cast<std::size_t>(i - 1)] == 0)
      ex.GravaErroST(CodigoST::VencimentoAnteriorAusente, 0, c, c + 7);
    for (int k = 1; k <= QtdParcelas; ++k) {
      if (k != i && vencimentos[static_cast<std::size_t>(k)] == vencimento) {
        const int ck = ColunaParcela(k);
        ex.GravaErroST(CodigoST::VencimentoDuplicado, 0, ck, ck + 7);
      }
    }
  }

  // Beneficiary unit: every return of a file is due to the same unit. The code read is kept even
  // when it is not a unit, so that the next header compares with it.
  if (!ValidaUF(uf))
    ex.GravaErroST(CodigoST::UFFavorecidaIncorreta, 0, 168, 169);
  else if (!ST2(ex).UFFavorecida.empty() && ST2(ex).UFFavorecida != uf)
    ex.GravaErroST(CodigoST::UFsDiferentes, 0, 168, 169);
  ST2(ex).UFFavorecida.clear();
  ST2(ex).UFFavorecida.append(uf.data(), uf.size());
}

}  // namespace rolval
