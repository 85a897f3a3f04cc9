#pragma once
// The JSON Lines form of findings and of per-file summaries (UTF-8, one object a line). A file
// name that is not UTF-8 comes with "file_bytes" after "file": its bytes in base64.
#include <string>

#include "cli/Lote.h"
#include "run/Execucao.h"

namespace rolval {

// {"type":"finding","file":...,"line":...,"first_column":...,"last_column":...,"catalogue":"M"|"ST",
//  "code":...,"registration":...,"period":...,"message":...,"warning":...}
std::string JsonDoAchado(const std::string& arquivo, const Achado& achado, bool aviso);

// {"type":"summary","file":...,"document":...,"status":"OK"|"NOK"|"NO_REPORT","returns":...,
//  "findings":...,"warnings":...,"messages":[...]}
std::string JsonDoResumo(const ResultadoArquivo& resultado);

}  // namespace rolval
