// Live text fields: the parsing rules, every field's value, the show fields' bars, and
// the date, time and disk texts behind them.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "control/date_formats.h"
#include "control/disk_fields.h"
#include "control/live_fields.h"
#include "platform/automation/errors.h"
#include "platform/disk/disk_map.h"

namespace vg {
namespace {

struct FixedClock : Clock {
  LocalTime Now() const override {
    ++reads;
    return now;
  }
  LocalTime now = *MakeLocalTime(2026, 12, 7, 17, 45, 12);
  mutable int reads = 0;
};

struct NoDrives : DiskProvider {
  bool Query(char, DiskSpace*) override { return false; }
};

// c: 42.7 % used; d: beyond 4 GB; e: 70 % used; f: full; g: no size; every other fails.
std::shared_ptr<DiskMap> TestDrives() {
  auto map = std::make_shared<DiskMap>(std::make_shared<NoDrives>());
  map->SetBytes('c', 573000, 1000000);
  map->SetBytes('d', 5000000000ULL, 12000000000ULL);
  map->SetBytes('e', 30, 100);
  map->SetBytes('f', 0, 10);
  map->SetBytes('g', 0, 0);
  return map;
}

class LiveFieldsTest : public ::testing::Test {
 protected:
  LiveFieldsTest() {
    block.HPercentage = "50";
    block.VPercentage = "25";
  }
  std::string Expand(std::string text, int16_t h_range = 100, int16_t v_range = 100) {
    ExpandLiveFields(text, block, LiveFieldContext{clock, *drives, h_range, v_range});
    return text;
  }
  FixedClock clock;
  std::shared_ptr<DiskMap> drives = TestDrives();
  BlockRecord block;
};

struct Row {
  const char* text;
  const char* expanded;
};

TEST_F(LiveFieldsTest, ParsingRules) {
  const Row rows[] = {
      {"", ""},
      {"no fields here", "no fields here"},
      {"one ! only", "one ! only"},
      {"!!short time!", "!!short time!"},  // an empty first field stops everything
      {"x !short time", "x !short time"},  // no closing mark
      {"!short time! and !open", "17:45 and !open"},
      {"!short time!!long date!", "17:45!long date!"},  // back to back: only the first
      {"!short time! !long date!", "17:45 Monday, December 7, 2026"},
      {"!h%!x!v%!", "50 %x25 %"},  // one character between is enough
      {"Left !nothing! right", "Left  right"},
      {"a !h%! b !! c", "a 50 % b  c"},  // an empty name after the first field goes
      {"!SHORT Time!", "17:45"},
      {"!short time:x!", ""},  // a colon makes it another, unknown, name
      {"!disk free:!", "?"},   // the argument is the closing mark: no drive
      {"!disk free:c", "!disk free:c"},
      {"!Disk Free:C!", "573,000"},
      {"!disk free:cd!", "573,000"},  // only the first character counts
      {"!disk free: c!", "?"},
      {"!disk free!", ""},
      {"100% !h%!", "100% 50 %"},
  };
  for (const Row& row : rows) EXPECT_EQ(Expand(row.text), row.expanded) << row.text;
}

TEST_F(LiveFieldsTest, EveryFieldsValue) {
  const Row rows[] = {
      {"!short time!", "17:45"},
      {"!medium time!", "05:45 PM"},
      {"!long time!", "5:45:12 PM"},
      {"!general date!", "12/7/2026 5:45:12 PM"},
      {"!short date!", "12/7/2026"},
      {"!medium date!", "07-Dec-26"},
      {"!long date!", "Monday, December 7, 2026"},
      {"!h%!", "50 %"},
      {"!v%!", "25 %"},
      {"!disk free:c!", "573,000"},
      {"!disk used:c!", "427,000"},
      {"!disk total:c!", "1,000,000"},
      {"!ratio free:c!", "57 %"},
      {"!ratio used:c!", "42 %"},
      // Beyond 4 GB: full byte counts and the true ratio.
      {"!disk free:d! / !disk total:d!", "5,000,000,000 / 12,000,000,000"},
      {"!disk used:D!", "7,000,000,000"},
      {"!ratio free:d! !ratio used:d!", "41 % 58 %"},
      // A drive that fails, and one of no size.
      {"!disk total:x! !disk used:x! !ratio used:x!", "? ? 0 %"},
      {"!disk free:g! !ratio free:g! !ratio used:g!", "0,000 0 % 0 %"},
  };
  for (const Row& row : rows) EXPECT_EQ(Expand(row.text), row.expanded) << row.text;
}

TEST_F(LiveFieldsTest, AllTimeFieldsOfOneTextShowOneInstant) {
  EXPECT_EQ(Expand("!long time! - !short date! - !h%!"), "5:45:12 PM - 12/7/2026 - 50 %");
  EXPECT_EQ(clock.reads, 1);
  Expand("!h%! !disk free:c!");
  EXPECT_EQ(clock.reads, 1);  // no time field, no reading
}

struct BarRow {
  const char* text;
  int16_t h_range, v_range;
  const char* expanded;
  int16_t left, right, top, bottom;
};

TEST_F(LiveFieldsTest, ShowFieldsSetTheBarFromZeroHalvesToEven) {
  const BarRow rows[] = {
      {"C: !show horizontal ratio used:c!", 100, 100, "C: 42 %", 0, 42, 7, 8},
      {"!show horizontal ratio free:C!", 100, 100, "57 %", 0, 57, 7, 8},
      {"!show vertical ratio used:c!", 100, 100, "42 %", 5, 6, 42, 0},
      {"!show vertical ratio free:d!", 100, 200, "41 %", 5, 6, 82, 0},
      {"!show horizontal ratio used:e!", 5, 100, "70 %", 0, 4, 7, 8},      // 3.5 -> 4
      {"!show horizontal ratio free:e!", 5, 100, "30 %", 0, 2, 7, 8},      // 1.5 -> 2
      {"!show horizontal ratio free:e!", 15, 100, "30 %", 0, 4, 7, 8},     // 4.5 -> 4
      {"!show horizontal ratio used:c!", -100, 100, "42 %", 0, 42, 7, 8},  // |range|
      {"!show horizontal ratio used:x!", 100, 100, "0 %", 0, 0, 7, 8},     // failing drive
      {"!show vertical ratio used:!", 100, 100, "0 %", 5, 6, 0, 0},
  };
  for (const BarRow& row : rows) {
    block.BarLeft = 5;
    block.BarRight = 6;
    block.BarTop = 7;
    block.BarBottom = 8;
    EXPECT_EQ(Expand(row.text, row.h_range, row.v_range), row.expanded) << row.text;
    EXPECT_EQ(block.BarLeft, row.left) << row.text;
    EXPECT_EQ(block.BarRight, row.right) << row.text;
    EXPECT_EQ(block.BarTop, row.top) << row.text;
    EXPECT_EQ(block.BarBottom, row.bottom) << row.text;
  }
}

TEST_F(LiveFieldsTest, ABarBeyond16BitsIsAnOverflow) {
  // A full drive on a scale spanning 32768 values gives a bar of 32768.
  for (const char* text : {"!show vertical ratio used:f!", "!show horizontal ratio used:f!"}) {
    try {
      Expand(text, -32768, -32768);
      ADD_FAILURE() << text;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), err::kOverflow) << text;
    }
  }
  // One value less fits.
  EXPECT_EQ(Expand("!show horizontal ratio used:f!", 32767, 100), "100 %");
  EXPECT_EQ(block.BarRight, 32767);
}

