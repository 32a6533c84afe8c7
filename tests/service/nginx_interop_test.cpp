// ClienteHttp against a real nginx: keep-alive, a large file, chunked answers, redirects and
// cookies coming back.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "local_nginx.h"
#include "notification_recorder.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using test::LocalNginx;
using test::MemoryStream;

class NginxInteropTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    nginx_ = std::make_unique<LocalNginx>(R"(
    location = /conexao { return 200 "$connection"; }
    location = /redir { return 302 /pequeno.txt; }
    location = /cookie { add_header Set-Cookie "sessao=abc; Path=/"; return 200 "ok"; }
    location = /eco { return 200 "[$http_cookie]"; }
    location /chunked/ { sub_filter 'x' 'y'; sub_filter_once off; sub_filter_types *; }
)");
    std::ofstream(nginx_->www() / "pequeno.txt") << "pequeno";
    std::filesystem::create_directories(nginx_->www() / "chunked");
    std::ofstream(nginx_->www() / "chunked" / "texto.txt") << std::string(100000, 'x');
    large_.resize(24 * 1024 * 1024 + 3);
    for (size_t i = 0; i < large_.size(); ++i) large_[i] = static_cast<char>(i * 31 % 251);
    std::ofstream(nginx_->www() / "grande.bin", std::ios::binary) << large_;
    nginx_->start();
  }
  static void TearDownTestSuite() { nginx_.reset(); }

  static inline std::unique_ptr<LocalNginx> nginx_;
  static inline std::string large_;
};

TEST_F(NginxInteropTest, SeveralCallsOnOneConnection) {
  ClienteHttp client(HttpSettings::login());
  std::string first = client.Get(nginx_->base() + "/conexao");
  EXPECT_EQ(client.Get(nginx_->base() + "/pequeno.txt"), "pequeno");
  EXPECT_EQ(client.Get(nginx_->base() + "/conexao"), first);
  EXPECT_EQ(client.Get(nginx_->base() + "/conexao"), first);
}

TEST_F(NginxInteropTest, LargeFileWithNotifications) {
  ClienteHttp client(HttpSettings::update());
  int64_t maximum = -1, last = -1;
  int ends = 0;
  client.OnWorkBegin = [&](HttpTransfer&, TWorkMode, int64_t m) { maximum = m; };
  client.OnWork = [&](HttpTransfer&, TWorkMode, int64_t n) { last = n; };
  client.OnWorkEnd = [&](HttpTransfer&, TWorkMode) { ++ends; };
  MemoryStream stream;
  client.Get(nginx_->base() + "/grande.bin", stream);
  EXPECT_EQ(maximum, static_cast<int64_t>(large_.size()));
  EXPECT_EQ(last, maximum);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(stream.data == large_);
}

TEST_F(NginxInteropTest, ChunkedAnswer) {
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(nginx_->base() + "/chunked/texto.txt"), std::string(100000, 'y'));
  EXPECT_TRUE(client.response().chunked());
  EXPECT_EQ(client.Get(nginx_->base() + "/pequeno.txt"), "pequeno");
}

TEST_F(NginxInteropTest, RedirectFollowedOnlyOnSession) {
  ClienteHttp session(HttpSettings::session());
  EXPECT_EQ(session.Get(nginx_->base() + "/redir"), "pequeno");
  ClienteHttp login(HttpSettings::login());
  try {
    login.Get(nginx_->base() + "/redir");
    ADD_FAILURE();
  } catch (const ErroHttp& e) {
    EXPECT_EQ(std::string(e.what()), "HTTP/1.1 302 Moved Temporarily");
    EXPECT_NE(e.errorText().find("302"), std::string::npos);
  }
}

TEST_F(NginxInteropTest, CookieGoesBackToServer) {
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(nginx_->base() + "/eco"), "[]");
  client.Get(nginx_->base() + "/cookie");
  EXPECT_EQ(client.Get(nginx_->base() + "/eco"), "[sessao=abc]");
  ClienteHttp other(HttpSettings::session());
  EXPECT_EQ(other.Get(nginx_->base() + "/eco"), "[]");
}

}  // namespace
}  // namespace orvanta
