#pragma once
// The library's objects on the binary interface: an IDispatch over any of the core's
// dispatch objects (the control, fonts, pictures), the count of live objects and server
// locks behind DllCanUnloadNow, and the conversion of values between VARIANT and Variant.
#include <string>

#include "library/com_abi.h"
#include "platform/automation/dispatch.h"
#include "platform/host/boundary_guard.h"

namespace vg::com {

// Live objects handed out (dispatch objects and class factory references) and locks.
void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

// An IDispatch for `object` with one reference for the caller. While that IDispatch lives,
// wrapping the same object again gives the same pointer, so hosts can compare identities.
// It answers QueryInterface for IUnknown and IDispatch only: the typed vtable of the
// control's dual interface is not offered, so no early-bound caller can call past the
// IDispatch entries. `source` is named in the EXCEPINFO of its errors.
IDispatch* WrapObject(const ObjectRef& object, const std::string& source);
// The core object behind an IDispatch or IUnknown of this library; null for anything else.
ObjectRef UnwrapObject(IUnknown* p);

// A VARIANT as a Variant. Empty, 16- and 32-bit integers, bytes, singles, doubles, BSTRs,
// Booleans, this library's objects (null gives Nothing), the missing-argument marker
// (VT_ERROR with DISP_E_PARAMNOTFOUND), and references to any of these. Anything else
// fails with DISP_E_BADVARTYPE, a foreign object with DISP_E_TYPEMISMATCH.
HRESULT FromVariant(const VARIANT& in, Variant* out);
// A Variant as a new VARIANT (*out is overwritten, not cleared). Throws std::bad_alloc.
void ToVariant(const Variant& in, VARIANT* out);

// The result code a C caller gets for what an entry point raised: E_OUTOFMEMORY, the code of
// an automation error by its number, E_FAIL for anything else.
HRESULT FaultResult(const BoundaryFault& fault);

// Runs the body of a C entry point (returning an HRESULT) under the boundary guard: nothing
// it raises crosses into C; the caller gets FaultResult of it instead.
template <class Body>
HRESULT GuardEntry(const char* where, Body&& body) noexcept {
  HRESULT hr = E_FAIL;
  GuardBoundary(
      where, [&] { hr = body(); }, [&](const BoundaryFault& fault) { hr = FaultResult(fault); });
  return hr;
}

}  // namespace vg::com
