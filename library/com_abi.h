#pragma once
// The binary interface of libvarigauge as an in-process component server. A host written in
// any language that can load a shared library creates controls through it and calls them
// late bound:
//
//   DllGetClassObject(CLSID of Varigauge, IID_IClassFactory) -> IClassFactory
//   IClassFactory::CreateInstance(nullptr, IID_IDispatch)    -> IDispatch of a new control
//   IDispatch::GetIDsOfNames / Invoke                          -> properties and methods
//
// Every object is a pointer to a pointer to a table of functions (the vtable), in the
// order given below, each taking the object as its first argument, with the platform's C
// calling convention. Structures have their customary field order and alignment, so a
// VARIANT is 16 bytes on 32-bit and 24 bytes on 64-bit machines.
//
// Strings are BSTRs: UTF-16 code units (char16_t) with a 32-bit byte count stored just
// before the first unit and a terminating zero unit after the last. A null BSTR is the
// empty string. The library allocates and frees them with its own exported helpers
// (VgSysAllocString...); a host must use the same helpers for BSTRs it hands in and frees.
// The helpers carry a "Vg" prefix so that they never clash with another component
// runtime's functions loaded into the same process.
//
// An automation error n raised by a member arrives as DISP_E_EXCEPTION with the EXCEPINFO
// holding scode 0x800A0000 + n (wCode 0), the standard description and the source; without
// an EXCEPINFO, Invoke returns 0x800A0000 + n itself.
#include <cstdint>

namespace vg::com {

using HRESULT = int32_t;
using SCODE = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using UINT = uint32_t;
using BOOL = int32_t;
using LCID = uint32_t;
using DISPID = int32_t;
using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
using OLECHAR = char16_t;
using BSTR = OLECHAR*;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID*;
using REFCLSID = const CLSID*;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Result codes.
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT SELFREG_E_TYPELIB = static_cast<HRESULT>(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = static_cast<HRESULT>(0x8002000Fu);
// Automation error n as a result code.
constexpr HRESULT AutomationErrorResult(int32_t n) {
  return static_cast<HRESULT>(0x800A0000u + (static_cast<uint32_t>(n) & 0xFFFFu));
}

// Invoke flags and the named argument of a property assignment.
inline constexpr WORD DISPATCH_METHOD = 1;
inline constexpr WORD DISPATCH_PROPERTYGET = 2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 8;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

// Variant type codes.
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct IUnknown;
struct IDispatch;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    int32_t lVal;          // VT_I4
    uint8_t bVal;          // VT_UI1
    int16_t iVal;          // VT_I2
    float fltVal;          // VT_R4
    double dblVal;         // VT_R8
    VARIANT_BOOL boolVal;  // VT_BOOL
    SCODE scode;           // VT_ERROR
    BSTR bstrVal;          // VT_BSTR
    IUnknown* punkVal;     // VT_UNKNOWN
    IDispatch* pdispVal;   // VT_DISPATCH
    int16_t* piVal;        // VT_BYREF | VT_I2
    int32_t* plVal;        // VT_BYREF | VT_I4
    float* pfltVal;        // VT_BYREF | VT_R4
    double* pdblVal;       // VT_BYREF | VT_R8
    VARIANT_BOOL* pboolVal;
    BSTR* pbstrVal;
    VARIANT* pvarVal;  // VT_BYREF | VT_VARIANT
    void* byref;
    struct {
      void* pvRecord;
      void* pRecInfo;
    } record;  // gives the union its customary two-pointer size
  };
};
using VARIANTARG = VARIANT;

struct DISPPARAMS {
  VARIANTARG* rgvarg;  // arguments in reverse order: the last one first
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  void* pvReserved;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

struct IUnknownVtbl {
  HRESULT (*QueryInterface)(IUnknown* self, REFIID riid, void** object);
  ULONG (*AddRef)(IUnknown* self);
  ULONG (*Release)(IUnknown* self);
};
struct IUnknown {
  const IUnknownVtbl* lpVtbl;
};

struct IClassFactory;
struct IClassFactoryVtbl {
  HRESULT (*QueryInterface)(IClassFactory* self, REFIID riid, void** object);
  ULONG (*AddRef)(IClassFactory* self);
  ULONG (*Release)(IClassFactory* self);
  HRESULT (*CreateInstance)(IClassFactory* self, IUnknown* outer, REFIID riid, void** object);
  HRESULT (*LockServer)(IClassFactory* self, BOOL lock);
};
struct IClassFactory {
  const IClassFactoryVtbl* lpVtbl;
};

struct ITypeInfo;  // not offered: GetTypeInfoCount reports 0
struct IDispatchVtbl {
  HRESULT (*QueryInterface)(IDispatch* self, REFIID riid, void** object);
  ULONG (*AddRef)(IDispatch* self);
  ULONG (*Release)(IDispatch* self);
  HRESULT (*GetTypeInfoCount)(IDispatch* self, UINT* count);
  HRESULT (*GetTypeInfo)(IDispatch* self, UINT index, LCID lcid, ITypeInfo** info);
  HRESULT(*GetIDsOfNames)
  (IDispatch* self, REFIID riid, OLECHAR** names, UINT count, LCID lcid, DISPID* ids);
  HRESULT(*Invoke)
  (IDispatch* self, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
   VARIANT* result, EXCEPINFO* excepinfo, UINT* arg_error);
};
struct IDispatch {
  const IDispatchVtbl* lpVtbl;
};

}  // namespace vg::com

// The exported entry points. Their names carry no namespace (C linkage).
#define VG_COM_EXPORT extern "C" __attribute__((visibility("default")))

// The class factory (IClassFactory) of the control's CLSID; CLASS_E_CLASSNOTAVAILABLE for
// any other class.
VG_COM_EXPORT vg::com::HRESULT DllGetClassObject(vg::com::REFCLSID clsid, vg::com::REFIID riid,
                                                 void** object);
// S_OK when no object of the library is alive and no factory is locked, else S_FALSE.
VG_COM_EXPORT vg::com::HRESULT DllCanUnloadNow();
// Write, or remove exactly, the class, its ProgID, the property pages, the type library
// and its interfaces in the file-store registry (README: the library as a component
// server).
VG_COM_EXPORT vg::com::HRESULT DllRegisterServer();
VG_COM_EXPORT vg::com::HRESULT DllUnregisterServer();

// BSTRs: a copy of a zero-terminated text, a copy of `length` units, freeing (null is
// allowed), and the length in units.
VG_COM_EXPORT vg::com::BSTR VgSysAllocString(const vg::com::OLECHAR* text);
VG_COM_EXPORT vg::com::BSTR VgSysAllocStringLen(const vg::com::OLECHAR* text, vg::com::UINT length);
VG_COM_EXPORT void VgSysFreeString(vg::com::BSTR text);
VG_COM_EXPORT vg::com::UINT VgSysStringLen(vg::com::BSTR text);
// VARIANTs: set to empty, and clear (frees a BSTR, releases an object reference).
VG_COM_EXPORT void VgVariantInit(vg::com::VARIANT* v);
VG_COM_EXPORT vg::com::HRESULT VgVariantClear(vg::com::VARIANT* v);
