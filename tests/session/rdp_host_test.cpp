// The host against the stand-in control: which slot or dispatch id each operation reaches,
// first use, activation, failures and events. The stand-in journals to ORVANTA_RDPSTUB_LOG.
#include <windows.h>
#include <winsock2.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/exception.h"
#include "session/printer_rdp.h"
#include "session/rdp/ole_container_win.h"
#include "session/rdp/rdp_control_win.h"
#include "session/user_registry_win.h"
#include "stub_win.h"

namespace orvanta::rdp {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Event {
  DISPID id;
  long reason;
  bool operator==(const Event&) const = default;
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RdpHostTest";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"RdpHostTest", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                              0, 800, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    control_.reset();
    container_.reset();
    DestroyWindow(window_);
    OleUninitialize();
  }

  static void refuse(const wchar_t* members) { test::StubJournal::refuse(members); }
  void create() {
    container_ = std::make_unique<OleContainer>(
        [this] { return window_; }, createControl(),
        [this](DISPID id, const DISPPARAMS& p) {
          events_.push_back({id, p.cArgs == 1 && p.rgvarg[0].vt == VT_I4 ? p.rgvarg[0].lVal : 0});
          if (failingEvents_) throw std::runtime_error("handler failed on " + std::to_string(id));
        },
        [this](std::exception_ptr failure) {
          try {
            std::rethrow_exception(failure);
          } catch (const std::exception& e) {
            failures_.push_back(e.what());
          }
        });
    control_ = std::make_unique<RdpControl>(*container_);
  }
  std::vector<std::string> lines() const { return journal_.lines(); }
  void clear() { journal_.clear(); }
  static bool pumpUntil(const std::function<bool()>& ready) { return test::pumpUntil(ready); }
  std::string messageOf(const std::function<void()>& operation) {
    try {
      operation();
    } catch (const Exception& e) {
      return e.what();
    }
    return "(no exception)";
  }

  test::StubJournal journal_;
  HWND window_ = nullptr;
  std::unique_ptr<OleContainer> container_;
  std::unique_ptr<RdpControl> control_;
  std::vector<Event> events_;
  bool failingEvents_ = false;
  std::vector<std::string> failures_;
};

TEST_F(HostTest, EveryOperationReachesTheDeclaredSlotOrDispatchId) {
  create();
  control_->setDesktopWidth(1);  // first use out of the way
  struct Case {
    const char* operation;
    std::function<void(RdpControl&)> call;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"Server",
       [](RdpControl& c) { c.setServer("host.example"); },
       {"dispid 1 put Server vt=8 host.example"}},
      {"UserName",
       [](RdpControl& c) { c.setUserName("alice"); },
       {"dispid 3 put UserName vt=8 alice"}},
      {"DesktopWidth",
       [](RdpControl& c) { c.setDesktopWidth(1024); },
       {"dispid 12 put DesktopWidth vt=3 1024"}},
      {"DesktopHeight",
       [](RdpControl& c) { c.setDesktopHeight(768); },
       {"dispid 13 put DesktopHeight vt=3 768"}},
      {"FullScreen",
       [](RdpControl& c) { c.setFullScreen(true); },
       {"dispid 104 put FullScreen vt=11 -1"}},
      {"Connected",
       [](RdpControl& c) { EXPECT_EQ(c.connected(), 0); },
       {"dispid 6 get Connected 0"}},
      {"RDPPort",
       [](RdpControl& c) { c.setRdpPort(3390); },
       {"slot 39 get AdvancedSettings2", "advslot 35 put RDPPort 3390"}},
      {"ClearTextPassword",
       [](RdpControl& c) { c.setClearTextPassword("s3cr\xC3\xA9t"); },
       {"slot 39 get AdvancedSettings2", "advslot 112 put ClearTextPassword s3cr\xC3\xA9t"}},
      {"RedirectDrives",
       [](RdpControl& c) { c.setRedirectDrives(true); },
       {"slot 39 get AdvancedSettings2", "advslot 121 put RedirectDrives -1"}},
      {"RedirectPrinters",
       [](RdpControl& c) { c.setRedirectPrinters(false); },
       {"slot 39 get AdvancedSettings2", "advslot 123 put RedirectPrinters 0"}},
      {"RedirectPorts",
       [](RdpControl& c) { c.setRedirectPorts(true); },
       {"slot 39 get AdvancedSettings2", "advslot 125 put RedirectPorts -1"}},
      {"Disconnect", [](RdpControl& c) { c.disconnect(); }, {"slot 34 Disconnect"}},
      {"Connect", [](RdpControl& c) { c.connect(); }, {"slot 33 Connect", "event 1 OnConnecting"}},
  };
  for (const Case& c : cases) {
    clear();
    c.call(*control_);
    EXPECT_EQ(lines(), c.expected) << c.operation;
  }
}

TEST_F(HostTest, FirstUseHandsOverTheStoredStateThenConnectsEventsOnce) {
  create();
  EXPECT_THAT(lines(), ElementsAre("create", "setclientsite"));
  clear();
  control_->setUserName("bob");
  control_->setServer("srv");
  EXPECT_THAT(
      lines(),
      ElementsAre("load 00 03 00 00 08 00 02 00 00 00 00 00 0B 00 00 00 0B 00 00 00", "advise",
                  "dispid 3 put UserName vt=8 bob", "dispid 1 put Server vt=8 srv"));
}

TEST_F(HostTest, TeardownUnadvisesAndClosesWithoutSaving) {
  create();
  control_->setUserName("bob");
  clear();
  control_.reset();
  container_.reset();
  EXPECT_THAT(lines(), ElementsAre("unadvise", "close 1", "setclientsite null", "destroy"));
}

