#include "layouts/substitution/AnexosST2.h"

#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "checks/Datas.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

// The key is columns 1 to `fimChave`; only a record that repeats the one just before it in the
// same annex is caught. Inlined: it runs for every annex record.
ROLVAL_EM_LINHA inline void ConfereDuplicidade(Execucao& ex, std::string_view linha, int fimChave,
                                               std::string& chaveAnterior, int numeroAnexo) {
  const std::string_view chave = Campo(linha, 1, fimChave);
  if (MesmoTexto(chave, chaveAnterior))
    ex.GravaErroST(CodigoST::AnexoDuplicado, numeroAnexo, 3, fimChave);
  CopiaTexto(chaveAnterior, chave);
}

bool MesmaInscricaoDaROL(const Execucao& ex, std::string_view inscricao) {
  return MesmoTexto(Apara(inscricao), Apara(ex.RegistroAtual.Inscricao));
}

// The date must lie between January five years before the reference year and the end of the
// reference month. Without an accepted reference period there is no window to test.
void ConfereDataAnexo(Execucao& ex, std::string_view linha) {
  // AAAAMMDD, tested and read as one number.
  const std::optional<std::int64_t> data = LeInteiro(ex, linha, 28, 8);
  if (!data) return;
  const auto aaaamm = static_cast<std::int32_t>(*data / 100);
  if (!PartesDeDataValidas(static_cast<int>(*data % 100), aaaamm % 100, aaaamm / 100,
                           DataDDMMAAAA)) {
    ex.GravaErro(CodigoM::DataInvalida, 28, 35);
    return;
  }
  const std::int32_t ref = ST2(ex).RefAAAAMM;
  if (ref == 0) return;
  const std::int32_t inicio = (ref / 100 - 5) * 100 + 1;
  if (aaaamm > ref || aaaamm < inicio) ex.GravaErroST(CodigoST::DataIncorreta, 0, 28, 35);
}

}  // namespace

void ValidaAnexoIouII(Execucao& ex, std::string_view linha, AnexoST2 anexo) {
  EstadoST2& st = ST2(ex);
  const bool eAnexoI = anexo == AnexoST2::I;
  ++(eAnexoI ? st.ContaAnexoI : st.ContaAnexoII);
  ConfereDuplicidade(ex, linha, 27, eAnexoI ? st.ChaveAnexoI : st.ChaveAnexoII,
                     static_cast<int>(anexo));

  if (const std::optional<std::int64_t> numero = LeInteiro(ex, linha, 3, 8); numero && *numero == 0)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, 3, 10);
  if (Apara(Campo(linha, 11, 3)).empty()) ex.GravaErro(CodigoM::CampoObrigatorioAusente, 11, 13);

  const std::string_view inscricao = Campo(linha, 14, 14);
  if (!ValidaInscricao(inscricao, st.UFFavorecida))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, 14, 27);
  else if (MesmaInscricaoDaROL(ex, inscricao))
    ex.GravaErroST(CodigoST::MesmaInscricaoDaROLAviso, 0, 14, 27);

  ConfereDataAnexo(ex, linha);

  if (const std::optional<double> valor = LeNumerico(ex, linha, 36, 15)) {
    if (*valor == 0)
      ex.GravaErro(CodigoM::CampoObrigatorioAusente, 36, 50);
    else
      (eAnexoI ? st.SomaAnexoI : st.SomaAnexoII) += *valor;
  }
}

void ValidaAnexoIII(Execucao& ex, std::string_view linha) {
  EstadoST2& st = ST2(ex);
  ++st.ContaAnexoIII;
  ConfereDuplicidade(ex, linha, 16, st.ChaveAnexoIII, 3);

  const std::string_view inscricao = Campo(linha, 3, 14);
  if (!ValidaInscricao(inscricao, st.UFFavorecida))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, 3, 16);
  else if (MesmaInscricaoDaROL(ex, inscricao))
    ex.GravaErroST(CodigoST::MesmaInscricaoDaROL, 0, 3, 16);

  // The first amount must exceed the second whenever either is positive, and a first amount
  // needs a second one.
  const std::optional<double> b = LeNumerico(ex, linha, 32, 15);
  if (!b) return;
  const std::optional<double> a = LeNumerico(ex, linha, 17, 15);
  if (!a) return;
  if (*a != 0 && *b == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, 32, 46);
  if ((*a != 0 || *b != 0) && !(*a > *b)) ex.GravaErro(CodigoM::ValorIncorreto, 17, 31);
}

}  // namespace rolval
