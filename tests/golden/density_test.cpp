// The golden scenes on denser screens. At twice the density a scene must look like its 96-dpi
// picture, only sharper: reduced by averaging each 2 x 2 block, it must give the 96-dpi
// picture back outside text (glyphs are rendered afresh at each size); where text lands is
// compared instead. The test prints, per scene, the largest and the mean difference of any
// channel (0..255) outside text, the largest on flat pixels, the edge pixels off by more
// than the tolerance, and how far the text moved (in 96-dpi pixels).
#include <algorithm>
#include <cstdio>

#include "tests/control/control_fixture.h"
#include "tests/golden/golden_scenes.h"

namespace vg {
namespace {

using golden::N;
using golden::Scene;

struct Image {
  std::vector<COLORREF> px;
  int w = 0, h = 0;
  int at(int x, int y, int channel) const {
    return static_cast<int>((px[static_cast<size_t>(y) * w + x] >> (8 * channel)) & 0xFF);
  }
};

Image Draw(const Scene& scene, int dpi, bool with_text = true) {
  HeadlessHostOptions o = testing::Pixels(scene.width * dpi / 96, scene.height * dpi / 96);
  o.dpi = dpi;
  testing::PlacedControl placed(o);
  Varigauge& c = placed.c();
  c.put_Redraw(false);
  scene.draw(c);
  if (!with_text) {
    c.put_Caption("");
    for (int n = 1; n <= c.get_Blocks(); ++n) c.put_BlockText(N(n), "");
  }
  c.put_Redraw(true);
  const gdi::PixelView v = placed.host.Pixels();
  return {{v.pixels, v.pixels + static_cast<size_t>(v.width) * v.height}, v.width, v.height};
}

// Marks (in 96-dpi pixels, with their neighbours for anti-aliased glyph edges) where two
// pictures of `times` the size differ, and gives the box around those pixels.
struct Box {
  int l = INT32_MAX, t = INT32_MAX, r = -1, b = -1;
};
Box Changed(const Image& a, const Image& b, int times, std::vector<bool>* text) {
  Box box;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) {
      if (a.px[static_cast<size_t>(y) * a.w + x] == b.px[static_cast<size_t>(y) * a.w + x])
        continue;
      box = {std::min(box.l, x), std::min(box.t, y), std::max(box.r, x), std::max(box.b, y)};
      for (int my = std::max(y / times - 1, 0); my <= std::min(y / times + 1, a.h / times - 1);
           ++my)
        for (int mx = std::max(x / times - 1, 0); mx <= std::min(x / times + 1, a.w / times - 1);
             ++mx)
          (*text)[static_cast<size_t>(my) * (a.w / times) + mx] = true;
    }
  return box;
}

// Where the 96-dpi picture is flat (a pixel and its eight neighbours one colour), the reduced
// picture must match it within 2 levels a channel: averaging four pixels rounds by half a
// level, and a colour computed in single precision from coordinates twice as large (a
// gradient band's) may come out a level apart. A frame, hatch, rivet, offset or picture drawn
// at the wrong size shows there as a blend of colours that are not there.
//
// Edge pixels are only counted: the finer grid places an edge better and blends across it. A
// block edge computed at 6.6 pixels lies on 7 at 96 dpi but on 13 (6.5) at 192; an ellipse's
// rim and the pattern cells it cuts follow the curve more closely; a picture enlarged smoothly
// blends neighbouring pixels.
constexpr int kTolerance = 2;

TEST(Density, GoldenScenesAtTwiceTheDensityReduceToTheirPictures) {
  std::printf("%-16s %4s %7s %9s %6s %11s\n", "scene", "max", "mean", "flat max", "edges",
              "text moved");
  for (const Scene& scene : golden::Scenes()) {
    const Image low = Draw(scene, 96), high = Draw(scene, 192);
    ASSERT_EQ(high.w, 2 * low.w);
    std::vector<bool> text(low.px.size(), false);
    const Box low_text = Changed(low, Draw(scene, 96, false), 1, &text);
    const Box high_text = Changed(high, Draw(scene, 192, false), 2, &text);
    int max = 0, flat_max = 0, edges = 0;
    int64_t total = 0, counted = 0;
    for (int y = 0; y < low.h; ++y)
      for (int x = 0; x < low.w; ++x) {
        if (text[static_cast<size_t>(y) * low.w + x]) continue;
        bool flat = true;
        for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, low.h - 1); ++ny)
          for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, low.w - 1); ++nx)
            flat = flat && low.px[static_cast<size_t>(ny) * low.w + nx] ==
                               low.px[static_cast<size_t>(y) * low.w + x];
        int worst = 0;
        for (int i = 0; i < 3; ++i) {
          const int sum = high.at(2 * x, 2 * y, i) + high.at(2 * x + 1, 2 * y, i) +
                          high.at(2 * x, 2 * y + 1, i) + high.at(2 * x + 1, 2 * y + 1, i);
          const int d = std::abs((sum + 2) / 4 - low.at(x, y, i));
          worst = std::max(worst, d);
          total += d, ++counted;
        }
        max = std::max(max, worst);
        if (flat) {
          EXPECT_LE(worst, kTolerance) << scene.name << " at " << x << "," << y;
          flat_max = std::max(flat_max, worst);
        } else {
          edges += worst > kTolerance;
        }
      }
    // Each side of the text's box within 1.5 pixels of where it is at 96 dpi.
    double moved = 0;
    if (low_text.r >= 0) {
      for (auto [a, b] : {std::pair{low_text.l, high_text.l},
                          {low_text.t, high_text.t},
                          {low_text.r, high_text.r},
                          {low_text.b, high_text.b}})
        moved = std::max(moved, std::abs(b / 2.0 - a));
      EXPECT_LE(moved, 1.5) << scene.name;
    }
    std::printf("%-16s %4d %7.3f %9d %6d %11.1f\n", scene.name.c_str(), max,
                static_cast<double>(total) / counted, flat_max, edges, moved);
  }
}

