#pragma once
// The common dialogs the property pages use: colour, font and open-file choices, and the
// report of an error the control raised while a page wrote to it. Each choice ends with
// OK and a value or with Cancel (no value). Pages reach the dialogs only through this
// interface, so tests replace them with scripted answers.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"

class QWidget;
class QString;

namespace vg {

// The six font settings a font choice starts from and gives back.
struct FontChoice {
  std::string name;
  float size = static_cast<float>(kDefaultFontSize);
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
};

class StdFont;

// The six settings of a font object, and the same written back into one, in the order
// Name, Size, Bold, Italic, Underline, Strikethrough (raises 380 for a size it refuses).
FontChoice FontChoiceOf(const StdFont& font);
void ApplyFontChoice(const FontChoice& choice, StdFont& font);

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // Starts from `color` (an RGB colour; a system colour starts from black).
  virtual std::optional<OLE_COLOR> ChooseColor(QWidget* parent, OLE_COLOR color) = 0;
  // Starts from `font`; the choice includes the effects (underline, strikethrough).
  virtual std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& font) = 0;
  // `filter`: pairs of description and pattern list, all separated by "|".
  virtual std::optional<std::string> ChooseOpenFile(QWidget* parent, const std::string& filter) = 0;
  virtual void ReportError(QWidget* parent, const std::string& message) = 0;
};

// The dialogs on Qt: QColorDialog, QFontDialog, QFileDialog and a message box.
class QtCommonDialogs : public CommonDialogs {
 public:
  std::optional<OLE_COLOR> ChooseColor(QWidget* parent, OLE_COLOR color) override;
  std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& font) override;
  std::optional<std::string> ChooseOpenFile(QWidget* parent, const std::string& filter) override;
  void ReportError(QWidget* parent, const std::string& message) override;
};

// A "|"-separated filter turned into Qt's form: "Desc (*.a *.b);;Desc2 (*.c)". A description's
// own parenthesised pattern list is replaced by the pair's patterns, blank-separated.
QString QtFileFilter(const std::string& filter);

}  // namespace vg
