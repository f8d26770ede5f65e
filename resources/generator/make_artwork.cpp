// Makes the program's artwork and sounds: tolva_artwork OUTDIR
//
// Everything is drawn from code so that the files can be remade and changed. The output is the
// same, byte for byte, on every run: no clock, no random numbers, and no transcendental functions
// whose last bit could differ between C libraries (angles go through Chebyshev polynomials, the
// tones through an integer phase accumulator).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// libjpeg needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The standard 16-colour palette; the icons use nothing else.
constexpr std::array<Rgb, 16> kPalette = {{{0, 0, 0},       {128, 0, 0},   {0, 128, 0},
                                           {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
                                           {0, 128, 128},   {192, 192, 192}, {128, 128, 128},
                                           {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                           {0, 0, 255},     {255, 0, 255}, {0, 255, 255},
                                           {255, 255, 255}}};
constexpr Rgb kBlack = kPalette[0], kOlive = kPalette[3], kGrey = kPalette[8],
              kSilver = kPalette[7], kRed = kPalette[9], kYellow = kPalette[11],
              kBlue = kPalette[12], kMagenta = kPalette[13], kWhite = kPalette[15],
              kNavy = kPalette[4], kDarkRed = kPalette[1], kGreen = kPalette[2],
              kPurple = kPalette[5], kAqua = kPalette[14];
constexpr Rgb kOrange{255, 128, 0};

struct Point {
  double x, y;
};

// An RGB picture drawn in logical pixels. With scale > 1 every logical pixel holds scale x scale
// samples, and Reduced() averages them into a smooth picture; with scale 1 edges stay hard,
// which the small tool bar images and the 16-colour icons need.
class Canvas {
 public:
  Canvas(int width, int height, Rgb background, int scale = 1)
      : width_(width * scale), height_(height * scale), scale_(scale),
        pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

  int width() const { return width_ / scale_; }
  int height() const { return height_ / scale_; }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = c;
  }

  // Paints every sample whose centre lies in the box (logical coordinates) and inside the shape.
  void Fill(double x0, double y0, double x1, double y1, Rgb c,
            const std::function<bool(double, double)>& inside) {
    const double s = scale_;
    const int i0 = std::max(0, static_cast<int>(std::floor(x0 * s)));
    const int j0 = std::max(0, static_cast<int>(std::floor(y0 * s)));
    const int i1 = std::min(width_, static_cast<int>(std::ceil(x1 * s)));
    const int j1 = std::min(height_, static_cast<int>(std::ceil(y1 * s)));
    for (int j = j0; j < j1; ++j) {
      for (int i = i0; i < i1; ++i) {
        if (inside((i + 0.5) / s, (j + 0.5) / s)) pixels_[Index(i, j)] = c;
      }
    }
  }

  Canvas Reduced() const {
    Canvas out(width(), height(), {});
    const int n = scale_ * scale_;
    for (int y = 0; y < out.height_; ++y) {
      for (int x = 0; x < out.width_; ++x) {
        int r = 0, g = 0, b = 0;
        for (int j = 0; j < scale_; ++j) {
          for (int i = 0; i < scale_; ++i) {
            const Rgb p = At(x * scale_ + i, y * scale_ + j);
            r += p.r;
            g += p.g;
            b += p.b;
          }
        }
        out.Set(x, y, {static_cast<std::uint8_t>((r + n / 2) / n),
                       static_cast<std::uint8_t>((g + n / 2) / n),
                       static_cast<std::uint8_t>((b + n / 2) / n)});
      }
    }
    return out;
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_, height_, scale_;
  std::vector<Rgb> pixels_;
};

// ---- Shapes -------------------------------------------------------------------------------------

void Rect(Canvas& c, double x0, double y0, double x1, double y1, Rgb colour) {
  c.Fill(x0, y0, x1, y1, colour, [](double, double) { return true; });
}

void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, Rgb colour) {
  c.Fill(cx - rx, cy - ry, cx + rx, cy + ry, colour, [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  });
}

void Ring(Canvas& c, double cx, double cy, double inner, double outer, Rgb colour) {
  c.Fill(cx - outer, cy - outer, cx + outer, cy + outer, colour, [=](double x, double y) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d2 <= outer * outer && d2 >= inner * inner;
  });
}

void Polygon(Canvas& c, std::vector<Point> points, Rgb colour) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const Point& p : points) {
    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  }
  c.Fill(x0, y0, x1, y1, colour, [pts = std::move(points)](double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      if ((pts[i].y > y) != (pts[j].y > y) &&
          x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x) {
        in = !in;
      }
    }
    return in;
  });
}

