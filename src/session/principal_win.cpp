#include "session/principal_win.h"

#include "login/versao.h"
#include "service/hosts.h"
#include "ui/application_win.h"

#include <algorithm>

namespace orvanta {

TFrmPrincipal* FrmPrincipal = nullptr;

namespace {

constexpr int kAlturaBarra = 25;
constexpr int kAlturaRotulo = 13;
constexpr int kAlturaTeclado = 180;

}  // namespace

TFrmPrincipal::TFrmPrincipal(Application& app) : Window(app) {
  setFont(createFont(L"MS Sans Serif", 11));
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmPrincipal",
                  .caption = "Orvanta - Lessendra",
                  .clientWidth = 784,
                  .clientHeight = 562,
                  .position = POINT{248, 121}});
  Panel1.create(*this, {0, 0, 784, kAlturaBarra});
  SpeedButton1.create(Panel1, {3, 0, 86, 22}, "Tela Cheia", true);
  SpeedButton3.create(Panel1, {99, 0, 86, 22}, "Reconectar", true);
  SpeedButton4.create(Panel1, {195, 0, 86, 22}, "Teclado Virtual", true);
  SpeedButton5.create(Panel1, {303, 0, 154, 22}, "Ajuda para transferir arquivos", true);
  SpeedButton6.create(Panel1, {463, 0, 154, 22}, "Ajuda para imprimir", true);
  SpeedButton2.create(Panel1, {623, 0, 86, 22}, "Suporte", true);
  SpeedButton3.setEnabled(false);
  TouchKeyboard1.create(*this, {0, 562 - kAlturaRotulo - kAlturaTeclado, 784, kAlturaTeclado});
  TouchKeyboard1.setVisible(false);
  Label1.create(*this, {0, 562 - kAlturaRotulo, 784, kAlturaRotulo}, std::string(VersaoCliente),
                Label::Align::center);
  Memo1.create(*this, {0, 0, 185, 89}, {}, Edit::Options{.multiLine = true});
  Memo1.setVisible(false);
  Edit1.create(*this, {0, 0, 121, 21});
  Edit1.setVisible(false);
  shell_ = WinShell(hwnd());
  // Created here so that a missing class fails the window set with the platform's text.
  MsRdpClient71 = std::make_unique<rdp::SessaoRdpWin>(hwnd(), rdp::criaControle(), *this,
                                                      ChecaImpressao, shell_, HostSite);
  SpeedButton1.onClick = [this] { sessao().telaCheia(); };
  SpeedButton3.onClick = [this] { sessao().reconectar(); };
  SpeedButton4.onClick = [this] { TouchKeyboard1.setVisible(!TouchKeyboard1.visible()); };
  SpeedButton5.onClick = [this] { sessao().ajudaTransferencia(); };
  SpeedButton6.onClick = [this] { sessao().ajudaImpressao(); };
  SpeedButton2.onClick = [this] { sessao().suporte(); };
}

TFrmPrincipal::~TFrmPrincipal() {
  destroy();
  MsRdpClient71.reset();
}

RECT TFrmPrincipal::areaControle() const {
  RECT cliente;
  GetClientRect(hwnd(), &cliente);
  int fundo = cliente.bottom - kAlturaRotulo;
  if (TouchKeyboard1.visible()) fundo -= kAlturaTeclado;
  return {0, kAlturaBarra, cliente.right, std::max<int>(fundo, kAlturaBarra)};
}

void TFrmPrincipal::onShow() {
  if (mostrada_) return;
  mostrada_ = true;
  MsRdpClient71->posiciona(areaControle());
  sessao().FormShow(loginChoices && loginChoices().impressorasDiretas);
}

void TFrmPrincipal::onClose() {
  sessao().FormClose();
}

void TFrmPrincipal::onResize(int clientWidth, int clientHeight) {
  Panel1.setBounds({0, 0, clientWidth, kAlturaBarra});
  Label1.setBounds({0, clientHeight - kAlturaRotulo, clientWidth, kAlturaRotulo});
  TouchKeyboard1.setBounds(
      {0, clientHeight - kAlturaRotulo - kAlturaTeclado, clientWidth, kAlturaTeclado});
  if (mostrada_) MsRdpClient71->posiciona(areaControle());
}

void TFrmPrincipal::ajustaATela() {
  RECT atual;
  GetWindowRect(hwnd(), &atual);
  setBounds({atual.left, atual.top, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  showMaximized();
}

void TFrmPrincipal::setReconectarHabilitado(bool habilitado) {
  SpeedButton3.setEnabled(habilitado);
}

void TFrmPrincipal::mostraAjudaTransferencia() {
  if (mostrarAjudaTransferencia) mostrarAjudaTransferencia();
}

void TFrmPrincipal::mostraAjudaImpressao() {
  if (mostrarAjudaImpressao) mostrarAjudaImpressao();
}

void TFrmPrincipal::solicitaTermino() {
  app().terminate();
}

EscolhasLogin TFrmPrincipal::relayChoices() {
  return loginChoices ? loginChoices() : EscolhasLogin{};
}

}  // namespace orvanta
