// Cookies: Set-Cookie attributes, RFC 6265 dates, domain and path rules, the store's
// replacement, expiry, ordering and bound, and the client sending them back.
#include <gtest/gtest.h>

#include "conexoes_memoria.h"
#include "service/cliente_http.h"
#include "service/cookies.h"
#include "service/data_cookie.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using teste::ConexoesMemoria;

constexpr int64_t k2020 = 1577836800;  // 2020-01-01 00:00:00 UTC

TEST(DataCookie, FormatosValidosEInvalidos) {
  struct Caso {
    std::string texto;
    std::optional<int64_t> esperado;
  } casos[] = {
      {"Wed, 01 Jan 2020 00:00:00 GMT", k2020},
      {"Wednesday, 01-Jan-20 00:00:00 GMT", k2020},
      {"Wed Jan  1 00:00:00 2020", k2020},
      {"1 jan 2020 0:0:0", k2020},
      {"01 JANUARY 2020 00:00:01 xyz", k2020 + 1},
      {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
      {"01 Jan 69 00:00:00", 3124224000},
      {"29 Feb 2024 12:30:45", 1709209845},
      {"30 Feb 2024 12:30:45", {}},
      {"32 Jan 2020 00:00:00", {}},
      {"01 Jan 2020 24:00:00", {}},
      {"01 Jan 1600 00:00:00", {}},
      {"01 Foo 2020 00:00:00", {}},
      {"01 Jan 2020", {}},
      {"", {}},
  };
  for (const auto& c : casos) EXPECT_EQ(lerDataCookie(c.texto), c.esperado) << c.texto;
}

TEST(SetCookie, Atributos) {
  struct Caso {
    std::string cabecalho;
    bool aceito;
    std::string nome, valor, dominio, caminho;
    bool somenteHost, persistente;
    int64_t expira;
  } casos[] = {
      {"a=1", true, "a", "1", "www.ex.com", "/dir", true, false, INT64_MAX},
      {" \"b\" = \"2\" ; Path=/p; Secure; HttpOnly", true, "b", "2", "www.ex.com", "/p", true,
       false, INT64_MAX},
      {"c=3; Domain=.EX.com; path=rel", true, "c", "3", "ex.com", "/dir", false, false, INT64_MAX},
      {"d=4; Domain=", true, "d", "4", "www.ex.com", "/dir", true, false, INT64_MAX},
      {"e=5; Max-Age=60; Expires=Wed, 01 Jan 2020 00:00:00 GMT", true, "e", "5", "www.ex.com",
       "/dir", true, true, k2020 + 1000 + 60},
      {"f=6; expires=Wed, 01 Jan 2020 00:00:00 GMT; Max-Age=bad", true, "f", "6", "www.ex.com",
       "/dir", true, true, k2020},
      {"g=7; Path=/a; PATH=/b", true, "g", "7", "www.ex.com", "/b", true, false, INT64_MAX},
      {"h=", true, "h", "", "www.ex.com", "/dir", true, false, INT64_MAX},
      {"semigual", false, "", "", "", "", false, false, 0},
      {"=v", false, "", "", "", "", false, false, 0},
      {"i=1; Domain=outro.com", false, "", "", "", "", false, false, 0},
      {"j=1; Domain=w.ex.com", false, "", "", "", "", false, false, 0},
  };
  for (const auto& c : casos) {
    auto cookie = interpretarSetCookie(c.cabecalho, "www.ex.com", "/dir/", k2020 + 1000);
    ASSERT_EQ(cookie.has_value(), c.aceito) << c.cabecalho;
    if (!cookie) continue;
    EXPECT_EQ(cookie->nome, c.nome) << c.cabecalho;
    EXPECT_EQ(cookie->valor, c.valor) << c.cabecalho;
    EXPECT_EQ(cookie->dominio, c.dominio) << c.cabecalho;
    EXPECT_EQ(cookie->caminho, c.caminho) << c.cabecalho;
    EXPECT_EQ(cookie->somenteHost, c.somenteHost) << c.cabecalho;
    EXPECT_EQ(cookie->persistente, c.persistente) << c.cabecalho;
    EXPECT_EQ(cookie->expira, c.expira) << c.cabecalho;
  }
}

TEST(SetCookie, DominioNuncaSufixoDeEnderecoIp) {
  EXPECT_FALSE(interpretarSetCookie("a=1; Domain=0.0.1", "127.0.0.1", "/", 0));
  EXPECT_TRUE(interpretarSetCookie("a=1; Domain=127.0.0.1", "127.0.0.1", "/", 0));
}

TEST(Correspondencia, DominioECaminho) {
  EXPECT_TRUE(dominioCasa("www.ex.com", "ex.com"));
  EXPECT_TRUE(dominioCasa("EX.com", "ex.com"));
  EXPECT_FALSE(dominioCasa("wwwex.com", "ex.com"));
  EXPECT_FALSE(dominioCasa("ex.com", "www.ex.com"));
  struct Caso {
    std::string requisicao, cookie;
    bool casa;
  } casos[] = {{"/a/", "/a", true}, {"/a/b/", "/a/", true}, {"/ab/", "/a", false},
               {"/A/", "/a", true}, {"/", "/a", false},     {"/a", "/a", true},
               {"/a/b/", "/", true}};
  for (const auto& c : casos) {
    EXPECT_EQ(caminhoCasa(c.requisicao, c.cookie), c.casa) << c.requisicao << " " << c.cookie;
  }
}

struct Relogio {
  int64_t agora = k2020;
  orvanta::Relogio funcao() {
    return [this] { return agora; };
  }
};

TEST(ArmazemCookies, OrdemSubstituicaoEExpiracao) {
  Relogio relogio;
  ArmazemCookies armazem(relogio.funcao());
  armazem.receber("curto=1; Path=/", "h", "/a/");
  relogio.agora += 10;
  armazem.receber("longo=2; Path=/a/b", "h", "/a/");
  armazem.receber("velho=3; Path=/a/b", "h", "/a/");
  armazem.receber("outro=4; Path=/a/c", "h", "/a/");
  armazem.receber("seguro=5; Secure", "h", "/a/");
  relogio.agora += 10;
  // Same name, domain and path (any case): replaced, keeping its creation time.
  armazem.receber("CURTO=9; Path=/", "H", "/a/");
  EXPECT_EQ(armazem.cabecalhoPara("h", "/a/b/"), "longo=2; velho=3; CURTO=9");
  EXPECT_EQ(armazem.cabecalhoPara("outro-host", "/a/b/"), "");

  armazem.receber("longo=x; Max-Age=-1; Path=/a/b", "h", "/a/");
  armazem.receber("velho=3; Path=/a/b; Max-Age=5", "h", "/a/");
  EXPECT_EQ(armazem.cabecalhoPara("h", "/a/b/"), "velho=3; CURTO=9");
  relogio.agora += 5;
  EXPECT_EQ(armazem.cabecalhoPara("h", "/a/b/"), "CURTO=9");
}

TEST(ArmazemCookies, OrdemPorCriacaoEntreCaminhosIguais) {
  Relogio relogio;
  ArmazemCookies armazem(relogio.funcao());
  armazem.receber("b=2", "h", "/");
  relogio.agora += 1;
  armazem.receber("a=1", "h", "/");
  relogio.agora += 1;
  armazem.receber("b=3", "h", "/");
  EXPECT_EQ(armazem.cabecalhoPara("h", "/"), "b=3; a=1");
}

TEST(ArmazemCookies, LimiteDescartaOMenosUsado) {
  Relogio relogio;
  ArmazemCookies armazem(relogio.funcao());
  for (size_t i = 0; i < ArmazemCookies::kMaxCookies; ++i) {
    armazem.receber("c" + std::to_string(i) + "=v; Path=/p" + std::to_string(i), "h", "/");
  }
  relogio.agora += 1;
  armazem.cabecalhoPara("h", "/p0/");  // c0 was used: c1 is now the least recent
  armazem.receber("novo=1", "h", "/");
  EXPECT_EQ(armazem.cookies().size(), ArmazemCookies::kMaxCookies);
  EXPECT_EQ(armazem.cabecalhoPara("h", "/p0/"), "c0=v; novo=1");
  EXPECT_EQ(armazem.cabecalhoPara("h", "/p1/"), "novo=1");
}

TEST(ClienteHttpCookies, VoltaSoAoMesmoHostEVemDeQualquerResposta) {
  ConexoesMemoria conexoes{
      {"HTTP/1.1 100 Continue\r\nSet-Cookie: cem=1\r\n\r\n"
       "HTTP/1.1 302 Found\r\nLocation: /b\r\nSet-Cookie: tres=3; Path=/\r\nContent-Length: "
       "0\r\n\r\n",
       "HTTP/1.1 404 Not Found\r\nSet-Cookie: erro=4; Path=/\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}};
  ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
  EXPECT_THROW(cliente.Get("http://h/a"), ErroHttp);
  EXPECT_THROW(cliente.Get("http://h/a"), ErroHttp);
  cliente.Get("http://h/a");
  cliente.Get("http://sub.h/a");
  EXPECT_EQ(conexoes.enviados.at(0).find("Cookie"), std::string::npos);
  EXPECT_NE(conexoes.enviados.at(2).find("\r\nCookie: cem=1; tres=3; erro=4\r\n"),
            std::string::npos);
  EXPECT_EQ(conexoes.enviados.at(3).find("Cookie"), std::string::npos);
}

TEST(ClienteHttpCookies, ValoresNuncaQuebramOCabecalho) {
  ConexoesMemoria conexoes{{"HTTP/1.1 200 OK\r\nSet-Cookie: a=1\rX: y\r\nContent-Length: 0\r\n\r\n",
                            "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}};
  ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
  cliente.Get("http://h/");
  cliente.Get("http://h/");
  EXPECT_NE(conexoes.enviados.at(1).find("\r\nCookie: a=1X: y\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orvanta
