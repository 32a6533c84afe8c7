#include "rdpbridge/protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rdpbridge {
namespace {

std::string frameMessage(uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                         size_t pixelBytes) {
  return MessageWriter(MessageType::kFrame)
      .putNumber(x)
      .putNumber(y)
      .putNumber(width)
      .putNumber(height)
      .putBytes(std::string(pixelBytes, '\x7f').data(), pixelBytes)
      .bytes();
}

std::vector<Message> readAll(MessageReader& reader) {
  std::vector<Message> out;
  while (auto m = reader.next()) out.push_back(*m);
  return out;
}

TEST(BridgeProtocolTest, ConnectRequestKeepsEveryField) {
  ConnectRequest sent;
  sent.port = 3390;
  sent.width = 1024;
  sent.height = 768;
  sent.redirections = kRedirectDrives | kRedirectPorts;
  sent.server = "127.0.0.6";
  sent.userName = "demo2024";
  sent.password = "s\xC3\xA9nha:;\n";  // UTF-8 and separators pass unchanged
  MessageReader reader;
  const std::string bytes = encodeConnect(sent);
  reader.feed(bytes.data(), bytes.size());
  const auto message = reader.next();
  ASSERT_TRUE(message);
  ASSERT_EQ(message->type, MessageType::kConnect);
  const auto got = decodeConnect(message->payload);
  ASSERT_TRUE(got);
  EXPECT_EQ(got->port, 3390u);
  EXPECT_EQ(got->width, 1024u);
  EXPECT_EQ(got->height, 768u);
  EXPECT_EQ(got->redirections, kRedirectDrives | kRedirectPorts);
  EXPECT_EQ(got->server, "127.0.0.6");
  EXPECT_EQ(got->domain, "");
  EXPECT_EQ(got->userName, "demo2024");
  EXPECT_EQ(got->password, sent.password);
}

// TCP hands bytes over in pieces of any size: whole messages come out all the same.
TEST(BridgeProtocolTest, MessagesSurviveAnySplit) {
  const std::string stream =
      MessageWriter(MessageType::kConnected).putNumber(1024).putNumber(768).bytes() +
      frameMessage(2, 3, 2, 2, 16) + MessageWriter(MessageType::kDisconnected).putNumber(3).bytes();
  for (size_t piece : {size_t{1}, size_t{3}, size_t{7}, stream.size()}) {
    MessageReader reader;
    std::vector<Message> got;
    for (size_t at = 0; at < stream.size(); at += piece) {
      reader.feed(stream.data() + at, std::min(piece, stream.size() - at));
      for (auto& m : readAll(reader)) got.push_back(m);
    }
    ASSERT_EQ(got.size(), 3u) << "pieces of " << piece;
    EXPECT_EQ(got[0].type, MessageType::kConnected);
    EXPECT_EQ(got[1].type, MessageType::kFrame);
    EXPECT_EQ(got[2].type, MessageType::kDisconnected);
    std::string_view pixels;
    const auto frame = decodeFrame(got[1].payload, pixels);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->x, 2u);
    EXPECT_EQ(frame->height, 2u);
    EXPECT_EQ(pixels, std::string(16, '\x7f'));
    EXPECT_FALSE(reader.broken());
  }
}

TEST(BridgeProtocolTest, HostileHeadersBreakTheReader) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"length beyond the limit", std::string("\xff\xff\xff\x7f\x83", 5)},
      {"unknown type", std::string("\x00\x00\x00\x00\x05", 5)},
      {"type zero", std::string("\x00\x00\x00\x00\x00", 5)},
  };
  for (const Case& c : cases) {
    MessageReader reader;
    reader.feed(c.bytes.data(), c.bytes.size());
    EXPECT_FALSE(reader.next()) << c.name;
    EXPECT_TRUE(reader.broken()) << c.name;
  }
}

TEST(BridgeProtocolTest, MalformedPayloadsAreRefused) {
  auto payloadOf = [](const std::string& message) { return message.substr(kHeaderSize); };
  std::string_view pixels;
  // Pixel counts that do not match the rectangle, and sizes whose product would overflow.
  EXPECT_FALSE(decodeFrame(payloadOf(frameMessage(0, 0, 2, 2, 15)), pixels));
  EXPECT_FALSE(decodeFrame(payloadOf(frameMessage(0, 0, 2, 2, 17)), pixels));
  EXPECT_FALSE(decodeFrame(payloadOf(frameMessage(0, 0, 0x40000000u, 4, 0)), pixels));
  EXPECT_FALSE(decodeFrame(payloadOf(frameMessage(0, 0, 1, 4097, 4 * 4097)), pixels));
  EXPECT_FALSE(decodeFrame("\x01\x02", pixels));
  EXPECT_TRUE(decodeFrame(payloadOf(frameMessage(0, 0, 0, 0, 0)), pixels));

  const std::string connect = payloadOf(encodeConnect(ConnectRequest{}));
  EXPECT_TRUE(decodeConnect(connect));
  EXPECT_FALSE(decodeConnect(connect.substr(0, connect.size() - 1)));
  EXPECT_FALSE(decodeConnect(connect + "x"));
  // A text whose length runs past the payload.
  std::string longText = connect;
  longText[16] = '\x40';
  EXPECT_FALSE(decodeConnect(longText));
}

TEST(BridgeProtocolTest, FramesMustLieInsideTheScreen) {
  struct Case {
    FrameHeader frame;
    bool fits;
  };
  const Case cases[] = {
      {{0, 0, 1024, 768}, true},
      {{1023, 767, 1, 1}, true},
      {{1000, 0, 25, 1}, false},
      {{0, 760, 1, 9}, false},
      {{1025, 0, 0, 0}, false},
      // Sums that would wrap around to a small number.
      {{0xFFFFFFFFu, 0, 2, 1}, false},
      {{0, 0xFFFFFFF0u, 1, 0x20}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fitsIn(c.frame, 1024, 768), c.fits)
        << c.frame.x << "," << c.frame.y << " " << c.frame.width << "x" << c.frame.height;
  }
}

}  // namespace
}  // namespace rdpbridge
