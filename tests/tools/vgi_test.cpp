#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/imaging/png_io.h"
#include "tests/tools/run_script.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

using testing::RunScript;

TEST(Vgi, PrintsValuesInTheirHostForms) {
  EXPECT_EQ(RunScript("? HMaxValue\n"
                      "Print Redraw\n"
                      "? ForeColor\n"
                      "? Caption\n"
                      "? Font\n"
                      "? Font.Name\n"
                      "? 0.5\n"
                      "? -&H8000\n"
                      "? &HFFFF\n"
                      "? &HFFFF&\n"
                      "? 70000\n"
                      "? \"say \"\"hi\"\"\"\n"
                      "? Nothing\n"
                      "? Empty\n"),
            "100\nTrue\n-2147483630\n\nStdFont\nMS Sans Serif\n0.5\n32768\n-1\n65535\n70000\n"
            "say \"hi\"\nNothing\n\n");
}

TEST(Vgi, AssignsThroughPutAndPutRefAndMemberChains) {
  EXPECT_EQ(RunScript("caption = \"Disk C:\"  ' names ignore case\n"
                      "? Caption\n"
                      "Font.Bold = True\n"
                      "? Font.Bold\n"
                      "? Font.Weight\n"
                      "Set Picture = Nothing\n"
                      "? Picture\n"
                      "BackColor = RGB(255, 0, 0)\n"
                      ":pixel 2 2\n"
                      "Call Refresh()\n"
                      "Refresh\n"),
            "Disk C:\nTrue\n700\nNothing\n&H0000FF\n");
}

TEST(Vgi, ReportsErrorsAndGoesOnUnlessStrict) {
  std::string script =
      "HMaxValue = 40000\n"
      "? HMaxValue\n"
      "? DontRefreshAfterPropertyPage\n"
      "Frobnicate\n"
      "hWnd = 5\n"
      "? (1\n"
      "Picture.Type = 3\n"
      "Set Font = 5\n";
  EXPECT_EQ(RunScript(script),
            "Run-time error '6': Overflow\n"
            "100\n"
            "Run-time error '393': Get not supported at run time\n"
            "Run-time error '438': Object doesn't support this property or method\n"
            "Run-time error '450': Wrong number of arguments or invalid property assignment\n"
            "Syntax error: expected ')' at column 5 (end of line)\n"
            "Run-time error '450': Wrong number of arguments or invalid property assignment\n"
            "Run-time error '424': Object required\n");
  int status = 0;
  EXPECT_EQ(RunScript(script, {}, /*strict=*/true, &status), "Run-time error '6': Overflow\n");
  EXPECT_EQ(status, 1);
  RunScript("? 1\n", {}, true, &status);
  EXPECT_EQ(status, 0);
}

TEST(Vgi, HostCommandsDriveTheHeadlessHost) {
  SessionOptions design;
  design.design = true;
  EXPECT_EQ(RunScript(":extent\n"
                      ":size 100 20\n"
                      ":extent\n"
                      "DontRefreshAfterPropertyPage = True\n"
                      "? DontRefreshAfterPropertyPage\n"
                      ":run\n"
                      "? DontRefreshAfterPropertyPage\n"
                      ":design\n"
                      "DontRefreshAfterPropertyPage = False\n"
                      ":notes\n"
                      ":notes\n"
                      ":pixel 99 19\n"
                      ":pixel 100 0\n"
                      ":events\n"
                      ":bogus\n",
                      design),
            "900 315 60 21\n"
            "1500 300 100 20\n"
            "True\n"
            "Run-time error '393': Get not supported at run time\n"
            "DontRefreshAfterPropertyPage\nDontRefreshAfterPropertyPage\n"
            "&HFFFFFF\n"
            "Host error: pixel (100, 0) is outside the window (100 x 20)\n"
            "Host error: unknown command :bogus\n");
}

