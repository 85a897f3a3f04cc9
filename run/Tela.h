#pragma once
// The windows as the run driver and the layout validators see them: the progress window, the
// output window and message boxes. The desktop program, the command line and the tests implement
// it.
#include <string_view>

namespace rolval {

enum class IconeMensagem { Nenhum, Informacao };

class Tela {
 public:
  virtual ~Tela() = default;
  virtual void MostraProgresso() = 0;    // load and show the progress window (not modal)
  virtual void AtualizaProgresso() = 0;  // repaint it now
  virtual void DefineValorProgresso(float valor) = 0;                 // 0 to 100
  virtual void DefineVer(std::string_view legendaUtf8) = 0;           // the layout caption
  virtual void DefineContrib(std::string_view contribuinteUtf8) = 0;  // the taxpayer being read
  virtual void EscondeProgresso() = 0;  // hide and unload the progress window
  virtual void MostraSaida() = 0;       // load and show the output window
  virtual void MostraMensagem(std::string_view textoUtf8, std::string_view tituloUtf8,
                              IconeMensagem icone) = 0;
};

// A window set that shows nothing, for runs without a user.
class TelaMuda : public Tela {
 public:
  void MostraProgresso() override {}
  void AtualizaProgresso() override {}
  void DefineValorProgresso(float) override {}
  void DefineVer(std::string_view) override {}
  void DefineContrib(std::string_view) override {}
  void EscondeProgresso() override {}
  void MostraSaida() override {}
  void MostraMensagem(std::string_view, std::string_view, IconeMensagem) override {}
};

}  // namespace rolval
