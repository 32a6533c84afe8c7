#include "ui/controls_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "fakes/fake_message_boxes_win.h"
#include "ui/application_win.h"

namespace orvanta {
namespace {

class Form : public Window {
 public:
  explicit Form(Application& app) : Window(app) {
    createTopLevel({.caption = "Controles", .clientWidth = 400, .clientHeight = 300});
    name.create(*this, {10, 10, 200, 24}, {}, {.lowerCase = true});
    password.create(*this, {10, 40, 200, 24}, {}, {.password = true});
    login.create(*this, {10, 70, 100, 30}, "Login");
    later.create(*this, {260, 130, 120, 60}, {}, {"A", "B"}, 1, false);
    later.setItemIndex(1);
    option.create(*this, {10, 110, 200, 17}, "Rota Alternativa");
    sites.create(*this, {10, 130, 240, 41}, {}, {"Um", "Dois", "Três"}, 2);
    bar.create(*this, {0, 280, 400, 20});
  }
  Edit name;
  Edit password;
  Button login;
  RadioGroup later;  // hidden
  CheckBox option;
  RadioGroup sites;
  ProgressBar bar;
};

struct ControlsTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  Form form{app};
};

TEST_F(ControlsTest, EditTurnsTextToLowerCaseAndMasksPasswords) {
  form.name.setText("JOAO123");
  EXPECT_EQ(form.name.text(), "joao123");
  form.password.setText("Segredo");
  EXPECT_EQ(form.password.text(), "Segredo");
  EXPECT_EQ(SendMessageW(form.password.hwnd(), EM_GETPASSWORDCHAR, 0, 0), L'*');
}

TEST_F(ControlsTest, NotificationsReachTheControlThatSentThem) {
  int clicks = 0, checks = 0, radio = 0, changes = 0;
  form.login.onClick = [&] { ++clicks; };
  form.option.onClick = [&] { checks += form.option.checked() ? 1 : 0; };
  form.sites.onClick = [&] { radio = form.sites.itemIndex(); };
  form.name.onChange = [&] { ++changes; };
  SendMessageW(form.login.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form.option.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form.sites.item(2), BM_CLICK, 0, 0);
  form.name.setText("x");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(radio, 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, KeyUpInAnEditReportsTheVirtualKey) {
  unsigned key = 0;
  form.name.onKeyUp = [&](unsigned vk) { key = vk; };
  SendMessageW(form.name.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(key, static_cast<unsigned>(VK_RETURN));
}

TEST_F(ControlsTest, AFailingKeyHandlerGoesToTheErrorBoxNotThroughThePlatform) {
  form.name.onKeyUp = [](unsigned) { throw std::runtime_error("Falha no campo"); };
  SendMessageW(form.name.hwnd(), WM_KEYUP, VK_RETURN, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"Falha no campo.");
}

TEST_F(ControlsTest, RadioGroupLaysItemsOutColumnByColumn) {
  ASSERT_EQ(form.sites.count(), 3u);
  EXPECT_EQ(form.sites.itemIndex(), -1);
  form.sites.setItemIndex(1);
  EXPECT_EQ(form.sites.itemIndex(), 1);
  RECT a, b, c;
  GetWindowRect(form.sites.item(0), &a);
  GetWindowRect(form.sites.item(1), &b);
  GetWindowRect(form.sites.item(2), &c);
  EXPECT_EQ(a.left, b.left);  // two per column: 0 and 1 in the first
  EXPECT_GT(b.top, a.top);
  EXPECT_GT(c.left, a.left);
  EXPECT_EQ(c.top, a.top);
  form.sites.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(form.sites.item(0)));
}

TEST_F(ControlsTest, AHiddenRadioGroupIsMadeWhenFirstShownWhereItWasCreatedInTheTabOrder) {
  // Not made at start, nor by hiding it.
  form.later.setVisible(false);
  EXPECT_EQ(GetWindow(form.login.hwnd(), GW_HWNDNEXT), form.option.hwnd());
  EXPECT_FALSE(form.later.visible());
  EXPECT_EQ(form.later.count(), 2u);
  EXPECT_EQ(form.later.itemIndex(), 1);

  form.later.setVisible(true);
  EXPECT_TRUE(form.later.visible());
  // In the tab order: the button, the items, the frame, the check box.
  EXPECT_EQ(GetWindow(form.login.hwnd(), GW_HWNDNEXT), form.later.item(0));
  EXPECT_EQ(GetWindow(form.later.item(0), GW_HWNDNEXT), form.later.item(1));
  EXPECT_EQ(GetWindow(form.later.item(1), GW_HWNDNEXT), form.later.hwnd());
  EXPECT_EQ(GetWindow(form.later.hwnd(), GW_HWNDNEXT), form.option.hwnd());
  // The selection made before it existed.
  EXPECT_EQ(SendMessageW(form.later.item(1), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(form.later.item(0), BM_CLICK, 0, 0);
  EXPECT_EQ(form.later.itemIndex(), 0);
}

TEST(ControlLifetimeTest, AControlDestroyedWithItsWindowNoLongerOwnsAHandle) {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  auto form = std::make_unique<Form>(app);
  Button& login = form->login;
  HWND button = login.hwnd();
  DestroyWindow(form->hwnd());
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(login.hwnd(), nullptr);
  EXPECT_EQ(form->hwnd(), nullptr);
}

TEST_F(ControlsTest, ProgressBarKeepsItsPositionInsideTheRange) {
  EXPECT_EQ(form.bar.minimum(), 0);
  EXPECT_EQ(form.bar.maximum(), 100);
  form.bar.setRange(0, 5000);
  form.bar.setPosition(1234);
  EXPECT_EQ(form.bar.position(), 1234);
  form.bar.setPosition(9000);
  EXPECT_EQ(form.bar.position(), 5000);
}

TEST_F(ControlsTest, APictureDrawnLazilyIsDrawnOnceOnItsFirstPaintAndShown) {
  Picture picture{app};
  picture.create(form, {250, 10, 40, 40});
  int draws = 0;
  picture.setBitmap([&draws] {
    ++draws;
    const DWORD red = 0x00FF0000;
    return UniqueHbitmap(CreateBitmap(1, 1, 1, 32, &red));
  });
  EXPECT_EQ(draws, 0);
  EXPECT_EQ(picture.bitmap(), nullptr);
  form.show();
  UpdateWindow(picture.hwnd());
  EXPECT_EQ(draws, 1);
  EXPECT_NE(picture.bitmap(), nullptr);
  EXPECT_EQ(GetPixel(WindowDc(picture.hwnd()).get(), 20, 20), RGB(255, 0, 0));
  InvalidateRect(picture.hwnd(), nullptr, TRUE);
  UpdateWindow(picture.hwnd());
  EXPECT_EQ(draws, 1);
}

}  // namespace
}  // namespace orvanta