// A stroke of the given width through the points, with round ends and joints.
void Line(Canvas& c, std::initializer_list<Point> points, double width, Rgb colour) {
  const std::vector<Point> pts(points);
  const double r = width / 2;
  for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
    const Point a = pts[k], b = pts[k + 1];
    c.Fill(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
           std::max(a.y, b.y) + r, colour, [=](double x, double y) {
             const double vx = b.x - a.x, vy = b.y - a.y;
             const double len2 = vx * vx + vy * vy;
             double t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0;
             t = std::clamp(t, 0.0, 1.0);
             const double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
             return dx * dx + dy * dy <= r * r;
           });
  }
}

// cos(n * angle of (dx, dy)) for n a power of two, without trigonometry: cos 2a = 2 cos^2 a - 1.
double CosMultiple(double dx, double dy, int n) {
  const double d = std::sqrt(dx * dx + dy * dy);
  double v = d > 0 ? dx / d : 1.0;
  for (int k = 1; k < n; k *= 2) v = 2 * v * v - 1;
  return v;
}

// A gear of eight teeth with a hole in the middle.
void Gear(Canvas& c, double cx, double cy, double body, double teeth, double hole, Rgb colour) {
  c.Fill(cx - teeth, cy - teeth, cx + teeth, cy + teeth, colour, [=](double x, double y) {
    const double dx = x - cx, dy = y - cy, d = std::sqrt(dx * dx + dy * dy);
    if (d < hole) return false;
    return d <= body || (d <= teeth && CosMultiple(dx, dy, 8) > 0.1);
  });
}

// Pixel art at scale 1: one string per row, '.' leaves the pixel alone.
void Sprite(Canvas& c, int x, int y, std::initializer_list<std::string_view> rows,
            std::initializer_list<std::pair<char, Rgb>> legend) {
  int j = 0;
  for (std::string_view row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      for (const auto& [key, colour] : legend) {
        if (row[i] == key) c.Set(x + static_cast<int>(i), y + j, colour);
      }
    }
    ++j;
  }
}

// ---- Lettering ----------------------------------------------------------------------------------

// A 5-wide bitmap font, rows 0-6 above the base line, 7-8 descenders; only the letters the
// artwork needs. Spacing is proportional to the inked columns.
struct Glyph {
  char ch;
  std::array<std::uint8_t, 9> rows;
};
constexpr std::array<Glyph, 23> kFont = {{
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0, 0}},
    {'o', {0, 0, 0x0E, 0x11, 0x11, 0x11, 0x0E, 0, 0}},
    {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E, 0, 0}},
    {'v', {0, 0, 0x11, 0x11, 0x11, 0x0A, 0x04, 0, 0}},
    {'a', {0, 0, 0x0E, 0x01, 0x0F, 0x11, 0x0F, 0, 0}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11, 0, 0}},
    {'.', {0, 0, 0, 0, 0, 0x18, 0x18, 0, 0}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D, 0, 0}},
    {'u', {0, 0, 0x11, 0x11, 0x11, 0x13, 0x0D, 0, 0}},
    {'e', {0, 0, 0x0E, 0x11, 0x1F, 0x10, 0x0E, 0, 0}},
    {'n', {0, 0, 0x16, 0x19, 0x11, 0x11, 0x11, 0, 0}},
    {'r', {0, 0, 0x16, 0x19, 0x10, 0x10, 0x10, 0, 0}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02, 0, 0}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08, 0, 0}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11, 0, 0}},
    {'w', {0, 0, 0x11, 0x11, 0x15, 0x15, 0x0A, 0, 0}},
    {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E, 0, 0}},
    {'y', {0, 0, 0x11, 0x11, 0x11, 0x13, 0x0D, 0x01, 0x0E}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0, 0x04, 0, 0}},
    {'i', {0x04, 0, 0x0C, 0x04, 0x04, 0x04, 0x0E, 0, 0}},
    {' ', {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {'m', {0, 0, 0x1A, 0x15, 0x15, 0x15, 0x15, 0, 0}},
    {'c', {0, 0, 0x0E, 0x11, 0x10, 0x11, 0x0E, 0, 0}},
}};

const Glyph& FindGlyph(char ch) {
  for (const Glyph& g : kFont) {
    if (g.ch == ch) return g;
  }
  std::fprintf(stderr, "no glyph for '%c'\n", ch);
  std::exit(1);
}

// Leftmost inked column and number of inked columns (a space counts as two).
std::pair<int, int> InkedColumns(const Glyph& g) {
  int lo = 5, hi = -1;
  for (std::uint8_t row : g.rows) {
    for (int col = 0; col < 5; ++col) {
      if (row & (0x10 >> col)) lo = std::min(lo, col), hi = std::max(hi, col);
    }
  }
  return hi < 0 ? std::pair{0, 2} : std::pair{lo, hi - lo + 1};
}

