// The JSON property bag: names in any letter case, the default rule, every kind of value
// through text and back, and refusals that name their key.
#include "forms/json_bag.h"

#include <gtest/gtest.h>

#include "forms/form_error.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"

namespace vg::forms {
namespace {

std::string KeyOfFailure(const std::string& json) {
  try {
    JsonPropertyBag::FromJson(json);
  } catch (const BagError& e) {
    return e.key() + ": " + e.what();
  }
  return "accepted";
}

TEST(JsonBag, NamesMatchInAnyCaseAndAreStoredInLowerCase) {
  JsonPropertyBag bag;
  bag.WriteProperty("Block.Text(1)", Variant::String("Disk"), Variant::String(""));
  EXPECT_EQ(bag.ReadProperty("BLOCK.TEXT(1)", Variant()), Variant::String("Disk"));
  EXPECT_EQ(bag.ToJson(), R"j({"block.text(1)":"Disk"})j");
  JsonPropertyBag read = JsonPropertyBag::FromJson(R"j({"Blocks":2,"block.Text(1)":"a"})j");
  EXPECT_EQ(read.ReadProperty("blocks", Variant::Long(0)), Variant::Long(2));
  EXPECT_EQ(read.ReadProperty("Block.Text(1)", Variant()), Variant::String("a"));
  // The later of two spellings counts.
  EXPECT_EQ(JsonPropertyBag::FromJson(R"({"caption":"a","CAPTION":"b"})")
                .ReadProperty("Caption", Variant()),
            Variant::String("b"));
}

TEST(JsonBag, ValuesEqualToTheirDefaultAreNotStored) {
  JsonPropertyBag bag;
  bag.WriteProperty("Width", Variant::Single(900.0f), Variant::Long(900));
  bag.WriteProperty("Redraw", Variant::Boolean(true), Variant::Integer(-1));
  bag.WriteProperty("Block.HPercentage(1)", Variant::String("0"), Variant::Integer(0));
  bag.WriteProperty("Picture", Variant::Object(StdPicture::Empty()), Variant::Nothing());
  bag.WriteProperty("Caption", Variant::String(""), Variant::String(""));
  EXPECT_EQ(bag.ToJson(), "{}");
  EXPECT_EQ(bag.ReadProperty("width", Variant::Long(900)), Variant::Long(900));

  // A font is the default only when it is the default object itself.
  StdFontRef ambient = StdFont::Create();
  bag.WriteProperty("Font", Variant::Object(ambient), Variant::Object(ambient));
  EXPECT_FALSE(bag.Contains("font"));
  bag.WriteProperty("Font", Variant::Object(ambient->Clone()), Variant::Object(ambient));
  EXPECT_TRUE(bag.Contains("font"));

  // Writing the default over a stored value removes it.
  bag.WriteProperty("Caption", Variant::String("x"), Variant::String(""));
  bag.WriteProperty("CAPTION", Variant::String(""), Variant::String(""));
  EXPECT_FALSE(bag.Contains("caption"));
}

TEST(JsonBag, ScalarsKeepTheirValuesThroughText) {
  JsonPropertyBag bag;
  bag.WriteProperty("a", Variant::Long(static_cast<int32_t>(0x80000012u)), Variant());
  bag.WriteProperty("b", Variant::Single(0.1f), Variant());
  bag.WriteProperty("c", Variant::Single(315.0f), Variant());
  bag.WriteProperty("d", Variant::Boolean(false), Variant());
  bag.WriteProperty("e", Variant::String("\"Ä\"\n<&>"), Variant());
  bag.WriteProperty("f", Variant::Nothing(), Variant::Long(0));
  std::string json = bag.ToJson();
  EXPECT_EQ(json, R"({"a":-2147483630,"b":0.1,"c":315,"d":false,"e":"\"Ä\"\n<&>","f":null})");
  JsonPropertyBag read = JsonPropertyBag::FromJson(json);
  EXPECT_EQ(read.ReadProperty("a", Variant()), Variant::Long(static_cast<int32_t>(0x80000012u)));
  EXPECT_EQ(ToSingle(read.ReadProperty("b", Variant())), 0.1f);
  EXPECT_EQ(read.ReadProperty("e", Variant()), Variant::String("\"Ä\"\n<&>"));
  EXPECT_TRUE(read.ReadProperty("f", Variant()).IsNothing());
  EXPECT_EQ(read.ToJson(), json);
  // Beyond 32 bits a number stays a number; converting it is the reader's business.
  Variant big = JsonPropertyBag::FromJson(R"({"n":4294967296})").ReadProperty("n", Variant());
  EXPECT_EQ(big, Variant::Double(4294967296.0));
  // Bytes that are not UTF-8 are replaced rather than making the bag unwritable.
  bag.WriteProperty("g", Variant::String("a\xFFz"), Variant());
  EXPECT_NE(bag.ToJson().find(R"("g":"a)"
                              "\xEF\xBF\xBD"
                              R"(z")"),
            std::string::npos);
  // JSON cannot hold an infinite number: overflow at the key.
  try {
    bag.WriteProperty("Height", Variant::Double(1.0 / 0.0), Variant());
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), 6);
    EXPECT_EQ(bag.last_key(), "height");
  }
}