// Blocks whose bars are in pixels: pixels at 96 dpi, and their percentages as at 96 dpi.
TEST(Density, BlocksInPixelsKeepTheirSizeAndPercentages) {
  for (int dpi : {96, 192}) {
    HeadlessHostOptions o = testing::Pixels(100 * dpi / 96, 40 * dpi / 96);
    o.dpi = dpi;
    testing::PlacedControl placed(o);
    golden::Bar(placed.c(), 1, 10, 37, 5, 25);  // 27 x 20 pixels
    placed.c().put_BlockAutoSize(N(1), false);
    placed.c().put_BlockColor(N(1), 0x00A000);
    const gdi::PixelView v = placed.host.Pixels();
    EXPECT_EQ(std::count(v.pixels, v.pixels + v.width * v.height, COLORREF{0x00A000}),
              27 * 20 * (dpi / 96) * (dpi / 96));
    EXPECT_EQ(placed.c().get_BlockHPercentage(N(1)), "27") << dpi;
    EXPECT_EQ(placed.c().get_BlockVPercentage(N(1)), "50") << dpi;
  }
}

// A picture tiled over the whole control, as Lumastrip's bars are: the same tiles at every
// density, none added or cut short, no gap between them.
TEST(Density, TiledPicturesShowTheSameTilesAtEveryDensity) {
  const Scene tiled{"tiled", 120, 30, [](Varigauge& c) {
                      // 8 x 6: the left half red, the right half blue.
                      std::vector<COLORREF> px;
                      for (int i = 0; i < 48; ++i) px.push_back(i % 8 < 4 ? 0x0000E6 : 0xE60000);
                      c.put_BackColor(0xFF00FF);  // shows only where no tile is
                      c.put_BorderWidth(0);
                      c.putref_Picture(StdPicture::FromPixels(8, 6, px));
                      c.put_PictureTile(vgBothTile);
                    }};
  for (int dpi : {96, 120, 144, 192}) {
    const Image image = Draw(tiled, dpi);
    int seams = 0;  // tiles met along the middle row: blue then red
    for (int x = 1, y = image.h / 2; x < image.w; ++x)
      seams +=
          image.at(x - 1, y, 2) > image.at(x - 1, y, 0) && image.at(x, y, 0) > image.at(x, y, 2);
    EXPECT_EQ(seams, 14) << dpi;  // 15 tiles
    EXPECT_EQ(std::count(image.px.begin(), image.px.end(), COLORREF{0xFF00FF}), 0) << dpi;
  }
}

}  // namespace
}  // namespace vg