struct TextStyle {
  double sx = 1, sy = 1;  // size of one font cell
  double slant = 0;       // horizontal shift per unit of height above the base line
  double weight = 1;      // width of the pen
};

// Width in font cells, not counting the slant.
int TextCells(std::string_view text) {
  int cells = 0;
  for (char ch : text) cells += InkedColumns(FindGlyph(ch)).second + 1;
  return cells - 1;
}

// Draws text with the top of its capitals at y. Each glyph is written with a round pen that joins
// neighbouring inked cells, so large lettering comes out as smooth strokes rather than blocks;
// with one-pixel cells and pen it gives back the bitmap exactly.
void Text(Canvas& c, double x, double y, std::string_view text, const TextStyle& st, Rgb colour) {
  for (char ch : text) {
    const Glyph& g = FindGlyph(ch);
    const auto [lo, cols] = InkedColumns(g);
    auto inked = [&, lo = lo](int row, int col) {
      return row >= 0 && row < 9 && col >= 0 && col < 5 &&
             (g.rows[static_cast<std::size_t>(row)] & (0x10 >> col)) != 0;
    };
    auto at = [&, lo = lo](int row, int col) {
      return Point{x + (col - lo + 0.5) * st.sx + (7 - (row + 0.5)) * st.sy * st.slant,
                   y + (row + 0.5) * st.sy};
    };
    for (int row = 0; row < 9; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (!inked(row, col)) continue;
        Line(c, {at(row, col), at(row, col)}, st.weight, colour);
        if (inked(row, col + 1)) Line(c, {at(row, col), at(row, col + 1)}, st.weight, colour);
        if (inked(row + 1, col)) Line(c, {at(row, col), at(row + 1, col)}, st.weight, colour);
        for (int side : {-1, 1}) {
          if (inked(row + 1, col + side) && !inked(row, col + side) && !inked(row + 1, col)) {
            Line(c, {at(row, col), at(row + 1, col + side)}, st.weight, colour);
          }
        }
      }
    }
    x += (cols + 1) * st.sx;
  }
}

// ---- The pictures -------------------------------------------------------------------------------

// The product's face in a 32 x 32 square at (ox, oy), drawn k times larger.
void Face(Canvas& c, double ox, double oy, double k) {
  auto P = [&](double x, double y) { return Point{ox + x * k, oy + y * k}; };
  Polygon(c,
          {P(1, 23), P(0, 14), P(0.5, 7), P(3, 2.5), P(8, 0), P(16, -0.5), P(23, 0.5),
           P(27.5, 3), P(29, 7), P(24, 4.5), P(17, 4.5), P(13, 8), P(11.5, 14), P(12, 19),
           P(14, 23)},
          kYellow);
  Line(c, {P(4, 21), P(3, 14), P(4.5, 7), P(9, 3)}, 0.9 * k, kOlive);
  Line(c, {P(8.5, 21), P(8, 14), P(9.5, 8), P(14, 3.5)}, 0.9 * k, kOlive);
  const Point centre = P(19.5, 13);
  Ellipse(c, centre.x, centre.y, 8.5 * k, 10.5 * k, kGrey);
  Ellipse(c, centre.x, centre.y, 7.5 * k, 9.5 * k, kWhite);
  Polygon(c, {P(11, 7), P(15, 3), P(23, 2.5), P(28, 5), P(28.5, 9), P(24, 5.5), P(17, 5.5),
              P(13, 9)},
          kYellow);
  for (double ex : {15.5, 23.0}) {
    Line(c, {P(ex - 2.2, 8.6), P(ex + 1.8, 8.2)}, 0.9 * k, kBlack);
    Ellipse(c, ox + ex * k, oy + 11 * k, 2.2 * k, 1.4 * k, kBlue);
    Ellipse(c, ox + ex * k, oy + 11 * k, 0.8 * k, 0.8 * k, kBlack);
  }
  Line(c, {P(19.5, 12.5), P(18.6, 15.8), P(20, 16)}, 0.8 * k, kGrey);
  Ellipse(c, ox + 19.5 * k, oy + 19 * k, 3.4 * k, 1.5 * k, kRed);
  Line(c, {P(16.5, 19), P(22.5, 19)}, 0.5 * k, kDarkRed);
}

// The product's icon, side pixels square: from 32 up the face scaled to the width with the name
// under it; at 20 and 24 the face alone, filling the square; at 16 every other pixel of the 32,
// as the system reduced the icon before it had images of other sizes, so that the notification
// area and the title bars at 96 dots per inch look as they always did.
Canvas ProductIcon(int side = 32) {
  Canvas c(side, side, kWhite);
  if (side == 16) {
    const Canvas large = ProductIcon(32);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) c.Set(x, y, large.At(2 * x + 1, 2 * y));
    }
  } else if (side >= 32) {
    Face(c, 0, 0, side / 32.0);
    const TextStyle st{};
    Text(c, (side - TextCells("Tolva")) / 2, side - 8, "Tolva", st, kMagenta);
  } else {
    constexpr double kFaceWidth = 29, kFaceHeight = 23.5;
    const double k = side / kFaceWidth;
    Face(c, 0, (side - kFaceHeight * k) / 2 + 0.5 * k, k);
  }
  return c;
}

