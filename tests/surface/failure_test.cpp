// Drawing operations when memory runs out part way: every allocation an operation makes is
// made to fail in turn. Whether the failure ends in a thrown std::bad_alloc (the glyph cache)
// or in an object that cannot be made, the operation leaves no graphics object behind and the
// context as it was, and draws as before once memory is back.
#include <cstdlib>
#include <functional>
#include <new>

#include "tests/surface/surface_fixture.h"

namespace {

// While armed, allocations are counted, and the one numbered fail_at (from 1) throws.
struct AllocationFailure {
  bool armed = false;
  long count = 0;
  long fail_at = 0;
};
AllocationFailure g_failure;

}  // namespace

// The test program's allocator, so that failures can be planted anywhere below the surface.
// (GCC takes the replaced operators for the built-in ones and warns that memory from new
// reaches free; here new does come from malloc.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
  if (g_failure.armed && ++g_failure.count == g_failure.fail_at) throw std::bad_alloc();
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vg {
namespace {

constexpr COLORREF kBack = RGB(10, 20, 30);

class FailureTest : public SurfaceTest {
 public:
  void SetUp() override {
    SurfaceTest::SetUp();
    font_ = StdFont::Create("Arial", 12);
    font_->hFont();  // owned by the font object for the whole test
    start_ = gdi::LiveObjectCount();
  }
  void TearDown() override {
    SurfaceTest::TearDown();
    font_.reset();
  }

  // Runs `draw` once to count its allocations, then once with each of them failing in turn
  // (`before` runs unarmed ahead of every attempt). Returns how many attempts threw.
  int FailEachAllocation(const std::function<void()>& before, const std::function<void()>& draw) {
    const int live = gdi::LiveObjectCount();
    before();
    g_failure = {true, 0, 0};
    draw();
    const long allocations = g_failure.count;
    g_failure = {};
    EXPECT_GT(allocations, 0) << "nothing to fail";
    int thrown = 0;
    for (long k = 1; k <= allocations; ++k) {
      before();
      g_failure = {true, 0, k};
      try {
        draw();
      } catch (const std::bad_alloc&) {
        ++thrown;
      }
      g_failure = {};
      EXPECT_EQ(gdi::LiveObjectCount(), live) << "allocation " << k << " of " << allocations;
    }
    return thrown;
  }

  static bool SamePixels(const OffScreenDC& a, const OffScreenDC& b) {
    gdi::PixelView va = gdi::GetPixels(a.MemDC()), vb = gdi::GetPixels(b.MemDC());
    for (int i = 0; i < va.width * va.height; ++i)
      if (va.pixels[i] != vb.pixels[i]) return false;
    return true;
  }

  StdFontRef font_;
};

TEST_F(FailureTest, TurnedEmbossedTextReleasesItsFontWhenTheGlyphCacheThrows) {
  auto text = [&](OffScreenDC& dc) {
    SetRect(dc, 0, 0, 160, 40);
    dc.putref_TextFont(font_);
    dc.put_Text("Out of memory");
    dc.put_TextAngle(20);
    dc.put_Font3D(1);
  };
  auto dc = Make(160, 40), reference = Make(160, 40);
  text(*dc);
  text(*reference);
  Fill(*reference, 0, 0, 160, 40, kBack);
  reference->DisplayText();

  const int thrown = FailEachAllocation(
      [&] {
        gdi::FlushFontCache();  // glyphs and the turned face are made afresh
        Fill(*dc, 0, 0, 160, 40, kBack);
      },
      [&] { dc->DisplayText(); });
  EXPECT_GT(thrown, 0);

  Fill(*dc, 0, 0, 160, 40, kBack);
  dc->DisplayText();
  EXPECT_TRUE(SamePixels(*dc, *reference));
}

}  // namespace
}  // namespace vg
