#include "layouts/Corretor.h"

#include <utility>

#include "layouts/Layouts.h"
#include "layouts/substitution/ValidaST2.h"

namespace rolval {

namespace {

constexpr std::string_view BomUtf8 = "\xEF\xBB\xBF";
// No record of any layout is this long: a longer line is refused before it is held whole.
constexpr std::size_t LimiteLinha = 1024;
// The corrected bytes are handed over in pieces of about this size.
constexpr std::size_t TamanhoBloco = 64 * 1024;

// 1193 as "1.193".
std::string ComMilhares(std::int64_t n) {
  // Built front to back by appends (an insert into the string itself is taken by GCC 12's Release
  // build for an overlapping copy).
  const std::string digitos = std::to_string(n);
  std::string s;
  for (std::size_t i = 0; i < digitos.size(); ++i) {
    if (i > 0 && digitos[i - 1] != '-' && (digitos.size() - i) % 3 == 0) s.push_back('.');
    s.push_back(digitos[i]);
  }
  return s;
}

// "1 fim de linha" or "2 fins de linha": the count and the singular or plural words.
std::string Conta(std::int64_t n, std::string_view singular, std::string_view plural) {
  return ComMilhares(n) + " " + std::string(n == 1 ? singular : plural);
}

}  // namespace

std::string DescreveCorrecao(const ContagemCorrecao& c) {
  std::string texto;
  auto junta = [&texto](const std::string& parte) {
    if (!texto.empty()) texto += "; ";
    texto += parte;
  };
  if (c.bom) junta("marca BOM (EF BB BF) retirada do início");
  if (c.fimLF > 0)
    junta(Conta(c.fimLF, "fim de linha LF trocado", "fins de linha LF trocados") + " por CR LF");
  if (c.fimCR > 0)
    junta(Conta(c.fimCR, "fim de linha CR trocado", "fins de linha CR trocados") + " por CR LF");
  if (c.acentos > 0)
    junta(Conta(c.acentos, "caractere acentuado passado", "caracteres acentuados passados") +
          " de UTF-8 para Latin-1");
  if (c.registrosCompletados > 0)
    junta(Conta(c.registrosCompletados, "registro completado", "registros completados") + " com " +
          Conta(c.brancos, "branco", "brancos") + " no fim");
  if (c.fimAcrescentado) junta("quebra de linha CR LF acrescentada ao fim do último registro");
  if (c.linhasVazias > 0)
    junta(Conta(c.linhasVazias, "linha vazia retirada", "linhas vazias retiradas") + " do fim");
  return texto;
}

std::string_view Corretor::NomeDoFim(Fim fim) {
  switch (fim) {
    case Fim::CRLF:
      return "CR LF";
    case Fim::LF:
      return "LF";
    case Fim::CR:
      return "CR";
    case Fim::Nenhum:
      break;
  }
  return "nenhum";
}

Corretor::Corretor(std::function<void(std::string_view)> saida) : saida_(std::move(saida)) {}

bool Corretor::Acrescenta(std::string_view bytes) {
  for (const char c : bytes) {
    if (!recusa_.empty()) return false;
    const auto b = static_cast<unsigned char>(c);
    if (inicioVisto_) {
      Byte(b);
      continue;
    }
    // The first bytes wait until they are known to be a byte-order mark or not.
    inicio_.push_back(c);
    if (BomUtf8.starts_with(inicio_)) {
      if (inicio_.size() < BomUtf8.size()) continue;
      contagem_.bom = true;
      inicioVisto_ = true;
      inicio_.clear();
      continue;
    }
    inicioVisto_ = true;
    for (const char p : std::exchange(inicio_, {})) Byte(static_cast<unsigned char>(p));
  }
  return recusa_.empty();
}

bool Corretor::Termina() {
  if (!inicioVisto_) {
    inicioVisto_ = true;
    for (const char p : std::exchange(inicio_, {})) Byte(static_cast<unsigned char>(p));
  }
  if (recusa_.empty() && crPendente_) {
    crPendente_ = false;
    FimDeLinha(Fim::CR);
  }
  if (recusa_.empty() && faltam_ > 0) FechaSequencia();
  if (recusa_.empty() && !linha_.empty()) FechaLinha(Fim::Nenhum);
  if (!recusa_.empty()) return false;
  contagem_.linhasVazias = vaziasPendentes_;
  if (numLinha_ == vaziasPendentes_)
    Recusa("o arquivo não tem nenhum registro");
  else if (!contagem_.Alguma())
    Recusa("nada a corrigir: o arquivo não tem nenhum dos defeitos que a cópia corrigida conserta");
  if (!recusa_.empty()) return false;
  if (!bloco_.empty()) saida_(bloco_);
  bloco_.clear();
  return true;
}

void Corretor::Byte(unsigned char b) {
  if (crPendente_) {
    crPendente_ = false;
    if (b == '\n') {
      FimDeLinha(Fim::CRLF);
      return;
    }
    FimDeLinha(Fim::CR);
    if (!recusa_.empty()) return;
  }
  if (b == '\r' || b == '\n') {
    if (faltam_ > 0) FechaSequencia();
    if (!recusa_.empty()) return;
    if (b == '\r')
      crPendente_ = true;
    else
      FimDeLinha(Fim::LF);
    return;
  }
  Conteudo(b);
}

void Corretor::Conteudo(unsigned char b) {
  if (faltam_ > 0) {
    if ((b & 0xC0) != 0x80) {
      FechaSequencia();
      if (recusa_.empty()) Conteudo(b);
      return;
    }
    sequencia_.push_back(static_cast<char>(b));
    if (--faltam_ > 0) return;
    // A whole UTF-8 sequence: the text is UTF-8, and only U+0080 to U+00FF have a Latin-1 byte.
    codificacao_ = Codificacao::Utf8;
    const auto lider = static_cast<unsigned char>(sequencia_[0]);
    if (sequencia_.size() != 2 || lider > 0xC3) {
      Recusa("a linha " + ComMilhares(numLinha_ + 1) +
             " tem um caractere que não existe em Latin-1 (ISO-8859-1), a codificação dos "
             "arquivos do ROL");
      return;
    }
    b = static_cast<unsigned char>(((lider & 0x1F) << 6) |
                                   (static_cast<unsigned char>(sequencia_[1]) & 0x3F));
    sequencia_.clear();
    ++contagem_.acentos;
  } else if (b >= 0x80 && codificacao_ != Codificacao::Latin1) {
    const std::size_t seguintes = b >= 0xC2 && b <= 0xDF   ? 1
                                  : b >= 0xE0 && b <= 0xEF ? 2
                                  : b >= 0xF0 && b <= 0xF4 ? 3
                                                           : 0;
    if (seguintes > 0) {
      sequencia_.assign(1, static_cast<char>(b));
      faltam_ = seguintes;
      return;
    }
    sequencia_.assign(1, static_cast<char>(b));
    FechaSequencia();
    return;
  }
  if (linha_.size() == LimiteLinha) {
    Recusa("a linha " + ComMilhares(numLinha_ + 1) +
           " é mais longa que qualquer registro de qualquer layout");
    return;
  }
  linha_.push_back(static_cast<char>(b));
}

void Corretor::FechaSequencia() {
  faltam_ = 0;
  if (codificacao_ == Codificacao::Utf8) {
    Recusa("a linha " + ComMilhares(numLinha_ + 1) +
           " tem bytes que não formam UTF-8, num arquivo com outros acentos em UTF-8: não há "
           "como saber qual é cada letra");
    return;
  }
  // The first byte above 0x7F of the file is no UTF-8: the file is Latin-1 and stays as it is.
  codificacao_ = Codificacao::Latin1;
  for (const char c : std::exchange(sequencia_, {})) Conteudo(static_cast<unsigned char>(c));
}

void Corretor::FimDeLinha(Fim fim) {
  if (fimDoArquivo_ == Fim::Nenhum) {
    fimDoArquivo_ = fim;
  } else if (fim != fimDoArquivo_) {
    Recusa("as linhas terminam de modos diferentes (" + std::string(NomeDoFim(fimDoArquivo_)) +
           " na primeira, " + std::string(NomeDoFim(fim)) + " na linha " +
           ComMilhares(numLinha_ + 1) + "): não há como saber onde termina cada registro");
    return;
  }
  FechaLinha(fim);
}

void Corretor::FechaLinha(Fim fim) {
  ++numLinha_;
  if (linha_.empty()) {
    ++vaziasPendentes_;
    return;
  }
  if (vaziasPendentes_ > 0) {
    Recusa("a linha " + ComMilhares(numLinha_ - vaziasPendentes_) +
           " está vazia, no meio do arquivo: não há como saber o que faltou nela");
    return;
  }
  if (layout_ == nullptr) {
    layout_ = ReconheceLayout(TabelaPadrao(), linha_);
    if (layout_ == nullptr) {
      Recusa(
          "o primeiro registro não começa como o de nenhum layout do ROL: não há como saber o "
          "tamanho dos registros");
      return;
    }
  }
  const auto esperado = static_cast<std::size_t>(
      layout_->documento == DocROLST02 ? ComprimentoRegistroST2(linha_) : layout_->comprimento);
  if (esperado > 0 && linha_.size() > esperado) {
    Recusa("a linha " + ComMilhares(numLinha_) + " tem " + ComMilhares(std::ssize(linha_)) +
           " caracteres, mais que os " + ComMilhares(static_cast<std::int64_t>(esperado)) +
           " do seu registro: não há como saber o que sobra nela");
    return;
  }
  if (linha_.size() < esperado && numLinha_ == 1) {
    // A first record of exactly another layout's length is no record cut short.
    for (const LayoutArquivo& outro : TabelaPadrao().layouts) {
      if (!outro.verificaTamanho || static_cast<std::size_t>(outro.comprimento) != linha_.size())
        continue;
      Recusa("o primeiro registro tem " + ComMilhares(std::ssize(linha_)) +
             " caracteres, o tamanho dos registros de outro layout: o arquivo parece ter sido "
             "gerado para outro layout, e preenchê-lo seria um palpite");
      return;
    }
  }
  if (linha_.size() < esperado) {
    contagem_.brancos += static_cast<std::int64_t>(esperado - linha_.size());
    ++contagem_.registrosCompletados;
    linha_.resize(esperado, ' ');
  }
  Emite(linha_);
  Emite("\r\n");
  linha_.clear();
  if (fim == Fim::LF)
    ++contagem_.fimLF;
  else if (fim == Fim::CR)
    ++contagem_.fimCR;
  else if (fim == Fim::Nenhum)
    contagem_.fimAcrescentado = true;
}

void Corretor::Recusa(std::string motivo) {
  if (recusa_.empty()) recusa_ = std::move(motivo);
  bloco_.clear();
}

void Corretor::Emite(std::string_view bytes) {
  bloco_.append(bytes);
  if (bloco_.size() < TamanhoBloco) return;
  saida_(bloco_);
  bloco_.clear();
}

}  // namespace rolval
