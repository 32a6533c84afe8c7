// The bridge protocol: what the stand-in control (in Wine) and the RDP bridge (a Linux
// process running FreeRDP) say to each other over one loopback TCP connection per session.
//
// Every message is a header of five bytes, the payload's length as a little-endian 32-bit
// number and the message type, followed by the payload. Numbers in a payload are
// little-endian 32-bit; a text is its length in bytes followed by that many bytes of UTF-8.
//
//   control -> bridge
//     kConnect     port, width, height, redirections (kRedirect* bits),
//                  texts server, domain, user name, password; the first message, sent once
//     kKey         scan code (the set 1 make code; bit 8 set for an extended key), down (0/1)
//     kPointer     flags (the protocol's own pointer event flags: move, buttons, wheel), x, y
//     kDisconnect  nothing; the bridge ends the session and answers kDisconnected with 1
//   bridge -> control
//     kConnected     width, height of the remote desktop
//     kDisconnected  reason (the control's disconnect reason); the bridge closes afterwards
//     kFrame         x, y, width, height, then width * height pixels of four bytes (blue,
//                    green, red, unused) row by row from the top: a changed rectangle
//
// A peer that reads a malformed message (length over kMaxPayload, short payload, unknown
// type) drops the connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rdpbridge {

enum class MessageType : uint8_t {
  kConnect = 1,
  kKey = 2,
  kPointer = 3,
  kDisconnect = 4,
  kConnected = 0x81,
  kDisconnected = 0x82,
  kFrame = 0x83,
};

constexpr uint32_t kRedirectDrives = 1;
constexpr uint32_t kRedirectPrinters = 2;
constexpr uint32_t kRedirectPorts = 4;

constexpr size_t kHeaderSize = 5;
// A full frame of 4096 x 4096 pixels and a little more.
constexpr uint32_t kMaxPayload = 4096u * 4096u * 4u + 64u;

// Disconnect reasons as the platform control reports them.
constexpr uint32_t kReasonLocal = 1;
constexpr uint32_t kReasonServer = 3;
constexpr uint32_t kReasonLookupFailed = 260;
constexpr uint32_t kReasonConnectFailed = 516;
constexpr uint32_t kReasonLogonFailed = 2055;
constexpr uint32_t kReasonConnectionLost = 2308;

struct ConnectRequest {
  uint32_t port = 3389, width = 1024, height = 768, redirections = 0;
  std::string server, domain, userName, password;
};

struct FrameHeader {
  uint32_t x = 0, y = 0, width = 0, height = 0;
};

// Builds one message; the payload is appended with the put* helpers.
class MessageWriter {
 public:
  explicit MessageWriter(MessageType type) : bytes_(kHeaderSize, '\0') {
    bytes_[4] = static_cast<char>(type);
  }
  MessageWriter& putNumber(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes_ += static_cast<char>((value >> shift) & 0xFF);
    return *this;
  }
  MessageWriter& putText(std::string_view text) {
    putNumber(static_cast<uint32_t>(text.size()));
    bytes_.append(text);
    return *this;
  }
  MessageWriter& putBytes(const void* data, size_t size) {
    bytes_.append(static_cast<const char*>(data), size);
    return *this;
  }
  // The finished message, its length filled in.
  const std::string& bytes() {
    const uint32_t length = static_cast<uint32_t>(bytes_.size() - kHeaderSize);
    for (int i = 0; i < 4; ++i) bytes_[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return bytes_;
  }

 private:
  std::string bytes_;
};

// Reads the fields of one payload in order; every read after a short one fails too.
class PayloadReader {
 public:
  explicit PayloadReader(std::string_view payload) : rest_(payload) {}
  bool number(uint32_t& out) {
    if (!ok_ || rest_.size() < 4) return ok_ = false;
    out = 0;
    for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<uint8_t>(rest_[i]);
    rest_.remove_prefix(4);
    return true;
  }
  bool text(std::string& out) {
    uint32_t size = 0;
    if (!number(size) || rest_.size() < size) return ok_ = false;
    out.assign(rest_.substr(0, size));
    rest_.remove_prefix(size);
    return true;
  }
  std::string_view rest() const { return rest_; }
  bool ok() const { return ok_; }

 private:
  std::string_view rest_;
  bool ok_ = true;
};

struct Message {
  MessageType type;
  std::string payload;
};

// Collects bytes as they arrive and hands out whole messages.
class MessageReader {
 public:
  void feed(const char* data, size_t size) { buffer_.append(data, size); }
  // The next whole message, or nothing yet. After a malformed header broken() is true and
  // nothing more is handed out.
  std::optional<Message> next() {
    if (broken_ || buffer_.size() - start_ < kHeaderSize) return std::nullopt;
    uint32_t length = 0;
    for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<uint8_t>(buffer_[start_ + i]);
    const auto type = static_cast<uint8_t>(buffer_[start_ + 4]);
    if (length > kMaxPayload || !known(type)) {
      broken_ = true;
      return std::nullopt;
    }
    if (buffer_.size() - start_ < kHeaderSize + length) return std::nullopt;
    Message message{static_cast<MessageType>(type), buffer_.substr(start_ + kHeaderSize, length)};
    start_ += kHeaderSize + length;
    // Drops what was handed out once it is worth the copy.
    if (start_ > 65536 && start_ * 2 > buffer_.size()) {
      buffer_.erase(0, start_);
      start_ = 0;
    }
    return message;
  }
  bool broken() const { return broken_; }

 private:
  static bool known(uint8_t type) {
    return (type >= 1 && type <= 4) || (type >= 0x81 && type <= 0x83);
  }
  std::string buffer_;
  size_t start_ = 0;
  bool broken_ = false;
};

inline std::string encodeConnect(const ConnectRequest& r) {
  return MessageWriter(MessageType::kConnect)
      .putNumber(r.port)
      .putNumber(r.width)
      .putNumber(r.height)
      .putNumber(r.redirections)
      .putText(r.server)
      .putText(r.domain)
      .putText(r.userName)
      .putText(r.password)
      .bytes();
}

inline std::optional<ConnectRequest> decodeConnect(std::string_view payload) {
  ConnectRequest r;
  PayloadReader in(payload);
  in.number(r.port);
  in.number(r.width);
  in.number(r.height);
  in.number(r.redirections);
  in.text(r.server);
  in.text(r.domain);
  in.text(r.userName);
  in.text(r.password);
  if (!in.ok() || !in.rest().empty()) return std::nullopt;
  return r;
}

// The frame's rectangle and its pixels; nothing when the pixel count does not match.
inline std::optional<FrameHeader> decodeFrame(std::string_view payload, std::string_view& pixels) {
  FrameHeader f;
  PayloadReader in(payload);
  in.number(f.x);
  in.number(f.y);
  in.number(f.width);
  in.number(f.height);
  if (!in.ok() || f.width > 4096 || f.height > 4096 ||
      in.rest().size() != static_cast<size_t>(f.width) * f.height * 4) {
    return std::nullopt;
  }
  pixels = in.rest();
  return f;
}

// Whether the frame's rectangle lies inside a screen of width x height (no sum may wrap).
inline bool fitsIn(const FrameHeader& f, uint32_t width, uint32_t height) {
  return f.x <= width && f.width <= width - f.x && f.y <= height && f.height <= height - f.y;
}

}  // namespace rdpbridge