TEST(JsonBag, FontsAndPicturesAreObjects) {
  StdFontRef font = StdFont::Create("Arial", 9.75);
  font->SetWeight(800);
  font->SetItalic(true);
  font->SetCharset(161);
  std::vector<COLORREF> pixels = {RGB(1, 2, 3), RGB(250, 0, 7), RGB(0, 128, 255), 0xFFFFFF, 0,
                                  RGB(9, 9, 9)};
  StdPictureRef picture = StdPicture::FromPixels(3, 2, pixels, vbPicTypeIcon);
  JsonPropertyBag bag;
  bag.WriteProperty("Font", Variant::Object(font), Variant());
  bag.WriteProperty("Picture", Variant::Object(picture), Variant::Nothing());
  std::string json = bag.ToJson();
  EXPECT_EQ(json.substr(0, 157),
            R"({"font":{"name":"Arial","size":9.75,"bold":true,"italic":true,"underline":false,)"
            R"("strikethrough":false,"weight":800,"charset":161},"picture":{"type":3,"png":")");

  JsonPropertyBag read = JsonPropertyBag::FromJson(json);
  auto f = std::dynamic_pointer_cast<StdFont>(read.ReadProperty("font", Variant()).object());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Name(), "Arial");
  EXPECT_EQ(f->Size(), 9.75);
  EXPECT_EQ(f->Weight(), 800);
  EXPECT_TRUE(f->Italic());
  EXPECT_EQ(f->Charset(), 161);
  auto p = std::dynamic_pointer_cast<StdPicture>(read.ReadProperty("picture", Variant()).object());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Type(), vbPicTypeIcon);
  EXPECT_EQ(p->PixelWidth(), 3);
  EXPECT_EQ(p->Pixels(), pixels);
  EXPECT_EQ(read.ToJson(), json);

  // "bold" overrides only a weight it contradicts.
  auto bolded = JsonPropertyBag::FromJson(R"({"f":{"name":"x","bold":true,"weight":400}})");
  EXPECT_EQ(
      std::dynamic_pointer_cast<StdFont>(bolded.ReadProperty("f", Variant()).object())->Weight(),
      700);
  // A picture of type none has no image.
  EXPECT_EQ(bag.ToJson().size(), json.size());
  JsonPropertyBag none;
  none.WriteProperty("Picture", Variant::Object(StdPicture::Empty()), Variant());
  EXPECT_EQ(none.ToJson(), R"({"picture":{"type":0}})");
}

TEST(JsonBag, ValuesABagCannotHoldAreRefusedByKey) {
  EXPECT_EQ(KeyOfFailure(R"({"Blocks":[1,2]})"), "blocks: a JSON array is no property value");
  EXPECT_EQ(KeyOfFailure(R"({"x":{}})"), "x: an object that is neither a font nor a picture");
  EXPECT_EQ(KeyOfFailure(R"({"Font":{"name":3}})"), "font: font \"name\" is not a string");
  EXPECT_EQ(KeyOfFailure(R"({"font":{"name":"a","size":0}})"),
            "font: font \"size\" is not between 0 and 32767 points");
  EXPECT_EQ(KeyOfFailure(R"({"font":{"name":"a","weight":70000}})"),
            "font: \"weight\" is not a whole number from -32768 to 32767");
  EXPECT_EQ(KeyOfFailure(R"({"font":{"name":"a","colour":1}})"),
            "font: unknown font member \"colour\"");
  EXPECT_EQ(KeyOfFailure(R"({"picture":{"type":1}})"), "picture: the picture has no \"png\" image");
  EXPECT_EQ(KeyOfFailure(R"({"picture":{"type":1,"png":"@@@@"}})"),
            "picture: picture \"png\" is not base64");
  EXPECT_EQ(KeyOfFailure(R"({"picture":{"type":1,"png":"AAAA"}})").substr(0, 38),
            "picture: picture \"png\" does not decode");
  EXPECT_EQ(KeyOfFailure("[1]"), ": the bag is not a JSON object");
  EXPECT_EQ(KeyOfFailure(R"({"a":1)").substr(0, 17), ": not valid JSON:");
  EXPECT_EQ(KeyOfFailure(R"({"a":1e999})").substr(0, 17), ": not valid JSON:");
}

TEST(JsonBag, TheHostsKeysStayAheadOfTheControls) {
  JsonPropertyBag old =
      JsonPropertyBag::FromJson(R"({"_extentx":1588,"caption":"old","_version":3})");
  JsonPropertyBag saved;
  saved.WriteProperty("Caption", Variant::String("new"), Variant::String(""));
  saved.KeepHostKeys(old);
  EXPECT_EQ(saved.ToJson(), R"({"_extentx":1588,"_version":3,"caption":"new"})");
}

}  // namespace
}  // namespace vg::forms
