// The session window itself over the stand-in control.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "fakes/fake_message_boxes_win.h"
#include "session/principal_win.h"
#include "stub_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"

namespace orvanta {
namespace {

bool contem(const std::vector<std::string>& linhas, const std::string& linha) {
  return std::find(linhas.begin(), linhas.end(), linha) != linhas.end();
}

struct PrincipalTest : ::testing::Test {
  rdp::teste::DiarioStub diario;
  OleSession ole;
  fakes::FakeMessageBoxes boxes;
  Application app{boxes};
  std::unique_ptr<TFrmPrincipal> janela;
  rdp::teste::Ouvinte servidor;

  void SetUp() override {
    janela = app.createForm<TFrmPrincipal>();
    FrmPrincipal = janela.get();
    janela->controle().setUserName("alice");
    janela->controle().setServer("127.0.0.1");
    janela->controle().setRdpPort(servidor.porta());
  }
  void TearDown() override {
    FrmPrincipal = nullptr;
    janela.reset();
  }
};

TEST_F(PrincipalTest, ToolbarLabelAndHiddenPartsAsDesigned) {
  struct Botao {
    Button* botao;
    const char* texto;
    Bounds limites;
    bool habilitado;
  };
  const Botao botoes[] = {
      {&janela->SpeedButton1, "Tela Cheia", {3, 0, 86, 22}, true},
      {&janela->SpeedButton3, "Reconectar", {99, 0, 86, 22}, false},
      {&janela->SpeedButton4, "Teclado Virtual", {195, 0, 86, 22}, true},
      {&janela->SpeedButton5, "Ajuda para transferir arquivos", {303, 0, 154, 22}, true},
      {&janela->SpeedButton6, "Ajuda para imprimir", {463, 0, 154, 22}, true},
      {&janela->SpeedButton2, "Suporte", {623, 0, 86, 22}, true},
  };
  for (const Botao& b : botoes) {
    EXPECT_EQ(b.botao->text(), b.texto);
    const Bounds l = b.botao->bounds();
    EXPECT_EQ(std::tie(l.left, l.top, l.width, l.height),
              std::tie(b.limites.left, b.limites.top, b.limites.width, b.limites.height))
        << b.texto;
    EXPECT_EQ(b.botao->enabled(), b.habilitado) << b.texto;
  }
  EXPECT_EQ(janela->Label1.text(), "2.0");
  EXPECT_FALSE(janela->TouchKeyboard1.visible());
  EXPECT_FALSE(janela->Memo1.visible());
  EXPECT_FALSE(janela->Edit1.visible());
  EXPECT_FALSE(janela->ChecaImpressao.enabled());
  EXPECT_EQ(janela->ChecaImpressao.intervalMs(), 5000);
}

TEST_F(PrincipalTest, ShowingStartsTheSessionAndEventsDriveReconectar) {
  janela->show();
  EXPECT_TRUE(IsZoomed(janela->hwnd()));
  EXPECT_TRUE(janela->ChecaImpressao.enabled());
  HWND controle = janela->MsRdpClient71->janelaControle();
  ASSERT_NE(controle, nullptr);
  RECT area;
  GetWindowRect(controle, &area);
  MapWindowPoints(nullptr, janela->hwnd(), reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.top, 25);
  EXPECT_EQ(area.bottom, janela->clientSize().cy - 13);
  EXPECT_EQ(area.right - area.left, janela->clientSize().cx);
  ASSERT_TRUE(rdp::teste::bombeia([&] { return janela->controle().connected() == 1; }));
  EXPECT_TRUE(contem(diario.linhas(), "advslot 123 put RedirectPrinters 0"));
  EXPECT_FALSE(janela->SpeedButton3.enabled());

  servidor.aceita();
  servidor.fechaPar();
  ASSERT_TRUE(rdp::teste::bombeia([&] { return janela->SpeedButton3.enabled(); }));
  janela->SpeedButton3.click();
  EXPECT_FALSE(janela->SpeedButton3.enabled());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PrincipalTest, AFailingStartStepShowsTheErrorAndConnectsNothing) {
  diario.recusa(L"RedirectPrinters");
  janela->show();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"The stand-in refused RedirectPrinters.");
  EXPECT_FALSE(contem(diario.linhas(), "slot 33 Connect"));
  EXPECT_FALSE(janela->SpeedButton3.enabled());
  EXPECT_FALSE(janela->ChecaImpressao.enabled());
  EXPECT_TRUE(IsWindowVisible(janela->hwnd()));
}

TEST_F(PrincipalTest, ClosingDisconnectsAConnectedSessionAndTerminates) {
  janela->show();
  ASSERT_TRUE(rdp::teste::bombeia([&] { return janela->controle().connected() == 1; }));
  diario.esquece();
  janela->close();
  EXPECT_TRUE(contem(diario.linhas(), "slot 34 Disconnect"));
  app.processMessages();
  EXPECT_TRUE(app.terminated());
}

}  // namespace
}  // namespace orvanta
