// The immediate window's form commands: a control stored into a .ui file, loaded back by
// command or at start, and a failing load that leaves the session's control alone.
#include <gtest/gtest.h>

#include <sstream>

#include "forms/ui_form.h"
#include "tests/forms/form_files.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

std::string RunVgi(const std::string& script, SessionOptions options = {}) {
  std::ostringstream out;
  Interpreter interpreter(options, out);
  std::istringstream in(script);
  interpreter.Run(in, false, false);
  return out.str();
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

}  // namespace
}  // namespace vg::vgi
