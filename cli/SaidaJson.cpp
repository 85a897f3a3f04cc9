#include "cli/SaidaJson.h"

#include <nlohmann/json.hpp>

#include "run/Latin1.h"

namespace rolval {

namespace {

// File names are bytes; anything that is not valid UTF-8 is taken as Latin-1.
std::string NomeEmUtf8(const std::string& nome) {
  try {
    (void)nlohmann::json(nome).dump();
    return nome;
  } catch (const nlohmann::json::exception&) {
    return ParaUtf8(nome);
  }
}

}  // namespace

std::string JsonDoAchado(const std::string& arquivo, const Achado& achado, bool aviso) {
  nlohmann::ordered_json j;
  j["type"] = "finding";
  j["file"] = NomeEmUtf8(arquivo);
  j["line"] = achado.linha;
  j["first_column"] = achado.inicio;
  j["last_column"] = achado.fim;
  j["catalogue"] = achado.catalogo == 'M' ? "M" : "ST";
  j["code"] = achado.codigo;
  j["registration"] = ParaUtf8(achado.inscricao);
  j["period"] = ParaUtf8(achado.periodo);
  j["message"] = ParaUtf8(achado.mensagem);
  j["warning"] = aviso;
  return j.dump();
}

std::string JsonDoResumo(const ResultadoArquivo& r) {
  nlohmann::ordered_json j;
  j["type"] = "summary";
  j["file"] = NomeEmUtf8(r.arquivo);
  j["document"] = r.documento;
  j["status"] = r.Ok() ? "OK" : r.TemRelatorio() ? "NOK" : "NO_REPORT";
  j["returns"] = r.retornos;
  j["findings"] = r.achados;
  j["warnings"] = r.avisos;
  j["messages"] = r.mensagens;
  return j.dump();
}

}  // namespace rolval