Canvas Lettering(int width, int height, std::string_view text, const TextStyle& st, Rgb ink,
                 Rgb shadow) {
  constexpr int kScale = 4;
  Canvas c(width, height, kBlue, kScale);
  const double w = TextCells(text) * st.sx + 7 * st.sy * st.slant;
  // Centre the lettering on its capitals, or on capitals and descenders where it has any.
  const bool descends = std::any_of(text.begin(), text.end(),
                                    [](char ch) { return FindGlyph(ch).rows[7] != 0; });
  const double x = (width - w) / 2, y = (height - (descends ? 9 : 7) * st.sy) / 2 - 0.5;
  Text(c, x + 1.5, y + 1.5, text, st, shadow);
  Text(c, x, y, text, st, ink);
  return c.Reduced();
}

// The maker's web site name in purple on aqua, with a small trade mark sign raised after it.
Canvas SiteLettering(int width, int height) {
  constexpr int kScale = 4;
  constexpr std::string_view site = "www.marrowby.com";
  const TextStyle st{1.68, 2.2, 0.1, 1.6};
  const TextStyle mark{0.75, 0.8, 0, 0.7};
  Canvas c(width, height, kAqua, kScale);
  const double w = TextCells(site) * st.sx + 7 * st.sy * st.slant;
  const double markWidth = TextCells("TM") * mark.sx;
  const double x = (width - w - 1.5 - markWidth) / 2, y = (height - 9 * st.sy) / 2;
  Text(c, x, y, site, st, kPurple);
  Text(c, x + w + 1.5, y - 0.5, "TM", mark, kPurple);
  return c.Reduced();
}

