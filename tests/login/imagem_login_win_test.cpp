#include "login/imagem_login_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orvanta {
namespace {

// Paints into a 32-bit DIB and reads the pixels back.
struct Quadro {
  static constexpr int largura = 282;
  static constexpr int altura = 401;
  std::vector<uint32_t> pixels;

  Quadro() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), largura, -altura, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC tela = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(tela);
    HBITMAP bmp = CreateDIBSection(tela, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ anterior = SelectObject(dc, bmp);
    PintarImagemLogin(dc, RECT{0, 0, largura, altura});
    GdiFlush();
    auto* p = static_cast<uint32_t*>(bits);
    pixels.assign(p, p + largura * altura);
    if (const char* destino = std::getenv("ORVANTA_SALVAR_IMAGEM")) {
      salvar(destino, info);
    }
    SelectObject(dc, anterior);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, tela);
  }
  void salvar(const char* destino, BITMAPINFO info) {
    BITMAPFILEHEADER cabecalho{0x4D42, 0, 0, 0,
                               sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    const DWORD tamanho = static_cast<DWORD>(pixels.size() * 4);
    cabecalho.bfSize = cabecalho.bfOffBits + tamanho;
    if (FILE* f = std::fopen(destino, "wb")) {
      std::fwrite(&cabecalho, sizeof cabecalho, 1, f);
      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
      std::fwrite(pixels.data(), 1, tamanho, f);
      std::fclose(f);
    }
  }
  int r(int x, int y) const { return (pixels[y * largura + x] >> 16) & 0xFF; }
  int g(int x, int y) const { return (pixels[y * largura + x] >> 8) & 0xFF; }
  int b(int x, int y) const { return pixels[y * largura + x] & 0xFF; }
};

TEST(ImagemLogin, DarkBlueFieldWithALitSquareUnderTheFinger) {
  const Quadro q;
  // Corners: dark and blue-dominant.
  for (auto [x, y] : {std::pair{2, 2}, std::pair{279, 398}, std::pair{2, 398}}) {
    EXPECT_GT(q.b(x, y), q.r(x, y)) << x << "," << y;
    EXPECT_LT(q.b(x, y), 0x50) << x << "," << y;
  }
  // The touched point glows.
  EXPECT_GT(q.b(156, 193), 200);
  EXPECT_GT(q.g(156, 193), 150);
}

}  // namespace
}  // namespace orvanta