TEST_F(HostTest, FailuresCarryTheControlsDescriptionTrimmed) {
  struct Case {
    const wchar_t* refuse;
    std::function<void(RdpControl&)> call;
    const char* message;
  };
  const Case cases[] = {
      {L"UserName", [](RdpControl& c) { c.setUserName("x"); }, "The stand-in refused UserName"},
      {L"Connected", [](RdpControl& c) { c.connected(); }, "The stand-in refused Connected"},
      {L"RedirectPrinters", [](RdpControl& c) { c.setRedirectPrinters(true); },
       "The stand-in refused RedirectPrinters"},
      {L"AdvancedSettings2", [](RdpControl& c) { c.setRdpPort(1); },
       "The stand-in refused AdvancedSettings2"},
      {L"Connect", [](RdpControl& c) { c.connect(); }, "The stand-in refused Connect"},
      {L"Disconnect", [](RdpControl& c) { c.disconnect(); }, "The stand-in refused Disconnect"},
  };
  create();
  for (const Case& c : cases) {
    refuse(c.refuse);
    EXPECT_EQ(messageOf([&] { c.call(*control_); }), c.message);
  }
}

TEST_F(HostTest, FailureWithoutDescriptionUsesTheSystemText) {
  create();
  control_->setServer("127.0.0.1");
  control_->setRdpPort(1);
  control_->connect();
  // Settings are locked while connecting: E_UNEXPECTED without a description.
  const std::string message = messageOf([&] { control_->setUserName("x"); });
  EXPECT_NE(message, "(no exception)");
  EXPECT_FALSE(message.empty());
  EXPECT_NE(message.back(), '.');
  EXPECT_GT(static_cast<unsigned char>(message.back()), ' ');
}

TEST_F(HostTest, CreationRefusedRaises) {
  refuse(L"create");
  EXPECT_THROW(create(), Exception);
}

TEST_F(HostTest, ActivationFailuresRaiseTheirMessages) {
  create();
  refuse(L"activate");
  EXPECT_EQ(messageOf([&] {
              container_->activate({0, 25, 800, 400});
            }),
            "OLE control activation failed");
  refuse(L"hwnd");
  EXPECT_EQ(messageOf([&] {
              container_->activate({0, 25, 800, 400});
            }),
            "Could not obtain OLE control window handle");
}

TEST_F(HostTest, ActivatesInPlaceAndFollowsResizes) {
  create();
  container_->activate({0, 25, 800, 400});
  ASSERT_TRUE(container_->active());
  EXPECT_EQ(GetParent(container_->window()), window_);
  container_->place({0, 25, 640, 300});
  RECT area;
  GetWindowRect(container_->window(), &area);
  EXPECT_EQ(area.right - area.left, 640);
  EXPECT_EQ(area.bottom - area.top, 275);
  EXPECT_EQ(lines().back(), "rects 0 25 640 275");
}

using test::Listener;

TEST_F(HostTest, ConnectsByTcpAndReportsAPeerThatCloses) {
  Listener server;
  create();
  control_->setServer("127.0.0.1");
  control_->setRdpPort(server.port());
  control_->connect();
  EXPECT_EQ(control_->connected(), 2);
  ASSERT_TRUE(pumpUntil([&] { return events_.size() >= 2; }));
  EXPECT_THAT(events_, ElementsAre(Event{1, 0}, Event{2, 0}));
  EXPECT_EQ(control_->connected(), 1);
  server.acceptPeer();
  server.closePeer();
  ASSERT_TRUE(pumpUntil([&] { return events_.size() >= 3; }));
  EXPECT_EQ(events_.back(), (Event{4, 3}));
  EXPECT_EQ(control_->connected(), 0);
}

TEST_F(HostTest, RefusedConnectionAndLocalDisconnectReportTheirReasons) {
  Listener server;
  create();
  control_->setServer("127.0.0.1");
  control_->setRdpPort(server.port());
  control_->connect();
  ASSERT_TRUE(pumpUntil([&] { return events_.size() >= 2; }));
  control_->disconnect();
  ASSERT_TRUE(pumpUntil([&] { return events_.size() >= 3; }));
  EXPECT_EQ(events_.back(), (Event{4, 1}));

  server.close();
  events_.clear();
  control_->connect();
  ASSERT_TRUE(pumpUntil([&] { return events_.size() >= 2; }));
  EXPECT_THAT(events_, ElementsAre(Event{1, 0}, Event{4, 516}));
}

TEST_F(HostTest, AFailingEventHandlerReachesTheFailureHandlerNeverTheControl) {
  Listener server;
  failingEvents_ = true;
  create();
  control_->setServer("127.0.0.1");
  control_->setRdpPort(server.port());
  // OnConnecting comes from inside the control's Connect, OnConnected later from its window.
  EXPECT_NO_THROW(control_->connect());
  ASSERT_TRUE(pumpUntil([&] { return failures_.size() >= 2; }));
  EXPECT_THAT(failures_, ElementsAre("handler failed on 1", "handler failed on 2"));
  EXPECT_THAT(events_, ElementsAre(Event{1, 0}, Event{2, 0}));
  EXPECT_EQ(control_->connected(), 1);
}

TEST(PrinterRdpWinTest, WritesFilterQueueTypeCreatingTheKey) {
  const std::wstring key = L"Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  UserRegistryWin registry;
  PrinterRDP(registry);
  DWORD value = 0;
  DWORD type = 0;
  DWORD length = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"FilterQueueType", RRF_RT_ANY, &type,
                         &value, &length),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace orvanta::rdp
