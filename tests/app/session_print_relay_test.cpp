// The relay as the program runs it: the session window's timer, HTTP client, login choices and
// hidden Edit1, and the working folder.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/session_print_relay_win.h"
#include "fakes/fake_document_folder.h"
#include "fakes/fake_message_boxes_win.h"
#include "printing/fake_store_service.h"
#include "service/endpoints.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;

TEST(PrintRelayWindowTest, ChecaImpressaoRelaysThroughTheSessionWindowsParts) {
  OleSession ole;
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  // The stand-in control registered in the test prefix is hosted by the session window.
  auto window = app.createForm<TFrmPrincipal>("2.0");
  auto store = std::make_unique<test::FakeStoreService>();
  test::FakeStoreService& service = *store;
  window->IdHTTP1 = std::move(store);
  auto folder = std::make_unique<test::FakeDocumentFolder>();
  test::FakeDocumentFolder& files = *folder;
  SessionPrintRelay relay(*window, std::move(folder));
  window->loginChoices = [] { return EscolhasLogin{"ana", false, true}; };
  // Not a PDF, so that no program is started.
  service.documents = {{"nota fiscal.txt", "texto"}};

  ASSERT_TRUE(window->ChecaImpressao.onTick);
  window->ChecaImpressao.onTick();

  const Endpoints endpoints;
  const std::string fileUrl = endpoints.storeFile(true, "ana", "nota fiscal.txt");
  EXPECT_THAT(service.requests,
              ElementsAre(endpoints.storeListing(true, "ana"), fileUrl,
                          endpoints.storeRemoval(true, "ana", "nota fiscal.txt")));
  EXPECT_EQ(files.files.at("nota fiscal.txt").content, "texto");
  EXPECT_EQ(window->Edit1.text(), fileUrl);
  EXPECT_FALSE(window->Edit1.visible());
  EXPECT_TRUE(window->ChecaImpressao.enabled());
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace orvanta
