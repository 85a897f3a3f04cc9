#pragma once
// One validation run: the control record, the line state, the flags and counters, the two
// identification records, the state its layout keeps (made by the layout, opaque to the run),
// the private work files and the report. Two runs are two objects; nothing is shared between
// them.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "run/ArquivoTrabalho.h"
#include "run/Arquivos.h"
#include "run/Campo.h"
#include "run/Publicacao.h"
#include "run/RegistroErros.h"
#include "run/Relatorio.h"
#include "run/Tela.h"

namespace rolval {

// Which registration, period and line a finding carries, and the field table of the record at
// that line (none for a finding of the file).
struct LocalAchado {
  std::string_view inscricao;
  std::string_view periodo;  // MMAAAA; a blank one prints as zeros
  std::int32_t linha = 0;
  const TabelaRegistro* tabela = nullptr;
};

// What a finding about a total, a sum, a count or a check digit compares: the value the file
// declares and the value computed from the file (none where the finding compares nothing).
struct ValoresAchado {
  std::optional<double> declarado;
  std::optional<double> calculado;
};

struct Controle {
  Fixo<12> Documento;       // document-type tag, blanks when not recognised
  std::string NomeArquivo;  // path of the input file
  FormaRelatorio Forma;     // how the report of the recognised layout is laid out
};

// The state a layout keeps from line to line, as the layout defines it (a type of its folder
// derived from this one).
struct EstadoLayout {
  EstadoLayout() = default;
  EstadoLayout(const EstadoLayout&) = delete;
  EstadoLayout& operator=(const EstadoLayout&) = delete;
  virtual ~EstadoLayout() = default;
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

// Names of the report and the status file in the folder where a run publishes them.
inline constexpr const char* NomeParam = "param.txt";
inline constexpr const char* NomeSaida = "saida.txt";

class Execucao {
 public:
  // `pastaRelatorio`: where saida.txt and param.txt are published at the end of the run (and where
  // large work files spill); empty: nowhere, the report stays in the run object.
  Execucao(std::filesystem::path pastaRelatorio, Tela& tela);
  Execucao(const Execucao&) = delete;
  Execucao& operator=(const Execucao&) = delete;

  // Brings the run state back to its initial values (the control record is left alone).
  void LimpaVariaveis();

  // Findings: the monthly catalogue and the tax-substitution catalogue. Each writes one line to
  // the findings work file and sets HouveErro. `numero` is the number the message is made with
  // (a field, an installment, an annex, a CFOP; 0 where none), `inicio` and `fim` the field's
  // columns (0 and 0 for no field).
  // `valores`: what a finding about a total, a count or a check digit compares.
  // At the record being read: its registration, its period and its line.
  void GravaErro(CodigoM codigo, int inicio, int fim, const ValoresAchado& valores = {});
  void GravaErroST(CodigoST codigo, int numero, int inicio, int fim,
                   const ValoresAchado& valores = {});
  // Elsewhere, as the caller says: a return as a whole at a line saved for it, say.
  void GravaErro(const LocalAchado& local, CodigoM codigo, int numero, int inicio, int fim,
                 const ValoresAchado& valores = {});
  void GravaErroST(const LocalAchado& local, CodigoST codigo, int numero, int inicio, int fim,
                   const ValoresAchado& valores = {});
  // A finding of the file as a whole: no registration, period zeros (the columns where it shows,
  // if any); the registration of the current record is emptied for the findings that follow.
  void GravaErroDoArquivo(CodigoM codigo, int inicio = 0, int fim = 0);
  // The places the layouts name: the record being read (with TabelaAtual), or the return being
  // closed (CabecalhoROL, with TabelaCabecalho), each at `linha`.
  LocalAchado NoRegistroAtual(std::int32_t linha) const;
  LocalAchado NoRetornoFechado(std::int32_t linha) const;

  // Appends a 24-character entry to the list of returns, writing the list line to its work file
  // when it holds three entries.
  void AcrescentaListaROLs(std::string_view entrada);

  // Shows a taxpayer in the progress window and repaints it (the validators call it at each
  // return).
  void MostraContribuinte(std::string_view inscricaoLatin1);

  // Writes the report and the status from the work files and publishes the report when the run
  // has a folder for it. The work files stay as they are until the report is dropped.
  void GeraSaida();

  // The report of the last run: saida.txt byte for byte (Latin-1, CR LF); empty when none.
  const ArquivoTrabalho& Relatorio() const { return relatorio_; }
  std::string_view StatusRelatorio() const { return status_; }  // "OK", "NOK", or "" when no report
  std::string TextoParam() const;  // param.txt byte for byte; empty when no report
  // Which saida.txt this run published, so that only that one is removed later.
  const IdentidadeArquivo& SaidaPublicada() const { return publicada_; }
  // Takes the report out of the run, for a caller that keeps it longer than the run object.
  ArquivoTrabalho TiraRelatorio() { return std::move(relatorio_); }
  // Drops the report of the last run and its work files (a new run starts, the window closed).
  void DescartaRelatorio() noexcept;

