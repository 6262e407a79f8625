#pragma once
// StdFont: the standard font object hosts and the control share by reference. Its size is
// in points; its GDI fonts are made on demand at the resolution of the device that draws
// with them and remade when an attribute changes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/gdi/gdi.h"

namespace vg {

// The font of a new control and of a new block, and the size of a stored font that gives
// none.
inline constexpr std::string_view kDefaultFontName = "MS Sans Serif";
inline constexpr double kDefaultFontSize = 8.25;

class StdFont : public DispatchObject {
 public:
  static std::shared_ptr<StdFont> Create(std::string name = std::string(kDefaultFontName),
                                         double size = kDefaultFontSize);
  ~StdFont() override;
  StdFont(const StdFont&) = delete;
  StdFont& operator=(const StdFont&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name);
  // Size in points, kept to four decimals as the object's currency value does.
  double Size() const { return size_; }
  void SetSize(double points);  // 380 for a size that is not positive and finite
  bool Bold() const { return weight_ > 550; }
  void SetBold(bool bold);
  bool Italic() const { return italic_; }
  void SetItalic(bool v);
  bool Underline() const { return underline_; }
  void SetUnderline(bool v);
  bool Strikethrough() const { return strikethrough_; }
  void SetStrikethrough(bool v);
  int16_t Weight() const { return weight_; }
  void SetWeight(int16_t weight);
  int16_t Charset() const { return charset_; }
  void SetCharset(int16_t charset);

  // The logical font record at a device's resolution: height -round(points x dpi / 72),
  // halves to even.
  gdi::LOGFONTA LogFont(int dpi = gdi::kDefaultDpi) const;
  // The GDI font of this object for a device of `dpi` dots per inch (GetDeviceCaps'
  // LOGPIXELSY), owned by it; 0 when it cannot be made. The fonts of the last two
  // resolutions asked for are kept, so a font shared by windows on two screens is not
  // remade on every paint.
  gdi::HFONT hFont(int dpi = gdi::kDefaultDpi);

  // A new, independent font object with the same attributes.
  std::shared_ptr<StdFont> Clone() const;

  std::string TypeName() const override { return "StdFont"; }
  DISPID GetIDOfName(std::string_view name) const override;
  Variant Invoke(DISPID id, uint16_t kind, Args args) override;

 private:
  StdFont() = default;
  void Changed();

  std::string name_;
  double size_ = kDefaultFontSize;
  int16_t weight_ = 400;
  int16_t charset_ = 0;
  bool italic_ = false;
  bool underline_ = false;
  bool strikethrough_ = false;
  struct Realized {
    gdi::HFONT font = 0;
    int dpi = 0;
  };
  Realized fonts_[2];  // fonts_[0] is the one used last
};

using StdFontRef = std::shared_ptr<StdFont>;

}  // namespace vg
