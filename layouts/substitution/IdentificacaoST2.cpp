// Header "A0" of layout ST 02, columns 1-169: registration number, markers, reference period, the
// six installments with their due dates, and the beneficiary unit.
#include <array>

#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/DatasST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

constexpr CampoRegistro Periodo = CampoDe(CamposCabecalhoST2, "Mês/ano de referência");
constexpr CampoRegistro Inscricao = CampoDe(CamposCabecalhoST2, "Inscrição estadual");
constexpr CampoRegistro SemMovimento = CampoDe(CamposCabecalhoST2, "Sem movimento");
constexpr CampoRegistro Marca29 = CampoDe(CamposCabecalhoST2, "Marca (col. 29)");
constexpr CampoRegistro Vencimento = CampoDe(CamposCabecalhoST2, "Vencimento da parcela");
constexpr CampoRegistro ValorParcela = CampoDe(CamposCabecalhoST2, "Valor da parcela");
constexpr CampoRegistro UFFavorecida = CampoDe(CamposCabecalhoST2, "UF favorecida");

constexpr int QtdParcelas = Vencimento.vezes;
static_assert(ValorParcela.vezes == QtdParcelas && ValorParcela.largura == Vencimento.largura);

// First column of installment i (1 to 6): its due date, and its amount.
constexpr int ColunaParcela(int i) { return Vencimento.ColunaDe(i - 1); }
constexpr int ColunaValorParcela(int i) { return ValorParcela.ColunaDe(i - 1); }

bool MarcaXOuBranco(char c) { return c == 'X' || c == ' '; }

}  // namespace

void ValidaIdentificacaoST2(Execucao& ex, std::string_view linha, LeituraCabecalhoST2& leitura) {
  const std::string_view uf = Campo(linha, UFFavorecida);

  if (!ValidaInscricao(Campo(linha, Inscricao), uf))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, Inscricao.coluna, Inscricao.Ultima());
  const char semMovimento = linha[SemMovimento.coluna - 1];
  if (!MarcaXOuBranco(semMovimento))
    ex.GravaErro(CodigoM::ConteudoNaoXouBranco, SemMovimento.coluna, SemMovimento.Ultima());
  if (!MarcaXOuBranco(linha[Marca29.coluna - 1]))
    ex.GravaErro(CodigoM::ConteudoNaoXouBranco, Marca29.coluna, Marca29.Ultima());
  leitura.SemMovimento = semMovimento == 'X';

  // Reference period. Its month and year are also needed, as numbers, for the due-date warning;
  // a period that is not all digits cannot give them, and that warning is then not made.
  const bool periodoNumerico = ExigeNumerico(ex, linha, Periodo);
  std::int32_t mesRef = 0, anoRef = 0;
  if (periodoNumerico) {
    const std::string_view periodo = Campo(linha, Periodo);
    mesRef = static_cast<std::int32_t>(ValorInteiro(periodo.substr(0, 2)));
    anoRef = static_cast<std::int32_t>(ValorInteiro(periodo.substr(2, 4)));
    if (!ValidaData(linha, Periodo.coluna, DataMMAAAA)) {
      ex.GravaErro(CodigoM::ReferenciaInvalida, Periodo.coluna, Periodo.Ultima());
    } else {
      leitura.RefAAAAMM = ChaveAAAAMM(periodo);
      if (leitura.RefAAAAMM < 200007)
        ex.GravaErroST(CodigoST::ReferenciaIncompativelComVersao, 0, Periodo.coluna,
                       Periodo.Ultima());
    }
  }

  // Installments: due date (AAAAMMDD, zeros = none) and amount, then the pairing of the two.
  std::array<std::int32_t, QtdParcelas + 1> vencimentos{};  // index 1 to 6; 0 = no date
  for (int i = 1; i <= QtdParcelas; ++i) {
    const int c = ColunaParcela(i);
    const int fim = Vencimento.UltimaDe(i - 1);
    bool dataRejeitada = false;
    if (!ExigeNumerico(ex, linha, c, Vencimento.tamanho)) {
      dataRejeitada = true;
    } else if (ValidaDataAAAAMMDD(linha, c)) {
      const std::string_view data = Campo(linha, c, Vencimento.tamanho);
      const std::int32_t mes = static_cast<std::int32_t>(ValorInteiro(data.substr(4, 2)));
      const std::int32_t ano = static_cast<std::int32_t>(ValorInteiro(data.substr(0, 4)));
      if (periodoNumerico && DiferencaMeses(mesRef, anoRef, mes, ano) > 2)
        ex.GravaErroST(CodigoST::VencimentoMaisDe2Meses, i, c, fim);
      vencimentos[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(ValorInteiro(data));
    } else {
      ex.GravaErro(CodigoM::DataInvalida, c, fim);
      dataRejeitada = true;
    }

    const int cv = ColunaValorParcela(i);
    const double valor = LeNumerico(ex, linha, cv, ValorParcela.tamanho).value_or(0);
    leitura.SomaParcelas += valor;

    const std::int32_t vencimento = vencimentos[static_cast<std::size_t>(i)];
    if (vencimento == 0 && valor > 0 && !dataRejeitada)
      ex.GravaErroST(CodigoST::VencimentoDoPagamentoAusente, i, c, fim);
    if (vencimento != 0 && valor == 0)
      ex.GravaErroST(CodigoST::ValorDoPagamentoAusente, i, cv, ValorParcela.UltimaDe(i - 1));
  }

  // Due dates: not before the reference month, filled from the first on, and no two alike.
  for (int i = 1; i <= QtdParcelas; ++i) {
    const std::int32_t vencimento = vencimentos[static_cast<std::size_t>(i)];
    if (vencimento == 0) continue;
    const int c = ColunaParcela(i);
    const int fim = Vencimento.UltimaDe(i - 1);
    if (vencimento < leitura.RefAAAAMM * 100)
      ex.GravaErroST(CodigoST::VencimentoAntesDaReferencia, i, c, fim);
    else if (i >= 2 && vencimentos[static_cast<std::size_t>(i - 1)] == 0)
      ex.GravaErroST(CodigoST::VencimentoAnteriorAusente, 0, c, fim);
    for (int k = 1; k <= QtdParcelas; ++k) {
      if (k != i && vencimentos[static_cast<std::size_t>(k)] == vencimento) {
        const int ck = ColunaParcela(k);
        ex.GravaErroST(CodigoST::VencimentoDuplicado, 0, ck, Vencimento.UltimaDe(k - 1));
      }
    }
  }

  // Beneficiary unit: every return of a file is due to the same unit. The code read is kept even
  // when it is not a unit, so that the next header compares with it.
  if (!ValidaUF(uf))
    ex.GravaErroST(CodigoST::UFFavorecidaIncorreta, 0, UFFavorecida.coluna, UFFavorecida.Ultima());
  else if (!ST2(ex).UFFavorecida.empty() && ST2(ex).UFFavorecida != uf)
    ex.GravaErroST(CodigoST::UFsDiferentes, 0, UFFavorecida.coluna, UFFavorecida.Ultima());
  ST2(ex).UFFavorecida.clear();
  ST2(ex).UFFavorecida.append(uf.data(), uf.size());
}

}  // namespace rolval