// The eleven 16 x 16 tool bar images side by side; magenta is the transparent background.
Canvas ToolBar() {
  Canvas c(176, 16, kMagenta);
  const std::initializer_list<std::pair<char, Rgb>> legend = {
      {'k', kBlack}, {'w', kWhite}, {'g', kGrey}, {'s', kSilver},   {'h', {255, 210, 160}},
      {'d', {190, 120, 70}}, {'y', kYellow}, {'b', kBlue}, {'n', kNavy}, {'r', kRed}};
  auto Page = [&](int x, int y, Rgb lines) {
    Sprite(c, x, y,
           {"kkkkkkk...", "kwwwwwkk..", "kwwwwwksk.", "kwwwwwkkkk", "kwwwwwwwwk", "kwwwwwwwwk",
            "kwwwwwwwwk", "kwwwwwwwwk", "kwwwwwwwwk", "kwwwwwwwwk", "kwwwwwwwwk", "kwwwwwwwwk",
            "kkkkkkkkkk"},
           legend);
    for (int row = 5; row <= 10; row += 2) Rect(c, x + 2, y + row, x + 8, y + row + 1, lines);
  };
  auto Hand = [&](int x, int y) {
    Sprite(c, x, y,
           {"..k.k.k...", ".khkhkhk..", ".khkhkhkk.", ".khkhkhkhk", "kkhhhhhhhk", "khkhhhhhdk",
            "khhhhhhhk.", ".khhhhhdk.", "..khhhhk..", "..kddddk.."},
           legend);
  };
  // 0: a hand laid over a document (conceal).
  Page(5, 0, kGrey);
  Hand(0, 6);
  // 1: question mark.
  Sprite(c, 16, 0,
         {"................", ".....nnnnnn.....", "....nbbbbbbn....", "...nbbnnnnbbn...",
          "...nbbn..nbbn...", "....nn...nbbn...", "........nbbn....", ".......nbbn.....",
          "......nbbn......", "......nbbn......", ".......nn.......", "................",
          ".......nn.......", "......nbbn......", "......nbbn......", ".......nn......."},
         legend);
  // 2: letter i.
  Ellipse(c, 32 + 8, 8, 7.5, 7.5, kNavy);
  Ellipse(c, 32 + 8, 8, 6.5, 6.5, kBlue);
  Rect(c, 32 + 7, 3, 32 + 9, 5, kWhite);
  Rect(c, 32 + 7, 6, 32 + 9, 12, kWhite);
  Rect(c, 32 + 6, 12, 32 + 10, 13, kWhite);
  // 3: door, ajar, in its frame.
  Rect(c, 48 + 3, 1, 48 + 13, 16, kBlack);
  Rect(c, 48 + 4, 2, 48 + 12, 16, {40, 40, 40});
  Polygon(c, {{48 + 4, 2}, {48 + 10, 1}, {48 + 10, 16}, {48 + 4, 15}}, {150, 80, 30});
  Rect(c, 48 + 5, 4, 48 + 9, 7, {190, 110, 50});
  Rect(c, 48 + 5, 9, 48 + 9, 13, {190, 110, 50});
  Rect(c, 48 + 8, 8, 48 + 9, 9, kYellow);
  Rect(c, 48 + 1, 15, 48 + 15, 16, kGrey);
  // 4: arrow pointing right.
  Polygon(c, {{64 + 1, 5}, {64 + 8, 5}, {64 + 8, 1}, {64 + 15.5, 8}, {64 + 8, 15}, {64 + 8, 11},
              {64 + 1, 11}},
          kBlack);
  Polygon(c, {{64 + 2, 6}, {64 + 9, 6}, {64 + 9, 3.4}, {64 + 13.8, 8}, {64 + 9, 12.6},
              {64 + 9, 10}, {64 + 2, 10}},
          kGreen);
  // 5: grey gear.
  Gear(c, 80 + 8, 8, 5.6, 7.9, 0, kBlack);
  Gear(c, 80 + 8, 8, 4.7, 6.9, 1.5, kSilver);
  Ellipse(c, 80 + 8, 8, 2.5, 2.5, kGrey);
  Ellipse(c, 80 + 8, 8, 1.4, 1.4, kMagenta);
  // 6: a gear on a chip.
  for (int p = 0; p < 4; ++p) {
    Rect(c, 96 + 3 + 3 * p, 1, 96 + 4 + 3 * p, 15, kSilver);
    Rect(c, 96 + 1, 3 + 3 * p, 96 + 15, 4 + 3 * p, kSilver);
  }
  Rect(c, 96 + 2, 2, 96 + 14, 14, kBlack);
  Rect(c, 96 + 3, 3, 96 + 13, 13, {60, 60, 60});
  Gear(c, 96 + 8, 8, 3.4, 4.9, 1.2, kYellow);
  // 7: the document brought out in front of the hand (reveal).
  Hand(112, 6);
  Page(112 + 6, 0, kBlue);
  // 8: a document giving off rays.
  for (const auto& [a, b] : std::initializer_list<std::pair<Point, Point>>{
           {{128 + 8, 0.5}, {128 + 8, 2.5}},    {{128 + 0.5, 8}, {128 + 2.5, 8}},
           {{128 + 15.5, 8}, {128 + 13.5, 8}},  {{128 + 8, 15.5}, {128 + 8, 13.5}},
           {{128 + 1.5, 1.5}, {128 + 3, 3}},    {{128 + 14.5, 1.5}, {128 + 13, 3}},
           {{128 + 1.5, 14.5}, {128 + 3, 13}},  {{128 + 14.5, 14.5}, {128 + 13, 13}}}) {
    Line(c, {a, b}, 1.2, kYellow);
  }
  Sprite(c, 128 + 4, 3,
         {"kkkkkk..", "kwwwwkk.", "kwwwwksk", "kwwwwwwk", "kwnnnnwk", "kwwwwwwk", "kwnnnnwk",
          "kwwwwwwk", "kwnnnwwk", "kkkkkkkk"},
         legend);
  // 9: arrow pointing up.
  Polygon(c, {{144 + 5, 15}, {144 + 5, 8}, {144 + 1, 8}, {144 + 8, 0.5}, {144 + 15, 8},
              {144 + 11, 8}, {144 + 11, 15}},
          kBlack);
  Polygon(c, {{144 + 6, 14}, {144 + 6, 7}, {144 + 3.4, 7}, {144 + 8, 2.2}, {144 + 12.6, 7},
              {144 + 10, 7}, {144 + 10, 14}},
          kGreen);
  // 10: blue ring.
  Ring(c, 160 + 8, 8, 3.2, 7.6, kNavy);
  Ring(c, 160 + 8, 8, 4.0, 6.8, kBlue);
  Ring(c, 160 + 8, 8, 5.4, 6.2, {120, 160, 255});
  return c;
}

// One 16 x 16 image of a strip.
Canvas Cut(const Canvas& strip, int index) {
  Canvas c(16, 16, kMagenta);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) c.Set(x, y, strip.At(16 * index + x, y));
  }
  return c;
}

