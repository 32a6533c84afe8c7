// ClienteHttp against a real nginx: keep-alive, a large file, chunked answers, redirects and
// cookies coming back.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "nginx_local.h"
#include "notificacoes.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using teste::FluxoMemoria;
using teste::NginxLocal;

class NginxInterop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    nginx_ = std::make_unique<NginxLocal>(R"(
    location = /conexao { return 200 "$connection"; }
    location = /redir { return 302 /pequeno.txt; }
    location = /cookie { add_header Set-Cookie "sessao=abc; Path=/"; return 200 "ok"; }
    location = /eco { return 200 "[$http_cookie]"; }
    location /chunked/ { sub_filter 'x' 'y'; sub_filter_once off; sub_filter_types *; }
)");
    std::ofstream(nginx_->www() / "pequeno.txt") << "pequeno";
    std::filesystem::create_directories(nginx_->www() / "chunked");
    std::ofstream(nginx_->www() / "chunked" / "texto.txt") << std::string(100000, 'x');
    grande_.resize(24 * 1024 * 1024 + 3);
    for (size_t i = 0; i < grande_.size(); ++i) grande_[i] = static_cast<char>(i * 31 % 251);
    std::ofstream(nginx_->www() / "grande.bin", std::ios::binary) << grande_;
    nginx_->iniciar();
  }
  static void TearDownTestSuite() { nginx_.reset(); }

  static inline std::unique_ptr<NginxLocal> nginx_;
  static inline std::string grande_;
};

TEST_F(NginxInterop, VariasChamadasNumaSoConexao) {
  ClienteHttp cliente(ConfiguracaoHttp::login());
  std::string primeira = cliente.Get(nginx_->base() + "/conexao");
  EXPECT_EQ(cliente.Get(nginx_->base() + "/pequeno.txt"), "pequeno");
  EXPECT_EQ(cliente.Get(nginx_->base() + "/conexao"), primeira);
  EXPECT_EQ(cliente.Get(nginx_->base() + "/conexao"), primeira);
}

TEST_F(NginxInterop, ArquivoGrandeComNotificacoes) {
  ClienteHttp cliente(ConfiguracaoHttp::atualizacao());
  int64_t maximo = -1, ultimo = -1;
  int fins = 0;
  cliente.OnWorkBegin = [&](TransferenciaHttp&, TWorkMode, int64_t m) { maximo = m; };
  cliente.OnWork = [&](TransferenciaHttp&, TWorkMode, int64_t n) { ultimo = n; };
  cliente.OnWorkEnd = [&](TransferenciaHttp&, TWorkMode) { ++fins; };
  FluxoMemoria fluxo;
  cliente.Get(nginx_->base() + "/grande.bin", fluxo);
  EXPECT_EQ(maximo, static_cast<int64_t>(grande_.size()));
  EXPECT_EQ(ultimo, maximo);
  EXPECT_EQ(fins, 1);
  EXPECT_TRUE(fluxo.dados == grande_);
}

TEST_F(NginxInterop, RespostaChunked) {
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get(nginx_->base() + "/chunked/texto.txt"), std::string(100000, 'y'));
  EXPECT_TRUE(cliente.resposta().chunked());
  EXPECT_EQ(cliente.Get(nginx_->base() + "/pequeno.txt"), "pequeno");
}

TEST_F(NginxInterop, RedirecionamentoSeguidoSoNaSessao) {
  ClienteHttp sessao(ConfiguracaoHttp::sessao());
  EXPECT_EQ(sessao.Get(nginx_->base() + "/redir"), "pequeno");
  ClienteHttp login(ConfiguracaoHttp::login());
  try {
    login.Get(nginx_->base() + "/redir");
    ADD_FAILURE();
  } catch (const ErroHttp& e) {
    EXPECT_EQ(std::string(e.what()), "HTTP/1.1 302 Moved Temporarily");
    EXPECT_NE(e.textoErro().find("302"), std::string::npos);
  }
}

TEST_F(NginxInterop, CookieVoltaAoServidor) {
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get(nginx_->base() + "/eco"), "[]");
  cliente.Get(nginx_->base() + "/cookie");
  EXPECT_EQ(cliente.Get(nginx_->base() + "/eco"), "[sessao=abc]");
  ClienteHttp outro(ConfiguracaoHttp::sessao());
  EXPECT_EQ(outro.Get(nginx_->base() + "/eco"), "[]");
}

}  // namespace
}  // namespace orvanta
