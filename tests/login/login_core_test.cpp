#include "login/login_core.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes_login.h"
#include "login/mensagens_login.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Hosts kHosts{"10.0.0.2", "10.0.0.3", "site.test:8052", 52};
const std::string kLogin = "http://10.0.0.2:52/app/login.php?usuario=";
const std::string kLoginAlt = "http://10.0.0.3:52/app/login.php?usuario=";
const std::string kVersao = "http://site.test:8052/remoto/update/versao.php";

struct LoginFixture : ::testing::Test {
  teste::HttpRoteiro http;
  teste::MensagensGravadas mensagens;
  teste::ControleGravado controle;
  LoginCore core{mensagens, Endpoints(kHosts)};
  int entregas = 0;

  ResultadoLogin entrar(CamposLogin campos) {
    return core.Login(http, campos, controle, [this] { ++entregas; });
  }
};

TEST_F(LoginFixture, GoodLoginAppliesSessionInOrderThenHandsOver) {
  http.respostas[kLogin + "abcdef"] = "srv01;3389";
  EXPECT_EQ(entrar({"abc12def", "s3nha", false, 0, false}), ResultadoLogin::sessaoEntregue);
  EXPECT_THAT(http.pedidos, ElementsAre(kLogin + "abcdef"));
  EXPECT_THAT(controle.chamadas,
              ElementsAre("UserName=abc12def", "ClearTextPassword=s3nha", "DesktopWidth=1024",
                          "DesktopHeight=768", "Server=srv01", "RDPPort=3389"));
  EXPECT_EQ(entregas, 1);
  EXPECT_THAT(mensagens.mostradas, IsEmpty());
}

TEST_F(LoginFixture, AccountKeyFollowsSiteSelectorAndRoute) {
  struct Caso {
    CamposLogin campos;
    std::string url;
  };
  const Caso casos[] = {
      {{"tamberi2", "", true, 0, false}, kLogin + "tamberi_ruruvudud"},
      {{"tamberi2", "", true, 1, false}, kLogin + "tamberi"},
      // Hidden selector: its remembered index no longer counts.
      {{"tamberi2", "", false, 0, false}, kLogin + "tamberi"},
      {{"ana 1", "", false, 0, true}, kLoginAlt + "ana "},
  };
  for (const auto& c : casos) {
    http.pedidos.clear();
    entrar(c.campos);
    EXPECT_THAT(http.pedidos, ElementsAre(c.url));
  }
}

TEST_F(LoginFixture, RepliesWithoutServerOrPortMeanUnknownAccount) {
  for (const char* resposta : {"srv01;", ";3389", "srv01", ""}) {
    http.respostas[kLogin + "ana"] = resposta;
    mensagens.mostradas.clear();
    EXPECT_EQ(entrar({"ana", "x", false, 0, false}), ResultadoLogin::usuarioNaoEncontrado)
        << resposta;
    EXPECT_THAT(mensagens.mostradas, ElementsAre(mensagens_login::UsuarioNaoEncontrado));
  }
  EXPECT_THAT(controle.chamadas, IsEmpty());
  EXPECT_EQ(entregas, 0);
}

TEST_F(LoginFixture, BadPortKeepsEarlierWritesAndReportsConnectionFailure) {
  for (const char* resposta : {"srv01;33x9", "a;b;c", "srv01;3389\r\n", "srv01;3389 "}) {
    http.respostas[kLogin + "ana"] = resposta;
    controle.chamadas.clear();
    mensagens.mostradas.clear();
    EXPECT_EQ(entrar({"ana", "x", false, 0, false}), ResultadoLogin::falha) << resposta;
    EXPECT_THAT(mensagens.mostradas, ElementsAre(mensagens_login::FalhaConexao));
    ASSERT_EQ(controle.chamadas.size(), 5u) << resposta;
    EXPECT_TRUE(controle.chamadas.back().starts_with("Server=")) << resposta;
  }
  EXPECT_EQ(entregas, 0);
}

TEST_F(LoginFixture, EveryOtherFailureShowsTheSameMessage) {
  http.respostas[kLogin + "ana"] = "srv01;3389";
  http.statusErro[kLogin + "erro"] = 500;

  EXPECT_EQ(entrar({"erro", "", false, 0, false}), ResultadoLogin::falha);
  EXPECT_EQ(entrar({"ana", "", false, 0, true}), ResultadoLogin::falha);  // host unreachable
  controle.falharEm = "Server";
  EXPECT_EQ(entrar({"ana", "", false, 0, false}), ResultadoLogin::falha);
  controle.falharEm.reset();
  // Activation failing while the session window is shown, after the hand-over began.
  EXPECT_EQ(core.Login(http, {"ana", "", false, 0, false}, controle,
                       [] { throw Excecao("Class not registered", "EOleSysError"); }),
            ResultadoLogin::falha);
  EXPECT_EQ(core.Login(http, {"ana", "", false, 0, false}, controle, [] { throw 42; }),
            ResultadoLogin::falha);
  EXPECT_EQ(mensagens.mostradas,
            std::vector<std::string>(5, std::string(mensagens_login::FalhaConexao)));
}

struct VersaoFixture : LoginFixture {
  int atualizacoes = 0;
  void mostrar() {
    core.FormShow(http, [this] { ++atualizacoes; });
  }
};

TEST_F(VersaoFixture, SameVersionDoesNothing) {
  http.respostas[kVersao] = "2.0\r\n";
  mostrar();
  EXPECT_THAT(mensagens.mostradas, IsEmpty());
  EXPECT_EQ(atualizacoes, 0);
}

TEST_F(VersaoFixture, OtherVersionAnnouncesThenRunsTheUpdate) {
  for (const char* publicada : {"2.1", "2.0 ", ""}) {
    http.respostas[kVersao] = publicada;
    mensagens.mostradas.clear();
    atualizacoes = 0;
    mostrar();
    EXPECT_THAT(mensagens.mostradas, ElementsAre(mensagens_login::NovaVersao)) << publicada;
    EXPECT_EQ(atualizacoes, 1) << publicada;
  }
}

TEST_F(VersaoFixture, FailuresAreSilent) {
  mostrar();  // service unreachable
  http.statusErro[kVersao] = 404;
  mostrar();
  http.statusErro.clear();
  http.respostas[kVersao] = "2.1";
  core.FormShow(http, [] { throw Excecao("download failed"); });
  EXPECT_THAT(mensagens.mostradas, ElementsAre(mensagens_login::NovaVersao));
  EXPECT_EQ(atualizacoes, 0);
}

TEST_F(LoginFixture, OptionWarningsOnlyWhenChecked) {
  core.CheckBox1Click(false);
  core.CheckBox2Click(false);
  EXPECT_THAT(mensagens.mostradas, IsEmpty());
  core.CheckBox1Click(true);
  core.CheckBox2Click(true);
  EXPECT_THAT(mensagens.mostradas,
              ElementsAre(mensagens_login::ImpressorasDiretas, mensagens_login::RotaAlternativa));
  EXPECT_NE(mensagens_login::ImpressorasDiretas.find("afetados.\rNão recomendamos utilizar esse "
                                                     "recurso.  Para isso"),
            std::string_view::npos);
}

}  // namespace
}  // namespace orvanta
