#pragma once
// The dispatch contract: late binding by DISPID or by case-insensitive member name, as a
// method, a property get, put or putref, with Variant arguments and result. Members raise
// AutomationError; the free Invoke functions turn that into an error result.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/errors.h"
#include "platform/automation/variant.h"

namespace vg {

using DISPID = int32_t;
inline constexpr DISPID DISPID_UNKNOWN = -1;

// Invoke kinds; a host asking for a value passes Method | PropertyGet, as late binding does.
enum InvokeKind : uint16_t {
  DISPATCH_METHOD = 1,
  DISPATCH_PROPERTYGET = 2,
  DISPATCH_PROPERTYPUT = 4,
  DISPATCH_PROPERTYPUTREF = 8,
};

using Args = std::span<const Variant>;

class DispatchObject {
 public:
  virtual ~DispatchObject() = default;
  // The name a host's TypeName shows for the object.
  virtual std::string TypeName() const = 0;
  // The DISPID of a member by name, case-insensitively; DISPID_UNKNOWN when there is none.
  virtual DISPID GetIDOfName(std::string_view name) const = 0;
  // Runs a member. For a put or putref, the last argument is the new value and the ones
  // before it are the indices (a block selector, for instance). Raises AutomationError.
  virtual Variant Invoke(DISPID id, uint16_t kind, Args args) = 0;
};

struct DispatchResult {
  int32_t error = 0;  // 0 on success, else the automation error number
  std::string description;
  Variant value;
  bool ok() const { return error == 0; }
};

DispatchResult Invoke(DispatchObject& object, DISPID id, uint16_t kind, Args args);
DispatchResult Invoke(DispatchObject& object, std::string_view name, uint16_t kind, Args args);

bool NameEquals(std::string_view a, std::string_view b);

// A table of members for one class: each with its name, DISPID, and the get, put, putref
// and method handlers it has. Checks the invoke kind and the argument count and raises the
// matching automation error (438, 449, 450) before a handler runs.
template <class T>
class DispatchTable {
 public:
  using Getter = std::function<Variant(T&, Args)>;
  using Putter = std::function<void(T&, Args, const Variant&)>;

  struct Member {
    std::string name;
    DISPID id = DISPID_UNKNOWN;
    int min_args = 0;  // indices for properties, arguments for methods
    int max_args = 0;
    Getter get;  // property get
    Putter put;
    Putter putref;
    Getter method;
  };

  Member& Add(Member m) {
    members_.push_back(std::move(m));
    return members_.back();
  }

  const Member* Find(DISPID id) const {
    for (const Member& m : members_)
      if (m.id == id) return &m;
    return nullptr;
  }

  DISPID IdOf(std::string_view name) const {
    for (const Member& m : members_)
      if (NameEquals(m.name, name)) return m.id;
    return DISPID_UNKNOWN;
  }

  const std::vector<Member>& members() const { return members_; }

  Variant Invoke(T& object, DISPID id, uint16_t kind, Args args) const {
    const Member* m = Find(id);
    if (!m) Raise(err::kNotSupported);
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      if (args.empty()) Raise(err::kArgumentNotOptional);
      Args indices = args.first(args.size() - 1);
      const Variant& value = args.back();
      const Putter* handler = nullptr;
      if (kind & DISPATCH_PROPERTYPUTREF) handler = m->putref ? &m->putref : nullptr;
      if (!handler && (kind & DISPATCH_PROPERTYPUT)) handler = m->put ? &m->put : nullptr;
      if (!handler)
        Raise(m->get || m->put || m->putref ? err::kWrongArguments : err::kNotSupported);
      CheckCount(*m, indices);
      (*handler)(object, indices, value);
      return Variant();
    }
    if ((kind & DISPATCH_METHOD) && m->method) {
      CheckCount(*m, args);
      return m->method(object, args);
    }
    if ((kind & DISPATCH_PROPERTYGET) && m->get) {
      CheckCount(*m, args);
      return m->get(object, args);
    }
    Raise(err::kNotSupported);
  }

 private:
  static void CheckCount(const Member& m, Args args) {
    if (static_cast<int>(args.size()) > m.max_args) Raise(err::kWrongArguments);
    for (int i = 0; i < m.min_args; ++i)
      if (i >= static_cast<int>(args.size()) || args[i].IsMissing())
        Raise(err::kArgumentNotOptional);
  }

  std::vector<Member> members_;
};

}  // namespace vg
