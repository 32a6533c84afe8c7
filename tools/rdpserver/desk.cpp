// The remote desktop's own screen for tests: an X program on the test server's display that
// shows a pattern tests recognise and records the keys it receives, and its counterpart that
// counts the frames a client shows of the moving part.
//
//   rdpdesk show [--keys FILE] [--move]
//       a window over the whole screen: colour bars, a title, the keys typed so far and a
//       strip that encodes a frame counter; with --move a block slides and the counter
//       advances 60 times a second. Each key press is appended to FILE as
//       "<CLOCK_MONOTONIC nanoseconds> <key name>".
//   rdpdesk watch SECONDS
//       finds the counter strip anywhere on DISPLAY's screen (inside a client's window) and
//       prints how many different counter values it saw per second.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFrameRate = 60;
constexpr int kCell = 16;
constexpr int kCounterBits = 16;
constexpr int kStripX = 16, kStripY = 600;
constexpr int kBandY = 480, kBandHeight = 80, kBlockWidth = 64;

// The bars, left to right; tests compare these pixels with what a client shows.
constexpr unsigned long kBars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                   0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
constexpr unsigned long kBackground = 0x203040;
constexpr unsigned long kMarkerA = 0xFF00FF, kMarkerB = 0x00FFFF;

long long nowNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Desk {
  Display* display;
  Window window;
  GC gc;
  XFontStruct* font;
  int width, height;
  unsigned counter = 0;
  std::string typed;

  void fill(unsigned long colour, int x, int y, int w, int h) {
    XSetForeground(display, gc, colour);
    XFillRectangle(display, window, gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
  }

  void text(const std::string& line, int y) {
    XSetForeground(display, gc, 0xFFFFFF);
    XDrawString(display, window, gc, 40, y, line.c_str(), static_cast<int>(line.size()));
  }

  void drawStill() {
    fill(kBackground, 0, 0, width, height);
    const int bar = width / 8;
    for (int i = 0; i < 8; ++i) fill(kBars[i], i * bar, 40, bar, 200);
    text("Orvanta test server", 300);
    drawTyped();
    drawMoving();
  }

  void drawTyped() {
    fill(kBackground, 0, 330, width, 60);
    text("Keys: " + typed, 370);
  }

  void drawMoving() {
    fill(0x101010, 0, kBandY, width, kBandHeight);
    const int travel = width - kBlockWidth;
    const int x = static_cast<int>((counter * 8) % static_cast<unsigned>(2 * travel));
    fill(0xFFFFFF, x < travel ? x : 2 * travel - x, kBandY, kBlockWidth, kBandHeight);
    fill(kMarkerA, kStripX, kStripY, kCell, kCell);
    fill(kMarkerB, kStripX + kCell, kStripY, kCell, kCell);
    for (int bit = 0; bit < kCounterBits; ++bit) {
      fill((counter >> bit) & 1 ? 0xFFFFFF : 0x000000, kStripX + (2 + bit) * kCell, kStripY, kCell,
           kCell);
    }
  }
};

int show(bool move, const char* keysPath) {
  Desk d{};
  d.display = XOpenDisplay(nullptr);
  if (!d.display) {
    std::fprintf(stderr, "rdpdesk: cannot open the display\n");
    return 1;
  }
  FILE* keys = keysPath ? std::fopen(keysPath, "a") : nullptr;
  const int screen = DefaultScreen(d.display);
  d.width = DisplayWidth(d.display, screen);
  d.height = DisplayHeight(d.display, screen);
  XSetWindowAttributes attributes{};
  // The server's display has no window manager: the window places itself over everything.
  attributes.override_redirect = True;
  attributes.background_pixel = kBackground;
  attributes.event_mask = ExposureMask | KeyPressMask | StructureNotifyMask;
  d.window =
      XCreateWindow(d.display, RootWindow(d.display, screen), 0, 0, static_cast<unsigned>(d.width),
                    static_cast<unsigned>(d.height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  d.gc = XCreateGC(d.display, d.window, 0, nullptr);
  d.font = XLoadQueryFont(d.display, "-*-helvetica-bold-r-*-*-34-*-*-*-*-*-*-*");
  if (!d.font) d.font = XLoadQueryFont(d.display, "10x20");
  if (d.font) XSetFont(d.display, d.gc, d.font->fid);
  XMapRaised(d.display, d.window);
  const int connection = ConnectionNumber(d.display);
  long long nextFrame = nowNs();
  for (;;) {
    while (XPending(d.display)) {
      XEvent event;
      XNextEvent(d.display, &event);
      if (event.type == MapNotify) {
        XSetInputFocus(d.display, d.window, RevertToPointerRoot, CurrentTime);
      } else if (event.type == Expose && event.xexpose.count == 0) {
        d.drawStill();
      } else if (event.type == KeyPress) {
        char chars[8];
        KeySym symbol = NoSymbol;
        XLookupString(&event.xkey, chars, sizeof chars, &symbol, nullptr);
        const char* name = XKeysymToString(symbol);
        if (!name) name = "?";
        if (keys) {
          std::fprintf(keys, "%lld %s\n", nowNs(), name);
          std::fflush(keys);
        }
        d.typed += d.typed.empty() ? name : std::string(" ") + name;
        if (d.typed.size() > 60) d.typed.erase(0, d.typed.size() - 60);
        d.drawTyped();
      }
    }
    XFlush(d.display);
    long long waitNs = 1000000000LL;
    if (move) {
      const long long now = nowNs();
      if (now >= nextFrame) {
        ++d.counter;
        d.drawMoving();
        XFlush(d.display);
        nextFrame += 1000000000LL / kFrameRate;
        if (nextFrame < now) nextFrame = now + 1000000000LL / kFrameRate;
      }
      waitNs = nextFrame - nowNs();
      if (waitNs < 0) waitNs = 0;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    timeval timeout{static_cast<time_t>(waitNs / 1000000000LL),
                    static_cast<suseconds_t>((waitNs % 1000000000LL) / 1000)};
    select(connection + 1, &readable, nullptr, nullptr, &timeout);
  }
}

bool near(unsigned long pixel, unsigned long colour) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((colour >> shift) & 0xFF);
    if (std::abs(a - b) > 60) return false;
  }
  return true;
}

int watch(double seconds) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "rdpdesk: cannot open the display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* screen = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                             static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  int foundX = -1, foundY = -1;
  const int half = kCell / 2;
  for (int y = 0; y + kCell <= attributes.height && foundX < 0; ++y) {
    for (int x = 0; x + (2 + kCounterBits) * kCell <= attributes.width; ++x) {
      if (near(XGetPixel(screen, x, y), kMarkerA) &&
          near(XGetPixel(screen, x + kCell - 1, y + kCell - 1), kMarkerA) &&
          near(XGetPixel(screen, x + kCell + half, y + half), kMarkerB) &&
          (x == 0 || !near(XGetPixel(screen, x - 1, y), kMarkerA)) &&
          (y == 0 || !near(XGetPixel(screen, x, y - 1), kMarkerA))) {
        foundX = x;
        foundY = y;
        break;
      }
    }
  }
  XDestroyImage(screen);
  if (foundX < 0) {
    std::fprintf(stderr, "rdpdesk: no counter strip on the screen\n");
    return 1;
  }
  const long long start = nowNs();
  const long long end = start + static_cast<long long>(seconds * 1e9);
  long long last = -1;
  int changes = 0;
  while (nowNs() < end) {
    XImage* strip =
        XGetImage(display, root, foundX, foundY, static_cast<unsigned>((2 + kCounterBits) * kCell),
                  kCell, AllPlanes, ZPixmap);
    long long value = 0;
    for (int bit = 0; bit < kCounterBits; ++bit) {
      if (near(XGetPixel(strip, (2 + bit) * kCell + half, half), 0xFFFFFF)) value |= 1LL << bit;
    }
    XDestroyImage(strip);
    if (last >= 0 && value != last) ++changes;
    last = value;
    timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
  }
  std::printf("%.1f\n", changes / seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "show") == 0) {
    bool move = false;
    const char* keys = nullptr;
    for (int i = 2; i < argc; ++i) {
      if (std::strcmp(argv[i], "--move") == 0) move = true;
      if (std::strcmp(argv[i], "--keys") == 0 && i + 1 < argc) keys = argv[++i];
    }
    return show(move, keys);
  }
  if (argc == 3 && std::strcmp(argv[1], "watch") == 0) return watch(std::atof(argv[2]));
  std::fprintf(stderr, "usage: rdpdesk show [--keys FILE] [--move] | rdpdesk watch SECONDS\n");
  return 2;
}
