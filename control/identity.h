#pragma once
// The published identity of the control: its type library, class, interfaces, ProgID and
// property pages. Forms stored by hosts find the control again through these identifiers,
// so they never change.
#include <array>
#include <cstdint>
#include <string_view>

namespace vg::identity {

inline constexpr std::string_view kTypeLibraryName = "Varigauge_by_Brevantis";
inline constexpr std::string_view kTypeLibraryHelp = "Brevantis : Varigauge";
inline constexpr std::string_view kTypeLibraryGuid = "{CD8DBB13-94EE-11D1-921D-006097A8F11E}";
inline constexpr uint16_t kTypeLibraryMajor = 22;
inline constexpr uint16_t kTypeLibraryMinor = 0;
inline constexpr uint32_t kTypeLibraryLocale = 0x0409;

inline constexpr std::string_view kClassName = "Varigauge";
inline constexpr std::string_view kClassGuid = "{DAB59A5E-B446-11D1-921D-006097A8F11E}";
inline constexpr std::string_view kProgID = "Varigauge_by_Brevantis.Varigauge";

inline constexpr std::string_view kInterfaceName = "_Varigauge";
inline constexpr std::string_view kInterfaceGuid = "{DAB59A5D-B446-11D1-921D-006097A8F11E}";
inline constexpr std::string_view kEventInterfaceName = "__Varigauge";
inline constexpr std::string_view kEventInterfaceGuid = "{DAB59A6D-B446-11D1-921D-006097A8F11E}";

struct PropertyPageIdentity {
  std::string_view name;
  std::string_view class_guid;
  std::string_view interface_name;
  std::string_view interface_guid;
};

inline constexpr std::array<PropertyPageIdentity, 3> kPropertyPages = {{
    {"Block", "{DAB59A73-B446-11D1-921D-006097A8F11E}", "_Block",
     "{DAB59A72-B446-11D1-921D-006097A8F11E}"},
    {"Caption", "{DAB59A75-B446-11D1-921D-006097A8F11E}", "_Caption",
     "{DAB59A74-B446-11D1-921D-006097A8F11E}"},
    {"Boundaries", "{DAB59A77-B446-11D1-921D-006097A8F11E}", "_Boundaries",
     "{DAB59A76-B446-11D1-921D-006097A8F11E}"},
}};

}  // namespace vg::identity