// A push button's picture of a computer monitor, on the transparent magenta.
Canvas Monitor() {
  Canvas c(16, 16, kMagenta);
  Rect(c, 1, 1, 15, 12, kBlack);
  Rect(c, 2, 2, 14, 11, kSilver);
  Rect(c, 3, 3, 13, 10, kNavy);
  Rect(c, 4, 4, 12, 9, kBlue);
  Rect(c, 5, 5, 7, 6, kWhite);
  Rect(c, 12, 10, 13, 11, kGreen);
  Rect(c, 6, 12, 10, 13, kGrey);
  Rect(c, 3, 13, 13, 15, kBlack);
  Rect(c, 4, 13, 12, 14, kSilver);
  return c;
}

// The greyed look of a picture on a disabled button: its dark parts grey, its light parts
// white, the transparent ones left so.
Canvas Greyed(const Canvas& picture) {
  Canvas c = picture;
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const Rgb p = c.At(x, y);
      if (p == kMagenta) continue;
      const int light = (p.r * 30 + p.g * 59 + p.b * 11) / 100;
      c.Set(x, y, light < 230 ? kGrey : kWhite);
    }
  }
  return c;
}

Canvas Splash() {
  constexpr int kScale = 3;
  Canvas c(480, 320, kOrange, kScale);
  const Point centre{240, 108};
  constexpr double kRadius = 82;
  // Rays from behind the medallion that stop short of the corners, leaving the orange ground.
  c.Fill(0, 0, 480, 268, {255, 150, 40}, [&](double x, double y) {
    const double dx = x - centre.x, dy = y - centre.y;
    return dx * dx + dy * dy < 225.0 * 225.0 && CosMultiple(dx, dy, 16) > 0.55;
  });
  Ellipse(c, centre.x, centre.y, kRadius + 10, kRadius + 10, {255, 170, 70});
  // The face, clipped to the round medallion.
  Canvas face(480, 320, kWhite, kScale);
  const double k = 2 * kRadius / 32 * 0.86;
  Face(face, centre.x - 16 * k - 4, centre.y - 15 * k, k);
  for (int j = 0; j < 320 * kScale; ++j) {
    for (int i = 0; i < 480 * kScale; ++i) {
      const double dx = (i + 0.5) / kScale - centre.x, dy = (j + 0.5) / kScale - centre.y;
      if (dx * dx + dy * dy <= kRadius * kRadius) c.Set(i, j, face.At(i, j));
    }
  }
  Ring(c, centre.x, centre.y, kRadius - 1, kRadius + 4, {120, 50, 0});
  const TextStyle name{4.7, 6.2, 0.28, 4.6};
  const std::string_view product = "Tolva R. Quenlar";
  const TextStyle tm{1.7, 1.8, 0.2, 1.5};
  const double width = TextCells(product) * name.sx + 7 * name.sy * name.slant + 6 +
                       TextCells("(TM)") * tm.sx;
  const double x = (480 - width) / 2, y = 207;
  Text(c, x + 3, y + 3, product, name, {120, 50, 0});
  Text(c, x, y, product, name, kWhite);
  const double tx = x + width - TextCells("(TM)") * tm.sx;
  Text(c, tx + 1.5, y + 1.5, "(TM)", tm, {120, 50, 0});
  Text(c, tx, y, "(TM)", tm, kWhite);
  Rect(c, 0, 268, 480, 320, {200, 90, 0});
  Rect(c, 0, 268, 480, 271, {255, 200, 120});
  const TextStyle maker{2.6, 2.6, 0.15, 2.0};
  Text(c, (480 - TextCells("Marrowby") * maker.sx) / 2, 284, "Marrowby", maker, kWhite);
  return c.Reduced();
}

// ---- File formats -------------------------------------------------------------------------------

void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(Bytes& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

void PutInfoHeader(Bytes& out, int width, int height, unsigned bits, std::uint32_t image_size,
                   unsigned colours) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);  // BI_RGB
  Put32(out, image_size);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, colours);
  Put32(out, 0);
}

enum class Depth { TrueColour, Palette };
constexpr unsigned kPaletteEntries = 256;

// The picture's own colours in the order they first appear, top row first; a picture of more
// colours than a palette holds stops the run.
std::vector<Rgb> PaletteOf(const Canvas& c) {
  std::vector<Rgb> palette;
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      if (std::find(palette.begin(), palette.end(), c.At(x, y)) != palette.end()) continue;
      if (palette.size() == kPaletteEntries) {
        std::fprintf(stderr, "a %d x %d picture has more than %u colours\n", c.width(), c.height(),
                     kPaletteEntries);
        std::exit(1);
      }
      palette.push_back(c.At(x, y));
    }
  }
  return palette;
}

