#pragma once
// Small owners for the steps of a drawing ladder (make, select, use, select back, delete):
// each undoes its step when it goes out of scope, so an early return or an exception (out
// of memory in the glyph cache, say) leaves the context as it was and no object behind.
// Declare the object before its selection: the selection is then undone first, and the
// object is deleted once nothing holds it.
#include "platform/gdi/gdi.h"

namespace vg {

// A graphics object made by a Create... call (0 when that failed), deleted at the end.
class OwnedObject {
 public:
  explicit OwnedObject(gdi::HGDIOBJ object = 0) : object_(object) {}
  ~OwnedObject() { Reset(); }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;

  gdi::HGDIOBJ get() const { return object_; }
  explicit operator bool() const { return object_ != 0; }
  void Reset(gdi::HGDIOBJ object = 0) {
    if (object_) gdi::DeleteObject(object_);
    object_ = object;
  }

 private:
  gdi::HGDIOBJ object_;
};

// `object` selected into `dc` (nothing when it is 0); the previous object is selected back at
// the end. False when the selection failed.
class Selection {
 public:
  Selection(gdi::HDC dc, gdi::HGDIOBJ object)
      : dc_(dc), previous_(object ? gdi::SelectObject(dc, object) : 0) {}
  ~Selection() {
    if (previous_) gdi::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  explicit operator bool() const { return previous_ != 0; }

 private:
  gdi::HDC dc_;
  gdi::HGDIOBJ previous_;
};

// A background mode set for the scope; the previous mode is put back at the end. A context
// already in the mode is left alone.
class BkModeScope {
 public:
  BkModeScope(gdi::HDC dc, int mode) : dc_(dc), previous_(gdi::GetBkMode(dc)) {
    if (previous_ != mode)
      gdi::SetBkMode(dc, mode);
    else
      previous_ = 0;
  }
  ~BkModeScope() {
    if (previous_ != 0) gdi::SetBkMode(dc_, previous_);
  }
  BkModeScope(const BkModeScope&) = delete;
  BkModeScope& operator=(const BkModeScope&) = delete;

 private:
  gdi::HDC dc_;
  int previous_;
};

}  // namespace vg
