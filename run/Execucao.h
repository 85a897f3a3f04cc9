#pragma once
// One validation run: the control record, the line state, the flags and counters, the two
// identification records, the saved line numbers, every layout's state and the open work files.
// Two runs are two objects; nothing is shared between them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "layouts/monthly/EstadoMensal.h"
#include "layouts/older/EstadoAntigos.h"
#include "layouts/substitution/EstadoST2.h"
#include "run/Arquivos.h"
#include "run/Campo.h"
#include "run/Tela.h"

namespace rolval {

// Document-type tags of the files this program recognises.
inline constexpr std::string_view DocROL03 = "ROL03       ";
inline constexpr std::string_view DocROL04 = "ROL04       ";
inline constexpr std::string_view DocROL05 = "ROL05       ";
inline constexpr std::string_view DocROLST01 = "ROLST01     ";
inline constexpr std::string_view DocROLST02 = "ROLST02     ";

struct Controle {
  Fixo<12> Documento;       // document-type tag, blanks when not recognised
  std::string NomeArquivo;  // path of the input file, trailing blanks removed
};

// Identification of a record (or of a return's header).
struct PrefixoRegistro {
  std::string Marca;
  Fixo<2> Versao;
  Fixo<8> Complemento;
  Fixo<1> Marcador;
  Fixo<2> DiaInicio;
  Fixo<2> DiaFim;
  Fixo<6> MesAnoRef;
  std::string Inscricao;
  Fixo<4> Sequencia;
  Fixo<4> TipoRegistro;

  void Limpa();  // empty texts, blanks, and Complemento the digit 0 and seven blanks

  // The identification of a monthly record (layouts 03, 04 and 05), columns 1-35: mark, version,
  // complement, marker, first and last day, period and registration.
  void LeIdentificacaoMensal(std::string_view linha);
};

// One finding as written to the findings log, in its printed pieces (Latin-1 bytes).
struct Achado {
  char catalogo;                // 'M' (monthly catalogue) or 'S' (tax-substitution catalogue)
  int codigo;
  std::string_view inscricao;   // the registration part, as printed, without surrounding blanks
  std::string_view periodo;     // as printed ("05/2005")
  std::int32_t linha;
  int inicio;
  int fim;
  std::string_view mensagem;
};

// Told of every finding as it is written (for machine-readable output); optional.
class OuvinteAchados {
 public:
  virtual ~OuvinteAchados() = default;
  virtual void Anota(const Achado& achado) = 0;
};

// Names of the work files and the report, inside the run's work folder.
inline constexpr const char* NomeParam = "param.txt";
inline constexpr const char* NomeSaida = "saida.txt";
inline constexpr const char* NomeAux1 = "aux00001.txt";
inline constexpr const char* NomeAux2 = "aux00002.txt";

class Execucao {
 public:
  Execucao(std::filesystem::path pastaTrabalho, Tela& tela);
  Execucao(const Execucao&) = delete;
  Execucao& operator=(const Execucao&) = delete;

  // Brings the run state back to its initial values (the control record is left alone).
  void LimpaVariaveis();

  // Findings: the monthly catalogue and the tax-substitution catalogue. Each writes one line to
  // aux00001.txt and sets HouveErro.
  void GravaErro(int codigo, int inicio, int fim);
  void GravaErroST(int codigo, int numero, int inicio, int fim);

  // Appends a 24-character entry to the list of returns, writing the list line to aux00002.txt
  // when it holds three entries.
  void AcrescentaListaROLs(std::string_view entrada);

  // Shows a taxpayer in the progress window and repaints it (the validators call it at each return).
  void MostraContribuinte(std::string_view inscricaoLatin1);

  // Writes saida.txt and param.txt from the work files and deletes them.
  void GeraSaida();

  void DefineOuvinte(OuvinteAchados* ouvinte) { ouvinte_ = ouvinte; }

  // The file layer every file of the run goes through (tests make its calls fail).
  void DefineSistemaArquivos(SistemaArquivos& sistema);
  SistemaArquivos& sistemaArquivos() { return *sistema_; }

  Tela& tela() { return tela_; }
  const std::filesystem::path& pastaTrabalho() const { return pasta_; }
  std::string CaminhoTrabalho(const char* nome) const { return (pasta_ / nome).string(); }

  // Run state, named as the system names it.
  Controle controle;
  std::string LinhaAtual;
  std::int32_t NumLinha = 0;
  bool HouveErro = false;
  bool CabecalhoLido = false;
  Fixo<2> VersaoArquivo;
  std::int32_t QtdROLs = 0;
  std::string ListaROLs;
  PrefixoRegistro RegistroAtual;
  PrefixoRegistro CabecalhoROL;

  // Saved line numbers for end-of-return findings, and the CFOP named by code 36.
  std::int32_t LinhaCabecalho = 0;
  std::int32_t LinhaX03A = 0;
  std::int32_t LinhaX05A = 0;
  std::int32_t LinhaX07A = 0;
  std::int32_t LinhaX05 = 0;
  std::int32_t LinhaX07 = 0;
  std::int32_t LinhaCabecalhoST = 0;
  std::int32_t CfopErro = 0;

  // Layout state.
  EstadoMensal mensal;
  EstadoST2 st2;
  EstadoAntigos antigos;

  // Work files: aux00001.txt (findings) and aux00002.txt (list of returns), and the input.
  ArquivoSaida aux1;
  ArquivoSaida aux2;
  LeitorLinhas entrada;

 private:
  void EscreveLinhaErro(char catalogo, int codigo, std::string_view inscricao, std::string_view periodo,
                        std::int32_t linha, int inicio, int fim, std::string_view mensagemUtf8,
                        bool cortaInscricao);
  std::filesystem::path pasta_;
  Tela& tela_;
  std::string linhaErro_;  // reused for every finding line
  std::string mensagem_;   // reused for the messages built with a number
  std::string contribUtf8_;  // reused for the taxpayer shown in the progress window
  OuvinteAchados* ouvinte_ = nullptr;
  SistemaArquivos* sistema_ = &SistemaArquivos::Padrao();
};

}  // namespace rolval
