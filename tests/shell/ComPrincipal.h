#pragma once
// A fixture of the window tests: a main window over the test's own folder, its dialogs answered
// without a user, and the windows it leaves deleted at the end.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "shell/Principal.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {

class ComPrincipal : public ::testing::Test {
 protected:
  void SetUp() override {
    principal = std::make_unique<Principal>(pasta.caminho(), dialogos);
    principal->show();
  }
  void TearDown() override {
    principal.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  PastaTemporaria pasta;
  DialogosGravados dialogos;
  std::unique_ptr<Principal> principal;
};

}  // namespace rolval::teste
