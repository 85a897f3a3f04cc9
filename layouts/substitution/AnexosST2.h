#pragma once
// The annex records of layout ST 02: "A1" (annex I) and "A2" (annex II), 50 characters, whose
// amounts add up to the header's fields 14 and 15; "A3" (annex III), 46 characters, counted only.
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

enum class AnexoST2 { I = 1, II = 2 };

// One A1 or A2 record: counted, compared with the previous record of its annex, its fields
// checked against the return's header, its amount summed.
void ValidaAnexoIouII(Execucao& execucao, std::string_view linha, AnexoST2 anexo);

// One A3 record: counted, compared with the previous A3, its registration and amounts checked.
void ValidaAnexoIII(Execucao& execucao, std::string_view linha);

}  // namespace rolval