TEST(Vgi, ReachesTheBlockTable) {
  EXPECT_EQ(RunScript("AddBlock\n"
                      "Call AddBlock()\n"
                      "? Blocks\n"
                      "DeleteBlock \"1\"\n"
                      "? Blocks\n"
                      "DeleteBlock \"one\"\n"
                      "DeleteBlock\n"
                      "ClearAll\n"
                      "ClearAll True\n"
                      "SpecialClearAllBlock = -1\n"
                      "Blocks = 3\n"
                      "? Blocks\n"
                      "IndexBlock = 7\n"
                      "? IndexBlock\n"
                      ":notes\n"),
            "2\n1\n"
            "Run-time error '13': Type mismatch\n"
            "Run-time error '449': Argument not optional\n"
            "Run-time error '9': Subscript out of range\n"
            "Run-time error '393': Get not supported at run time\n"
            "3\n7\nIndexBlock\n");
}

TEST(Vgi, MakesFontsAndLoadsPictures) {
  std::string dir = ::testing::TempDir();
  std::string png = dir + "vgi-picture.png", junk = dir + "vgi-junk.png";
  FILE* f = std::fopen(junk.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("this is no picture", f);
  std::fclose(f);
  EXPECT_EQ(RunScript(":size 20 10\n"
                      ":save " +
                      png +
                      "\n"
                      "Set Font = NewFont(\"Arial\", 9.75, True)\n"
                      "? Font.Name\n"
                      "? Font.Size\n"
                      "? Font.Bold\n"
                      "? Font.Italic\n"
                      "Set Font = NewFont(\"Arial\")\n"
                      "Set Picture = LoadPicture(\"" +
                      dir +
                      "no-such-file.png\")\n"
                      "Set Picture = LoadPicture(\"" +
                      junk +
                      "\")\n"
                      "Set Picture = LoadPicture(\"" +
                      png +
                      "\")\n"
                      "? Picture.Type\n"
                      "? Picture.Width\n"
                      "Set Picture = LoadPicture()\n"
                      "? Picture.Type\n"),
            "Arial\n9.75\nTrue\nFalse\n"
            "Run-time error '449': Argument not optional\n"
            "Run-time error '53': File not found\n"
            "Run-time error '481': Invalid picture\n"
            "1\n529\n0\n");  // 20 pixels at 96 DPI: 529 HIMETRIC
  std::remove(png.c_str());
  std::remove(junk.c_str());
}

TEST(Vgi, DrawsBlocksEndToEnd) {
  EXPECT_EQ(RunScript(":size 202 52\n"
                      "AddBlock\n"
                      "BlockBarLeft(1) = 0\n"
                      "BlockBarRight(1) = 50\n"
                      "BlockColor(1) = &HFF00&\n"
                      ":pixel 1 1\n"
                      ":pixel 100 50\n"
                      ":pixel 101 25\n"
                      "? BlockHPercentage(1)\n"
                      "? BlockVPercentage(1)\n"
                      "Set BlockTextFont(1) = NewFont(\"Arial\", 9.75, True)\n"
                      "? BlockTextFont(1).Bold\n"
                      "BlockTextFont(1).Bold = False\n"
                      "? BlockTextFont(1).Bold\n"
                      "SetBlockColor &HFF&\n"
                      ":pixel 1 1\n"
                      ":notes\n"
                      "? BlockColor(5)\n"
                      "BlockBorderStyle(1) = 70000\n"
                      "Orientation = 1\n"
                      ":pixel 1 1\n"
                      ":pixel 101 1\n"),
            "&H00FF00\n&H00FF00\n&HC0C0C0\n50\n100\nTrue\nFalse\n&H0000FF\nBlock\n"
            "Run-time error '9': Subscript out of range\n"
            "Run-time error '6': Overflow\n"
            "&HC0C0C0\n&H0000FF\n");
}

TEST(Vgi, SizeAndResolutionOptions) {
  SessionOptions o;
  o.width_px = 300;
  o.height_px = 25;
  o.dpi = 120;
  EXPECT_EQ(RunScript(":extent\n:objects\n", o), "3600 300 300 25\n3\n");
}

TEST(Vgi, SavesTheWindowAsPng) {
  std::string path = ::testing::TempDir() + "vgi-save-test.png";
  std::remove(path.c_str());
  EXPECT_EQ(RunScript(":save " + path + "\n"), "");
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char magic[8] = {};
  EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(magic[1], 'P');
  EXPECT_EQ(magic[2], 'N');
  EXPECT_EQ(magic[3], 'G');
  std::remove(path.c_str());
  EXPECT_EQ(RunScript(":save /nonexistent-dir/x.png\n").rfind("Host error: cannot save", 0), 0u);
}

TEST(Vgi, PaintsAColourRampIntoAPng) {
  std::string path = ::testing::TempDir() + "vgi-ramp-test.png";
  std::remove(path.c_str());
  // 8 bits: 64 levels, vgHigh 16 bands of red falling to 16.
  EXPECT_EQ(RunScript(":ramp 1 1 &HFF 0 100x4 " + path + " 8\n"), "8\n");
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
  std::string error;
  ASSERT_EQ(LoadPng(path, 0, &w, &h, &pixels, &error), PngReadResult::kOk) << error;
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 4);
  EXPECT_EQ(pixels[0], 0x0000FFu);
  EXPECT_EQ(pixels[6], 0x0000EFu);
  EXPECT_EQ(pixels[99], 0x000010u);
  std::remove(path.c_str());
  // An unknown depth reads as 4 bits; the default depth is 32.
  EXPECT_EQ(
      RunScript(":ramp 13 0 0 0 1x1 " + path + " 12\n:ramp 9 0 0 &HFFFFFF 3x3 " + path + "\n"),
      "4\n32\n");
  std::remove(path.c_str());
  EXPECT_EQ(RunScript(":ramp 1 0 0 0 0x5 " + path + "\n").rfind("Host error: bad size", 0), 0u);
  EXPECT_EQ(RunScript(":ramp 1 0 0 0 5x5\n").rfind("Host error: usage: :ramp", 0), 0u);
}

