#include "designer/varigauge_icon.h"

#include <QPixmap>

#include "control/enums.h"
#include "platform/automation/std_font.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

// Colours as the control takes them: &HBBGGRR.
constexpr OLE_COLOR kDarkBlue = 0x802000;
constexpr OLE_COLOR kLightBlue = 0xFFB040;
constexpr OLE_COLOR kTrack = 0xE0E0E0;
constexpr OLE_COLOR kWhite = 0xFFFFFF;

QPixmap Draw(int size) {
  VarigaugeWidget widget(nullptr, /*user_mode=*/false);
  // The host's window takes the size, so the control lays out its blocks for it (a hidden
  // widget's own resize would arrive only when shown).
  widget.host().ResizePixels(size, size);
  Varigauge& c = widget.control();
  c.put_Redraw(false);
  c.put_BorderStyle(vgInset);
  c.put_Blocks(2);
  const Variant filled = Variant::Integer(1), empty = Variant::Integer(2);
  // Both blocks span the middle band; the filled one covers 60 of the 100.
  for (const Variant& b : {filled, empty}) {
    c.put_BlockBarTop(b, 80);
    c.put_BlockBarBottom(b, 20);
  }
  c.put_BlockBarLeft(filled, 0);
  c.put_BlockBarRight(filled, 60);
  c.put_BlockGradientStyle(filled, vgLeftHGradient);
  c.put_BlockGradientColor(filled, kDarkBlue);
  c.put_BlockGradientColorEnd(filled, kLightBlue);
  c.put_BlockBarLeft(empty, 60);
  c.put_BlockBarRight(empty, 100);
  c.put_BlockColor(empty, kTrack);
  // The caption on the filled part, as large as the band allows.
  auto font = StdFont::Create("Sans", size / 4.0);
  font->SetBold(true);
  c.put_BlockTextFont(filled, font);
  c.put_BlockTextColor(filled, kWhite);
  c.put_BlockText(filled, "V");
  c.put_Redraw(true);
  return widget.grab();
}

}  // namespace

QIcon MakeVarigaugeIcon() {
  QIcon icon;
  for (int size : {22, 32, 64}) icon.addPixmap(Draw(size));
  return icon;
}

}  // namespace vg
