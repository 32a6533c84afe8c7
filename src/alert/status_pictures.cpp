#include "alert/status_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orvanta {

namespace {

// Each pixel is the mean of kSamples x kSamples points, which smooths every edge.
constexpr int kSamples = 4;
constexpr double kPi = 3.14159265358979323846;

// A colour with premultiplied alpha while the layers are composed.
struct Paint {
  double r = 0, g = 0, b = 0, a = 0;
};

Paint solid(double r, double g, double b, double a = 1.0) {
  return {r * a, g * a, b * a, a};
}

// Lays `top` over `under`.
Paint over(const Paint& top, const Paint& under) {
  const double keep = 1.0 - top.a;
  return {top.r + under.r * keep, top.g + under.g * keep, top.b + under.b * keep,
          top.a + under.a * keep};
}

double mix(double a, double b, double t) {
  return a + (b - a) * t;
}

// The globe: a sphere filling columns 10-38 and rows 9-37, with its shadow below.
constexpr double kGlobeX = 24.5;
constexpr double kGlobeY = 23.5;
constexpr double kGlobeRadius = 14.5;
// The badge: a disc over the globe's lower right, columns 27-40 and rows 28-40.
constexpr double kBadgeX = 34.0;
constexpr double kBadgeY = 34.5;
constexpr double kBadgeRadius = 6.6;

// A continent: an ellipse in degrees of longitude and latitude with a wavy coast.
struct Landmass {
  double lon, lat, lonRadius, latRadius, wave;
};

// Seen from above the Atlantic: the Americas on the left, Europe and Africa on the right.
constexpr std::array<Landmass, 6> kLand{{
    {-100, 48, 34, 20, 1.0},  // North America
    {-84, 20, 12, 10, 2.0},   // Central America
    {-60, -14, 18, 27, 3.0},  // South America
    {-42, 72, 14, 9, 4.0},    // Greenland
    {15, 50, 18, 10, 5.0},    // Europe
    {18, 5, 22, 26, 6.0},     // Africa
}};

bool isLand(double lon, double lat) {
  for (const Landmass& m : kLand) {
    const double dx = (lon - m.lon) / m.lonRadius;
    const double dy = (lat - m.lat) / m.latRadius;
    const double angle = std::atan2(dy, dx);
    const double coast =
        1.0 + 0.14 * std::sin(5 * angle + m.wave) + 0.08 * std::sin(11 * angle + 2 * m.wave);
    if (dx * dx + dy * dy < coast * coast) return true;
  }
  return false;
}

Paint globeShadow(double x, double y) {
  const double dx = (x - kGlobeX) / 11.0;
  const double dy = (y - 38.9) / 2.0;
  const double d = dx * dx + dy * dy;
  if (d >= 1.0) return {};
  return solid(0.05, 0.1, 0.2, 0.35 * (1.0 - d));
}

Paint globe(double x, double y) {
  const double nx = (x - kGlobeX) / kGlobeRadius;
  const double ny = (y - kGlobeY) / kGlobeRadius;
  const double rr = nx * nx + ny * ny;
  if (rr >= 1.0) return {};
  const double nz = std::sqrt(1.0 - rr);
  // Tilted a little towards the viewer, the north pole up.
  const double tilt = 0.35;
  const double up = -ny * std::cos(tilt) + nz * std::sin(tilt);
  const double depth = ny * std::sin(tilt) + nz * std::cos(tilt);
  const double lat = std::asin(std::clamp(up, -1.0, 1.0)) * 180.0 / kPi;
  const double lon = std::atan2(nx, depth) * 180.0 / kPi - 45.0;
  const bool land = isLand(lon, lat);
  double r = land ? 0.30 : 0.10;
  double g = land ? 0.72 : 0.42;
  double b = land ? 0.22 : 0.86;
  // Light from the upper left, in front.
  const double lx = -0.45, ly = -0.6, lz = 0.66;
  const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
  const double shade = 0.38 + 0.8 * diffuse;
  r *= shade;
  g *= shade;
  b *= shade;
  // A light rim along the edge.
  const double rim = std::pow(1.0 - nz, 3.0) * 0.75;
  r = mix(r, 0.70, rim);
  g = mix(g, 0.88, rim);
  b = mix(b, 1.00, rim);
  // Gloss: a sharp highlight and a soft reflection over the upper half.
  const double hx = lx, hy = ly, hz = lz + 1.0;
  const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
  const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hn), 40.0);
  const double gx = nx / 0.78, gy = (ny + 0.42) / 0.5;
  const double reflection = gx * gx + gy * gy < 1.0 ? 0.5 * (1.0 - (ny + 0.92) / 0.84) : 0.0;
  const double white = std::clamp(specular * 0.9 + std::max(0.0, reflection), 0.0, 1.0);
  r = mix(r, 1.0, white);
  g = mix(g, 1.0, white);
  b = mix(b, 1.0, white);
  // A thin dark outline keeps the light rim apart from a light background.
  const double outline = std::clamp((std::sqrt(rr) - 0.94) / 0.06, 0.0, 1.0) * 0.55;
  r = mix(r, 0.05, outline);
  g = mix(g, 0.20, outline);
  b = mix(b, 0.45, outline);
  return solid(std::min(r, 1.0), std::min(g, 1.0), std::min(b, 1.0));
}

