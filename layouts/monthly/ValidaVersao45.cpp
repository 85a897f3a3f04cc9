// The framing of every record of the monthly return, layouts 04 and 05: the prefix, the agreement
// of annex records with their header, the sequence counter and the dispatch by record type.
#include "layouts/monthly/ValidaVersao45.h"

#include <array>
#include <cstdint>

#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "layouts/monthly/AnexosCfop.h"
#include "layouts/monthly/AnexosRegistros.h"
#include "layouts/monthly/AnexosX07aX12.h"
#include "layouts/monthly/CabecalhoMensal.h"
#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"

namespace rolval {

namespace P = campo_prefixo;

namespace {

// The record types of the monthly return: the header, then the 17 annex types in the order of
// the Anexo enum.
constexpr std::string_view TipoCabecalho = "ABC ";
constexpr std::array<std::string_view, QtdTiposAnexo> TiposAnexo = {
    "X01 ", "X02 ", "X03 ", "X03A", "X04 ", "X05 ", "X05A", "X05B", "X06 ",
    "X07 ", "X07A", "X07B", "X08 ", "X09 ", "X10 ", "X11 ", "X12 "};

// A record type of four characters as one number, so that types compare without text calls.
constexpr std::uint32_t CodigoTipo(std::string_view tipo) {
  std::uint32_t v = 0;
  for (const char c : tipo) v = (v << 8) | static_cast<unsigned char>(c);
  return v;
}

constexpr std::array<std::uint32_t, QtdTiposAnexo> CodigosAnexo = [] {
  std::array<std::uint32_t, QtdTiposAnexo> codigos{};
  for (std::size_t i = 0; i < QtdTiposAnexo; ++i) codigos[i] = CodigoTipo(TiposAnexo[i]);
  return codigos;
}();

// The annex type of a record type, or QtdTiposAnexo when it is none (exact, case-sensitive).
std::size_t IndiceAnexo(const Fixo<4>& tipo) {
  const std::uint32_t codigo = CodigoTipo(tipo.vista());
  for (std::size_t i = 0; i < QtdTiposAnexo; ++i)
    if (CodigosAnexo[i] == codigo) return i;
  return QtdTiposAnexo;
}

// The prefix of the record, columns 1-43.
void LePrefixo(PrefixoRegistro& reg, std::string_view linha) {
  reg.LeIdentificacaoMensal(linha);
  reg.Sequencia = Campo(linha, P::Sequencia);
  reg.TipoRegistro = Campo(linha, P::Tipo);
}

// An annex record carries its header's identification; the first field that differs is
// reported, and only that one.
void ConfereIdentificacaoDoAnexo(Execucao& ex) {
  const PrefixoRegistro& reg = ex.RegistroAtual;
  const PrefixoRegistro& cab = ex.CabecalhoROL;
  constexpr CodigoM codigo = CodigoM::AnexoComCabecalhoInvalido;
  if (reg.Marca != cab.Marca)
    GravaErroNoCampo(ex, codigo, P::Marca);
  else if (reg.Versao != cab.Versao)
    GravaErroNoCampo(ex, codigo, P::Versao);
  else if (reg.DiaInicio != cab.DiaInicio)
    GravaErroNoCampo(ex, codigo, P::DiaInicio);
  else if (reg.DiaFim != cab.DiaFim)
    GravaErroNoCampo(ex, codigo, P::DiaFim);
  else if (reg.MesAnoRef != cab.MesAnoRef)
    GravaErroNoCampo(ex, codigo, P::Referencia);
  else if (reg.Inscricao != cab.Inscricao)
    GravaErroNoCampo(ex, codigo, P::Inscricao);
}

}  // namespace

void ValidaVersao45(Execucao& ex, std::string_view linha) {
  EstadoMensal& m = Mensal(ex);
  PrefixoRegistro& reg = ex.RegistroAtual;
  LePrefixo(reg, linha);

  const bool cabecalho = reg.TipoRegistro == TipoCabecalho;
  const std::size_t indice = cabecalho ? QtdTiposAnexo : IndiceAnexo(reg.TipoRegistro);
  // A record of unknown type still has the prefix every record carries.
  ex.TabelaAtual = cabecalho                ? &TabelaCabecalhoMensal()
                   : indice < QtdTiposAnexo ? &TabelasAnexosMensais()[indice]
                                            : &TabelaPrefixoMensal();
  if (cabecalho) {
    // A header closes the return that is open: its annex line counts first.
    if (m.ContadorSequencia > 0) ConfereLinhasAnexos(ex);
    m.ContadorSequencia = 1;
  } else {
    ConfereIdentificacaoDoAnexo(ex);
  }

  if (const std::optional<std::int64_t> sequencia =
          LeInteiro(ex, linha, P::Sequencia.coluna, P::Sequencia.tamanho))
    if (*sequencia != m.ContadorSequencia)
      GravaErroNoCampo(ex, CodigoM::SequenciaIncorreta, P::Sequencia);

  if (!cabecalho && indice == QtdTiposAnexo)
    GravaErroNoCampo(ex, CodigoM::IdentificacaoRegistroInvalida, P::Tipo);
  ++m.ContadorSequencia;

  if (cabecalho) {
    ValidaCabecalhoMensal(ex, linha);
    return;
  }
  if (indice == QtdTiposAnexo) return;  // an unknown type is not validated further
  const auto tipo = static_cast<Anexo>(indice);
  switch (tipo) {
    case Anexo::X01:
    case Anexo::X05:
    case Anexo::X05A:
    case Anexo::X05B:
      ValidaAnexoCfop(ex, linha, tipo);
      break;
    case Anexo::X02:
    case Anexo::X06:
    case Anexo::X03:
    case Anexo::X03A:
    case Anexo::X04:
      ValidaAnexoX02aX06(ex, linha, tipo);
      break;
    default:
      ValidaAnexoX07aX12(ex, linha);
      break;
  }
}

void PreparaMensal(Execucao& ex) { ex.TabelaCabecalho = &TabelaCabecalhoMensal(); }

// A file is recognised by its first six columns: the mark and the version read together.
bool ReconheceROL04(std::string_view primeiraLinha) {
  return Campo(primeiraLinha, 1, 6) == "****04";
}
bool ReconheceROL05(std::string_view primeiraLinha) {
  return Campo(primeiraLinha, 1, 6) == "****05";
}

bool ConfereCabecalhoInicial(Execucao& ex, std::string_view linha) {
  if (ex.CabecalhoLido) return true;
  ex.RegistroAtual.Versao = Campo(linha, P::Versao);
  ex.RegistroAtual.Sequencia = Campo(linha, P::Sequencia);
  ex.RegistroAtual.TipoRegistro = Campo(linha, P::Tipo);
  const CodigoM codigo =
      ex.controle.Documento == DocROL04 ? CodigoM::ArquivoNaoROL04 : CodigoM::ArquivoNaoROL05;
  if (ex.RegistroAtual.TipoRegistro != "ABC ") {
    ex.GravaErroDoArquivo(codigo, P::Tipo.coluna, P::Tipo.Ultima());
    return false;
  }
  ex.VersaoArquivo = ex.RegistroAtual.Versao;
  ex.CabecalhoLido = true;
  if (ex.RegistroAtual.Sequencia != "0001") {
    ex.GravaErroDoArquivo(codigo, P::Sequencia.coluna, P::Sequencia.Ultima());
    return false;
  }
  return true;
}

}  // namespace rolval
