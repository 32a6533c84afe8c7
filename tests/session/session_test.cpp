#include "session/session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/exception.h"
#include "session/printer_rdp.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Every seam writes into one journal, so the order across them shows; a step named in
// `failure` throws.
struct World : RemoteDesktopControl, UserRegistry, SessionWindow, StatusAlert, Timer, Shell {
  std::vector<std::string> journal;
  std::string failure;
  int16_t state = 0;
  bool reconnectEnabled = false;
  bool timerOn = false;

  void step(const std::string& name) {
    journal.push_back(name);
    if (name == failure) throw Exception("failed: " + name);
  }
  static std::string b(bool on) { return on ? "true" : "false"; }

  void setUserName(std::string_view v) override { step("UserName " + std::string(v)); }
  void setClearTextPassword(std::string_view) override { step("ClearTextPassword"); }
  void setDesktopWidth(int32_t v) override { step("DesktopWidth " + std::to_string(v)); }
  void setDesktopHeight(int32_t v) override { step("DesktopHeight " + std::to_string(v)); }
  void setServer(std::string_view v) override { step("Server " + std::string(v)); }
  void setRdpPort(int32_t v) override { step("RDPPort " + std::to_string(v)); }
  void setRedirectDrives(bool on) override { step("RedirectDrives " + b(on)); }
  void setRedirectPrinters(bool on) override { step("RedirectPrinters " + b(on)); }
  void setRedirectPorts(bool on) override { step("RedirectPorts " + b(on)); }
  void setFullScreen(bool on) override { step("FullScreen " + b(on)); }
  int16_t connected() override {
    step("Connected?");
    return state;
  }
  void connect() override { step("Connect"); }
  void disconnect() override { step("Disconnect"); }

  bool writeDword(std::string_view key, std::string_view name, uint32_t value) override {
    journal.push_back("registry " + std::string(key) + " " + std::string(name) + " " +
                      std::to_string(value));
    return failure != "registry";
  }

  void fitToScreen() override { step("screen size, maximised"); }
  void setReconnectEnabled(bool on) override {
    reconnectEnabled = on;
    journal.push_back("Reconectar " + b(on));
  }
  void showTransferHelp() override { step("FrmAjudaTransferencia modal"); }
  void showPrintingHelp() override { step("FrmAjudaImpressao modal"); }
  void requestTermination() override { journal.push_back("terminate"); }

  void show(std::string_view text, int picture) override {
    journal.push_back("alert " + std::string(text) + " " + std::to_string(picture));
  }
  void close() override { journal.push_back("alert closed"); }

  int intervalMs() const override { return 5000; }
  void setIntervalMs(int) override {}
  bool enabled() const override { return timerOn; }
  void setEnabled(bool on) override {
    step("ChecaImpressao " + b(on));
    timerOn = on;
  }

  void execute(std::string_view verb, std::string_view target) override {
    journal.push_back("shell '" + std::string(verb) + "' " + std::string(target));
  }

  SessionCore session{{*this, *this, *this, *this, *this, *this, "127.0.0.4:8052"}};
};

const std::string kRegistryLine =
    std::string("registry ") + kRdpdrKey + " FilterQueueType 4294967295";

TEST(SessionStartTest, RunsTheStepsInOrderWithPrintersFollowingDirectPrinters) {
  for (const bool direct : {true, false}) {
    World m;
    m.session.FormShow(direct);
    EXPECT_THAT(
        m.journal,
        ElementsAre(kRegistryLine, "screen size, maximised", "RedirectDrives true",
                    std::string("RedirectPrinters ") + World::b(direct), "RedirectPorts true",
                    std::string("ChecaImpressao ") + World::b(!direct), "Connect"));
    EXPECT_FALSE(m.reconnectEnabled);
  }
}

TEST(SessionStartTest, AFailingStepStopsTheRestAndNoConnectionStarts) {
  const std::vector<std::string> steps = {kRegistryLine,
                                          "screen size, maximised",
                                          "RedirectDrives true",
                                          "RedirectPrinters false",
                                          "RedirectPorts true",
                                          "ChecaImpressao true",
                                          "Connect"};
  for (size_t i = 0; i < steps.size(); ++i) {
    World m;
    m.failure = i == 0 ? "registry" : steps[i];
    EXPECT_THROW(m.session.FormShow(false), Exception) << steps[i];
    EXPECT_THAT(m.journal, ElementsAreArray(steps.begin(), steps.begin() + i + 1)) << steps[i];
    EXPECT_FALSE(m.reconnectEnabled);
    EXPECT_EQ(m.timerOn, i > 5);
  }
}

TEST(SessionStartTest, RegistryFailureNamesTheValue) {
  World m;
  m.failure = "registry";
  try {
    m.session.FormShow(true);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'FilterQueueType'");
  }
}

TEST(SessionEndTest, DisconnectsOnlyWhenConnectedAndAlwaysTerminates) {
  struct Case {
    int16_t state;
    std::string failure;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, "", {"Connected?", "terminate"}},
      {1, "", {"Connected?", "Disconnect", "terminate"}},
      {2, "", {"Connected?", "terminate"}},
      {1, "Connected?", {"Connected?", "terminate"}},
      {1, "Disconnect", {"Connected?", "Disconnect", "terminate"}},
  };
  for (const Case& c : cases) {
    World m;
    m.state = c.state;
    m.failure = c.failure;
    EXPECT_NO_THROW(m.session.FormClose());
    EXPECT_EQ(m.journal, c.expected) << c.state << " " << c.failure;
  }
}

TEST(SessionButtonsTest, ReconnectDisablesItselfBeforeConnectingAndStaysOffOnFailure) {
  World m;
  m.session.onDisconnected(3);
  m.journal.clear();
  m.session.reconnect();
  EXPECT_THAT(m.journal, ElementsAre("Reconectar false", "Connect"));

  World failing;
  failing.reconnectEnabled = true;
  failing.failure = "Connect";
  EXPECT_THROW(failing.session.reconnect(), Exception);
  EXPECT_FALSE(failing.reconnectEnabled);
}

TEST(SessionButtonsTest, OtherButtons) {
  World m;
  m.session.fullScreen();
  m.session.support();
  m.session.transferHelp();
  m.session.printingHelp();
  EXPECT_THAT(m.journal, ElementsAre("FullScreen true", "shell '' http://127.0.0.4:8052",
                                     "FrmAjudaTransferencia modal", "FrmAjudaImpressao modal"));
}

TEST(SessionEventsTest, DriveTheAlertAndTheReconnectButton) {
  World m;
  for (const int32_t dispid : {1, 3, 2, 10, 11, 4}) m.session.handleControlEvent(dispid, 516);
  EXPECT_THAT(m.journal, ElementsAre("alert Conectando 0", "alert closed", "Reconectar true",
                                     "alert Desconectado 1"));
  EXPECT_TRUE(m.reconnectEnabled);
}

}  // namespace
}  // namespace orvanta