  void DefineOuvinte(OuvinteAchados* ouvinte) { ouvinte_ = ouvinte; }

  // The file layer every file of the run goes through (tests make its calls fail).
  void DefineSistemaArquivos(SistemaArquivos& sistema);
  SistemaArquivos& sistemaArquivos() { return *sistema_; }

  // Where work files go past `limite` bytes in memory (default: the report folder, or $TMPDIR).
  void DefineTransbordo(const std::filesystem::path& pasta, std::size_t limite);
  // Told while the report is half-published (a program ending on a signal waits for it).
  void DefineGuardaEscrita(GuardaEscrita* guarda) { guarda_ = guarda; }
  GuardaEscrita* guardaEscrita() const { return guarda_; }
  // Whether the published pair is synced to the disk before it is put in place (the default).
  void DefineSincronia(bool sincroniza) { sincroniza_ = sincroniza; }

  // What the system said of the failure that ended the last run ("" when none did, or the run
  // itself found it): the windows show the failure's class only.
  std::string CausaFalha;

  Tela& tela() { return tela_; }
  const std::filesystem::path& pastaRelatorio() const { return pasta_; }

  // Run state, named as the system names it.
  Controle controle;
  std::string LinhaAtual;
  std::int32_t NumLinha = 0;
  // The line being validated (a view valid until the next is read) and its byte offset in the
  // file: the findings on it carry the bytes of their columns and where the line starts.
  std::string_view LinhaLida;
  std::int64_t DeslocamentoLinha = 0;
  // The header line of the return open at the last line read (the monthly header, the A0 record,
  // or a whole-return line: a line read while the layout's current table is its header table)
  // and where it starts; 0 and -1 before the first. The findings carry it.
  std::int32_t LinhaCabecalho = 0;
  std::int64_t DeslocamentoCabecalho = -1;
  bool HouveErro = false;
  bool CabecalhoLido = false;
  Fixo<2> VersaoArquivo;
  std::int32_t QtdROLs = 0;
  std::string ListaROLs;
  PrefixoRegistro RegistroAtual;
  PrefixoRegistro CabecalhoROL;
  // The field tables of the record being read and of the header of the open return, as the layout
  // sets them once it knows the record's type (none: the findings name no record type or field).
  const TabelaRegistro* TabelaAtual = nullptr;
  const TabelaRegistro* TabelaCabecalho = nullptr;

  // The state of the file's layout: made from the layout's row when the driver recognises the
  // layout, dropped by LimpaVariaveis. Each layout reaches its own through a function of its
  // folder (Mensal(ex), ST2(ex), Antigos(ex)).
  EstadoLayout& Estado() const { return *estado_; }
  void DefineEstado(std::unique_ptr<EstadoLayout> estado) { estado_ = std::move(estado); }

  // Work files, private to the run: one line per finding, and the lines of the list of returns
  // (three entries each); and the input.
  ArquivoTrabalho arquivoAchados;
  ArquivoTrabalho arquivoLista;
  LeitorLinhas entrada;

 private:
  void GravaAchado(char catalogo, int codigo, int numero, const LocalAchado& local, int inicio,
                   int fim, const ValoresAchado& valores);
  // `mensagemUtf8` is a catalogue text or another text fixed for the program's life, or the
  // message buffer `mensagem_`.
  void EscreveLinhaErro(char catalogo, int codigo, std::string_view inscricao,
                        std::string_view periodo, std::int32_t linha, int inicio, int fim,
                        std::string_view mensagemUtf8, bool cortaInscricao,
                        const TabelaRegistro* tabela, const ValoresAchado& valores);
  std::filesystem::path pasta_;
  Tela& tela_;
  std::string linhaErro_;  // reused for every finding line
  std::string mensagem_;   // reused for the messages built with a number
  // The fixed text last written in a finding, and the same in Latin-1: a fault that repeats on
  // every record has its text converted once.
  std::string_view textoConvertido_;
  std::string textoLatin1_;
  std::string contribUtf8_;  // reused for the taxpayer shown in the progress window
  OuvinteAchados* ouvinte_ = nullptr;
  SistemaArquivos* sistema_ = &SistemaArquivos::Padrao();
  GuardaEscrita* guarda_ = nullptr;
  bool sincroniza_ = true;
  std::unique_ptr<EstadoLayout> estado_;
  ArquivoTrabalho relatorio_;
  std::string status_;
  IdentidadeArquivo publicada_;
};

}  // namespace rolval