// One command table: names in any case, the usage line for a wrong word count, and :ramp
// numbers written as the expressions write them, all giving the same picture.
TEST(Vgi, HostCommandsShareOneTable) {
  for (const char* usage : {"size W H", "paint", "hash", "pixel X Y", "notes", "events", "design",
                            "run", "objects", "members", "extent"}) {
    const std::string name = std::string(usage).substr(0, std::string(usage).find(' '));
    EXPECT_EQ(RunScript(":" + name + " 1 2 3\n"),
              "Host error: usage: :" + std::string(usage) + "\n");
  }
  EXPECT_EQ(RunScript(":EXTENT\n:Paint\n"), "900 315 60 21\n");
  const std::string path = ::testing::TempDir() + "vgi-ramp-numbers.png";
  std::vector<std::vector<COLORREF>> pictures;
  for (const char* start : {"255", "&HFF", "&HFF&", "&hff", "&O377", "255#"}) {
    SCOPED_TRACE(start);
    std::remove(path.c_str());
    ASSERT_EQ(RunScript(std::string(":ramp &H1 -0 ") + start + " 0 20x2 " + path + "\n"), "32\n");
    int w = 0, h = 0;
    std::vector<COLORREF> pixels;
    std::string error;
    ASSERT_EQ(LoadPng(path, 0, &w, &h, &pixels, &error), PngReadResult::kOk) << error;
    pictures.push_back(pixels);
    EXPECT_EQ(pictures.back(), pictures.front());
  }
  std::remove(path.c_str());
  // Red at the left edge, falling towards black.
  EXPECT_GE(pictures.front().front(), 0x0000F0u);
  EXPECT_LE(pictures.front().front(), 0x0000FFu);
  for (const char* bad : {"1.5", "&HZZ", "0x10", "&HFFFF", "\"1\"", "-1", "2-1"})
    EXPECT_EQ(RunScript(std::string(":ramp 1 0 ") + bad + " 0 2x2 " + path + "\n"),
              std::string("Host error: bad colour: ") + bad + " 0\n")
        << bad;
}

