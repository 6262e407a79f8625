// Making a control by its ProgID or CLSID, and the text conversions of the binary interface.
#include "library/create_control.h"

#include <gtest/gtest.h>

#include "library/com_strings.h"
#include "platform/gdi/gdi.h"

namespace vg {
namespace {

TEST(CreateControl, ByProgIdOrClsid) {
  int objects = gdi::LiveObjectCount();
  for (const char* name :
       {"Varigauge_by_Brevantis.Varigauge", "varigauge_by_brevantis.VARIGAUGE",
        "{DAB59A5E-B446-11D1-921D-006097A8F11E}", "{dab59a5e-b446-11d1-921d-006097a8f11e}"}) {
    auto c = CreateControl(name);
    ASSERT_NE(c, nullptr) << name;
    // Placed as new, in a running program, at the default outer size.
    EXPECT_EQ(c->host().Width(), 900);
    EXPECT_EQ(c->host().Height(), 315);
    EXPECT_TRUE(c->host().AmbientUserMode());
    EXPECT_EQ(c->control().get_BackColor(), 0xC0C0C0u);
    DispatchResult r = Invoke(*c, "BorderStyle", DISPATCH_PROPERTYGET, {});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, Variant::Long(3));
  }
  EXPECT_EQ(gdi::LiveObjectCount(), objects);  // each control released what it made
  for (const char* name :
       {"", "Varigauge", "Varigauge_by_Brevantis.Block",
        "{DAB59A5D-B446-11D1-921D-006097A8F11E}",  // the interface, not the class
        "DAB59A5E-B446-11D1-921D-006097A8F11E", "{DAB59A5E-B446-11D1-921D-006097A8F11E"})
    EXPECT_EQ(CreateControl(name), nullptr) << name;
}

TEST(ComStrings, Utf16RoundTripAndRepair) {
  using com::Utf16ToUtf8;
  using com::Utf8ToUtf16;
  EXPECT_EQ(Utf8ToUtf16("A\xC3\xBC\xE2\x9C\x93\xF0\x9F\x98\x80"), u"A\u00FC\u2713\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"A\u00FC\u2713\U0001F600"), "A\xC3\xBC\xE2\x9C\x93\xF0\x9F\x98\x80");
  // Broken input becomes U+FFFD, never a crash or a lost character after it.
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAFz"), u"\uFFFD\uFFFDz");  // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80z"), u"\uFFFDz");    // encoded surrogate
  const char16_t lone[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBDy");
}

TEST(ComStrings, GuidForms) {
  com::GUID g{};
  ASSERT_TRUE(com::ParseGuid("{cd8dbb13-94ee-11d1-921d-006097a8f11e}", &g));
  EXPECT_EQ(g.Data1, 0xCD8DBB13u);
  EXPECT_EQ(g.Data2, 0x94EE);
  EXPECT_EQ(g.Data3, 0x11D1);
  EXPECT_EQ(g.Data4[0], 0x92);
  EXPECT_EQ(g.Data4[7], 0x1E);
  EXPECT_EQ(com::FormatGuid(g), "{CD8DBB13-94EE-11D1-921D-006097A8F11E}");
  EXPECT_FALSE(com::ParseGuid("{CD8DBB13-94EE-11D1-921D-006097A8F11G}", &g));
  EXPECT_FALSE(com::ParseGuid("{CD8DBB1394EE-11D1-921D-006097A8F11E-}", &g));
}

}  // namespace
}  // namespace vg
