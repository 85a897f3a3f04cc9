#include "layouts/substitution/AnexosST2.h"

#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "checks/Datas.h"
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

constexpr CampoRegistro NumeroI = CampoDe(CamposAnexoIST2, "Número");
constexpr CampoRegistro CodigoI = CampoDe(CamposAnexoIST2, "Código");
constexpr CampoRegistro InscricaoI = CampoDe(CamposAnexoIST2, "Inscrição estadual");
constexpr CampoRegistro DataI = CampoDe(CamposAnexoIST2, "Data");
constexpr CampoRegistro ValorI = CampoDe(CamposAnexoIST2, "Valor");
constexpr CampoRegistro InscricaoIII = CampoDe(CamposAnexoIIIST2, "Inscrição estadual");
constexpr CampoRegistro PrimeiroValorIII = CampoDe(CamposAnexoIIIST2, "Primeiro valor");
constexpr CampoRegistro SegundoValorIII = CampoDe(CamposAnexoIIIST2, "Segundo valor");

// The key is columns 1 to `fimChave`; only a record that repeats the one just before it in the
// same annex is caught. The finding spans the key's fields after the record type, from column 3:
// several fields, so no one field's columns. Inlined: it runs for every annex record.
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
  const std::optional<std::int64_t> data = LeInteiro(ex, linha, DataI.coluna, DataI.tamanho);
  if (!data) return;
  const auto aaaamm = static_cast<std::int32_t>(*data / 100);
  if (!PartesDeDataValidas(static_cast<int>(*data % 100), aaaamm % 100, aaaamm / 100,
                           DataDDMMAAAA)) {
    ex.GravaErro(CodigoM::DataInvalida, DataI.coluna, DataI.Ultima());
    return;
  }
  const std::int32_t ref = ST2(ex).RefAAAAMM;
  if (ref == 0) return;
  const std::int32_t inicio = (ref / 100 - 5) * 100 + 1;
  if (aaaamm > ref || aaaamm < inicio)
    ex.GravaErroST(CodigoST::DataIncorreta, 0, DataI.coluna, DataI.Ultima());
}

}  // namespace

void ValidaAnexoIouII(Execucao& ex, std::string_view linha, AnexoST2 anexo) {
  EstadoST2& st = ST2(ex);
  const bool eAnexoI = anexo == AnexoST2::I;
  ++(eAnexoI ? st.ContaAnexoI : st.ContaAnexoII);
  // The key runs from the type to the registration number.
  ConfereDuplicidade(ex, linha, InscricaoI.Ultima(), eAnexoI ? st.ChaveAnexoI : st.ChaveAnexoII,
                     static_cast<int>(anexo));

  if (const std::optional<std::int64_t> numero =
          LeInteiro(ex, linha, NumeroI.coluna, NumeroI.tamanho);
      numero && *numero == 0)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, NumeroI.coluna, NumeroI.Ultima());
  if (Apara(Campo(linha, CodigoI)).empty())
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, CodigoI.coluna, CodigoI.Ultima());

  const std::string_view inscricao = Campo(linha, InscricaoI);
  if (!ValidaInscricao(inscricao, st.UFFavorecida))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, InscricaoI.coluna, InscricaoI.Ultima());
  else if (MesmaInscricaoDaROL(ex, inscricao))
    ex.GravaErroST(CodigoST::MesmaInscricaoDaROLAviso, 0, InscricaoI.coluna, InscricaoI.Ultima());

  ConfereDataAnexo(ex, linha);

  if (const std::optional<double> valor = LeNumerico(ex, linha, ValorI.coluna, ValorI.tamanho)) {
    if (*valor == 0)
      ex.GravaErro(CodigoM::CampoObrigatorioAusente, ValorI.coluna, ValorI.Ultima());
    else
      (eAnexoI ? st.SomaAnexoI : st.SomaAnexoII) += *valor;
  }
}

void ValidaAnexoIII(Execucao& ex, std::string_view linha) {
  EstadoST2& st = ST2(ex);
  ++st.ContaAnexoIII;
  // The key runs from the type to the registration number.
  ConfereDuplicidade(ex, linha, InscricaoIII.Ultima(), st.ChaveAnexoIII, 3);

  const std::string_view inscricao = Campo(linha, InscricaoIII);
  if (!ValidaInscricao(inscricao, st.UFFavorecida))
    ex.GravaErroST(CodigoST::InscricaoIncorreta, 0, InscricaoIII.coluna, InscricaoIII.Ultima());
  else if (MesmaInscricaoDaROL(ex, inscricao))
    ex.GravaErroST(CodigoST::MesmaInscricaoDaROL, 0, InscricaoIII.coluna, InscricaoIII.Ultima());

  // The first amount must exceed the second whenever either is positive, and a first amount
  // needs a second one.
  constexpr CampoRegistro ca = PrimeiroValorIII, cb = SegundoValorIII;
  const std::optional<double> b = LeNumerico(ex, linha, cb.coluna, cb.tamanho);
  if (!b) return;
  const std::optional<double> a = LeNumerico(ex, linha, ca.coluna, ca.tamanho);
  if (!a) return;
  if (*a != 0 && *b == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, cb.coluna, cb.Ultima());
  if ((*a != 0 || *b != 0) && !(*a > *b))
    ex.GravaErro(CodigoM::ValorIncorreto, ca.coluna, ca.Ultima());
}

}  // namespace rolval
