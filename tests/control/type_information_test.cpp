// The published type information: every member's DISPID and kinds in interface order and
// every help string, checked against lists written out by hand from the interface's
// definition (not derived from the table); the enumerations in the type library's order
// with their identifiers and constants; the event interface; the printed description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/type_library.h"

namespace vg {
namespace {

// Name, DISPID and kinds, as the immediate window lists them.
const char* const kInterface[] = {
    "Refresh &H6003004D method",
    "BackColor &H68030047 get/let",
    "ForeColor &H68030046 get/let",
    "Enabled &HFFFFFDFE get/let",
    "Font &HFFFFFE00 get/set",
    "hWnd &H68030045 get",
    "BorderWidth &H68030044 get/let",
    "BorderStyle &H68030043 get/let",
    "HMinValue &H68030042 get/let",
    "HMaxValue &H68030041 get/let",
    "VMinValue &H68030040 get/let",
    "VMaxValue &H6803003F get/let",
    "BrushStyle &H6803003E get/let",
    "BrushColor &H6803003D get/let",
    "Caption &H6803003C get/let",
    "CaptionAlignment &H6803003B get/let",
    "DisabledColor &H6803003A get/let",
    "SpecialClearAllBlock &H68030039 get/let",
    "Orientation &H68030038 get/let",
    "CaptionOffset &H68030037 get/let",
    "CaptionAngle &H68030036 get/let",
    "CaptionAutoAngle &H68030035 get/let",
    "DontRefreshAfterPropertyPage &H68030034 get/let",
    "CaptionFont3D &H68030033 get/let",
    "SetBlockShapeStyle &H60030056 method",
    "SetBlockBorderStyle &H60030057 method",
    "SetBlockTextOffset &H60030058 method",
    "SetBlockTextAngle &H60030059 method",
    "SetBlockTextAutoAngle &H6003005A method",
    "SetBlockTextColor &H6003005B method",
    "SetBlockBrushColor &H6003005C method",
    "SetBlockBrushStyle &H6003005D method",
    "SetBlockColor &H6003005E method",
    "SetBlockBarTop &H6003005F method",
    "SetBlockBarBottom &H60030060 method",
    "SetBlockVisible &H60030061 method",
    "SetBlockClickable &H60030062 method",
    "SetBlockAutoSize &H60030063 method",
    "SetBlockRivetsStyle &H60030064 method",
    "SetBlockPicture &H60030065 method",
    "ClearBlockBar &H60030066 method",
    "SetBlockText &H60030067 method",
    "SaveSetting &H60030068 method",
    "RestoreSetting &H60030069 method",
    "SetBlockTextAlignment &H6003006A method",
    "ClearAll &H6003006B method",
    "About &HFFFFFDD8 method",
    "ShowAboutBox &H6003006C method",
    "Redraw &H68030032 get/let",
    "TimerTimeInterval &H68030031 get/let",
    "TimerTimeEnabled &H68030030 get/let",
    "TimerDiskInterval &H6803002F get/let",
    "TimerDiskEnabled &H6803002E get/let",
    "RivetsStyle &H6803002D get/let",
    "GradientStyle &H6803002C get/let",
    "GradientColor &H6803002B get/let",
    "GradientColorEnd &H6803002A get/let",
    "GradientGranularity &H68030029 get/let",
    "SetBlockGradientStyle &H6003006D method",
    "SetBlockGradientGranularity &H6003006E method",
    "SetBlockGradientColor &H6003006F method",
    "SetBlockGradientColorEnd &H60030070 method",
    "Blocks &H68030028 get/let",
    "AddBlock &H60030071 method",
    "DeleteBlock &H60030072 method",
    "BlockKey &H68030027 get/let",
    "BlockBarLeft &H68030026 get/let",
    "BlockBarRight &H68030025 get/let",
    "BlockBarTop &H68030024 get/let",
    "BlockBarBottom &H68030023 get/let",
    "BlockBorderStyle &H68030022 get/let",
    "BlockBorderWidth &H68030021 get/let",
    "BlockShapeStyle &H68030020 get/let",
    "BlockBrushStyle &H6803001F get/let",
    "BlockBrushColor &H6803001E get/let",
    "BlockVisible &H6803001D get/let",
    "BlockHPercentage &H6803001C get/let",
    "BlockVPercentage &H6803001B get/let",
    "BlockOnTop &H6803001A get/let",
    "BlockColor &H68030019 get/let",
    "BlockGradientStyle &H68030018 get/let",
    "BlockGradientGranularity &H68030017 get/let",
    "BlockGradientColor &H68030016 get/let",
    "BlockGradientColorEnd &H68030015 get/let",
    "BlockText &H68030014 get/let",
    "BlockTextColor &H68030013 get/let",
    "BlockTextAlignment &H68030012 get/let",
    "BlockTextFont &H68030011 get/let/set",  // a plain assignment stores the reference too
    "BlockTextFont3D &H68030010 get/let",
    "BlockTextOffset &H6803000F get/let",
    "BlockTextAngle &H6803000E get/let",
    "BlockTextAutoAngle &H6803000D get/let",
    "BlockRivetsStyle &H6803000C get/let",
    "BlockPicture &H6803000B get/set",
    "BlockPictureOffset &H6803000A get/let",
    "BlockPictureAlignment &H68030009 get/let",
    "BlockPictureTile &H68030008 get/let",
    "Picture &H68030007 get/set",
    "PictureAutoSize &H68030006 get/let",
    "PictureTile &H68030005 get/let",
    "PictureOffset &H68030004 get/let",
    "PictureAlignment &H68030003 get/let",
    "IndexBlock &H68030002 get/let",
    "BlockClickable &H68030001 get/let",
    "BlockAutoSize &H68030000 get/let",
};

TEST(TypeInformation, EveryMemberInInterfaceOrderWithItsDispidAndKinds) {
  ASSERT_EQ(Members().size(), std::size(kInterface));
  for (size_t i = 0; i < std::size(kInterface); ++i)
    EXPECT_EQ(MemberLine(Members()[i]), kInterface[i]) << "member " << i;
}

TEST(TypeInformation, HelpStringsWordForWord) {
  const std::pair<const char*, const char*> help[] = {
      {"Refresh", "Refresh the object."},
      {"BackColor",
       "Returns/sets the background color used to display text and graphics in an object."},
      {"ForeColor",
       "Returns/sets the foreground color used to display text and graphics in an object."},
      {"Enabled",
       "Retuns/sets a value that determines whether an object can respond to user-generated "
       "events. (use the .DisabledColor property to show that the object is disabled)"},
      {"Font", "Returns a Font object."},
      {"hWnd", "Returns a handle (from Microsoft Windows) to an object's window."},
      {"BorderWidth", "Returns/sets the border width of the object."},
      {"BorderStyle", "Returns/sets the border style of the object."},
      {"HMinValue", "Returns/sets of the horizontal minimum value of the object."},
      {"HMaxValue", "Returns/sets of the horizontal maximum value of the object."},
      {"VMinValue", "Returns/sets of the vertical minimum value of the object."},
      {"VMaxValue", "Returns/sets of the vertical maximum value of the object."},
      {"BrushStyle", "Returns/sets the brush style of the object."},
      {"BrushColor", "Returns/sets the brush color of the object."},
      {"Caption", "Returns/sets the caption of the object."},
      {"CaptionAlignment", "Returns/sets the caption alignment of the object."},
      {"DisabledColor", "Returns/sets the disabled color of the object."},
      {"Orientation", "Determines the orientation of all blocks."},
      {"CaptionAngle", "Returns/sets the angle of the caption in the object."},
      {"CaptionAutoAngle", "Returns/sets the auto angle of the caption in the object."},
      {"CaptionFont3D", "Returns/sets the 3D font for the object."},
      {"Redraw", "Returns/sets the output from a graphics method to a persistent bitmap."},
  };
  size_t with_help = 0;
  for (const MemberRow& row : Members()) {
    if (row.help.empty()) continue;
    ++with_help;
    bool listed = false;
    for (const auto& [name, text] : help)
      if (row.name == name) {
        EXPECT_EQ(row.help, text) << name;
        listed = true;
      }
    EXPECT_TRUE(listed) << row.name << " has a help string it should not have";
  }
  EXPECT_EQ(with_help, std::size(help));
  // Hidden are About and ShowAboutBox only.
  std::vector<std::string> hidden;
  for (const MemberRow& row : Members())
    if (row.Has(kHidden)) hidden.emplace_back(row.name);
  EXPECT_EQ(hidden, (std::vector<std::string>{"About", "ShowAboutBox"}));
}

TEST(TypeInformation, EnumerationsInLibraryOrderWithTheirConstants) {
  const char* const order[] = {"vgAutoSizeEnum",
                               "vgTileEnum",
                               "vgRivetsStyleEnum",
                               "vgGradientGranularityEnum",
                               "vgGradientStyleEnum",
                               "vgClearAllEnum",
                               "vgFont3DEnum",
                               "vgBorderStyleEnum",
                               "vgShapeStyleEnum",
                               "vgAutoAngleEnum",
                               "vgAlignmentEnum",
                               "vgBrushStyleEnum",
                               "vgSpecialClearAllBlockEnum",
                               "vgOrientationEnum"};
  const char* const guids[] = {"5F", "60", "61", "62", "63", "64", "65",
                               "66", "67", "68", "69", "6A", "6B", "6C"};
  ASSERT_EQ(Enumerations().size(), 14u);
  for (size_t i = 0; i < 14; ++i) {
    EXPECT_EQ(Enumerations()[i].name, order[i]);
    EXPECT_EQ(Enumerations()[i].guid,
              std::string("{DAB59A") + guids[i] + "-B446-11D1-921D-006097A8F11E}");
  }
  auto constants = [](const char* name) {
    std::string out;
    for (const EnumConstant& c : FindEnumeration(name)->constants)
      out += std::string(c.name) + "=" + std::to_string(c.value) + " ";
    return out;
  };
  EXPECT_EQ(constants("vgClearAllEnum"), "vgHard=-1 vgSoft=0 ");
  EXPECT_EQ(constants("vgSpecialClearAllBlockEnum"), "vgClear=-1 vgDontClear=0 ");
  EXPECT_EQ(constants("vgAlignmentEnum"),
            "vgCenterCenter=0 vgCenterLeft=1 vgCenterRight=2 vgTopCenter=3 vgTopLeft=4 "
            "vgTopRight=5 vgBottomCenter=6 vgBottomLeft=7 vgBottomRight=8 ");
  EXPECT_EQ(constants("vgBorderStyleEnum"),
            "vgNoneBorder=0 vgFlat=1 vgRaised=2 vgInset=3 vgEtched=4 vgEtchedLight=5 vgBump=6 "
            "vgBumpLight=7 ");
  EXPECT_EQ(constants("vgGradientStyleEnum").substr(0, 34), "vgNoneGradient=0 vgLeftHGradient=1");
  EXPECT_EQ(FindEnumeration("vgGradientStyleEnum")->constants.back().name,
            "vgOuterRectangleGradient");
  EXPECT_EQ(FindEnumeration("vgGradientStyleEnum")->constants.back().value, 12);
  size_t total = 0;
  for (const EnumType& e : Enumerations()) total += e.constants.size();
  EXPECT_EQ(total, 4u + 4 + 5 + 5 + 13 + 2 + 5 + 8 + 2 + 3 + 9 + 7 + 2 + 4);
  // Every enumeration a member or argument names is one of the library's.
  for (const MemberRow& row : Members()) {
    if (row.type == ValueType::kEnum) {
      EXPECT_NE(FindEnumeration(row.type_name), nullptr) << row.name;
    }
    for (const Param& p : row.params) {
      if (p.type == ValueType::kEnum) {
        EXPECT_NE(FindEnumeration(p.type_name), nullptr) << row.name;
      }
    }
  }
}

TEST(TypeInformation, EventInterface) {
  ASSERT_EQ(Events().size(), 5u);
  const char* const names[] = {"BlockClicked", "TimerTime", "TimerDisk", "Click", "DblClick"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(Events()[i].name, names[i]);
    EXPECT_EQ(Events()[i].id, static_cast<DISPID>(i + 1));
  }
  ASSERT_EQ(Events()[0].params.size(), 1u);
  EXPECT_EQ(Events()[0].params[0].name, "iBlock");
  EXPECT_TRUE(Events()[0].params[0].by_ref);
  EXPECT_EQ(Events()[0].params[0].type, ValueType::kInteger);
}

TEST(TypeInformation, DescriptionNamesTheLibraryAndListsInOrder) {
  const std::string idl = DescribeTypeLibrary();
  auto at = [&](const std::string& text) {
    size_t p = idl.find(text);
    EXPECT_NE(p, std::string::npos) << text;
    return p;
  };
  EXPECT_LT(at("uuid(CD8DBB13-94EE-11D1-921D-006097A8F11E),\n  version(22.0),\n  lcid(0x0409),\n"
               "  helpstring(\"Brevantis : Varigauge\")\n]\nlibrary Varigauge_by_Brevantis"),
            at("} vgAutoSizeEnum;"));
  EXPECT_LT(at("} vgAutoSizeEnum;"), at("} vgTileEnum;"));
  EXPECT_LT(at("} vgSpecialClearAllBlockEnum;"), at("} vgOrientationEnum;"));
  EXPECT_LT(at("} vgOrientationEnum;"), at("interface _Varigauge : IDispatch"));
  at("uuid(DAB59A5D-B446-11D1-921D-006097A8F11E),\n      hidden,\n      dual,\n"
     "      nonextensible,\n      oleautomation");
  at("        [id(0x6003004D), helpstring(\"Refresh the object.\")]\n        HRESULT Refresh();\n");
  at("        [id(0xFFFFFDD8), hidden]\n        HRESULT About();\n");
  at("HRESULT SetBlockBrushColor([in, optional, defaultvalue(0x808080)] OLE_COLOR "
     "iBlockBrushColor, [out, retval] VARIANT* retval);");
  at("[id(0x68030026), propput]\n        HRESULT BlockBarLeft([in, out, optional, "
     "defaultvalue(-1)] VARIANT* iBlock, [in] short New_BlockBarLeft);");
  EXPECT_LT(at("HRESULT Refresh()"), at("HRESULT BackColor("));
  EXPECT_LT(at("HRESULT IndexBlock("), at("HRESULT BlockAutoSize("));
  EXPECT_LT(at("interface _Varigauge"), at("dispinterface __Varigauge"));
  at("[id(0x00000001)]\n            void BlockClicked(short* iBlock);");
  at("uuid(DAB59A5E-B446-11D1-921D-006097A8F11E),\n      control\n    ]\n    coclass Varigauge {\n"
     "        [default] interface _Varigauge;\n"
     "        [default, source] dispinterface __Varigauge;");
}

}  // namespace
}  // namespace vg
