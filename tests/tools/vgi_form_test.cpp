// The immediate window's form commands: a control stored into a .ui file, loaded back by
// command or at start, and a failing load that leaves the session's control alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "forms/ui_form.h"
#include "tests/forms/form_files.h"
#include "tests/tools/run_script.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

std::string RunVgi(const std::string& script, SessionOptions options = {}) {
  return testing::RunScript(script, options);
}

TEST(VgiForms, AStoredControlLoadsBackByCommandOrAtStart) {
  testing::ScratchFolder dir;
  std::string form = dir.File("my form.ui");
  EXPECT_EQ(RunVgi("AddBlock\nBlockText(1) = \"Disk\"\nCaption = \"C\"\n:size 80 30\n"
                   ":store " +
                   form + " Gauge1\n:store " + form + " Gauge2\n"),
            "");
  EXPECT_EQ(forms::UiForm::Load(form).Controls(), (std::vector<std::string>{"Gauge1", "Gauge2"}));
  EXPECT_EQ(RunVgi(":load " + form + " Gauge2\n? Caption\n? BlockText(1)\n:extent\n"),
            "C\nDisk\n1200 450 80 30\n");
  SessionOptions start;
  start.form_path = form;
  start.control_name = "Gauge1";
  EXPECT_EQ(RunVgi("? Blocks\n", start), "1\n");
}

TEST(VgiForms, AFailingLoadReportsTheKeyAndKeepsTheControl) {
  testing::ScratchFolder dir;
  std::string path = dir.File("bad.ui");
  forms::UiForm form;
  form.StoreControl(
      "Bad",
      forms::JsonPropertyBag::FromJson(R"j({"caption":"loaded","captionalignment":"left"})j"), 60,
      21);
  form.Save(path);
  EXPECT_EQ(RunVgi("Caption = \"mine\"\n:load " + path + " Bad\n? Caption\n:load " + path +
                   " Missing\n:load " + path + "\n"),
            "Run-time error '13': Type mismatch (" + path +
                ": control \"Bad\", key \"captionalignment\")\nmine\n"
                "Host error: " +
                path +
                ": no Varigauge named \"Missing\"\n"
                "Host error: usage: :load FILE NAME\n");
}

std::vector<COLORREF> WindowPixels(Interpreter& vgi) {
  gdi::PixelView view = vgi.host().Pixels();
  return std::vector<COLORREF>(view.pixels, view.pixels + view.width * view.height);
}

// The example form holds the control the example script builds, and it draws the same.
// After a change to the script, store it again: (grep -v '^:save' examples/progress-bar.vgi;
// echo ':store examples/progress-bar.ui ProgressBar') | build/vgi -
TEST(VgiForms, TheExampleFormDrawsWhatTheExampleScriptDraws) {
  std::string examples = std::string(std::getenv("VG_SOURCE_DIR")) + "/examples/";
  std::ostringstream out;
  Interpreter scripted(SessionOptions{}, out);
  std::ifstream script(examples + "progress-bar.vgi");
  for (std::string line; std::getline(script, line);)
    if (line.rfind(":save", 0) != 0) scripted.RunLine(line);

  SessionOptions stored;
  stored.form_path = examples + "progress-bar.ui";
  stored.control_name = "ProgressBar";
  Interpreter loaded(stored, out);
  EXPECT_EQ(out.str(), "50\n");
  std::vector<COLORREF> pixels = WindowPixels(loaded);
  EXPECT_EQ(pixels, WindowPixels(scripted));
  EXPECT_GT(std::set<COLORREF>(pixels.begin(), pixels.end()).size(), 10u);  // a real drawing

  testing::ScratchFolder dir;
  forms::UiForm form = forms::UiForm::Load(stored.form_path);
  scripted.RunLine(":store " + dir.File("again.ui") + " ProgressBar");
  EXPECT_EQ(forms::UiForm::Load(dir.File("again.ui")).Bag("ProgressBar").ToJson(),
            form.Bag("ProgressBar").ToJson());
}

}  // namespace
}  // namespace vg::vgi
