#include "cli/SaidaJson.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "run/Latin1.h"

namespace rolval {

namespace {

// Bytes in base64 (RFC 4648, with padding).
std::string Base64(std::string_view bytes) {
  static constexpr char Alfabeto[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string s;
  s.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t resto = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t grupo = 0;
    for (std::size_t k = 0; k < 3; ++k)
      grupo = grupo << 8 | (k < resto ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k)
      s.push_back(k <= resto ? Alfabeto[(grupo >> (18 - 6 * k)) & 0x3F] : '=');
  }
  return s;
}

// A file name is bytes: "file" holds it as it is when it is UTF-8; otherwise "file" holds it read
// as Latin-1, for people, and "file_bytes" its very bytes in base64, so that no two names look
// alike to a program.
void PoeNome(nlohmann::ordered_json& j, const std::string& nome) {
  try {
    (void)nlohmann::json(nome).dump();
    j["file"] = nome;
  } catch (const nlohmann::json::exception&) {
    j["file"] = ParaUtf8(nome);
    j["file_bytes"] = Base64(nome);
  }
}

}  // namespace

std::string JsonDoAchado(const std::string& arquivo, const Achado& achado, bool aviso) {
  nlohmann::ordered_json j;
  j["type"] = "finding";
  PoeNome(j, arquivo);
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
  PoeNome(j, r.arquivo);
  j["document"] = r.documento;
  j["status"] = r.Ok() ? "OK" : r.TemRelatorio() ? "NOK" : "NO_REPORT";
  j["returns"] = r.retornos;
  j["findings"] = r.achados;
  j["warnings"] = r.avisos;
  j["messages"] = r.mensagens;
  return j.dump();
}

}  // namespace rolval
