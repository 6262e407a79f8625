#include "tools/vgi/ramp_command.h"

#include <cmath>
#include <cstdint>

#include "platform/automation/conversions.h"
#include "platform/gdi/gdi.h"
#include "platform/host/drawing_box.h"
#include "platform/imaging/png_io.h"
#include "surface/color_ramp.h"
#include "tools/vgi/lexer.h"

namespace vg::vgi {
namespace {

// A whole number in [lo, hi], written as one number literal of the window's expressions
// (with its type suffix, if any), or as a minus sign and one.
bool Number(std::string_view text, int64_t lo, int64_t hi, int64_t* value) {
  std::vector<Token> tokens;
  try {
    tokens = Lex(text);
  } catch (const SyntaxError&) {
    return false;
  }
  const bool minus = !tokens.empty() && tokens[0].kind == Tok::Minus;
  const size_t at = minus ? 1 : 0;
  if (tokens.size() != at + 2 || tokens[at].kind != Tok::Literal || tokens[at + 1].kind != Tok::End)
    return false;
  const Variant& v = tokens[at].value;
  if (v.type() != VarType::Integer && v.type() != VarType::Long && v.type() != VarType::Single &&
      v.type() != VarType::Double)
    return false;
  double d = ToDouble(v);
  if (minus) d = -d;
  if (d != std::trunc(d) || d < static_cast<double>(lo) || d > static_cast<double>(hi))
    return false;
  *value = static_cast<int64_t>(d);
  return true;
}

}  // namespace

std::string RunRampCommand(const std::vector<std::string>& w, std::ostream& out) {
  if (w.size() != 7 && w.size() != 8)
    return "usage: :ramp STYLE GRANULARITY START END WxH FILE [DEPTH]";
  std::string result;
  std::string* error = &result;
  int64_t style = 0, granularity = 0, start = 0, end = 0, width = 0, height = 0, depth = 32;
  const size_t x = w[5].find_first_of("xX");
  if (!Number(w[1], INT16_MIN, INT16_MAX, &style) ||
      !Number(w[2], INT16_MIN, INT16_MAX, &granularity)) {
    *error = "bad style or granularity (16-bit numbers): " + w[1] + " " + w[2];
  } else if (!Number(w[3], 0, 0xFFFFFFFF, &start) || !Number(w[4], 0, 0xFFFFFFFF, &end)) {
    *error = "bad colour: " + w[3] + " " + w[4];
  } else if (x == std::string::npos ||
             !Number(std::string_view(w[5]).substr(0, x), 1, 1 << 20, &width) ||
             !Number(std::string_view(w[5]).substr(x + 1), 1, 1 << 20, &height) ||
             width * height > gdi::kMaxBitmapPixels) {
    *error = "bad size " + w[5] + ": W x H, each at least 1, at most " +
             std::to_string(gdi::kMaxBitmapPixels) + " pixels";
  } else if (w.size() == 8 && !Number(w[7], 1, 64, &depth)) {
    *error = "bad depth (1..64 bits): " + w[7];
  }
  if (!error->empty()) return result;

  DrawingBox box(static_cast<int>(width), static_cast<int>(height), static_cast<int>(depth));
  out << SetColorDepth(box) << "\n";
  PaintColorRamp(box, static_cast<int16_t>(style), static_cast<int16_t>(granularity),
                 static_cast<int32_t>(start & 0xFFFFFF), static_cast<int32_t>(end & 0xFFFFFF));
  const gdi::PixelView view = box.Pixels();
  std::string why;
  if (!SavePng(w[6], view.pixels, view.width, view.height, &why))
    *error = "cannot save " + w[6] + ": " + why;
  return result;
}

}  // namespace vg::vgi
