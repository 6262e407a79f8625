// The headless host against the conformance suite every host passes.
#include "platform/host/headless_host.h"
#include "tests/host/host_conformance.h"

namespace vg::conformance {
namespace {

struct HeadlessTraits {
  using Host = HeadlessHost;
  static std::unique_ptr<HeadlessHost> Make(const HostOptions& o) {
    return std::make_unique<HeadlessHost>(o);
  }
  static std::vector<gdi::RECT> TakeWindowChanges(HeadlessHost& host) {
    return host.TakeWindowChanges();
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, HostConformance, ::testing::Types<HeadlessTraits>);

}  // namespace
}  // namespace vg::conformance
