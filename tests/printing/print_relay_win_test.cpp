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
  auto janela = app.createForm<TFrmPrincipal>();
  auto store = std::make_unique<teste::FakeStoreService>();
  teste::FakeStoreService& service = *store;
  janela->IdHTTP1 = std::move(store);
  auto folder = std::make_unique<fakes::FakeDocumentFolder>();
  fakes::FakeDocumentFolder& files = *folder;
  janela->workingFolder = std::move(folder);
  janela->loginChoices = [] { return EscolhasLogin{"ana", false, true}; };
  // Not a PDF, so that no program is started.
  service.documents = {{"nota fiscal.txt", "texto"}};

  ASSERT_TRUE(janela->ChecaImpressao.onTick);
  janela->ChecaImpressao.onTick();

  const Endpoints endpoints;
  const std::string fileUrl = endpoints.arquivoStore(true, "ana", "nota fiscal.txt");
  EXPECT_THAT(service.requests,
              ElementsAre(endpoints.listaStore(true, "ana"), fileUrl,
                          endpoints.removerStore(true, "ana", "nota fiscal.txt")));
  EXPECT_EQ(files.files.at("nota fiscal.txt").content, "texto");
  EXPECT_EQ(janela->Edit1.text(), fileUrl);
  EXPECT_FALSE(janela->Edit1.visible());
  EXPECT_TRUE(janela->ChecaImpressao.enabled());
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace orvanta