// Distance from a point to the segment a-b.
double toSegment(double x, double y, double ax, double ay, double bx, double by) {
  const double vx = bx - ax, vy = by - ay;
  const double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
  const double dx = x - (ax + t * vx), dy = y - (ay + t * vy);
  return std::sqrt(dx * dx + dy * dy);
}

Paint badge(double x, double y) {
  const double dx = x - kBadgeX, dy = y - kBadgeY;
  const double d = std::sqrt(dx * dx + dy * dy) / kBadgeRadius;
  if (d >= 1.0) return {};
  const double arm = 2.9;
  const double stroke = 0.85;
  if (toSegment(x, y, kBadgeX - arm, kBadgeY - arm, kBadgeX + arm, kBadgeY + arm) < stroke ||
      toSegment(x, y, kBadgeX - arm, kBadgeY + arm, kBadgeX + arm, kBadgeY - arm) < stroke) {
    return solid(1.0, 1.0, 1.0);
  }
  // Lighter at the top, a darker red edge.
  const double t = std::clamp((dy / kBadgeRadius + 1.0) / 2.0, 0.0, 1.0);
  double r = mix(0.95, 0.72, t), g = mix(0.30, 0.04, t), b = mix(0.26, 0.04, t);
  const double edge = std::clamp((d - 0.84) / 0.16, 0.0, 1.0);
  r = mix(r, 0.50, edge);
  g = mix(g, 0.0, edge);
  b = mix(b, 0.0, edge);
  return solid(r, g, b);
}

Paint sample(int index, double x, double y) {
  Paint p = over(globe(x, y), globeShadow(x, y));
  if (index == kPictureGlobeWithBadge) p = over(badge(x, y), p);
  return p;
}

uint8_t byte(double v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

}  // namespace

std::vector<Rgba> drawStatusPicture(int index, int size) {
  if (index < 0 || index >= kStatusPictureCount || size < 1) return {};
  // Sampled in design pixels, so any size shows the same picture.
  const double step = static_cast<double>(kStatusPictureSize) / size;
  std::vector<Rgba> pixels(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Paint sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Paint p =
              sample(index, (x + (sx + 0.5) / kSamples) * step, (y + (sy + 0.5) / kSamples) * step);
          sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
        }
      }
      const double n = kSamples * kSamples;
      const double a = sum.a / n;
      Rgba& out = pixels[static_cast<size_t>(y) * size + x];
      if (a > 0) out = {byte(sum.r / n / a), byte(sum.g / n / a), byte(sum.b / n / a), byte(a)};
    }
  }
  return pixels;
}

}  // namespace orvanta
