// The class factory and the entry points that hand it out and say whether the library may
// be unloaded.
#include <new>

#include "control/identity.h"
#include "library/com_object.h"
#include "library/com_strings.h"
#include "library/create_control.h"

namespace vg::com {
namespace {

const GUID& ClassId() {
  static const GUID id = [] {
    GUID g{};
    ParseGuid(identity::kClassGuid, &g);
    return g;
  }();
  return id;
}

// One factory for the library's one class. It is never freed; each reference held on it
// counts as a live object, so the library stays loaded while a host holds the factory.
HRESULT FactoryQueryInterface(IClassFactory* self, REFIID riid, void** object);
ULONG FactoryAddRef(IClassFactory*) {
  ObjectCreated();
  return 2;
}
ULONG FactoryRelease(IClassFactory*) {
  ObjectDestroyed();
  return 1;
}

HRESULT CreateInstance(IClassFactory*, IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!riid) return E_INVALIDARG;
  if (outer) return CLASS_E_NOAGGREGATION;
  return GuardEntry("CreateInstance", [&] {
    auto control = std::make_shared<HostedControl>();
    IDispatch* d = WrapObject(control, std::string(identity::kProgID));
    HRESULT hr = d->lpVtbl->QueryInterface(d, riid, object);
    d->lpVtbl->Release(d);
    return hr;
  });
}

HRESULT FactoryLockServer(IClassFactory*, BOOL lock) {
  LockServer(lock != 0);
  return S_OK;
}

constexpr IClassFactoryVtbl kFactoryVtbl = {FactoryQueryInterface, FactoryAddRef, FactoryRelease,
                                            CreateInstance, FactoryLockServer};
IClassFactory g_factory = {&kFactoryVtbl};

HRESULT FactoryQueryInterface(IClassFactory* self, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!riid) return E_INVALIDARG;
  if (!(*riid == IID_IUnknown || *riid == IID_IClassFactory)) return E_NOINTERFACE;
  FactoryAddRef(self);
  *object = self;
  return S_OK;
}

}  // namespace
}  // namespace vg::com

VG_COM_EXPORT vg::com::HRESULT DllGetClassObject(vg::com::REFCLSID clsid, vg::com::REFIID riid,
                                                 void** object) {
  using namespace vg::com;
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!clsid || !riid) return E_INVALIDARG;
  if (!(*clsid == ClassId())) return CLASS_E_CLASSNOTAVAILABLE;
  return FactoryQueryInterface(&g_factory, riid, object);
}

VG_COM_EXPORT vg::com::HRESULT DllCanUnloadNow() {
  return vg::com::CanUnload() ? vg::com::S_OK : vg::com::S_FALSE;
}
