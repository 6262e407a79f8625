// The library as a host sees it: loaded with dlopen, a control made through the class
// factory, properties and methods called by DISPID through IDispatch::Invoke, errors as
// result codes with an EXCEPINFO, everything released, the library free to unload.
// This program does not link the library; it finds it at VG_LIBRARY_PATH.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "library/com_abi.h"

namespace vg::com {
namespace {

static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16));
static_assert(sizeof(GUID) == 16);

constexpr GUID kClsid = {
    0xDAB59A5E, 0xB446, 0x11D1, {0x92, 0x1D, 0x00, 0x60, 0x97, 0xA8, 0xF1, 0x1E}};
constexpr GUID kIid = {
    0xDAB59A5D, 0xB446, 0x11D1, {0x92, 0x1D, 0x00, 0x60, 0x97, 0xA8, 0xF1, 0x1E}};

struct Library {
  Library() {
    handle = dlopen(VG_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return;
    get_class_object = Sym<decltype(get_class_object)>("DllGetClassObject");
    can_unload = Sym<decltype(can_unload)>("DllCanUnloadNow");
    register_server = Sym<decltype(register_server)>("DllRegisterServer");
    unregister_server = Sym<decltype(unregister_server)>("DllUnregisterServer");
    alloc_len = Sym<decltype(alloc_len)>("VgSysAllocStringLen");
    free_string = Sym<decltype(free_string)>("VgSysFreeString");
    string_len = Sym<decltype(string_len)>("VgSysStringLen");
    variant_clear = Sym<decltype(variant_clear)>("VgVariantClear");
  }
  ~Library() {
    if (handle) dlclose(handle);
  }
  template <class F>
  F Sym(const char* name) {
    return reinterpret_cast<F>(dlsym(handle, name));
  }
  BSTR Bstr(std::u16string_view s) { return alloc_len(s.data(), static_cast<UINT>(s.size())); }

  void* handle = nullptr;
  HRESULT (*get_class_object)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT (*can_unload)() = nullptr;
  HRESULT (*register_server)() = nullptr;
  HRESULT (*unregister_server)() = nullptr;
  BSTR (*alloc_len)(const OLECHAR*, UINT) = nullptr;
  void (*free_string)(BSTR) = nullptr;
  UINT (*string_len)(BSTR) = nullptr;
  HRESULT (*variant_clear)(VARIANT*) = nullptr;
};

Library& Lib() {
  static Library lib;
  return lib;
}

VARIANT I4(int32_t v) {
  VARIANT x{};
  x.vt = VT_I4;
  x.lVal = v;
  return x;
}
VARIANT I2(int16_t v) {
  VARIANT x{};
  x.vt = VT_I2;
  x.iVal = v;
  return x;
}

class EntryPoints : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Lib().handle, nullptr) << dlerror();
    ASSERT_TRUE(Lib().get_class_object && Lib().can_unload && Lib().register_server &&
                Lib().unregister_server && Lib().alloc_len && Lib().free_string &&
                Lib().string_len && Lib().variant_clear);
    ASSERT_EQ(Lib().can_unload(), S_OK);
  }
  void TearDown() override {
    if (control) control->lpVtbl->Release(control);
    if (factory) factory->lpVtbl->Release(factory);
    EXPECT_EQ(Lib().can_unload(), S_OK) << "an object outlived its last reference";
  }

  void MakeControl() {
    ASSERT_EQ(
        Lib().get_class_object(&kClsid, &IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    ASSERT_EQ(factory->lpVtbl->CreateInstance(factory, nullptr, &IID_IDispatch,
                                              reinterpret_cast<void**>(&control)),
              S_OK);
  }

  DISPID Id(std::u16string name) {
    OLECHAR* names[] = {name.data()};
    DISPID id = 0;
    control->lpVtbl->GetIDsOfNames(control, &IID_NULL, names, 1, 0x409, &id);
    return id;
  }

  // Invokes with the arguments in reading order; they are passed last first.
  HRESULT Call(IDispatch* d, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result,
               EXCEPINFO* info = nullptr) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    bool is_put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params = {reversed.data(), is_put ? &put : nullptr,
                         static_cast<UINT>(reversed.size()), is_put ? 1u : 0u};
    UINT arg_error = 0;
    return d->lpVtbl->Invoke(d, id, &IID_NULL, 0x409, flags, &params, result, info, &arg_error);
  }
  HRESULT Put(DISPID id, std::vector<VARIANT> args, WORD flags = DISPATCH_PROPERTYPUT) {
    return Call(control, id, flags, std::move(args), nullptr);
  }
  VARIANT Get(DISPID id, std::vector<VARIANT> args = {}) {
    VARIANT r{};
    EXPECT_EQ(Call(control, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args), &r), S_OK);
    return r;
  }

  IClassFactory* factory = nullptr;
  IDispatch* control = nullptr;
};

