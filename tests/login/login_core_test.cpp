#include "login/login_core.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/session_settings.h"
#include "login/login_messages.h"
#include "login_fakes.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Hosts kHosts{"10.0.0.2", "10.0.0.3", "site.test:8052", 52};
const std::string kLogin = "http://10.0.0.2:52/app/login.php?usuario=";
const std::string kLoginAlt = "http://10.0.0.3:52/app/login.php?usuario=";
const std::string kVersion = "http://site.test:8052/remoto/update/versao.php";

struct LoginTest : ::testing::Test {
  test::ScriptedHttp http;
  test::RecordedMessages messages;
  test::RecordedControl control;
  LoginCore core{messages, Endpoints(kHosts)};
  int handOvers = 0;

  // As the window set starts the session: the settings to the control, then the hand-over.
  SessionStart startSession(std::function<void()> handOver) {
    return [this, handOver](const ParametrosSessao& settings, std::string_view portText) {
      applySessionSettings(control, settings, portText);
      handOver();
    };
  }

  LoginResult attemptLogin(LoginFields fields) {
    return core.login(http, fields, startSession([this] { ++handOvers; }));
  }
};

TEST_F(LoginTest, GoodLoginAppliesSessionInOrderThenHandsOver) {
  http.responses[kLogin + "abcdef"] = "srv01;3389";
  EXPECT_EQ(attemptLogin({"abc12def", "s3nha", false, 0, false}), LoginResult::sessionHandedOver);
  EXPECT_THAT(http.requests, ElementsAre(kLogin + "abcdef"));
  EXPECT_THAT(control.calls,
              ElementsAre("UserName=abc12def", "ClearTextPassword=s3nha", "DesktopWidth=1024",
                          "DesktopHeight=768", "Server=srv01", "RDPPort=3389"));
  EXPECT_EQ(handOvers, 1);
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(LoginTest, AccountKeyFollowsSiteSelectorAndRoute) {
  struct Case {
    LoginFields fields;
    std::string url;
  };
  const Case cases[] = {
      {{"tamberi2", "", true, 0, false}, kLogin + "tamberi_ruruvudud"},
      {{"tamberi2", "", true, 1, false}, kLogin + "tamberi"},
      // Hidden selector: its remembered index no longer counts.
      {{"tamberi2", "", false, 0, false}, kLogin + "tamberi"},
      {{"ana 1", "", false, 0, true}, kLoginAlt + "ana%20"},
  };
  for (const auto& c : cases) {
    http.requests.clear();
    attemptLogin(c.fields);
    EXPECT_THAT(http.requests, ElementsAre(c.url));
  }
}

TEST_F(LoginTest, RepliesWithoutServerOrPortMeanUnknownAccount) {
  for (const char* response : {"srv01;", ";3389", "srv01", ""}) {
    http.responses[kLogin + "ana"] = response;
    messages.shown.clear();
    EXPECT_EQ(attemptLogin({"ana", "x", false, 0, false}), LoginResult::userNotFound) << response;
    EXPECT_THAT(messages.shown, ElementsAre(login_messages::kUserNotFound));
  }
  EXPECT_THAT(control.calls, IsEmpty());
  EXPECT_EQ(handOvers, 0);
}

TEST_F(LoginTest, BadPortKeepsEarlierWritesAndReportsConnectionFailure) {
  for (const char* response : {"srv01;33x9", "a;b;c", "srv01;3389\r\n", "srv01;3389 "}) {
    http.responses[kLogin + "ana"] = response;
    control.calls.clear();
    messages.shown.clear();
    EXPECT_EQ(attemptLogin({"ana", "x", false, 0, false}), LoginResult::failure) << response;
    EXPECT_THAT(messages.shown, ElementsAre(login_messages::kConnectionFailure));
    ASSERT_EQ(control.calls.size(), 5u) << response;
    EXPECT_TRUE(control.calls.back().starts_with("Server=")) << response;
  }
  EXPECT_EQ(handOvers, 0);
}

TEST_F(LoginTest, EveryOtherFailureShowsTheSameMessage) {
  http.responses[kLogin + "ana"] = "srv01;3389";
  http.errorStatus[kLogin + "erro"] = 500;

  EXPECT_EQ(attemptLogin({"erro", "", false, 0, false}), LoginResult::failure);
  EXPECT_EQ(attemptLogin({"ana", "", false, 0, true}), LoginResult::failure);  // host unreachable
  control.failOn = "Server";
  EXPECT_EQ(attemptLogin({"ana", "", false, 0, false}), LoginResult::failure);
  control.failOn.reset();
  // Activation failing while the session window is shown, after the hand-over began.
  EXPECT_EQ(core.login(http, {"ana", "", false, 0, false}, startSession([] {
                         throw Exception("Class not registered", "EOleSysError");
                       })),
            LoginResult::failure);
  EXPECT_EQ(core.login(http, {"ana", "", false, 0, false}, startSession([] { throw 42; })),
            LoginResult::failure);
  EXPECT_EQ(messages.shown,
            std::vector<std::string>(5, std::string(login_messages::kConnectionFailure)));
}

struct VersionTest : LoginTest {
  int updateRuns = 0;
  void show() {
    core.FormShow(http, [this] { ++updateRuns; });
  }
};

TEST_F(VersionTest, SameVersionDoesNothing) {
  http.responses[kVersion] = "2.0\r\n";
  show();
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(updateRuns, 0);
}

TEST_F(VersionTest, OtherVersionAnnouncesThenRunsTheUpdate) {
  for (const char* published : {"2.1", "2.0 ", ""}) {
    http.responses[kVersion] = published;
    messages.shown.clear();
    updateRuns = 0;
    show();
    EXPECT_THAT(messages.shown, ElementsAre(login_messages::kNewVersion)) << published;
    EXPECT_EQ(updateRuns, 1) << published;
  }
}

TEST_F(VersionTest, FailuresAreSilent) {
  show();  // service unreachable
  http.errorStatus[kVersion] = 404;
  show();
  http.errorStatus.clear();
  http.responses[kVersion] = "2.1";
  core.FormShow(http, [] { throw Exception("download failed"); });
  EXPECT_THAT(messages.shown, ElementsAre(login_messages::kNewVersion));
  EXPECT_EQ(updateRuns, 0);
}

TEST_F(LoginTest, OptionWarningsOnlyWhenChecked) {
  core.CheckBox1Click(false);
  core.CheckBox2Click(false);
  EXPECT_THAT(messages.shown, IsEmpty());
  core.CheckBox1Click(true);
  core.CheckBox2Click(true);
  EXPECT_THAT(messages.shown, ElementsAre(login_messages::kDirectPrintersWarning,
                                          login_messages::kAlternativeRouteWarning));
  EXPECT_NE(login_messages::kDirectPrintersWarning.find("afetados.\rNão recomendamos utilizar esse "
                                                        "recurso.  Para isso"),
            std::string_view::npos);
}

}  // namespace
}  // namespace orvanta
