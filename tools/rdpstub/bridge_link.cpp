#include "bridge_link.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

namespace rdpstub {

namespace {

using rdpbridge::MessageType;

bool sendAll(SOCKET s, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const int n = ::send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

SOCKET connectTo(const std::string& address) {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  const auto colon = address.rfind(':');
  if (!started || colon == std::string::npos) return INVALID_SOCKET;
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(address.substr(0, colon).c_str(), address.substr(colon + 1).c_str(), &hints,
                  &found) != 0) {
    return INVALID_SOCKET;
  }
  SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (s != INVALID_SOCKET && connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) != 0) {
    closesocket(s);
    s = INVALID_SOCKET;
  }
  freeaddrinfo(found);
  if (s != INVALID_SOCKET) {
    const BOOL yes = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&yes), sizeof yes);
  }
  return s;
}

// Takes a message of the bridge into the shared screen; false when it is malformed.
bool take(BridgeLink::Shared& shared, HWND notify, const rdpbridge::Message& message,
          bool& connected) {
  if (message.type == MessageType::kConnected) {
    rdpbridge::PayloadReader in(message.payload);
    uint32_t width = 0, height = 0;
    if (!in.number(width) || !in.number(height) || width > 4096 || height > 4096) return false;
    {
      std::lock_guard lock(shared.screen);
      shared.width = static_cast<int>(width);
      shared.height = static_cast<int>(height);
      shared.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    }
    if (!connected) PostMessageW(notify, kLinkConnected, 0, 0);
    connected = true;
    return true;
  }
  if (message.type != MessageType::kFrame) return false;
  std::string_view pixels;
  const auto frame = rdpbridge::decodeFrame(message.payload, pixels);
  if (!frame) return false;
  std::lock_guard lock(shared.screen);
  if (!rdpbridge::fitsIn(*frame, static_cast<uint32_t>(shared.width),
                         static_cast<uint32_t>(shared.height))) {
    return false;
  }
  const size_t row = static_cast<size_t>(frame->width) * 4;
  for (uint32_t y = 0; y < frame->height; ++y) {
    std::memcpy(
        shared.pixels.data() + (static_cast<size_t>(frame->y + y) * shared.width + frame->x) * 4,
        pixels.data() + y * row, row);
  }
  const RECT rect = {static_cast<LONG>(frame->x), static_cast<LONG>(frame->y),
                     static_cast<LONG>(frame->x + frame->width),
                     static_cast<LONG>(frame->y + frame->height)};
  UnionRect(&shared.changed, &shared.changed, &rect);
  // One notice at a time: the UI thread takes all that changed in one go.
  if (!shared.changePosted) {
    shared.changePosted = true;
    PostMessageW(notify, kLinkFrame, 0, 0);
  }
  return true;
}

void run(std::shared_ptr<BridgeLink::Shared> shared, HWND notify, std::string bridge,
         std::string request) {
  auto report = [&](UINT message, WPARAM reason) {
    if (!shared->stopping) PostMessageW(notify, message, reason, 0);
  };
  const SOCKET s = connectTo(bridge);
  if (s == INVALID_SOCKET) {
    report(kLinkFailed, rdpbridge::kReasonConnectFailed);
    return;
  }
  shared->socket = s;
  {
    std::lock_guard lock(shared->sending);
    sendAll(s, request);
  }
  rdpbridge::MessageReader reader;
  bool connected = false;
  WPARAM reason = rdpbridge::kReasonConnectionLost;
  std::vector<char> buffer(1 << 16);
  for (bool running = true; running && !shared->stopping;) {
    // Polls so that the link going away ends the wait even where shutdown does not wake recv.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval wait = {0, 50000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0) continue;
    const int n = ready < 0 ? -1 : recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n <= 0) {
      if (shared->local) reason = rdpbridge::kReasonLocal;
      break;
    }
    reader.feed(buffer.data(), static_cast<size_t>(n));
    while (auto message = reader.next()) {
      if (message->type == MessageType::kDisconnected) {
        rdpbridge::PayloadReader in(message->payload);
        uint32_t said = 0;
        if (in.number(said)) reason = said;
        running = false;
        break;
      }
      if (!take(*shared, notify, *message, connected)) {
        running = false;
        break;
      }
    }
    if (reader.broken()) break;
  }
  shared->socket = INVALID_SOCKET;
  closesocket(s);
  report(kLinkFailed, reason);
}

}  // namespace

BridgeLink::BridgeLink(HWND notify, std::string bridge, rdpbridge::ConnectRequest request)
    : shared_(std::make_shared<Shared>()) {
  worker_ = std::thread(run, shared_, notify, std::move(bridge), rdpbridge::encodeConnect(request));
}

BridgeLink::~BridgeLink() {
  shared_->stopping = true;
  const SOCKET s = shared_->socket.load();
  if (s != INVALID_SOCKET) shutdown(s, SD_BOTH);
  worker_.join();
}

void BridgeLink::send(const std::string& bytes) {
  std::lock_guard lock(shared_->sending);
  const SOCKET s = shared_->socket.load();
  if (s != INVALID_SOCKET) sendAll(s, bytes);
}

void BridgeLink::close() {
  shared_->local = true;
  send(rdpbridge::MessageWriter(MessageType::kDisconnect).bytes());
}

void BridgeLink::key(unsigned scanCode, bool down) {
  send(rdpbridge::MessageWriter(MessageType::kKey).putNumber(scanCode).putNumber(down).bytes());
}

void BridgeLink::pointer(unsigned flags, int x, int y) {
  send(rdpbridge::MessageWriter(MessageType::kPointer)
           .putNumber(flags)
           .putNumber(static_cast<uint32_t>(std::max(x, 0)))
           .putNumber(static_cast<uint32_t>(std::max(y, 0)))
           .bytes());
}

bool BridgeLink::paint(HDC dc, const RECT& area) {
  std::lock_guard lock(shared_->screen);
  if (shared_->width == 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shared_->width;
  info.bmiHeader.biHeight = -shared_->height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(
      dc, 0, 0, static_cast<DWORD>(shared_->width), static_cast<DWORD>(shared_->height), 0, 0, 0,
      static_cast<UINT>(shared_->height), shared_->pixels.data(), &info, DIB_RGB_COLORS);
  // Beyond the remote screen the area stays black, as around a smaller desktop.
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT right = {shared_->width, 0, area.right, area.bottom};
  const RECT below = {0, shared_->height, std::min<LONG>(shared_->width, area.right), area.bottom};
  if (right.left < right.right) FillRect(dc, &right, black);
  if (below.top < below.bottom) FillRect(dc, &below, black);
  return true;
}

RECT BridgeLink::takeChanged() {
  std::lock_guard lock(shared_->screen);
  const RECT changed = shared_->changed;
  shared_->changed = {};
  shared_->changePosted = false;
  return changed;
}

}  // namespace rdpstub