TEST_F(EntryPoints, FactoryIsHandedOutForTheControlClassOnly) {
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(Lib().get_class_object(&kIid, &IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(Lib().get_class_object(&kClsid, &IID_IDispatch, &p), E_NOINTERFACE);
  EXPECT_EQ(Lib().get_class_object(&kClsid, &IID_IClassFactory, nullptr), E_POINTER);

  MakeControl();
  EXPECT_EQ(Lib().can_unload(), S_FALSE);
  IUnknown outer{};
  void* aggregated = nullptr;
  EXPECT_EQ(factory->lpVtbl->CreateInstance(factory, &outer, &IID_IUnknown, &aggregated),
            CLASS_E_NOAGGREGATION);
  // The control answers for IUnknown and IDispatch. Its dual interface's typed vtable is
  // not offered, so asking for that interface fails rather than hand out a short vtable.
  void* q = nullptr;
  ASSERT_EQ(control->lpVtbl->QueryInterface(control, &IID_IUnknown, &q), S_OK);
  EXPECT_EQ(q, control);
  control->lpVtbl->Release(control);
  EXPECT_EQ(control->lpVtbl->QueryInterface(control, &kIid, &q), E_NOINTERFACE);
  EXPECT_EQ(q, nullptr);
  EXPECT_EQ(control->lpVtbl->QueryInterface(control, &IID_IClassFactory, &q), E_NOINTERFACE);
  UINT count = 7;
  EXPECT_EQ(control->lpVtbl->GetTypeInfoCount(control, &count), S_OK);
  EXPECT_EQ(count, 0u);
}

TEST_F(EntryPoints, PropertiesAndMethodsByDispid) {
  MakeControl();
  EXPECT_EQ(Id(u"BackColor"), static_cast<DISPID>(0x68030047));
  EXPECT_EQ(Id(u"backcolor"), static_cast<DISPID>(0x68030047));
  EXPECT_EQ(Id(u"AddBlock"), static_cast<DISPID>(0x60030071));

  // A new control has its defaults and a 900 x 315 twip window.
  VARIANT back = Get(0x68030047);
  EXPECT_EQ(back.vt, VT_I4);
  EXPECT_EQ(back.lVal, 0xC0C0C0);
  VARIANT enabled = Get(-514);
  EXPECT_EQ(enabled.vt, VT_BOOL);
  EXPECT_EQ(enabled.boolVal, VARIANT_TRUE);

  ASSERT_EQ(Put(0x68030047, {I4(0x0000FF)}), S_OK);
  EXPECT_EQ(Get(0x68030047).lVal, 0x0000FF);

  // Text crosses as UTF-16 with its byte count in front.
  const std::u16string caption = u"Fl\u00FC\u00DF \u2713 \U0001F600";
  VARIANT text{};
  text.vt = VT_BSTR;
  text.bstrVal = Lib().Bstr(caption);
  ASSERT_EQ(Put(0x6803003C, {text}), S_OK);
  Lib().variant_clear(&text);
  VARIANT back_text = Get(0x6803003C);
  ASSERT_EQ(back_text.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(back_text.bstrVal, Lib().string_len(back_text.bstrVal)), caption);
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(back_text.bstrVal) - 4, 4);
  EXPECT_EQ(prefix, caption.size() * 2);
  EXPECT_EQ(back_text.bstrVal[caption.size()], 0);
  Lib().variant_clear(&back_text);

  // Methods, then a per-block property with its selector before the value.
  VARIANT ignored{};
  EXPECT_EQ(Call(control, 0x60030071, DISPATCH_METHOD, {}, &ignored), S_OK);
  EXPECT_EQ(ignored.vt, VT_EMPTY);
  EXPECT_EQ(Call(control, 0x60030071, DISPATCH_METHOD, {}, nullptr), S_OK);
  VARIANT blocks = Get(0x68030028);
  EXPECT_EQ(blocks.vt, VT_I2);
  EXPECT_EQ(blocks.iVal, 2);
  ASSERT_EQ(Put(0x68030026, {I2(2), I4(40)}), S_OK);  // BlockBarLeft(2) = 40
  EXPECT_EQ(Get(0x68030026, {I2(2)}).iVal, 40);
  // A selector passed by reference, as a host passes a variable.
  int16_t two = 2;
  VARIANT by_ref{};
  by_ref.vt = VT_BYREF | VT_I2;
  by_ref.piVal = &two;
  EXPECT_EQ(Get(0x68030026, {by_ref}).iVal, 40);
  // An optional argument left out is the missing marker.
  VARIANT missing{};
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(Call(control, 0x6003005E, DISPATCH_METHOD, {missing}, nullptr), S_OK);
  EXPECT_EQ(Get(0x68030019, {I2(1)}).lVal, 0x808080);  // SetBlockColor's default
}

TEST_F(EntryPoints, ErrorsArriveAsResultCodes) {
  MakeControl();
  // Error 9: block 5 of none.
  VARIANT r{};
  EXCEPINFO info{};
  EXPECT_EQ(Call(control, 0x68030014, DISPATCH_PROPERTYGET, {I2(5)}, &r, &info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0009));
  EXPECT_EQ(info.wCode, 0);
  ASSERT_NE(info.bstrDescription, nullptr);
  EXPECT_EQ(std::u16string(info.bstrDescription), u"Subscript out of range");
  ASSERT_NE(info.bstrSource, nullptr);
  EXPECT_EQ(std::u16string(info.bstrSource), u"Varigauge_by_Brevantis.Varigauge");
  Lib().free_string(info.bstrDescription);
  Lib().free_string(info.bstrSource);
  // Without an EXCEPINFO the code itself comes back.
  EXPECT_EQ(Call(control, 0x68030014, DISPATCH_PROPERTYGET, {I2(5)}, &r),
            static_cast<HRESULT>(0x800A0009));
  // Overflow (6) of a 16-bit property, and the call's own faults.
  EXPECT_EQ(Call(control, 0x68030044, DISPATCH_PROPERTYPUT, {I4(40000)}, nullptr),
            static_cast<HRESULT>(0x800A0006));
  EXPECT_EQ(Call(control, 0x12345, DISPATCH_METHOD, {}, &r), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(control, 0x6003004D, DISPATCH_METHOD, {I2(1)}, &r), DISP_E_BADPARAMCOUNT);
  VARIANT currency{};
  currency.vt = 6;  // a type the control does not take
  EXPECT_EQ(Call(control, 0x68030044, DISPATCH_PROPERTYPUT, {currency}, nullptr),
            DISP_E_BADVARTYPE);
  // A put needs its value named.
  VARIANT value = I4(3);
  DISPPARAMS unnamed = {&value, nullptr, 1, 0};
  EXPECT_EQ(control->lpVtbl->Invoke(control, 0x68030044, &IID_NULL, 0, DISPATCH_PROPERTYPUT,
                                    &unnamed, nullptr, nullptr, nullptr),
            DISP_E_PARAMNOTFOUND);
  OLECHAR name[] = u"NoSuchMember";
  OLECHAR* names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control, &IID_NULL, names, 1, 0, &id),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(EntryPoints, ObjectsCrossByReference) {
  MakeControl();
  VARIANT font = Get(-512);
  ASSERT_EQ(font.vt, VT_DISPATCH);
  ASSERT_NE(font.pdispVal, nullptr);
  // The same object comes back as the same pointer.
  VARIANT again = Get(-512);
  EXPECT_EQ(again.pdispVal, font.pdispVal);
  Lib().variant_clear(&again);
  // The font object is late bound too.
  OLECHAR size_name[] = u"Size";
  OLECHAR* names[] = {size_name};
  DISPID size_id = DISPID_UNKNOWN;
  ASSERT_EQ(font.pdispVal->lpVtbl->GetIDsOfNames(font.pdispVal, &IID_NULL, names, 1, 0, &size_id),
            S_OK);
  VARIANT size{};
  ASSERT_EQ(Call(font.pdispVal, size_id, DISPATCH_PROPERTYGET, {}, &size), S_OK);
  EXPECT_EQ(size.vt == VT_R8 ? size.dblVal : size.vt == VT_R4 ? size.fltVal : -1.0, 8.25);
  // Handed back as a block's font, then the control is released before the font.
  ASSERT_EQ(Call(control, 0x60030071, DISPATCH_METHOD, {}, nullptr), S_OK);
  ASSERT_EQ(Put(0x68030011, {I2(1), font}, DISPATCH_PROPERTYPUTREF), S_OK);
  VARIANT block_font = Get(0x68030011, {I2(1)});
  EXPECT_EQ(block_font.pdispVal, font.pdispVal);
  Lib().variant_clear(&block_font);
  control->lpVtbl->Release(control);
  control = nullptr;
  EXPECT_EQ(Lib().can_unload(), S_FALSE);
  Lib().variant_clear(&font);
}

TEST_F(EntryPoints, LocksKeepTheLibraryLoaded) {
  ASSERT_EQ(Lib().get_class_object(&kClsid, &IID_IUnknown, reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(factory->lpVtbl->LockServer(factory, 1), S_OK);
  factory->lpVtbl->Release(factory);
  factory = nullptr;
  EXPECT_EQ(Lib().can_unload(), S_FALSE);
  IClassFactory* f = nullptr;
  ASSERT_EQ(Lib().get_class_object(&kClsid, &IID_IClassFactory, reinterpret_cast<void**>(&f)),
            S_OK);
  f->lpVtbl->LockServer(f, 0);
  f->lpVtbl->Release(f);
}

// The registry the library writes lives in a directory of this test program's own, chosen
// before the library first looks for it.
const std::string& RegistryDir() {
  static const std::string dir = [] {
    char path[] = "/tmp/vg-registry-XXXXXX";
    std::string made = mkdtemp(path) ? path : "";
    setenv("VG_REGISTRY_DIR", made.c_str(), 1);
    return made;
  }();
  return dir;
}

// Every file and directory below `root` with the files' contents.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
  std::map<std::string, std::string> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ec)) {
    std::string rel = std::filesystem::relative(entry.path(), root).string();
    if (entry.is_directory()) {
      out[rel + "/"] = "";
    } else {
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      out[rel] = text.str();
    }
  }
  return out;
}

