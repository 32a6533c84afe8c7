// The relay as the session window runs it: its timer, HTTP client, folder, login choices and
// hidden Edit1.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "fake_store_service.h"
#include "fakes/fake_document_folder.h"
#include "fakes/fake_message_boxes_win.h"
#include "service/endpoints.h"
#include "session/principal_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;

TEST(PrintRelayWindow, ChecaImpressaoRelaysThroughTheSessionWindowsParts) {
  OleSession ole;
  fakes::FakeMessageBoxes boxes;
  Application app{boxes};
  // The stand-in control registered in the test prefix is hosted by the session window.
  auto window = app.createForm<TFrmPrincipal>();
  auto store = std::make_unique<test::FakeStoreService>();
  test::FakeStoreService& service = *store;
  window->IdHTTP1 = std::move(store);
  auto folder = std::make_unique<fakes::FakeDocumentFolder>();
  fakes::FakeDocumentFolder& files = *folder;
  window->workingFolder = std::move(folder);
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
