#pragma once
// A numeric field that a record requires, with its finding: when the field is not a number,
// CampoNaoNumerico ("Campo numérico é esperado") of the monthly catalogue at the field's columns.
// Every layout reports a non-numeric field this way; a field that fails adds nothing to any sum.
// Also the fields both tax-substitution layouts require, reported with the field's number.
#include <cstdint>
#include <optional>
#include <string_view>

#include "checks/Cadastros.h"
#include "checks/Numeros.h"
#include "run/CaminhosRapidos.h"
#include "run/Execucao.h"

namespace rolval {

// Code 7 at the columns of a field that is not numeric; out of line, so that the reading of a
// field, inlined where its column and length are constants, stays short.
ROLVAL_RARO inline void CampoNaoNumerico(Execucao& execucao, int coluna, int tamanho) {
  execucao.GravaErro(CodigoM::CampoNaoNumerico, coluna, coluna + tamanho - 1);
}

// What a wrong check digit's finding compares: the digit a registration of digits ends with and
// the one it should end with.
inline ValoresAchado DigitoDeclaradoECalculado(std::string_view numero) {
  return {numero.back() - '0', CalculaDigito(numero) - '0'};
}
// The same for the two check digits of a CPF or CNPJ of digits, each pair as one number.
inline ValoresAchado DigitosFederaisDeclaradosECalculados(std::string_view numero) {
  return {(numero[numero.size() - 2] - '0') * 10 + (numero.back() - '0'),
          DigitosEsperadosCPFCNPJ(numero)};
}

// True when the field at 1-based `coluna`, `tamanho` characters long, is numeric; otherwise
// CampoNaoNumerico at its columns and false.
inline bool ExigeNumerico(Execucao& execucao, std::string_view linha, int coluna, int tamanho) {
  if (ValidaNumerico(linha, coluna, tamanho)) return true;
  CampoNaoNumerico(execucao, coluna, tamanho);
  return false;
}

// The same for field `campo` (of a repeated field, its first occurrence).
inline bool ExigeNumerico(Execucao& execucao, std::string_view linha, const CampoRegistro& campo) {
  return ExigeNumerico(execucao, linha, campo.coluna, campo.tamanho);
}

// A finding of the substitution catalogue at field `campo`, named by the field's number.
inline void GravaErroNoCampoST(Execucao& execucao, CodigoST codigo, const CampoRegistro& campo,
                               const ValoresAchado& valores = {}) {
  execucao.GravaErroST(codigo, campo.numero, campo.coluna, campo.Ultima(), valores);
}

// A text field a tax-substitution return requires: blanks only are CampoNaoInformado.
inline void ExigeTextoST(Execucao& execucao, std::string_view linha, const CampoRegistro& campo) {
  if (Apara(Campo(linha, campo)).empty())
    GravaErroNoCampoST(execucao, CodigoST::CampoNaoInformado, campo);
}

// A federal number a tax-substitution return requires at `campo` (a CNPJ of 14 digits, a CPF of
// 11): when numeric, zero is CampoNaoInformado and wrong check digits DigitoDoCampoIncorreto, both
// of the substitution catalogue with the field's number. Inlined, so that the numeric test sees
// the field's constant column and length.
ROLVAL_EM_LINHA inline void ConfereNumeroFederalST(Execucao& execucao, std::string_view linha,
                                                   const CampoRegistro& campo) {
  if (!ExigeNumerico(execucao, linha, campo)) return;
  const std::string_view numero = Campo(linha, campo);
  if (ValorNumerico(numero) == 0)
    GravaErroNoCampoST(execucao, CodigoST::CampoNaoInformado, campo);
  else if (!ValidaCPFCNPJ(numero))
    GravaErroNoCampoST(execucao, CodigoST::DigitoDoCampoIncorreto, campo,
                       DigitosFederaisDeclaradosECalculados(numero));
}

// The value of a field of 1 to 18 characters when it is numeric, tested and read in one pass;
// otherwise CampoNaoNumerico at its columns and no value. Inlined: every amount of every record is
// read here, mostly at constant columns and lengths.
ROLVAL_EM_LINHA inline std::optional<std::int64_t> LeInteiro(Execucao& execucao,
                                                             std::string_view linha, int coluna,
                                                             int tamanho) {
  const std::string_view campo = Campo(linha, coluna, tamanho);
  std::uint64_t valor = 0;
  if (tamanho > 0 && tamanho <= 18 && static_cast<int>(campo.size()) == tamanho &&
      digitos::LeDigitos(campo, valor))
    return static_cast<std::int64_t>(valor);
  CampoNaoNumerico(execucao, coluna, tamanho);
  return std::nullopt;
}

// The value of the field when it is numeric; otherwise CampoNaoNumerico at its columns and no
// value.
ROLVAL_EM_LINHA inline std::optional<double> LeNumerico(Execucao& execucao, std::string_view linha,
                                                        int coluna, int tamanho) {
  if (tamanho <= 18) {
    const std::optional<std::int64_t> valor = LeInteiro(execucao, linha, coluna, tamanho);
    if (!valor) return std::nullopt;
    return static_cast<double>(*valor);
  }
  if (!ExigeNumerico(execucao, linha, coluna, tamanho)) return std::nullopt;
  return ValorNumerico(Campo(linha, coluna, tamanho));
}

}  // namespace rolval