// A bottom-up BMP file: 24 bits per pixel, or 8 with a 256-entry palette that holds the
// picture's colours exactly (the rest black).
Bytes Bmp(const Canvas& c, Depth depth = Depth::TrueColour) {
  const bool indexed = depth == Depth::Palette;
  const std::vector<Rgb> palette = indexed ? PaletteOf(c) : std::vector<Rgb>{};
  const std::uint32_t pixel_bytes = indexed ? 1 : 3;
  const std::uint32_t row_bytes = static_cast<std::uint32_t>(c.width()) * pixel_bytes;
  const std::uint32_t stride = (row_bytes + 3) & ~3u;
  const std::uint32_t image = stride * static_cast<std::uint32_t>(c.height());
  const std::uint32_t offset = 54 + (indexed ? 4 * kPaletteEntries : 0);
  Bytes out;
  PutTag(out, "BM");
  Put32(out, offset + image);
  Put32(out, 0);
  Put32(out, offset);
  PutInfoHeader(out, c.width(), c.height(), 8 * pixel_bytes, image, indexed ? kPaletteEntries : 0);
  if (indexed) {
    for (unsigned i = 0; i < kPaletteEntries; ++i) {
      const Rgb p = i < palette.size() ? palette[i] : kBlack;
      out.insert(out.end(), {p.b, p.g, p.r, 0});
    }
  }
  for (int y = c.height() - 1; y >= 0; --y) {
    for (int x = 0; x < c.width(); ++x) {
      const Rgb p = c.At(x, y);
      if (indexed) {
        const auto found = std::find(palette.begin(), palette.end(), p);
        out.push_back(static_cast<std::uint8_t>(found - palette.begin()));
      } else {
        out.insert(out.end(), {p.b, p.g, p.r});
      }
    }
    out.resize(out.size() + (stride - row_bytes), 0);
  }
  return out;
}

// The sizes Windows asks an icon for at 96, 120, 144 and 192 dots per inch (the small icon of
// 16, 20, 24, 32 pixels; the large of 32, 40, 48), smallest first.
constexpr std::array<int, 6> kIconSides = {16, 20, 24, 32, 40, 48};

// One image of an icon: side x side, 4 bits per pixel with the 16-colour palette, then the mask
// (a set bit is transparent); a null picture is all mask. Rows are padded to 4 bytes.
Bytes IconImage(int side, const Canvas* picture) {
  const auto stride = [](int bits) { return ((bits + 31) / 32) * 4; };
  const int colourRow = stride(side * 4), maskRow = stride(side);
  Bytes out;
  PutInfoHeader(out, side, 2 * side, 4, static_cast<std::uint32_t>((colourRow + maskRow) * side), 0);
  for (const Rgb& p : kPalette) out.insert(out.end(), {p.b, p.g, p.r, 0});
  for (int y = side - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < side; x += 2) {
      std::uint8_t pair = 0;
      for (int half = 0; half < 2 && picture; ++half) {
        const auto found = std::find(kPalette.begin(), kPalette.end(), picture->At(x + half, y));
        if (found == kPalette.end()) {
          std::fprintf(stderr, "icon pixel (%d, %d) is not a palette colour\n", x + half, y);
          std::exit(1);
        }
        pair = static_cast<std::uint8_t>(pair | (found - kPalette.begin()) << (half ? 0 : 4));
      }
      out.push_back(pair);
    }
    out.resize(start + static_cast<std::size_t>(colourRow), 0);
  }
  out.resize(out.size() + static_cast<std::size_t>(maskRow * side), picture ? 0x00 : 0xFF);
  return out;
}

// An icon file with one image for each of kIconSides, drawn by draw(side), or all transparent
// without it.
Bytes Icon(const std::function<Canvas(int)>& draw) {
  std::vector<Bytes> images;
  for (const int side : kIconSides) {
    if (draw) {
      const Canvas picture = draw(side);
      images.push_back(IconImage(side, &picture));
    } else {
      images.push_back(IconImage(side, nullptr));
    }
  }
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(kIconSides[i]);
    out.insert(out.end(), {side, side, 16, 0});
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

// 8-bit mono PCM at 22,050 samples per second.
constexpr std::uint32_t kRate = 22050;

Bytes Wave(const std::vector<std::uint8_t>& samples) {
  const auto n = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t pad = n & 1;  // RIFF chunks are word aligned
  Bytes out;
  PutTag(out, "RIFF");
  Put32(out, 4 + 24 + 8 + n + pad);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);
  Put32(out, kRate);
  Put32(out, kRate);
  Put16(out, 1);
  Put16(out, 8);
  PutTag(out, "data");
  Put32(out, n);
  out.insert(out.end(), samples.begin(), samples.end());
  out.resize(out.size() + pad, 0x80);
  return out;
}

// A sine-like tone from a 32-bit phase accumulator and a parabola, in integers only.
class Oscillator {
 public:
  int Next(std::uint32_t hertz) {
    phase_ += static_cast<std::uint32_t>((std::uint64_t{hertz} << 32) / kRate);
    const int t = static_cast<int>(static_cast<std::int32_t>(phase_) >> 16);  // -32768..32767
    return t * (32768 - std::abs(t)) / 8192;                                  // about +-32768
  }

