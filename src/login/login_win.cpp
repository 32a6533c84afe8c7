#include "login/login_win.h"

#include <commctrl.h>

#include "app/excecao.h"
#include "login/imagem_login_win.h"
#include "login/seletor_site.h"
#include "ui/text_win.h"

namespace orvanta {
namespace {

constexpr wchar_t kClasse[] = L"TFrmLogin";
constexpr int kLarguraCliente = 566;
constexpr int kAlturaCliente = 401;
constexpr UINT_PTR kSubclasseCampo = 1;

HFONT tahoma(int alturaPx) {
  return CreateFontW(-alturaPx, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

void registrarClasse(WNDPROC procedimento) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClasse, &wc)) {
    return;
  }
  wc.lpfnWndProc = procedimento;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kClasse;
  RegisterClassExW(&wc);
}

bool marcado(HWND caixa) {
  return SendMessageW(caixa, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TFrmLogin::TFrmLogin(Ligacoes ligacoes)
    : ligacoes_(std::move(ligacoes)), nucleo_(*ligacoes_.mensagens) {
  registrarClasse(&TFrmLogin::procedimento);
  const DWORD estilo = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT r{0, 0, kLarguraCliente, kAlturaCliente};
  AdjustWindowRectEx(&r, estilo, FALSE, 0);
  const int largura = r.right - r.left;
  const int altura = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - largura) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - altura) / 2;
  CreateWindowExW(0, kClasse, L"Login Orvanta", estilo, x, y, largura, altura, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) {
    throw Excecao("Error creating window class TFrmLogin", "EOSError");
  }
  criarControles();
}

TFrmLogin::~TFrmLogin() {
  if (hwnd_ != nullptr) {
    DestroyWindow(hwnd_);
  }
}

void TFrmLogin::criarControles() {
  fonte_.reset(tahoma(16));
  fonteOpcoes_.reset(tahoma(13));
  const HINSTANCE inst = GetModuleHandleW(nullptr);
  auto criar = [&](const wchar_t* classe, const wchar_t* texto, DWORD estilo, DWORD estiloEx, int x,
                   int y, int largura, int altura, HFONT fonte) {
    HWND h = CreateWindowExW(estiloEx, classe, texto, WS_CHILD | WS_VISIBLE | estilo, x, y, largura,
                             altura, hwnd_, nullptr, inst, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonte), FALSE);
    return h;
  };
  auto rotulo = [&](const wchar_t* texto, int x, int y) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ anterior = SelectObject(dc, fonte_.get());
    SIZE tamanho{};
    GetTextExtentPoint32W(dc, texto, lstrlenW(texto), &tamanho);
    SelectObject(dc, anterior);
    ReleaseDC(hwnd_, dc);
    return criar(L"STATIC", texto, SS_LEFT | SS_NOPREFIX, 0, x, y, tamanho.cx, tamanho.cy,
                 fonte_.get());
  };
  const HFONT f = fonte_.get();
  // Creation order is the tab order: Edit1, Edit2, Button1, RadioGroup1, CheckBox1, CheckBox2.
  edit1_ = criar(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_LOWERCASE, WS_EX_CLIENTEDGE, 304,
                 87, 241, 27, f);
  edit2_ = criar(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE, 304,
                 151, 241, 27, f);
  SendMessageW(edit2_, EM_SETPASSWORDCHAR, L'*', 0);
  button1_ = criar(L"BUTTON", L"Login", WS_TABSTOP | BS_PUSHBUTTON, 0, 344, 280, 153, 41, f);
  radioGroup1_ = criar(L"BUTTON", L"", BS_GROUPBOX, 0, 304, 200, 241, 41, f);
  const int colunaPx = (241 - 16) / 2;
  radios_[0] = criar(L"BUTTON", L"Ruruvudud", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0,
                     304 + 8, 200 + 14, colunaPx, 20, f);
  radios_[1] = criar(L"BUTTON", L"Rozevuv", BS_AUTORADIOBUTTON, 0, 304 + 8 + colunaPx, 200 + 14,
                     colunaPx, 20, f);
  SendMessageW(radios_[0], BM_SETCHECK, BST_CHECKED, 0);
  checkBox1_ =
      criar(L"BUTTON", L"Comunicação direta com as impressoras",
            WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, 304, 352, 254, 17, fonteOpcoes_.get());
  checkBox2_ = criar(L"BUTTON", L"Rota Alternativa", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 304, 376, 254,
                     17, fonteOpcoes_.get());
  rotulo(L"Usuário", 304, 62);
  rotulo(L"Senha", 304, 126);
  image1_ = criar(L"STATIC", L"", SS_OWNERDRAW, 0, 0, 0, 282, kAlturaCliente, f);
  definirSeletorVisivel(false);
  for (HWND campo : {edit1_, edit2_}) {
    SetWindowSubclass(campo, &TFrmLogin::campoTexto, kSubclasseCampo,
                      reinterpret_cast<DWORD_PTR>(this));
  }
}

