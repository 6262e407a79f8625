#include "control/live_fields.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "control/date_formats.h"
#include "control/disk_fields.h"
#include "platform/automation/conversions.h"
#include "platform/automation/numeric.h"

namespace vg {
namespace {

enum class Field {
  Unknown,
  Date,  // one of the named formats
  HPercent,
  VPercent,
  DiskFigure,
  Ratio,
  ShowVertical,
  ShowHorizontal,
};

struct FieldName {
  std::string_view name;
  Field field;
  int detail;  // the NamedDateFormat, the DiskFigure, or 1 for "used" ratios
};

constexpr FieldName kFields[] = {
    {"short time", Field::Date, static_cast<int>(NamedDateFormat::ShortTime)},
    {"medium time", Field::Date, static_cast<int>(NamedDateFormat::MediumTime)},
    {"long time", Field::Date, static_cast<int>(NamedDateFormat::LongTime)},
    {"general date", Field::Date, static_cast<int>(NamedDateFormat::GeneralDate)},
    {"short date", Field::Date, static_cast<int>(NamedDateFormat::ShortDate)},
    {"medium date", Field::Date, static_cast<int>(NamedDateFormat::MediumDate)},
    {"long date", Field::Date, static_cast<int>(NamedDateFormat::LongDate)},
    {"h%", Field::HPercent, 0},
    {"v%", Field::VPercent, 0},
    {"disk free:", Field::DiskFigure, static_cast<int>(DiskFigure::Free)},
    {"disk used:", Field::DiskFigure, static_cast<int>(DiskFigure::Used)},
    {"disk total:", Field::DiskFigure, static_cast<int>(DiskFigure::Total)},
    {"ratio free:", Field::Ratio, 0},
    {"ratio used:", Field::Ratio, 1},
    {"show vertical ratio free:", Field::ShowVertical, 0},
    {"show vertical ratio used:", Field::ShowVertical, 1},
    {"show horizontal ratio free:", Field::ShowHorizontal, 0},
    {"show horizontal ratio used:", Field::ShowHorizontal, 1},
};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The table entry whose name is `stem` lower-cased, followed by ":" when `colon`.
const FieldName* Lookup(std::string_view stem, bool colon) {
  for (const FieldName& f : kFields) {
    const std::string_view name = f.name;
    if (name.size() != stem.size() + (colon ? 1 : 0)) continue;
    if (colon && name.back() != ':') continue;
    bool same = true;
    for (size_t i = 0; i < stem.size() && same; ++i) same = Lower(stem[i]) == name[i];
    if (same) return &f;
  }
  return nullptr;
}

// A ratio's text: its digits, a blank and a percent sign.
size_t RatioText(float ratio, char* out) {
  return static_cast<size_t>(std::snprintf(out, 16, "%d %%", static_cast<int>(ratio)));
}

// |range| x ratio / 100 in single precision, halves to even, as a 16-bit value (else 6).
int16_t BarValue(int16_t range, float ratio) {
  const float value = static_cast<float>(std::abs(int32_t{range})) * ratio / 100.0f;
  return CheckedInteger(static_cast<int64_t>(RoundHalfEven(value)));
}

size_t Percent(const std::string& percentage, char* out, size_t capacity) {
  const size_t n = percentage.size() < capacity - 2 ? percentage.size() : capacity - 2;
  percentage.copy(out, n);
  out[n] = ' ';
  out[n + 1] = '%';
  return n + 2;
}

}  // namespace

void ExpandLiveFields(std::string& t, BlockRecord& block, const LiveFieldContext& context) {
  constexpr size_t npos = std::string::npos;
  if (t.empty()) return;
  size_t p1 = t.find('!');
  if (p1 == npos) return;
  size_t p2 = t.find('!', p1 + 1);
  if (p2 == npos || p2 <= p1 + 1) return;

  std::optional<LocalTime> now;
  char value[kDateTextCapacity];
  for (;;) {
    const size_t p3 = t.find(':', p1 + 1);
    const bool colon = p3 != npos && p3 < p2 - 1;
    const std::string_view field(t.data() + p1 + 1, (colon ? p3 : p2) - p1 - 1);
    const char arg = p3 != npos && p3 + 1 < t.size() ? t[p3 + 1] : '\0';

    size_t length = 0;
    if (const FieldName* f = Lookup(field, colon)) {
      switch (f->field) {
        case Field::Date:
          if (!now) now = context.clock.Now();
          length = FormatNamedDate(static_cast<NamedDateFormat>(f->detail), *now, value);
          break;
        case Field::HPercent:
          length = Percent(block.HPercentage, value, sizeof value);
          break;
        case Field::VPercent:
          length = Percent(block.VPercentage, value, sizeof value);
          break;
        case Field::DiskFigure:
          length = DiskFigureTo(context.disk, arg, static_cast<DiskFigure>(f->detail), value);
          break;
        case Field::Ratio:
        case Field::ShowVertical:
        case Field::ShowHorizontal: {
          // One query serves both the bar and the text, so the two always agree.
          const float ratio =
              f->detail ? DiskRatioUsed(context.disk, arg) : DiskRatioFree(context.disk, arg);
          if (f->field == Field::ShowVertical) {
            block.BarTop = BarValue(context.v_range, ratio);
            block.BarBottom = 0;
          } else if (f->field == Field::ShowHorizontal) {
            block.BarLeft = 0;
            block.BarRight = BarValue(context.h_range, ratio);
          }
          length = RatioText(ratio, value);
          break;
        }
        case Field::Unknown:
          break;
      }
    }
    t.replace(p1, p2 - p1 + 1, value, length);

    p1 = t.find('!', p1 + length + 1);
    if (p1 == npos) return;
    p2 = t.find('!', p1 + 1);
    if (p2 == npos) return;
  }
}

}  // namespace vg