 private:
  std::uint32_t phase_ = 0;
};

std::uint8_t ToSample(long value) {
  return static_cast<std::uint8_t>(std::clamp(128L + value, 0L, 255L));
}

// A short glide between two pitches that fades out.
std::vector<std::uint8_t> Glide(std::uint32_t from, std::uint32_t to, std::uint32_t count) {
  std::vector<std::uint8_t> out;
  Oscillator tone, overtone;
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto f = static_cast<std::uint32_t>(
        (std::uint64_t{from} * (count - i) + std::uint64_t{to} * i) / count);
    const long envelope = i < 60 ? long(i) * 100 / 60 : long(count - i) * 100 / long(count - 60);
    const long v = (3L * tone.Next(f) + overtone.Next(2 * f)) * envelope / (4L * 32768L);
    out.push_back(ToSample(v));
  }
  return out;
}

// A rising four-note chime with bell-like decay.
std::vector<std::uint8_t> Chime(std::uint32_t count) {
  constexpr std::array<std::uint32_t, 4> kNotes = {1047, 1319, 1568, 2093};
  const std::uint32_t step = count / 5;
  std::vector<long> mix(count, 0);
  for (std::size_t n = 0; n < kNotes.size(); ++n) {
    Oscillator tone, overtone;
    long envelope = 85L << 16;
    for (std::uint32_t i = static_cast<std::uint32_t>(n) * step; i < count; ++i) {
      const long e = envelope >> 16;
      mix[i] += (2L * tone.Next(kNotes[n]) + overtone.Next(3 * kNotes[n])) * e / (3L * 32768L);
      envelope = envelope * 65200 / 65536;
    }
  }
  std::vector<std::uint8_t> out;
  for (std::uint32_t i = 0; i < count; ++i) {
    const long fade = i + 400 > count ? long(count - i) : 400L;  // no click at the end
    out.push_back(ToSample(mix[i] * fade / 400));
  }
  return out;
}

// A baseline (sequential) colour JPEG with the integer DCT, so the bytes do not depend on the
// machine's floating point.
Bytes Jpeg(const Canvas& c) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(c.width());
  cinfo.image_height = static_cast<JDIMENSION>(c.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_set_quality(&cinfo, 92, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(c.width()) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < c.width(); ++x) {
      const Rgb p = c.At(x, static_cast<int>(cinfo.next_scanline));
      const auto i = static_cast<std::size_t>(x) * 3;
      row[i] = p.r, row[i + 1] = p.g, row[i + 2] = p.b;
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
  return Bytes(buffer, buffer + size);
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const Canvas icon = ProductIcon();
  const TextStyle script{2.25, 3.0, 0.3, 2.4};
  const TextStyle maker{3.0, 2.3, 0.12, 2.2};
  bool ok = true;
  ok &= Write(dir / "mainicon.ico", Icon([](int side) { return ProductIcon(side); }));
  ok &= Write(dir / "transparent.ico", Icon(nullptr));
  ok &= Write(dir / "conceal.wav", Wave(Glide(1500, 600, 1851)));
  ok &= Write(dir / "reveal.wav", Wave(Glide(600, 1500, 1851)));
  ok &= Write(dir / "soundkey.wav", Wave(Chime(19685)));
  // The product picture and name lettering are 256-colour bitmaps.
  ok &= Write(dir / "tolva.bmp", Bmp(icon, Depth::Palette));
  const Canvas name = Lettering(209, 30, "Tolva R. Quenlar", script, kYellow, kBlack);
  ok &= Write(dir / "tolva_name.bmp", Bmp(name, Depth::Palette));
  ok &= Write(dir / "marrowby.bmp", Bmp(Lettering(182, 24, "Marrowby", maker, kWhite, kNavy)));
  ok &= Write(dir / "marrowby_site.bmp", Bmp(SiteLettering(168, 25)));
  const Canvas toolBar = ToolBar();
  ok &= Write(dir / "toolbar.bmp", Bmp(toolBar));
  const Canvas monitor = Monitor(), rays = Cut(toolBar, 8);
  ok &= Write(dir / "launch_glyph.bmp", Bmp(monitor));
  ok &= Write(dir / "launch_glyph_disabled.bmp", Bmp(Greyed(monitor)));
  ok &= Write(dir / "refresh_glyph.bmp", Bmp(rays));
  ok &= Write(dir / "refresh_glyph_disabled.bmp", Bmp(Greyed(rays)));
  ok &= Write(dir / "splash.jpg", Jpeg(Splash()));
  return ok ? 0 : 1;
}
