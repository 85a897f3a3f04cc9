#pragma once
// What the validator of the monthly return (layouts 04 and 05) keeps from record to record: the
// sequence counter, the current reference period, the declared and counted annex lines, the
// header amounts kept for the end-of-return checks, and the per-return totals and lists.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "run/Campo.h"
#include "run/CamposRegistro.h"
#include "run/Execucao.h"

namespace rolval {

// The 17 annex types, in the order of the header's declared line counts (columns 841-891).
enum class Anexo : std::size_t {
  X01,
  X02,
  X03,
  X03A,
  X04,
  X05,
  X05A,
  X05B,
  X06,
  X07,
  X07A,
  X07B,
  X08,
  X09,
  X10,
  X11,
  X12
};
inline constexpr std::size_t QtdTiposAnexo = 17;

// One CFOP of the X05 list, with the summed amounts of columns 88 and 101.
struct EntradaCfopX05 {
  std::int32_t cfop = 0;
  double valor1 = 0;
  double valor2 = 0;
};

// One CFOP of the X05A or X05B list, with its summed amount.
struct EntradaCfop {
  std::int32_t cfop = 0;
  double valor = 0;
};

// The header amounts kept for the end-of-return checks, named by their first column. Each is
// overwritten only when its field is numeric.
// The header's amounts the end-of-return checks compare, named as their fields in the header's
// table (campo_cabecalho).
struct ValoresCabecalho {
  double TotalX01 = 0, TotalX02 = 0, TotalX03 = 0, TotalX04 = 0, TotalCreditos = 0;
  double TotalX05 = 0, TotalX06 = 0, TotalDebitos = 0;
  double DeducaoProprioA = 0, DeducaoProprioB = 0, TotalX08 = 0, TotalX09 = 0;
  double SubstituicaoARecolher = 0, ProprioARecolher = 0, ProprioForaX10 = 0, ProprioPagoX10 = 0;
  double AcrescimoProprio = 0, CredorSubstituicao = 0, CredorProprio = 0;
  double Total1X11 = 0, Total2X11 = 0, Total1X12 = 0, Total2X12 = 0;
  Fixo<1> MarcaAnexo7;
};

// Totals and lists of one return: reset at every header.
struct RetornoMensal {
  double TotX01 = 0, TotX02 = 0, TotX03 = 0, TotX04 = 0, TotX05 = 0, TotX06 = 0;
  double X07Valor1 = 0, X07Valor2 = 0, X07Total1 = 0, X07Total2 = 0;
  double TotX07A = 0, TotX07B = 0;
  double TotX08a = 0, TotX08b = 0, TotX09a = 0, TotX09b = 0, TotX10a = 0, TotX10b = 0;
  double TotX11a = 0, TotX11b = 0, TotX12a = 0, TotX12b = 0;
  std::vector<std::int32_t> CodigosX03;
  std::vector<EntradaCfopX05> CfopX05;
  std::vector<EntradaCfop> CfopX05A;
  std::vector<EntradaCfop> CfopX05B;
  // Lookup aids beside the lists, so that a CFOP or a code is found without walking a list: where
  // each CFOP 1-999 stands in CfopX05, CfopX05A and CfopX05B (position + 1, 0 when absent; empty
  // until the list gets its first entry), and which codes 1-999 CodigosX03 holds.
  std::vector<std::int32_t> PosicaoCfopX05, PosicaoCfopX05A, PosicaoCfopX05B;
  std::bitset<1000> CodigoX03Presente;
};

struct EstadoMensal : EstadoLayout {
  std::int32_t ContadorSequencia = 0;  // sequence expected in the next record of the open return
  std::string ReferenciaAAAAMM;        // the current header's period, year first
  std::array<std::int32_t, QtdTiposAnexo> LinhasDeclaradas{};
  std::array<std::int32_t, QtdTiposAnexo> LinhasLidas{};
  ValoresCabecalho cabecalho;
  RetornoMensal retorno;
  std::string EntradaLista;  // the list-of-returns entry of the header being read (reused buffer)

  // Lines where the end-of-return findings are reported: the header of the return, and the last
  // record of the annex types whose findings name it.
  std::int32_t LinhaCabecalho = 0;
  std::int32_t LinhaX03A = 0;
  std::int32_t LinhaX05A = 0;
  std::int32_t LinhaX07A = 0;
  std::int32_t LinhaX05 = 0;
  std::int32_t LinhaX07 = 0;

  std::int32_t& Declaradas(Anexo a) { return LinhasDeclaradas[static_cast<std::size_t>(a)]; }
  std::int32_t& Lidas(Anexo a) { return LinhasLidas[static_cast<std::size_t>(a)]; }
};

// The state of the monthly validator in the run `ex`.
inline EstadoMensal& Mensal(const Execucao& ex) { return static_cast<EstadoMensal&>(ex.Estado()); }

// A finding at the columns of field `campo` of the current record; for a field of an annex's
// items, at those of its occurrence `i` (from 0).
inline void GravaErroNoCampo(Execucao& ex, CodigoM codigo, const CampoRegistro& campo, int i = 0,
                             const ValoresAchado& valores = {}) {
  ex.GravaErro(codigo, campo.ColunaDe(i), campo.UltimaDe(i), valores);
}

}  // namespace rolval
