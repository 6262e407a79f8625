// Golden scenes: representative pictures of the control, drawn headless through its public
// members and compared by a digest of their pixels with the digests stored in hashes.txt.
// A scene that draws differently fails and is written out as a PNG for review. After a
// deliberate change of the drawing, VG_UPDATE_GOLDEN=1 rewrites hashes.txt with the new
// digests (and writes the changed scenes as PNGs, to be looked at before committing).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "control/enums.h"
#include "platform/host/pixel_hash.h"
#include "platform/imaging/png_io.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {

Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}

// Block n spans `left`..`right` on the horizontal scale and `bottom`..`top` on the
// vertical one (both 0..100 unless a scene changes them).
void Bar(Varigauge& c, int n, int left, int right, int bottom = 0, int top = 100) {
  while (c.get_Blocks() < n) c.AddBlock();
  c.put_BlockBarLeft(N(n), static_cast<int16_t>(left));
  c.put_BlockBarRight(N(n), static_cast<int16_t>(right));
  c.put_BlockBarBottom(N(n), static_cast<int16_t>(bottom));
  c.put_BlockBarTop(N(n), static_cast<int16_t>(top));
}

// A 6 x 4 picture whose every pixel differs, so that any shift, flip or cut shows.
StdPictureRef Picture() {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) pixels.push_back(RGB(40 * x, 80 * y, x == 0 && y == 0 ? 0 : 255));
  return StdPicture::FromPixels(6, 4, std::move(pixels));
}

StdFontRef Font(double size, bool bold = false) {
  StdFontRef font = StdFont::Create("Arial", size);
  font->SetBold(bold);
  return font;
}

struct Scene {
  std::string name;
  int width;
  int height;
  std::function<void(Varigauge&)> draw;
};

std::string Numbered(const char* kind, int n) {
  return std::string(kind) + (n < 10 ? "-0" : "-") + std::to_string(n);
}

std::vector<Scene> Scenes() {
  std::vector<Scene> scenes = {
      {"rivets", 160, 40,
       [](Varigauge& c) {
         for (int style = 1; style <= 4; ++style) {
           Bar(c, style, 25 * (style - 1), 25 * style - 1);
           c.put_BlockRivetsStyle(N(style), style);
           c.put_BlockColor(N(style), 0x4080C0);
         }
         c.put_RivetsStyle(vgRaisedRivets);
       }},
      {"hatches", 180, 30,
       [](Varigauge& c) {
         c.put_BorderStyle(vgFlat);
         for (int style = 1; style <= 6; ++style) {
           Bar(c, style, 16 * style - 14, 16 * style);  // odd offsets: hatches keep to the window
           c.put_BlockBrushStyle(N(style), style);
           c.put_BlockBrushColor(N(style), 0x0000C0);
           c.put_BlockColor(N(style), 0xE0FFFF);
         }
       }},
      {"circles", 120, 50,
       [](Varigauge& c) {
         Bar(c, 1, 0, 45);
         Bar(c, 2, 50, 100, 20, 80);
         c.SetBlockShapeStyle(vgCircle);
         c.put_BlockColor(N(1), 0x00A000);
         c.put_BlockBrushStyle(N(2), vgDiagonalCross);
       }},
      {"text-turned", 140, 70,
       [](Varigauge& c) {
         c.putref_Font(Font(12, true));
         c.put_Caption("Turned 30");
         c.put_CaptionAngle(30);
         c.put_CaptionAlignment(vgBottomLeft);
         Bar(c, 1, 88, 100);
         c.put_BlockText(N(1), "Up");
         c.put_BlockTextAutoAngle(N(1), vgUp);
         Bar(c, 2, 76, 88);
         c.put_BlockText(N(2), "Down");
         c.put_BlockTextAutoAngle(N(2), vgDown);
       }},
      {"text-embossed", 240, 34,
       [](Varigauge& c) {
         for (int style = 1; style <= 4; ++style) {
           Bar(c, style, 20 * (style - 1), 20 * style);
           c.put_BlockText(N(style), "3D");
           c.put_BlockTextFont3D(N(style), style);
           c.put_BlockTextFont(N(style), Font(11, style % 2 == 0));
           c.put_BlockTextColor(N(style), 0x202020);
           c.put_BlockTextAlignment(N(style), style * 2);  // left, top, top right, bottom
         }
         c.put_Caption("Caption");
         c.put_CaptionAlignment(vgCenterRight);
         c.put_CaptionFont3D(vgInsetShadow);
       }},
      {"pictures-tiled", 100, 40,
       [](Varigauge& c) {
         c.putref_Picture(Picture());
         c.put_PictureTile(vgBothTile);
         c.put_PictureOffset(2);
         Bar(c, 1, 50, 100);
         c.putref_BlockPicture(N(1), Picture());
         c.put_BlockPictureTile(N(1), vgHorizontalTile);
         c.put_BlockPictureAlignment(N(1), vgBottomRight);
       }},
      {"pictures-aligned", 90, 60,
       [](Varigauge& c) {
         for (int a = 0; a < 9; ++a) {
           int col = a % 3, row = a / 3;
           Bar(c, a + 1, 33 * col, 33 * col + 32, 66 - 33 * row, 99 - 33 * row);
           c.putref_BlockPicture(N(a + 1), Picture());
           c.put_BlockPictureAlignment(N(a + 1), a);
           c.put_BlockPictureOffset(N(a + 1), 1);
           c.put_BlockBorderStyle(N(a + 1), vgFlat);
           c.put_BlockBorderWidth(N(a + 1), 1);
         }
       }},
      {"disabled", 160, 40,
       [](Varigauge& c) {
         c.put_Caption("Off");
         c.put_CaptionAlignment(vgCenterRight);
         Bar(c, 1, 0, 60);
         c.put_BlockGradientStyle(N(1), vgLeftHGradient);
         c.put_BlockBrushStyle(N(1), vgCross);
         c.put_BlockText(N(1), "Disabled");
         c.put_BlockTextFont3D(N(1), vgRaisedLight);
         c.put_BlockRivetsStyle(N(1), vgInsetRivets);
         c.putref_BlockPicture(N(1), Picture());
         c.put_BlockPictureAlignment(N(1), vgCenterLeft);  // pictures keep their colours
         c.put_DisabledColor(0x6060A0);
         c.put_Enabled(false);
       }},
  };
  for (int style = vgLeftHGradient; style <= vgOuterRectangleGradient; ++style)
    scenes.push_back({Numbered("gradient", style), 90, 40, [style](Varigauge& c) {
                        c.put_BorderStyle(vgNoneBorder);
                        c.put_GradientStyle(style);
                        c.put_GradientColor(0x800000);
                        c.put_GradientColorEnd(0x00FFFF);
                        c.put_GradientGranularity(style % 5);  // every granularity appears
                      }});
  for (int style = vgNoneBorder; style <= vgBumpLight; ++style)
    scenes.push_back({Numbered("border", style), 80, 30, [style](Varigauge& c) {
                        c.put_BorderStyle(style);
                        c.put_BorderWidth(3);
                        c.put_BackColor(0xA0A0A0);
                        Bar(c, 1, 10, 90, 20, 80);
                        c.put_BlockBorderStyle(N(1), style);
                        c.put_BlockBorderWidth(N(1), 2);
                        c.put_BlockColor(N(1), 0xC08040);
                      }});
  for (int orientation = vgFromLeft; orientation <= vgFromBottom; ++orientation)
    scenes.push_back({Numbered("orientation", orientation), 100, 50, [orientation](Varigauge& c) {
                        c.put_Orientation(orientation);
                        Bar(c, 1, 0, 60, 0, 70);
                        c.put_BlockGradientStyle(N(1), vgLeftHGradient);
                        c.put_BlockText(N(1), "60 %");
                        c.put_BlockTextColor(N(1), 0xFFFFFF);
                        Bar(c, 2, 60, 95, 70, 100);
                        c.put_BlockBrushStyle(N(2), vgForwardDiagonal);
                        c.put_BlockRivetsStyle(N(2), vgRaisedRivetsExt);
                      }});
  return scenes;
}

