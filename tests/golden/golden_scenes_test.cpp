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
#include "tests/golden/golden_scenes.h"

namespace vg {
namespace {

using golden::Scene;
using golden::Scenes;

struct Rendering {
  uint64_t hash = 0;
  std::vector<COLORREF> pixels;
  int width = 0;
  int height = 0;
};

// Drawn in a window of COLORREF pixels, or in one in the screen's layout (as Qt hosts keep
// theirs, with the control's surface in that layout too): both must give the stored digest,
// taken over COLORREF values. `over_stale` draws the scene a second time over a surface
// painted magenta: a pass that leaves out what it paints over (the background under a plain
// block) must still leave nothing of the old picture. (A gradient background leaves its
// frame strip as the surface held it, so those scenes are not drawn over a stale surface.)
Rendering Render(const Scene& scene, bool screen_layout = false, bool over_stale = false) {
  HeadlessHostOptions options = testing::Pixels(scene.width, scene.height);
  options.screen_layout = screen_layout;
  testing::PlacedControl placed(options);
  Varigauge& c = placed.c();
  c.put_Redraw(false);
  scene.draw(c);
  c.put_Redraw(true);
  if (over_stale && c.get_GradientStyle() == vgNoneGradient) {
    const OffScreenDC& surface = *VarigaugeTestPeer::surface(c);
    const gdi::RECT all{0, 0, surface.CtlWidth(), surface.CtlHeight()};
    gdi::FillSolidRect(surface.MemDC(), &all, 0xFF00FF);
    c.Refresh();
  }
  gdi::PixelView view = placed.host.Pixels();
  Rendering r;
  r.pixels.assign(view.pixels, view.pixels + static_cast<size_t>(view.width) * view.height);
  if (view.screen_layout)
    for (COLORREF& p : r.pixels) p = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  r.width = view.width;
  r.height = view.height;
  r.hash = PixelHash({r.pixels.data(), r.width, r.height});
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
    if (hash == expected) {
      const Rendering screen = Render(scene, true);
      EXPECT_EQ(PixelHashText(screen.hash), hash)
          << "golden scene " << scene.name << " draws differently in the screen's layout; see "
          << WritePng(scene.name + "-screen-layout", screen);
      const Rendering again = Render(scene, false, true);
      EXPECT_EQ(PixelHashText(again.hash), hash)
          << "golden scene " << scene.name << " drawn again shows the surface's old picture; see "
          << WritePng(scene.name + "-over-stale", again);
      continue;
    }
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
