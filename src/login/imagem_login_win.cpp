#include "login/imagem_login_win.h"

#include <algorithm>
#include <array>

#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

UniqueHbrush pincel(COLORREF cor) {
  return UniqueHbrush(CreateSolidBrush(cor));
}
UniqueHpen caneta(int largura, COLORREF cor) {
  return UniqueHpen(CreatePen(PS_SOLID, largura, cor));
}

void fundo(HDC dc, const RECT& area) {
  std::array<TRIVERTEX, 2> v{};
  v[0] = {area.left, area.top, 0x0400, 0x0C00, 0x3000, 0};
  v[1] = {area.right, area.bottom, 0x0100, 0x0300, 0x1000, 0};
  GRADIENT_RECT r{0, 1};
  GradientFill(dc, v.data(), 2, &r, 1, GRADIENT_FILL_RECT_V);
}

// Brightness falls with the distance from the touched square, so the grid seems lit by it.
void quadrados(HDC dc, const RECT& area, POINT toque) {
  const int lado = 30;
  const int passo = 40;
  for (int y = area.top + 18; y + lado < area.bottom - 150; y += passo) {
    for (int x = area.left + 21; x + lado < area.right; x += passo) {
      const int dx = x + lado / 2 - toque.x;
      const int dy = y + lado / 2 - toque.y;
      const int distancia2 = dx * dx + dy * dy;
      const int brilho = 230 - std::min(150, distancia2 / 180);
      const COLORREF borda = RGB(brilho / 4, brilho * 3 / 5, brilho);
      auto c = caneta(distancia2 < passo * passo ? 3 : 1, borda);
      auto p = pincel(RGB(brilho / 12, brilho / 6, brilho / 3));
      SelectGuard sc(dc, c.get());
      SelectGuard sp(dc, p.get());
      RoundRect(dc, x, y, x + lado, y + lado, 6, 6);
    }
  }
}

void mao(HDC dc, const RECT& area, POINT toque) {
  const COLORREF contorno = RGB(150, 210, 255);
  auto c = caneta(2, contorno);
  auto p = pincel(RGB(22, 44, 88));
  SelectGuard sc(dc, c.get());
  SelectGuard sp(dc, p.get());
  const int base = area.bottom;
  // Index finger reaching up to the touched square, the others folded on the palm.
  RoundRect(dc, toque.x - 11, toque.y - 4, toque.x + 11, base - 110, 22, 22);
  RoundRect(dc, toque.x + 6, base - 150, toque.x + 30, base - 95, 22, 22);
  RoundRect(dc, toque.x + 26, base - 142, toque.x + 50, base - 92, 22, 22);
  RoundRect(dc, toque.x + 44, base - 130, toque.x + 66, base - 88, 22, 22);
  RoundRect(dc, toque.x - 30, base - 125, toque.x + 68, base + 20, 40, 40);
  RoundRect(dc, toque.x - 52, base - 100, toque.x - 22, base - 40, 26, 26);
}

void brilho(HDC dc, POINT toque) {
  for (int raio = 26; raio >= 6; raio -= 5) {
    const int nivel = 255 - raio * 4;
    auto p = pincel(RGB(nivel / 3, nivel * 4 / 5, nivel));
    auto c = caneta(1, RGB(nivel / 3, nivel * 4 / 5, nivel));
    SelectGuard sc(dc, c.get());
    SelectGuard sp(dc, p.get());
    Ellipse(dc, toque.x - raio, toque.y - raio, toque.x + raio, toque.y + raio);
  }
}

}  // namespace

void PintarImagemLogin(HDC dc, const RECT& area) {
  fundo(dc, area);
  const POINT toque{area.left + 156, area.top + 193};  // centre of a grid square
  quadrados(dc, area, toque);
  mao(dc, area, toque);
  brilho(dc, toque);
}

}  // namespace orvanta
