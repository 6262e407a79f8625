// IDispatch over the core's dispatch objects.
#include "library/com_object.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "library/com_strings.h"

namespace vg::com {
namespace {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

struct DispatchWrapper {
  IDispatch iface;  // first member: the pointer hosts hold
  std::atomic<ULONG> refs;
  ObjectRef object;
  std::string source;
};
static_assert(std::is_standard_layout_v<DispatchWrapper>);

// The wrapper of each wrapped object, for identity. Objects of controls on different
// threads are wrapped and released concurrently, so the map is behind a lock (held only
// for the map's own operations, never while a core object runs).
std::mutex& WrappersLock() {
  static auto* lock = new std::mutex();
  return *lock;
}
std::unordered_map<const DispatchObject*, DispatchWrapper*>& Wrappers() {
  static auto* map = new std::unordered_map<const DispatchObject*, DispatchWrapper*>();
  return *map;
}

DispatchWrapper* Self(IDispatch* p) {
  return reinterpret_cast<DispatchWrapper*>(p);
}

HRESULT QueryInterface(IDispatch* self, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!riid) return E_INVALIDARG;
  if (*riid == IID_IUnknown || *riid == IID_IDispatch) {
    self->lpVtbl->AddRef(self);
    *object = self;
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG AddRef(IDispatch* self) {
  return ++Self(self)->refs;
}

ULONG Release(IDispatch* self) {
  DispatchWrapper* w = Self(self);
  ULONG left = --w->refs;
  if (left == 0) {
    {
      std::lock_guard<std::mutex> hold(WrappersLock());
      auto found = Wrappers().find(w->object.get());
      if (found != Wrappers().end() && found->second == w) Wrappers().erase(found);
    }
    // Drops the core object (a control terminates here): nothing it raises reaches C.
    GuardBoundary(
        "Release", [w] { delete w; }, [](const BoundaryFault&) {});
    ObjectDestroyed();
  }
  return left;
}

HRESULT GetTypeInfoCount(IDispatch*, UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT GetTypeInfo(IDispatch*, UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT GetIDsOfNames(IDispatch* self, REFIID riid, OLECHAR** names, UINT count, LCID,
                      DISPID* ids) {
  if (riid && !(*riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  const HRESULT hr = GuardEntry("GetIDsOfNames", [&] {
    const OLECHAR* name = names[0] ? names[0] : u"";
    ids[0] = Self(self)->object->GetIDOfName(Utf16ToUtf8(name));
    return S_OK;
  });
  if (hr != S_OK) return hr;
  // Arguments are positional only: names of parameters are not known.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

// The result code an automation error stands for at this interface: errors of the call
// itself take their dispatch codes, every other error travels in the EXCEPINFO.
HRESULT DispatchCodeOf(int32_t number) {
  switch (number) {
    case err::kNotSupported:
      return DISP_E_MEMBERNOTFOUND;
    case err::kArgumentNotOptional:
      return DISP_E_PARAMNOTOPTIONAL;
    case err::kWrongArguments:
      return DISP_E_BADPARAMCOUNT;
    default:
      return S_OK;
  }
}

HRESULT Invoke(IDispatch* self, DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
               VARIANT* result, EXCEPINFO* excepinfo, UINT* arg_error) {
  if (riid && !(*riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  constexpr WORD kPut = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;
  if ((flags & ~(DISPATCH_METHOD | DISPATCH_PROPERTYGET | kPut)) != 0 || flags == 0)
    return E_INVALIDARG;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  if (!params) params = &none;
  if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
  // The only named argument is the value of a property assignment, and it is required there.
  if (flags & kPut) {
    if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->cArgs == 0)
      return DISP_E_PARAMNOTFOUND;
  } else if (params->cNamedArgs != 0) {
    return DISP_E_NONAMEDARGS;
  }
  DispatchWrapper* w = Self(self);
  return GuardEntry("Invoke", [&]() -> HRESULT {
    // rgvarg holds the arguments last first; a put's value (rgvarg[0]) ends up last.
    std::vector<Variant> args(params->cArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
      HRESULT hr = FromVariant(params->rgvarg[i], &args[params->cArgs - 1 - i]);
      if (hr != S_OK) {
        if (arg_error) *arg_error = i;
        return hr;
      }
    }
    DispatchResult r = vg::Invoke(*w->object, id, flags, args);
    if (!r.ok()) {
      if (HRESULT code = DispatchCodeOf(r.error); code != S_OK) return code;
      HRESULT scode = AutomationErrorResult(r.error);
      if (!excepinfo) return scode;
      std::memset(excepinfo, 0, sizeof *excepinfo);
      excepinfo->scode = scode;
      excepinfo->bstrSource = AllocBstr(w->source);
      excepinfo->bstrDescription = AllocBstr(r.description);
      return DISP_E_EXCEPTION;
    }
    if (result) {
      if (flags & kPut)
        VgVariantInit(result);
      else
        ToVariant(r.value, result);
    }
    return S_OK;
  });
}

constexpr IDispatchVtbl kDispatchVtbl = {QueryInterface, AddRef,        Release, GetTypeInfoCount,
                                         GetTypeInfo,    GetIDsOfNames, Invoke};

}  // namespace

HRESULT FaultResult(const BoundaryFault& fault) {
  if (fault.number == err::kOutOfMemory) return E_OUTOFMEMORY;
  if (fault.number == err::kInternalError || fault.number <= 0) return E_FAIL;
  return AutomationErrorResult(fault.number);
}

void ObjectCreated() {
  ++g_objects;
}
void ObjectDestroyed() {
  --g_objects;
}
void LockServer(bool lock) {
  if (lock)
    ++g_locks;
  else if (g_locks > 0)
    --g_locks;
}
bool CanUnload() {
  return g_objects == 0 && g_locks == 0;
}

IDispatch* WrapObject(const ObjectRef& object, const std::string& source) {
  std::lock_guard<std::mutex> hold(WrappersLock());
  auto found = Wrappers().find(object.get());
  if (found != Wrappers().end()) {
    // A wrapper whose last reference is being released on another thread is not revived:
    // a new one takes its place in the map.
    std::atomic<ULONG>& refs = found->second->refs;
    for (ULONG r = refs.load(); r != 0;)
      if (refs.compare_exchange_weak(r, r + 1)) return &found->second->iface;
  }
  auto* w = new DispatchWrapper{{&kDispatchVtbl}, {1}, object, source};
  try {
    Wrappers()[object.get()] = w;
  } catch (...) {
    delete w;
    throw;
  }
  ObjectCreated();
  return &w->iface;
}

ObjectRef UnwrapObject(IUnknown* p) {
  if (!p || p->lpVtbl != reinterpret_cast<const IUnknownVtbl*>(&kDispatchVtbl)) return nullptr;
  return Self(reinterpret_cast<IDispatch*>(p))->object;
}

HRESULT FromVariant(const VARIANT& in, Variant* out) {
  VARTYPE vt = in.vt;
  bool ref = (vt & VT_BYREF) != 0;
  if (ref && !in.byref) return E_INVALIDARG;
  switch (vt & ~VT_BYREF) {
    case VT_EMPTY:
      if (ref) return DISP_E_BADVARTYPE;
      *out = Variant();
      return S_OK;
    case VT_I2:
      *out = Variant::Integer(ref ? *in.piVal : in.iVal);
      return S_OK;
    case VT_I4:
      *out = Variant::Long(ref ? *in.plVal : in.lVal);
      return S_OK;
    case VT_UI1:
      *out = Variant::Integer(ref ? *static_cast<const uint8_t*>(in.byref) : in.bVal);
      return S_OK;
    case VT_R4:
      *out = Variant::Single(ref ? *in.pfltVal : in.fltVal);
      return S_OK;
    case VT_R8:
      *out = Variant::Double(ref ? *in.pdblVal : in.dblVal);
      return S_OK;
    case VT_BOOL:
      *out = Variant::Boolean((ref ? *in.pboolVal : in.boolVal) != VARIANT_FALSE);
      return S_OK;
    case VT_BSTR:
      *out = Variant::String(BstrToUtf8(ref ? *in.pbstrVal : in.bstrVal));
      return S_OK;
    case VT_ERROR: {
      SCODE code = ref ? *static_cast<const SCODE*>(in.byref) : in.scode;
      if (code != DISP_E_PARAMNOTFOUND) return DISP_E_TYPEMISMATCH;
      *out = Variant::Missing();
      return S_OK;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      IUnknown* p = ref ? *static_cast<IUnknown* const*>(in.byref) : in.punkVal;
      if (!p) {
        *out = Variant::Nothing();
        return S_OK;
      }
      ObjectRef object = UnwrapObject(p);
      if (!object) return DISP_E_TYPEMISMATCH;
      *out = Variant::Object(std::move(object));
      return S_OK;
    }
    case VT_VARIANT:
      if (!ref || (in.pvarVal->vt & ~VT_BYREF) == VT_VARIANT) return DISP_E_BADVARTYPE;
      return FromVariant(*in.pvarVal, out);
    default:
      return DISP_E_BADVARTYPE;
  }
}

void ToVariant(const Variant& in, VARIANT* out) {
  VgVariantInit(out);
  switch (in.type()) {
    case VarType::Empty:
      break;
    case VarType::Integer:
      out->vt = VT_I2;
      out->iVal = in.integer();
      break;
    case VarType::Long:
      out->vt = VT_I4;
      out->lVal = in.long_value();
      break;
    case VarType::Single:
      out->vt = VT_R4;
      out->fltVal = in.single();
      break;
    case VarType::Double:
      out->vt = VT_R8;
      out->dblVal = in.double_value();
      break;
    case VarType::Boolean:
      out->vt = VT_BOOL;
      out->boolVal = in.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VarType::String:
      out->bstrVal = AllocBstr(in.string());
      out->vt = VT_BSTR;
      break;
    case VarType::Object:
      out->pdispVal = in.object() ? WrapObject(in.object(), in.object()->TypeName()) : nullptr;
      out->vt = VT_DISPATCH;
      break;
    case VarType::Error:
      out->vt = VT_ERROR;
      out->scode = DISP_E_PARAMNOTFOUND;
      break;
  }
}

}  // namespace vg::com

using vg::com::VARIANT;

VG_COM_EXPORT void VgVariantInit(VARIANT* v) {
  if (v) std::memset(v, 0, sizeof *v);
}

VG_COM_EXPORT vg::com::HRESULT VgVariantClear(VARIANT* v) {
  using namespace vg::com;
  if (!v) return E_INVALIDARG;
  if (!(v->vt & VT_BYREF)) {
    if (v->vt == VT_BSTR)
      VgSysFreeString(v->bstrVal);
    else if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal)
      v->punkVal->lpVtbl->Release(v->punkVal);
  }
  VgVariantInit(v);
  return S_OK;
}
