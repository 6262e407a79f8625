// Text and pictures on the off-screen surface: DisplayText of a progress text in an
// 8.25-point font, straight and at 45 degrees, the first time (font realised and glyphs
// rendered) and again (from the glyph cache); DrawBitmap tiling a 16 x 16 picture over a
// 300 x 25 bar.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/host/picture_box.h"
#include "surface/off_screen_dc.h"

namespace {

struct Bar {
  Bar() : window(vg::gdi::CreateWindowDC(300, 25)) {
    dc.Initialize(window, 300, 25);
    dc.put_Right(300);
    dc.put_Bottom(25);
    dc.putref_TextFont(vg::StdFont::Create("MS Sans Serif", 8.25));
    dc.put_Text("Process is 50 % complete");
  }
  ~Bar() { vg::gdi::DestroyWindowDC(window); }
  vg::gdi::HDC window;
  vg::OffScreenDC dc;
};

void BM_DisplayText(benchmark::State& state) {
  const bool cached = state.range(0) != 0;
  const int angle = static_cast<int>(state.range(1));
  Bar bar;
  bar.dc.put_TextAngle(static_cast<int16_t>(angle));
  bar.dc.DisplayText();
  for (auto _ : state) {
    if (!cached) vg::gdi::FlushFontCache();
    bar.dc.DisplayText();
  }
}
BENCHMARK(BM_DisplayText)
    ->ArgNames({"cached", "angle"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 45})
    ->Args({1, 45});

void BM_DrawBitmapTiled(benchmark::State& state) {
  Bar bar;
  std::vector<vg::COLORREF> pixels(16 * 16);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<vg::COLORREF>(i * 977);
  auto picture = vg::StdPicture::FromPixels(16, 16, std::move(pixels));
  vg::PictureBox box;
  bar.dc.put_PictureTile(3);
  for (auto _ : state) {
    box.SetPicture(picture);
    bar.dc.DrawBitmap(box);
    box.Clear();
  }
  state.SetBytesProcessed(state.iterations() * 300 * 25 * 4);
}
BENCHMARK(BM_DrawBitmapTiled);

}  // namespace