TEST(DateFormats, AmericanFormsAroundTheClock) {
  struct DateRow {
    int hour, minute, second;
    NamedDateFormat format;
    const char* text;
  };
  const DateRow rows[] = {
      {0, 0, 0, NamedDateFormat::GeneralDate, "12/7/2026"},  // midnight: the date alone
      {0, 0, 1, NamedDateFormat::GeneralDate, "12/7/2026 12:00:01 AM"},
      {0, 0, 0, NamedDateFormat::ShortTime, "00:00"},
      {0, 0, 0, NamedDateFormat::MediumTime, "12:00 AM"},
      {0, 0, 0, NamedDateFormat::LongTime, "12:00:00 AM"},
      {12, 5, 9, NamedDateFormat::MediumTime, "12:05 PM"},
      {12, 5, 9, NamedDateFormat::LongTime, "12:05:09 PM"},
      {9, 5, 3, NamedDateFormat::ShortTime, "09:05"},
      {9, 5, 3, NamedDateFormat::MediumTime, "09:05 AM"},
      {9, 5, 3, NamedDateFormat::LongTime, "9:05:03 AM"},
      {23, 59, 59, NamedDateFormat::LongTime, "11:59:59 PM"},
      {100, 5, 3, NamedDateFormat::ShortTime, "100:05"},  // beyond two digits: still whole
  };
  const LocalTime day = *MakeLocalTime(2026, 12, 7, 0, 0, 0);
  char out[kDateTextCapacity];
  for (const DateRow& row : rows) {
    LocalTime t = day;
    t.hour = row.hour;
    t.minute = row.minute;
    t.second = row.second;
    EXPECT_EQ(std::string(out, FormatNamedDate(row.format, t, out)), row.text) << row.text;
  }
  const LocalTime early = *MakeLocalTime(2005, 3, 1, 8, 0, 0);
  EXPECT_EQ(std::string(out, FormatNamedDate(NamedDateFormat::MediumDate, early, out)),
            "01-Mar-05");
  EXPECT_EQ(std::string(out, FormatNamedDate(NamedDateFormat::LongDate, early, out)),
            "Tuesday, March 1, 2005");
  EXPECT_EQ(std::string(out, FormatNamedDate(NamedDateFormat::ShortDate, early, out)), "3/1/2005");
}

