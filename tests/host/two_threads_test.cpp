// Two controls on two threads draw at the same time: each thread has its own graphics
// objects and font cache, so every pass gives the picture the same settings give on one
// thread alone, and neither thread leaks an object. Built under ThreadSanitizer by .ci/run.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "control/varigauge.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"
#include "platform/gdi/gdi.h"
#include "platform/host/headless_host.h"
#include "platform/host/pixel_hash.h"

namespace vg {
namespace {

constexpr int kPasses = 10000;

// A control with texts in two faces (one turned), a picture and a bar whose value moves.
struct Scene {
  explicit Scene(int variant) {
    HeadlessHostOptions o;
    o.width_px = 180;
    o.height_px = 32;
    host = std::make_unique<HeadlessHost>(o);
    control = Varigauge::PlaceIn(*host);
    Varigauge& c = *control;
    c.put_Blocks(3);
    c.put_Caption(variant == 0 ? "Left thread" : "Right thread");
    c.put_BlockText(Variant::Integer(1), "Volume 42%");
    c.put_BlockTextFont(Variant::Integer(1), StdFont::Create("Liberation Serif", 11));
    auto turned = StdFont::Create("DejaVu Sans", 9);
    turned->SetBold(true);
    c.put_BlockTextFont(Variant::Integer(2), turned);
    c.put_BlockText(Variant::Integer(2), "Ab");
    std::vector<COLORREF> pixels(12 * 12);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = RGB(static_cast<uint8_t>(i * 7), static_cast<uint8_t>(variant * 90), 200);
    c.putref_BlockPicture(Variant::Integer(3), StdPicture::FromPixels(12, 12, pixels));
  }
  // Draws the pass for step `i` (the bar's value and the text cycle through four states).
  uint64_t Pass(int i) {
    control->put_BlockText(Variant::Integer(3), std::to_string(i % 4));
    control->Refresh();
    return PixelHash(host->Pixels());
  }
  std::unique_ptr<HeadlessHost> host;
  std::shared_ptr<Varigauge> control;
};

// The four pictures of a scene, drawn alone on a fresh thread.
std::vector<uint64_t> Expected(int variant) {
  std::vector<uint64_t> hashes;
  std::thread([&] {
    Scene s(variant);
    for (int i = 0; i < 4; ++i) hashes.push_back(s.Pass(i));
  }).join();
  return hashes;
}

TEST(TwoThreads, DrawTextsAndPicturesAtOnceAsEachWouldAlone) {
  const std::vector<uint64_t> expected[2] = {Expected(0), Expected(1)};
  ASSERT_NE(expected[0][0], expected[1][0]);
  std::atomic<int> wrong[2] = {0, 0};
  std::atomic<int> leaked[2] = {0, 0};
  std::atomic<int> ready{0};
  auto run = [&](int variant) {
    const int objects_before = gdi::LiveObjectCount();
    {
      Scene s(variant);
      ++ready;
      while (ready.load() < 2) std::this_thread::yield();  // start together
      for (int i = 0; i < kPasses; ++i)
        if (s.Pass(i) != expected[variant][i % 4]) ++wrong[variant];
    }
    leaked[variant] = gdi::LiveObjectCount() - objects_before;
  };
  std::thread left(run, 0), right(run, 1);
  left.join();
  right.join();
  for (int v = 0; v < 2; ++v) {
    EXPECT_EQ(wrong[v].load(), 0) << "thread " << v;
    EXPECT_EQ(leaked[v].load(), 0) << "thread " << v;
  }
}

TEST(TwoThreads, PictureHandlesAreUniqueAcrossThreads) {
  std::vector<int32_t> handles[2];
  auto make = [&](int t) {
    for (int i = 0; i < 500; ++i) handles[t].push_back(StdPicture::FromPixels(1, 1, {0})->Handle());
  };
  std::thread a(make, 0), b(make, 1);
  a.join();
  b.join();
  std::vector<int32_t> all = handles[0];
  all.insert(all.end(), handles[1].begin(), handles[1].end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

}  // namespace
}  // namespace vg