std::string Hex(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) out += {kHex[c >> 4], kHex[c & 15]};
  return out;
}

TEST_F(EntryPoints, RegistrationWritesAndUnregistrationRemovesExactlyItsEntries) {
  ASSERT_FALSE(RegistryDir().empty());
  const std::filesystem::path root = std::filesystem::path(RegistryDir()) / "HKEY_CLASSES_ROOT";
  std::filesystem::create_directories(RegistryDir());
  std::filesystem::remove_all(root);
  // Another program's class, and another version of the type library.
  std::filesystem::create_directories(root / "CLSID" / "{00000000-1111-2222-3333-444444444444}");
  std::filesystem::create_directories(root / "TypeLib" / "{CD8DBB13-94EE-11D1-921D-006097A8F11E}" /
                                      "21.0");
  const auto before = Snapshot(RegistryDir());

  ASSERT_EQ(Lib().register_server(), S_OK);
  const auto registered = Snapshot(RegistryDir());
  const std::string cls = "HKEY_CLASSES_ROOT/CLSID/{DAB59A5E-B446-11D1-921D-006097A8F11E}/";
  for (const std::string& key :
       {cls, cls + "Control/", cls + "InprocServer32/",
        std::string("HKEY_CLASSES_ROOT/Varigauge_by_Brevantis.Varigauge/CLSID/"),
        std::string("HKEY_CLASSES_ROOT/CLSID/{DAB59A73-B446-11D1-921D-006097A8F11E}/"),
        std::string("HKEY_CLASSES_ROOT/CLSID/{DAB59A75-B446-11D1-921D-006097A8F11E}/"),
        std::string("HKEY_CLASSES_ROOT/CLSID/{DAB59A77-B446-11D1-921D-006097A8F11E}/"),
        std::string("HKEY_CLASSES_ROOT/TypeLib/{CD8DBB13-94EE-11D1-921D-006097A8F11E}/22.0/"),
        std::string("HKEY_CLASSES_ROOT/Interface/{DAB59A5D-B446-11D1-921D-006097A8F11E}/"),
        std::string("HKEY_CLASSES_ROOT/Interface/{DAB59A6D-B446-11D1-921D-006097A8F11E}/")})
    EXPECT_EQ(registered.count(key), 1u) << key;
  // The server's file is this library, its threading model Apartment.
  const std::string& server = registered.at(cls + "InprocServer32/%values");
  EXPECT_NE(server.find(Hex(VG_LIBRARY_PATH)), std::string::npos) << server;
  EXPECT_NE(server.find("ThreadingModel\t1\t" + Hex("Apartment")), std::string::npos) << server;
  // Registering twice changes nothing.
  ASSERT_EQ(Lib().register_server(), S_OK);
  EXPECT_EQ(Snapshot(RegistryDir()), registered);

  ASSERT_EQ(Lib().unregister_server(), S_OK);
  EXPECT_EQ(Snapshot(RegistryDir()), before);
  // Unregistering what is not registered is no error.
  EXPECT_EQ(Lib().unregister_server(), S_OK);
  std::filesystem::remove_all(RegistryDir());  // the store makes it again when it writes
}

TEST_F(EntryPoints, RegistrationReportsAStoreItCannotWrite) {
  ASSERT_FALSE(RegistryDir().empty());
  const std::filesystem::path root = std::filesystem::path(RegistryDir()) / "HKEY_CLASSES_ROOT";
  std::filesystem::create_directories(RegistryDir());
  std::filesystem::remove_all(root);
  std::ofstream(root) << "a file where the hive's directory belongs";
  EXPECT_EQ(Lib().register_server(), SELFREG_E_CLASS);
  std::filesystem::remove_all(RegistryDir());
}

}  // namespace
}  // namespace vg::com
