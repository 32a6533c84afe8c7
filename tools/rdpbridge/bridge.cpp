// The RDP bridge: a Linux process that runs one FreeRDP client session per connection of the
// stand-in control and speaks the bridge protocol (protocol.h) with it. FreeRDP stays here,
// outside Wine: its portability library exports Win32-named functions that clash with Wine's.
//
//   rdpbridge --listen HOST:PORT [--ready FILE]
//
// Each accepted connection is served by a child process of its own (FreeRDP keeps global
// state), which ends with its session and with the bridge itself. One line per session event
// goes to standard error.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <freerdp/codec/color.h>
#include <freerdp/freerdp.h>
#include <freerdp/gdi/gdi.h>
#include <freerdp/input.h>
#include <freerdp/settings.h>
#include <winpr/synch.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "protocol.h"

namespace {

using rdpbridge::MessageType;
using rdpbridge::MessageWriter;

void note(const std::string& line) {
  std::fprintf(stderr, "rdpbridge[%d] %s\n", static_cast<int>(getpid()), line.c_str());
}

bool sendAll(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

// The FreeRDP context of one session, with the connection to the control beside it.
struct BridgeContext {
  rdpContext base;
  int peer;
  bool peerGone;
};

BridgeContext* bridgeOf(rdpContext* context) {
  return reinterpret_cast<BridgeContext*>(context);
}

void tell(rdpContext* context, const std::string& bytes) {
  BridgeContext* bridge = bridgeOf(context);
  if (!bridge->peerGone && !sendAll(bridge->peer, bytes)) bridge->peerGone = true;
}

void tellSize(rdpContext* context) {
  tell(context, MessageWriter(MessageType::kConnected)
                    .putNumber(context->gdi->width)
                    .putNumber(context->gdi->height)
                    .bytes());
}

BOOL beginPaint(rdpContext* context) {
  HGDI_WND window = context->gdi->primary->hdc->hwnd;
  window->invalid->null = TRUE;
  window->ninvalid = 0;
  return TRUE;
}

// Sends the rectangle that this update changed.
BOOL endPaint(rdpContext* context) {
  rdpGdi* gdi = context->gdi;
  HGDI_WND window = gdi->primary->hdc->hwnd;
  if (window->invalid->null) return TRUE;
  const INT32 left = std::max<INT32>(window->invalid->x, 0);
  const INT32 top = std::max<INT32>(window->invalid->y, 0);
  const INT32 right = std::min<INT32>(window->invalid->x + window->invalid->w, gdi->width);
  const INT32 bottom = std::min<INT32>(window->invalid->y + window->invalid->h, gdi->height);
  if (right <= left || bottom <= top) return TRUE;
  const UINT32 width = static_cast<UINT32>(right - left);
  MessageWriter frame(MessageType::kFrame);
  frame.putNumber(static_cast<uint32_t>(left))
      .putNumber(static_cast<uint32_t>(top))
      .putNumber(width)
      .putNumber(static_cast<uint32_t>(bottom - top));
  for (INT32 y = top; y < bottom; ++y) {
    frame.putBytes(gdi->primary_buffer + static_cast<size_t>(y) * gdi->stride + left * 4u,
                   width * 4u);
  }
  tell(context, frame.bytes());
  return TRUE;
}

BOOL desktopResize(rdpContext* context) {
  rdpSettings* settings = context->settings;
  if (!gdi_resize(context->gdi, freerdp_settings_get_uint32(settings, FreeRDP_DesktopWidth),
                  freerdp_settings_get_uint32(settings, FreeRDP_DesktopHeight))) {
    return FALSE;
  }
  tellSize(context);
  return TRUE;
}

BOOL preConnect(freerdp*) {
  return TRUE;
}

BOOL postConnect(freerdp* instance) {
  if (!gdi_init(instance, PIXEL_FORMAT_BGRX32)) return FALSE;
  instance->update->BeginPaint = beginPaint;
  instance->update->EndPaint = endPaint;
  instance->update->DesktopResize = desktopResize;
  tellSize(instance->context);
  return TRUE;
}

void postDisconnect(freerdp* instance) {
  gdi_free(instance);
}

// Nobody is there to type credentials: go on with the ones given.
BOOL authenticate(freerdp*, char**, char**, char**) {
  return TRUE;
}

// The test server's certificate is made up on the spot: accept it for this session.
DWORD verifyCertificate(freerdp*, const char*, UINT16, const char*, const char*, const char*,
                        const char*, DWORD) {
  return 2;
}

// Why a connection that never came up failed, as the platform control would say it.
uint32_t connectFailure(rdpContext* context) {
  switch (freerdp_get_last_error(context)) {
    case FREERDP_ERROR_DNS_ERROR:
    case FREERDP_ERROR_DNS_NAME_NOT_FOUND:
      return rdpbridge::kReasonLookupFailed;
    case FREERDP_ERROR_CONNECT_FAILED:
      return rdpbridge::kReasonConnectFailed;
    default:
      // The server took the connection and then refused it: a server with authentication
      // turned on closes the connection when the credentials are wrong.
      return rdpbridge::kReasonLogonFailed;
  }
}

void applySettings(rdpSettings* s, const rdpbridge::ConnectRequest& r) {
  freerdp_settings_set_string(s, FreeRDP_ServerHostname, r.server.c_str());
  freerdp_settings_set_uint32(s, FreeRDP_ServerPort, r.port);
  freerdp_settings_set_string(s, FreeRDP_Username, r.userName.c_str());
  freerdp_settings_set_string(s, FreeRDP_Password, r.password.c_str());
  if (!r.domain.empty()) freerdp_settings_set_string(s, FreeRDP_Domain, r.domain.c_str());
  freerdp_settings_set_uint32(s, FreeRDP_DesktopWidth, r.width);
  freerdp_settings_set_uint32(s, FreeRDP_DesktopHeight, r.height);
  freerdp_settings_set_uint32(s, FreeRDP_ColorDepth, 32);
  freerdp_settings_set_bool(s, FreeRDP_SoftwareGdi, TRUE);
  freerdp_settings_set_bool(s, FreeRDP_IgnoreCertificate, TRUE);
  const bool drives = r.redirections & rdpbridge::kRedirectDrives;
  const bool printers = r.redirections & rdpbridge::kRedirectPrinters;
  const bool ports = r.redirections & rdpbridge::kRedirectPorts;
  freerdp_settings_set_bool(s, FreeRDP_RedirectDrives, drives);
  freerdp_settings_set_bool(s, FreeRDP_RedirectPrinters, printers);
  freerdp_settings_set_bool(s, FreeRDP_RedirectSerialPorts, ports);
  freerdp_settings_set_bool(s, FreeRDP_RedirectParallelPorts, ports);
  freerdp_settings_set_bool(s, FreeRDP_DeviceRedirection, drives || printers || ports);
}

// Applies one message of the control to the running session; false ends it.
bool apply(rdpContext* context, const rdpbridge::Message& message) {
  rdpbridge::PayloadReader in(message.payload);
  uint32_t a = 0, b = 0, c = 0;
  switch (message.type) {
    case MessageType::kKey:
      if (!in.number(a) || !in.number(b)) return false;
      // Bit 8 marks an extended key, as FreeRDP's own scan codes do.
      freerdp_input_send_keyboard_event_ex(context->input, b != 0, a & 0x1FF);
      return true;
    case MessageType::kPointer:
      if (!in.number(a) || !in.number(b) || !in.number(c)) return false;
      freerdp_input_send_mouse_event(context->input, static_cast<UINT16>(a), static_cast<UINT16>(b),
                                     static_cast<UINT16>(c));
      return true;
    default:
      return false;
  }
}

void serve(int peer) {
  rdpbridge::MessageReader reader;
  std::optional<rdpbridge::Message> first;
  char buffer[65536];
  while (!(first = reader.next()) && !reader.broken()) {
    const ssize_t n = recv(peer, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    reader.feed(buffer, static_cast<size_t>(n));
  }
  const auto request = first && first->type == MessageType::kConnect
                           ? rdpbridge::decodeConnect(first->payload)
                           : std::nullopt;
  if (!request) {
    note("the first message was no connection request");
    return;
  }
  note("connect " + request->server + ":" + std::to_string(request->port) + " user " +
       request->userName + " " + std::to_string(request->width) + "x" +
       std::to_string(request->height) + " drives " +
       std::to_string((request->redirections & rdpbridge::kRedirectDrives) != 0) + " printers " +
       std::to_string((request->redirections & rdpbridge::kRedirectPrinters) != 0) + " ports " +
       std::to_string((request->redirections & rdpbridge::kRedirectPorts) != 0));

  freerdp* instance = freerdp_new();
  instance->ContextSize = sizeof(BridgeContext);
  instance->PreConnect = preConnect;
  instance->PostConnect = postConnect;
  instance->PostDisconnect = postDisconnect;
  instance->Authenticate = authenticate;
  instance->VerifyCertificateEx = verifyCertificate;
  if (!freerdp_context_new(instance)) {
    freerdp_free(instance);
    return;
  }
  rdpContext* context = instance->context;
  bridgeOf(context)->peer = peer;
  bridgeOf(context)->peerGone = false;
  applySettings(context->settings, *request);

  uint32_t reason = rdpbridge::kReasonConnectionLost;
  if (!freerdp_connect(instance)) {
    reason = connectFailure(context);
  } else {
    note("connected");
    HANDLE peerEvent = CreateFileDescriptorEvent(nullptr, FALSE, FALSE, peer, WINPR_FD_READ);
    for (bool running = true; running;) {
      if (freerdp_shall_disconnect(instance)) {
        reason = rdpbridge::kReasonServer;
        break;
      }
      HANDLE handles[MAXIMUM_WAIT_OBJECTS];
      DWORD count = freerdp_get_event_handles(context, handles, MAXIMUM_WAIT_OBJECTS - 1);
      if (count == 0) break;
      handles[count++] = peerEvent;
      if (WaitForMultipleObjects(count, handles, FALSE, 100) == WAIT_FAILED) break;
      if (!freerdp_check_event_handles(context)) {
        reason = freerdp_error_info(instance) != 0 ? rdpbridge::kReasonServer
                                                   : rdpbridge::kReasonConnectionLost;
        break;
      }
      const ssize_t n = recv(peer, buffer, sizeof buffer, MSG_DONTWAIT);
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        bridgeOf(context)->peerGone = true;
        reason = rdpbridge::kReasonLocal;
        break;
      }
      if (n > 0) reader.feed(buffer, static_cast<size_t>(n));
      while (auto message = reader.next()) {
        if (message->type == MessageType::kDisconnect) {
          reason = rdpbridge::kReasonLocal;
          running = false;
          break;
        }
        if (!apply(context, *message)) {
          note("malformed message from the control");
          reason = rdpbridge::kReasonLocal;
          running = false;
          break;
        }
      }
      if (reader.broken()) break;
    }
    CloseHandle(peerEvent);
    freerdp_disconnect(instance);
  }
  note("disconnected " + std::to_string(reason));
  tell(context, MessageWriter(MessageType::kDisconnected).putNumber(reason).bytes());
  freerdp_context_free(instance);
  freerdp_free(instance);
}

bool parseAddress(const std::string& text, sockaddr_in& address) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos) return false;
  address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(std::atoi(text.c_str() + colon + 1)));
  return inet_pton(AF_INET, text.substr(0, colon).c_str(), &address.sin_addr) == 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string listenAt, ready;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--listen") == 0) listenAt = argv[i + 1];
    if (std::strcmp(argv[i], "--ready") == 0) ready = argv[i + 1];
  }
  sockaddr_in address;
  if (!parseAddress(listenAt, address)) {
    std::fprintf(stderr, "usage: rdpbridge --listen HOST:PORT [--ready FILE]\n");
    return 2;
  }
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  const int yes = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 8) != 0) {
    std::perror("rdpbridge: listen");
    return 1;
  }
  socklen_t size = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  char host[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, host, sizeof host);
  const std::string bound = std::string(host) + ":" + std::to_string(ntohs(address.sin_port));
  if (!ready.empty()) {
    std::ofstream(ready + ".tmp") << bound << "\n";
    std::rename((ready + ".tmp").c_str(), ready.c_str());
  }
  note("listening on " + bound);
  // Children are reaped by the system; each ends with its session.
  signal(SIGCHLD, SIG_IGN);
  const pid_t bridge = getpid();
  for (;;) {
    const int peer = accept(listener, nullptr, nullptr);
    if (peer < 0) {
      if (errno == EINTR) continue;
      std::perror("rdpbridge: accept");
      return 1;
    }
    if (fork() == 0) {
      // A session never outlives the bridge that its starter stops by process id.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != bridge) _exit(0);
      close(listener);
      setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
      serve(peer);
      close(peer);
      _exit(0);
    }
    close(peer);
  }
}
