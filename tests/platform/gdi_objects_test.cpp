// Objects of the raster device: handles, selection, deletion and the live count.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"

namespace vg::gdi {
namespace {

TEST(GdiObjects, CountsEveryObjectUntilDeleted) {
  HDC window = CreateWindowDC(10, 10);
  int before = LiveObjectCount();
  HDC mem = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, 4, 4);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(LiveObjectCount(), before + 3);
  HGDIOBJ old = SelectObject(mem, bitmap);
  EXPECT_NE(old, 0u);
  EXPECT_EQ(GetObjectType(old), OBJ_BITMAP);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(SelectObject(mem, old), bitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(mem));
  EXPECT_EQ(LiveObjectCount(), before);
  DestroyWindowDC(window);
}

TEST(GdiObjects, StaleAndUnknownHandlesAreRefused) {
  HBRUSH brush = CreateSolidBrush(0);
  ASSERT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));
  HBRUSH reused = CreateSolidBrush(0);  // may take the same slot, never the same handle
  EXPECT_NE(reused, brush);
  EXPECT_EQ(GetObjectType(brush), 0);
  EXPECT_FALSE(DeleteObject(0));
  EXPECT_FALSE(DeleteObject(0xDEADBEEF));
  EXPECT_EQ(SelectObject(0xDEADBEEF, reused), 0u);
  DeleteObject(reused);
}

TEST(GdiObjects, DeletingASelectedObjectWaitsUntilItIsDeselected) {
  HDC window = CreateWindowDC(4, 4);
  int before = LiveObjectCount();
  HDC mem = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, 2, 2);
  HGDIOBJ old = SelectObject(mem, bitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(LiveObjectCount(), before + 2);  // still in use
  EXPECT_EQ(GetPixel(mem, 0, 0), 0u);
  SelectObject(mem, old);
  EXPECT_EQ(LiveObjectCount(), before + 1);
  DeleteDC(mem);
  EXPECT_EQ(LiveObjectCount(), before);
  DestroyWindowDC(window);
}

TEST(GdiObjects, ABitmapLivesInOneMemoryContextAtATime) {
  HDC window = CreateWindowDC(4, 4);
  HDC a = CreateCompatibleDC(window);
  HDC b = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, 2, 2);
  HGDIOBJ old_a = SelectObject(a, bitmap);
  EXPECT_NE(old_a, 0u);
  EXPECT_EQ(SelectObject(b, bitmap), 0u);
  SelectObject(a, old_a);
  DeleteObject(bitmap);
  DeleteDC(a);
  DeleteDC(b);
  DestroyWindowDC(window);
}

TEST(GdiObjects, DepthIsInheritedFromTheDevice) {
  HDC window = CreateWindowDC(4, 4);
  EXPECT_EQ(GetDeviceCaps(window, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(window, PLANES), 1);
  SetDeviceDepth(window, 15, 1);
  HDC mem = CreateCompatibleDC(window);
  EXPECT_EQ(GetDeviceCaps(mem, BITSPIXEL), 15);
  // A bitmap made for a fresh memory context is monochrome, for the window it is not.
  HBITMAP mono = CreateCompatibleBitmap(mem, 2, 2);
  HBITMAP colour = CreateCompatibleBitmap(window, 2, 2);
  EXPECT_NE(mono, 0u);
  EXPECT_NE(colour, 0u);
  EXPECT_EQ(CreateCompatibleBitmap(window, -1, 2), 0u);
  EXPECT_EQ(CreateCompatibleBitmap(window, 1 << 20, 1 << 20), 0u);  // too large: refused
  DeleteObject(mono);
  DeleteObject(colour);
  DeleteDC(mem);
  DestroyWindowDC(window);
}

}  // namespace
}  // namespace vg::gdi
