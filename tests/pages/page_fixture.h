#pragma once
// Property pages under test: a control in a form designer's headless host, the pages in a
// property sheet, and common dialogs that answer from a script.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <deque>
#include <memory>
#include <string>
#include <variant>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "qt/common_dialogs.h"
#include "qt/property_page.h"
#include "qt/property_sheet.h"

namespace vg {

// Each choice takes the next scripted answer: a value for OK, nothing for Cancel.
class ScriptedDialogs : public CommonDialogs {
 public:
  std::deque<std::optional<OLE_COLOR>> colors;
  std::deque<std::optional<FontChoice>> fonts;
  std::deque<std::optional<std::string>> files;
  std::vector<std::string> errors;
  int color_calls = 0;
  OLE_COLOR color_start = 0;
  FontChoice font_start;
  std::string file_filter;

  std::optional<OLE_COLOR> ChooseColor(QWidget*, OLE_COLOR color) override {
    ++color_calls;
    color_start = color;
    return Next(colors);
  }
  std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& font) override {
    font_start = font;
    return Next(fonts);
  }
  std::optional<std::string> ChooseOpenFile(QWidget*, const std::string& filter) override {
    file_filter = filter;
    return Next(files);
  }
  void ReportError(QWidget*, const std::string& message) override { errors.push_back(message); }

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& script) {
    EXPECT_FALSE(script.empty()) << "a dialog opened that the test did not script";
    if (script.empty()) return std::nullopt;
    std::optional<T> answer = script.front();
    script.pop_front();
    return answer;
  }
};

// A control placed in a form designer (ambient UserMode false).
struct DesignControl {
  HeadlessHost host{{.width_px = 120, .height_px = 30, .user_mode = false}};
  std::shared_ptr<Varigauge> control = Varigauge::PlaceIn(host);
  Varigauge& c = *control;
};

// A sheet holding one page of type P for a control.
template <class P>
struct SheetWith {
  ScriptedDialogs dialogs;
  PropertySheet sheet{dialogs};
  P* page = new P;
  explicit SheetWith(Varigauge& c) {
    sheet.AddPage(page);
    sheet.SetSelectedControls({&c});
  }
  template <class W>
  W* Find(const char* name) const {
    W* w = page->template findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QLineEdit* Text(const char* name) const { return Find<QLineEdit>(name); }
};

}  // namespace vg