// Switches LC_TIME and LC_NUMERIC to `name` for the life of the object, if the system has it.
class LocaleScope {
 public:
  explicit LocaleScope(const char* name) {
    time_ = std::setlocale(LC_TIME, nullptr);
    numeric_ = std::setlocale(LC_NUMERIC, nullptr);
    ok_ = std::setlocale(LC_TIME, name) != nullptr && std::setlocale(LC_NUMERIC, name) != nullptr;
  }
  ~LocaleScope() {
    std::setlocale(LC_TIME, time_.c_str());
    std::setlocale(LC_NUMERIC, numeric_.c_str());
  }
  bool ok() const { return ok_; }

 private:
  std::string time_, numeric_;
  bool ok_;
};

TEST(DateFormats, AnotherLocaleUsesItsOwnFormatsAndNames) {
  LocaleScope german("de_DE.UTF-8");
  if (!german.ok()) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  const LocalTime t = *MakeLocalTime(2026, 12, 7, 17, 45, 12);
  char out[kDateTextCapacity];
  auto text = [&](NamedDateFormat f) { return std::string(out, FormatNamedDate(f, t, out)); };
  EXPECT_EQ(text(NamedDateFormat::ShortTime), "17:45");
  EXPECT_EQ(text(NamedDateFormat::LongTime), "17:45:12");
  EXPECT_EQ(text(NamedDateFormat::ShortDate), "07.12.2026");
  EXPECT_EQ(text(NamedDateFormat::GeneralDate), "07.12.2026 17:45:12");
  EXPECT_EQ(text(NamedDateFormat::MediumDate), "07-Dez-26");
  EXPECT_EQ(text(NamedDateFormat::LongDate), "Montag, 7 Dezember 2026");
  char grouped[40];
  EXPECT_EQ(std::string(grouped, FormatGrouped(1234567, grouped)), "1.234.567");
}

TEST(DiskInfo, GroupedTextHasAtLeastFourDigits) {
  const std::pair<uint64_t, const char*> rows[] = {
      {0, "0,000"},
      {5, "0,005"},
      {999, "0,999"},
      {1000, "1,000"},
      {12345, "12,345"},
      {1234567, "1,234,567"},
      {18446744073709551615ULL, "18,446,744,073,709,551,615"},
  };
  char out[40];
  for (const auto& [value, text] : rows)
    EXPECT_EQ(std::string(out, FormatGrouped(value, out)), text) << value;
}

TEST(DiskInfo, RatiosAreExactIntegerParts) {
  // 29 / 100 x 100 is 28.999... in binary floating point; the ratio is still 29.
  EXPECT_EQ(RatioFree({29, 100}), 29);
  EXPECT_EQ(RatioUsed({71, 100}), 29);
  EXPECT_EQ(RatioFree({1, 3}), 33);
  EXPECT_EQ(RatioUsed({1, 3}), 66);
  EXPECT_EQ(RatioFree({0, 0}), 0);
  EXPECT_EQ(RatioUsed({0, 0}), 0);
  EXPECT_EQ(RatioFree({18446744073709551615ULL, 18446744073709551615ULL}), 100);

  auto drives = TestDrives();
  EXPECT_EQ(DiskFree(*drives, 'd'), "5,000,000,000");
  EXPECT_EQ(DiskUsed(*drives, 'd'), "7,000,000,000");
  EXPECT_EQ(DiskTotal(*drives, 'd'), "12,000,000,000");
  EXPECT_EQ(DiskRatioFree(*drives, 'd'), 41.0f);
  EXPECT_EQ(DiskRatioUsed(*drives, 'd'), 58.0f);
  EXPECT_EQ(DiskFree(*drives, 'q'), "?");
  EXPECT_EQ(DiskRatioUsed(*drives, 'q'), 0.0f);
  // Through the thread's provider.
  ScopedDiskProvider scope(drives);
  EXPECT_EQ(DiskTotal('C'), "1,000,000");
  EXPECT_EQ(DiskRatioUsed('c'), 42.0f);
}

}  // namespace
}  // namespace vg