TEST(Vgi, DeepNestingIsASyntaxErrorNotACrash) {
  auto nested = [](int depth, const std::string& open, const std::string& close) {
    std::string s = "? ";
    for (int i = 0; i < depth; ++i) s += open;
    s += "1";
    for (int i = 0; i < depth; ++i) s += close;
    return s + "\n";
  };
  // 255 signs and the number make 256 levels; one more is refused at its column.
  EXPECT_EQ(RunScript(nested(255, "-", "") + nested(127, "(-", ")")), "-1\n-1\n");
  EXPECT_EQ(RunScript(nested(256, "-", "")),
            "Syntax error: expression nested more than 256 deep at column 259\n");
  std::string refused = "Syntax error: expression nested more than 256 deep at column ";
  for (const std::string& line :
       {nested(50000, "(", ")"), nested(100000, "-", ""), nested(20000, "RGB(1, 2, ", ")")})
    EXPECT_EQ(RunScript(line).rfind(refused, 0), 0u) << line.substr(0, 20);
  EXPECT_EQ(RunScript(nested(100000, "-", "") + "? 2\n").substr(0, refused.size()), refused);
}

TEST(Vgi, ScriptFilesReportErrorsWithTheirLineOnTheDiagnostics) {
  // Named per process: test runs of other build folders may share the temporary folder.
  std::string path = ::testing::TempDir() + "vgi-lines-" + std::to_string(getpid()) + ".vgi";
  {
    std::ofstream f(path);
    f << "? 1\n\nFrobnicate\n? (2\n:size 10000 10000\n? 3\n";
  }
  std::ostringstream out, diagnostics;
  Interpreter interpreter({}, out);
  EXPECT_EQ(interpreter.RunFile(path, false, diagnostics), 0);
  EXPECT_EQ(out.str(),
            "1\n"
            "Run-time error '438': Object doesn't support this property or method\n"
            "Syntax error: expected ')' at column 5 (end of line)\n"
            "Host error: 10000 x 10000 pixels is more than a window can hold (at most 67108864 "
            "pixels)\n"
            "3\n");
  EXPECT_EQ(diagnostics.str(),
            path + ":3: Run-time error '438': Object doesn't support this property or method\n" +
                path + ":4: Syntax error: expected ')' at column 5 (end of line)\n" + path +
                ":5: Host error: 10000 x 10000 pixels is more than a window can hold (at most "
                "67108864 pixels)\n");
  // The refused size left the window as it was.
  EXPECT_EQ(RunScript(":size 8192 8193\n:extent\n:size 8192 8192\n:extent\n"),
            "Host error: 8192 x 8193 pixels is more than a window can hold (at most 67108864 "
            "pixels)\n900 315 60 21\n122880 122880 8192 8192\n");
  std::ostringstream strict_diagnostics;
  EXPECT_EQ(Interpreter({}, out).RunFile(path, true, strict_diagnostics), 1);
  EXPECT_EQ(strict_diagnostics.str(),
            path + ":3: Run-time error '438': Object doesn't support this property or method\n");
  std::remove(path.c_str());
}

TEST(Vgi, ScriptsThatCannotBeReadExitWithStatusTwo) {
  std::ostringstream out;
  Interpreter interpreter({}, out);
  for (const std::string& path : {::testing::TempDir(), ::testing::TempDir() + "no-such.vgi"}) {
    std::ostringstream diagnostics;
    EXPECT_EQ(interpreter.RunFile(path, false, diagnostics), 2) << path;
    EXPECT_EQ(diagnostics.str().rfind("vgi: cannot read " + path + ": ", 0), 0u)
        << diagnostics.str();
  }
  EXPECT_EQ(out.str(), "");
}

TEST(Vgi, EndOfInputAtThePromptEndsTheLine) {
  std::ostringstream out;
  Interpreter interpreter({}, out);
  std::istringstream in("? 1\n");
  EXPECT_EQ(interpreter.Run(in, false, true), 0);
  EXPECT_EQ(out.str(), "> 1\n> \n");
}

TEST(Vgi, HashesTheWindowsPixels) {
  // FNV-1a 64 over width, height and pixels, four bytes each, least significant first.
  EXPECT_EQ(RunScript(":size 0 0\n:hash\n"), "a8c7f832281a39c5\n");
  EXPECT_EQ(RunScript(":size 1 1\nBorderStyle = 0\nBackColor = &H30201&\n:hash\n:hash x\n"),
            "ef73d83a80c8d3a1\nHost error: usage: :hash\n");
}

}  // namespace
}  // namespace vg::vgi