void TFrmLogin::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(edit1_);
  FormShow();
}

void TFrmLogin::Close() {
  ShowWindow(hwnd_, SW_HIDE);
}

std::string TFrmLogin::usuarioDigitado() const {
  const int tamanho = GetWindowTextLengthW(edit1_);
  std::wstring texto(static_cast<size_t>(tamanho) + 1, L'\0');
  GetWindowTextW(edit1_, texto.data(), tamanho + 1);
  texto.resize(static_cast<size_t>(tamanho));
  return narrow(texto);
}

bool TFrmLogin::impressorasDiretas() const {
  return marcado(checkBox1_);
}
bool TFrmLogin::rotaAlternativa() const {
  return marcado(checkBox2_);
}
int TFrmLogin::RadioGroup1ItemIndex() const {
  return marcado(radios_[1]) ? 1 : 0;
}
bool TFrmLogin::RadioGroup1Visible() const {
  return IsWindowVisible(radioGroup1_) != FALSE;
}

void TFrmLogin::FormShow() {
  nucleo_.FormShow(*ligacoes_.IdHTTP1, ligacoes_.executarAtualizacao);
}

void TFrmLogin::Edit1Exit() {
  definirSeletorVisivel(SeletorSiteVisivel(usuarioDigitado()));
}

void TFrmLogin::definirSeletorVisivel(bool visivel) {
  for (HWND h : {radioGroup1_, radios_[0], radios_[1]}) {
    ShowWindow(h, visivel ? SW_SHOW : SW_HIDE);
  }
}

void TFrmLogin::RadioGroup1Click() {
  SetFocus(button1_);
}

void TFrmLogin::Button1Click() {
  const int tamanho = GetWindowTextLengthW(edit2_);
  std::wstring senha(static_cast<size_t>(tamanho) + 1, L'\0');
  GetWindowTextW(edit2_, senha.data(), tamanho + 1);
  senha.resize(static_cast<size_t>(tamanho));
  const CamposLogin campos{usuarioDigitado(), narrow(senha), RadioGroup1Visible(),
                           RadioGroup1ItemIndex(), rotaAlternativa()};
  nucleo_.Login(*ligacoes_.IdHTTP1, campos, ligacoes_.controle(), ligacoes_.passarSessao);
}

void TFrmLogin::comando(HWND controle, WORD notificacao) {
  if (controle == edit1_ && notificacao == EN_KILLFOCUS) {
    Edit1Exit();
  } else if (notificacao != BN_CLICKED) {
    return;
  } else if (controle == button1_) {
    Button1Click();
  } else if (controle == radios_[0] || controle == radios_[1]) {
    RadioGroup1Click();
  } else if (controle == checkBox1_) {
    nucleo_.CheckBox1Click(impressorasDiretas());
  } else if (controle == checkBox2_) {
    nucleo_.CheckBox2Click(rotaAlternativa());
  }
}

LRESULT CALLBACK TFrmLogin::campoTexto(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR dados) {
  auto* self = reinterpret_cast<TFrmLogin*>(dados);
  if (msg == WM_KEYUP && wParam == VK_RETURN) {
    self->Button1Click();
    return 0;
  }
  if (msg == WM_CHAR && wParam == L'\r') {
    return 0;  // a single-line field has no use for it; no beep
  }
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TFrmLogin::campoTexto, kSubclasseCampo);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TFrmLogin::procedimento(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TFrmLogin*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TFrmLogin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (self != nullptr) {
      self->hwnd_ = nullptr;
    }
  }
  if (self == nullptr || self->hwnd_ == nullptr) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  return self->tratar(msg, wParam, lParam);
}

LRESULT TFrmLogin::tratar(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      comando(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->hwndItem == image1_) {
        PintarImagemLogin(item->hDC, item->rcItem);
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      Close();
      if (ligacoes_.aoFechar) {
        ligacoes_.aoFechar();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace orvanta
