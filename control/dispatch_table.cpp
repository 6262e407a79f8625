// Late binding: the dispatch table is made from the member table's rows that the interface
// answers for, with their argument counts taken from their parameter lists.
#include "control/members.h"
#include "control/varigauge.h"

namespace vg {
namespace {

using Table = DispatchTable<Varigauge>;

const Table& ControlTable() {
  static const Table table = [] {
    Table t;
    for (const MemberRow& row : Members()) {
      if (!row.Bound()) continue;
      const MemberRow* r = &row;
      Table::Member m;
      m.name = std::string(row.name);
      m.id = row.id;
      m.max_args = static_cast<int>(row.params.size());
      for (const Param& p : row.params)
        if (!p.optional()) ++m.min_args;
      const Access& a = row.access;
      if (a.get) m.get = [r](Varigauge& c, Args i) { return r->access.get(c, *r, i); };
      if (a.let)
        m.put = [r](Varigauge& c, Args i, const Variant& v) { r->access.let(c, *r, i, v); };
      if (a.set)
        m.putref = [r](Varigauge& c, Args i, const Variant& v) { r->access.set(c, *r, i, v); };
      if (a.call) m.method = [r](Varigauge& c, Args i) { return r->access.call(c, *r, i); };
      t.Add(std::move(m));
    }
    return t;
  }();
  return table;
}

}  // namespace

DISPID Varigauge::GetIDOfName(std::string_view name) const {
  return ControlTable().IdOf(name);
}

Variant Varigauge::Invoke(DISPID id, uint16_t kind, Args args) {
  return ControlTable().Invoke(*this, id, kind, args);
}

}  // namespace vg