struct Rendering {
  uint64_t hash = 0;
  std::vector<COLORREF> pixels;
  int width = 0;
  int height = 0;
};

Rendering Render(const Scene& scene) {
  testing::PlacedControl placed(testing::Pixels(scene.width, scene.height));
  Varigauge& c = placed.c();
  c.put_Redraw(false);
  scene.draw(c);
  c.put_Redraw(true);
  gdi::PixelView view = placed.host.Pixels();
  Rendering r;
  r.hash = PixelHash(view);
  r.pixels.assign(view.pixels, view.pixels + static_cast<size_t>(view.width) * view.height);
  r.width = view.width;
  r.height = view.height;
  return r;
}

// Writes a scene's picture where a reviewer finds it and returns the path.
std::string WritePng(const std::string& name, const Rendering& r) {
  std::filesystem::path dir = std::filesystem::current_path() / "golden-actual";
  std::filesystem::create_directories(dir);
  std::string path = (dir / (name + ".png")).string();
  std::string error;
  if (!SavePng(path, r.pixels.data(), r.width, r.height, &error))
    return "(not written: " + error + ")";
  return path;
}

const char kHashFile[] = VG_GOLDEN_HASHES;

std::map<std::string, std::string> StoredHashes() {
  std::map<std::string, std::string> stored;
  std::ifstream in(kHashFile);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string name, hash;
    if (words >> name >> hash && name[0] != '#') stored[name] = hash;
  }
  return stored;
}

void WriteHashes(const std::vector<std::pair<std::string, std::string>>& hashes) {
  std::ofstream out(kHashFile);
  out << "# Golden scenes (tests/golden/golden_scenes_test.cpp): scene name and the 64-bit\n"
         "# FNV-1a digest of its pixels. Rewrite with VG_UPDATE_GOLDEN=1 after a deliberate\n"
         "# change of the drawing, and look at the PNGs it writes before committing.\n";
  for (const auto& [name, hash] : hashes) out << name << " " << hash << "\n";
}

TEST(GoldenScenes, DrawAsStored) {
  const char* update_env = std::getenv("VG_UPDATE_GOLDEN");
  bool update = update_env && std::string(update_env) == "1";
  std::map<std::string, std::string> stored = StoredHashes();
  std::vector<std::pair<std::string, std::string>> actual;
  for (const Scene& scene : Scenes()) {
    Rendering r = Render(scene);
    std::string hash = PixelHashText(r.hash);
    actual.emplace_back(scene.name, hash);
    auto it = stored.find(scene.name);
    std::string expected = it == stored.end() ? "(none)" : it->second;
    if (it != stored.end()) stored.erase(it);
    if (hash == expected) continue;
    std::string png = WritePng(scene.name, r);
    if (update)
      std::printf("golden scene %s: %s -> %s, see %s\n", scene.name.c_str(), expected.c_str(),
                  hash.c_str(), png.c_str());
    else
      ADD_FAILURE() << "golden scene " << scene.name << " draws " << hash << ", stored " << expected
                    << "; its picture is " << png << " (VG_UPDATE_GOLDEN=1 rewrites " << kHashFile
                    << " if the change is meant)";
  }
  if (update) {
    WriteHashes(actual);
  } else {
    for (const auto& [name, hash] : stored)
      ADD_FAILURE() << kHashFile << " stores " << name << ", which is no scene any more";
  }
}

}  // namespace
}  // namespace vg
