#include "login/login_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes_login.h"
#include "login/mensagens_login.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RECT noCliente(HWND pai, HWND controle) {
  RECT r{};
  GetWindowRect(controle, &r);
  MapWindowPoints(HWND_DESKTOP, pai, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring texto(HWND h) {
  wchar_t buffer[256] = {};
  GetWindowTextW(h, buffer, 256);
  return buffer;
}

void processar() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct JanelaLogin : ::testing::Test {
  teste::HttpRoteiro* http = nullptr;
  teste::MensagensGravadas mensagens;
  teste::ControleGravado controle;
  int entregas = 0;
  int atualizacoes = 0;
  std::unique_ptr<TFrmLogin> form;
  Endpoints endpoints;

  void SetUp() override {
    auto cliente = std::make_unique<teste::HttpRoteiro>();
    http = cliente.get();
    http->respostas[endpoints.versao()] = "2.0";
    TFrmLogin::Ligacoes ligacoes;
    ligacoes.IdHTTP1 = std::move(cliente);
    ligacoes.mensagens = &mensagens;
    ligacoes.controle = [this]() -> ControleRemoto& { return controle; };
    ligacoes.passarSessao = [this] { ++entregas; };
    ligacoes.executarAtualizacao = [this] { ++atualizacoes; };
    form = std::make_unique<TFrmLogin>(std::move(ligacoes));
  }

  void digitar(HWND campo, const wchar_t* teclas) {
    for (const wchar_t* c = teclas; *c; ++c) {
      SendMessageW(campo, WM_CHAR, *c, 0);
    }
  }
  void sair(HWND de, HWND para) {
    SetFocus(de);
    SetFocus(para);
    processar();
  }
};

TEST_F(JanelaLogin, ControlsSitWhereTheyBelongWithTheirFonts) {
  HWND janela = form->handle();
  RECT cliente{};
  GetClientRect(janela, &cliente);
  EXPECT_EQ(cliente.right, 566);
  EXPECT_EQ(cliente.bottom, 401);
  EXPECT_EQ(texto(janela), L"Login Orvanta");
  struct Caso {
    HWND controle;
    RECT esperado;
    int fontePx;
  };
  const Caso casos[] = {
      {form->Image1(), {0, 0, 282, 401}, 16},
      {form->Edit1(), {304, 87, 545, 114}, 16},
      {form->Edit2(), {304, 151, 545, 178}, 16},
      {form->RadioGroup1(), {304, 200, 545, 241}, 16},
      {form->Button1(), {344, 280, 497, 321}, 16},
      {form->CheckBox1(), {304, 352, 558, 369}, 13},
      {form->CheckBox2(), {304, 376, 558, 393}, 13},
  };
  for (const auto& c : casos) {
    const RECT r = noCliente(janela, c.controle);
    EXPECT_EQ(r.left, c.esperado.left) << texto(c.controle).size();
    EXPECT_EQ(r.top, c.esperado.top);
    EXPECT_EQ(r.right, c.esperado.right);
    EXPECT_EQ(r.bottom, c.esperado.bottom);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c.controle, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -c.fontePx);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  }
  EXPECT_EQ(texto(form->Button1()), L"Login");
  EXPECT_EQ(texto(form->RadioItem(0)), L"Ruruvudud");
  EXPECT_EQ(texto(form->RadioItem(1)), L"Rozevuv");
  EXPECT_EQ(texto(form->CheckBox1()), L"Comunicação direta com as impressoras");
  EXPECT_EQ(texto(form->CheckBox2()), L"Rota Alternativa");
  EXPECT_EQ(SendMessageW(form->Edit2(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_FALSE(form->RadioGroup1Visible());
  EXPECT_EQ(form->RadioGroup1ItemIndex(), 0);
  EXPECT_FALSE(form->impressorasDiretas());
  EXPECT_FALSE(form->rotaAlternativa());
}

TEST_F(JanelaLogin, ShowFocusesAccountAndChecksVersion) {
  form->nucleo().ImpressaoEmAndamento = true;
  http->respostas[endpoints.versao()] = "2.1";
  form->Show();
  EXPECT_EQ(GetFocus(), form->Edit1());
  EXPECT_FALSE(form->nucleo().ImpressaoEmAndamento);
  EXPECT_THAT(mensagens.mostradas, ElementsAre(mensagens_login::NovaVersao));
  EXPECT_EQ(atualizacoes, 1);
}

TEST_F(JanelaLogin, TabOrderSkipsTheHiddenSelector) {
  form->Show();
  HWND atual = form->Edit1();
  std::vector<HWND> ordem;
  for (int i = 0; i < 5; ++i) {
    atual = GetNextDlgTabItem(form->handle(), atual, FALSE);
    ordem.push_back(atual);
  }
  EXPECT_THAT(ordem, ElementsAre(form->Edit2(), form->Button1(), form->CheckBox1(),
                                 form->CheckBox2(), form->Edit1()));
}

TEST_F(JanelaLogin, AccountFieldLowerCasesTypedAndPastedLetters) {
  form->Show();
  digitar(form->Edit1(), L"AbC1");
  EXPECT_EQ(texto(form->Edit1()), L"abc1");
  SendMessageW(form->Edit1(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"XY2"));
  EXPECT_EQ(form->usuarioDigitado(), "abc1xy2");
}

TEST_F(JanelaLogin, LeavingTheAccountFieldTogglesTheSiteSelector) {
  form->Show();
  digitar(form->Edit1(), L"Tamberi2");
  sair(form->Edit1(), form->Edit2());
  EXPECT_TRUE(form->RadioGroup1Visible());
  // Tab now reaches the selected site after the button.
  EXPECT_EQ(GetNextDlgTabItem(form->handle(), form->Button1(), FALSE), form->RadioItem(0));
  SendMessageW(form->RadioItem(1), BM_CLICK, 0, 0);
  processar();
  EXPECT_EQ(GetFocus(), form->Button1());
  EXPECT_EQ(form->RadioGroup1ItemIndex(), 1);
  digitar(form->Edit1(), L"x");
  sair(form->Edit1(), form->Edit2());
  EXPECT_FALSE(form->RadioGroup1Visible());
  EXPECT_EQ(form->RadioGroup1ItemIndex(), 1);
}

TEST_F(JanelaLogin, EnterReleasedInEitherFieldLogsIn) {
  http->respostas[endpoints.login(false, "tamberi_ruruvudud")] = "srv;3389";
  form->Show();
  digitar(form->Edit1(), L"tamberi2");
  sair(form->Edit1(), form->Edit2());
  digitar(form->Edit2(), L"Pw9");
  SendMessageW(form->Edit2(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(entregas, 0);
  SendMessageW(form->Edit2(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(entregas, 1);
  EXPECT_THAT(controle.chamadas,
              ElementsAre("UserName=tamberi2", "ClearTextPassword=Pw9", "DesktopWidth=1024",
                          "DesktopHeight=768", "Server=srv", "RDPPort=3389"));
  SendMessageW(form->Edit1(), WM_KEYUP, VK_TAB, 0);
  EXPECT_EQ(entregas, 1);
  SendMessageW(form->Edit1(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(entregas, 2);
  EXPECT_THAT(mensagens.mostradas, IsEmpty());
}

TEST_F(JanelaLogin, ButtonUsesRouteAndReportsFailuresLeavingFields) {
  form->Show();
  digitar(form->Edit1(), L"ana");
  SendMessageW(form->CheckBox2(), BM_CLICK, 0, 0);
  SendMessageW(form->Button1(), BM_CLICK, 0, 0);
  processar();
  EXPECT_EQ(http->pedidos.back(), endpoints.login(true, "ana"));
  EXPECT_THAT(mensagens.mostradas,
              ElementsAre(mensagens_login::RotaAlternativa, mensagens_login::FalhaConexao));
  EXPECT_EQ(texto(form->Edit1()), L"ana");
  EXPECT_TRUE(form->rotaAlternativa());
}

TEST_F(JanelaLogin, CheckBoxesWarnOnlyWhenChecked) {
  form->Show();
  SendMessageW(form->CheckBox1(), BM_CLICK, 0, 0);
  SendMessageW(form->CheckBox1(), BM_CLICK, 0, 0);
  SendMessageW(form->CheckBox2(), BM_CLICK, 0, 0);
  SendMessageW(form->CheckBox2(), BM_CLICK, 0, 0);
  EXPECT_THAT(mensagens.mostradas,
              ElementsAre(mensagens_login::ImpressorasDiretas, mensagens_login::RotaAlternativa));
  EXPECT_FALSE(form->impressorasDiretas());
}

}  // namespace
}  // namespace orvanta
