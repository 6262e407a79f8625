// The widget's typed API: every colour and text member of the member table has its Qt
// accessors, and the conversions keep the control's values.
#include <gtest/gtest.h>

#include <algorithm>

#include "control/members.h"
#include "platform/automation/errors.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

TEST(TypedMembers, EveryColourTextAndFontPropertyOfTheTableHasItsTypedAccessors) {
  size_t checked = 0;
  for (const MemberRow& row : Members()) {
    TypedMember::Kind kind;
    if (row.type == ValueType::kColor)
      kind = TypedMember::kColor;
    else if (row.type == ValueType::kString)
      kind = TypedMember::kText;
    else if (row.type == ValueType::kFont)
      kind = TypedMember::kFont;
    else
      continue;
    if (!(row.kinds & kGet)) continue;
    const auto* typed = std::find_if(std::begin(kTypedMembers), std::end(kTypedMembers),
                                     [&](const TypedMember& t) { return t.name == row.name; });
    ASSERT_NE(typed, std::end(kTypedMembers)) << row.name << " has no typed accessors";
    EXPECT_EQ(typed->kind, kind) << row.name;
    EXPECT_EQ(typed->block, !row.params.empty()) << row.name;
    ++checked;
  }
  // And nothing typed that the table does not have.
  EXPECT_EQ(checked, std::size(kTypedMembers));
}

TEST(TypedMembers, ColoursAndTextsConvertBothWays) {
  VarigaugeWidget w;
  w.put_BackColor(QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(w.control().get_BackColor(), 0x563412u);
  w.put_BackColor(Qt::red);
  EXPECT_EQ(w.get_BackColor(), 0x0000FFu);
  w.put_BackColor(0x8000000Fu);  // button face: shown as the system colour's RGB
  EXPECT_EQ(w.BackColor_QColor(), ToQColor(0x8000000F));
  EXPECT_TRUE(w.BackColor_QColor().isValid());
  EXPECT_FALSE(ToQColor(0x80000099u).isValid());
  try {
    w.put_ForeColor(QColor());
    ADD_FAILURE() << "an invalid colour was taken";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), err::kInvalidPropertyValue);
  }

  w.put_Caption(QStringLiteral("Größe 50 %"));
  EXPECT_EQ(w.control().get_Caption(),
            "Gr\xC3\xB6\xC3\x9F"
            "e 50 %");
  EXPECT_EQ(w.get_Caption(), QStringLiteral("Größe 50 %"));
  w.control().put_Blocks(1);
  w.put_BlockText(Variant::Integer(1), QStringLiteral("é"));
  w.put_BlockColor(Variant::Integer(1), QColor(0, 0, 255));
  EXPECT_EQ(w.control().get_BlockText(Variant::Integer(1)), "\xC3\xA9");
  EXPECT_EQ(w.get_BlockColor(Variant::Integer(1)), 0xFF0000u);
  EXPECT_EQ(w.BlockColor_QColor(Variant::Integer(1)), QColor(0, 0, 255));
}

TEST(TypedMembers, FontsConvertBothWays) {
  VarigaugeWidget w;
  QFont q(QStringLiteral("DejaVu Sans"));
  q.setPointSizeF(12.5);
  q.setBold(true);
  q.setItalic(true);
  w.putref_Font(q);
  const StdFontRef f = w.control().get_Font();
  EXPECT_EQ(f->Name(), "DejaVu Sans");
  EXPECT_EQ(f->Size(), 12.5);
  EXPECT_TRUE(f->Bold());
  EXPECT_TRUE(f->Italic());
  EXPECT_FALSE(f->Underline());
  EXPECT_EQ(w.Font_QFont(), q);
  w.control().put_Blocks(1);
  w.put_BlockTextFont(Variant::Integer(1), q);
  EXPECT_EQ(w.BlockTextFont_QFont(Variant::Integer(1)).family(), "DejaVu Sans");
}

}  // namespace
}  // namespace vg
