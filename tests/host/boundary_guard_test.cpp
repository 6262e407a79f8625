// The guard at the host boundary: what a call from outside raises is reported by number and
// description and goes no further; a control whose every render pass fails keeps its last
// good picture while the window system resizes, paints, clicks and ticks it.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "control/varigauge.h"
#include "platform/host/boundary_guard.h"
#include "platform/host/headless_host.h"
#include "platform/host/pixel_hash.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {

using testing::ErrorOf;
using testing::Pixels;
using testing::PlacedControl;

TEST(BoundaryGuard, ReportsWhatWasRaisedByNumberAndDescription) {
  std::vector<BoundaryFault> seen;
  auto record = [&](const BoundaryFault& f) { seen.push_back(f); };
  EXPECT_TRUE(GuardBoundary(
      "fine", [] {}, record));
  EXPECT_FALSE(GuardBoundary(
      "automation", [] { Raise(err::kOverflow); }, record));
  EXPECT_FALSE(GuardBoundary(
      "memory", [] { throw std::bad_alloc(); }, record));
  EXPECT_FALSE(GuardBoundary(
      "standard", [] { throw std::logic_error("broken"); }, record));
  EXPECT_FALSE(GuardBoundary(
      "other", [] { throw 42; }, record));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_STREQ(seen[0].where, "automation");
  EXPECT_EQ(seen[0].number, err::kOverflow);
  EXPECT_EQ(seen[0].description, "Overflow");
  EXPECT_EQ(seen[1].number, err::kOutOfMemory);
  EXPECT_EQ(seen[2].number, err::kInternalError);
  EXPECT_NE(seen[2].description.find("broken"), std::string::npos);
  EXPECT_EQ(seen[3].number, err::kInternalError);
}

TEST(BoundaryGuard, HoldsEvenWhenTheReporterRaisesAndAnswersWithTheFallback) {
  auto raising = [](const BoundaryFault&) { throw std::runtime_error("reporter"); };
  EXPECT_FALSE(GuardBoundary(
      "x", [] { Raise(err::kTypeMismatch); }, raising));
  auto quiet = [](const BoundaryFault&) {};
  EXPECT_EQ(GuardBoundaryOr(
                "value", -1, [] { return 5; }, quiet),
            5);
  EXPECT_EQ(GuardBoundaryOr(
                "value", -1, []() -> int { Raise(err::kOverflow); }, quiet),
            -1);
}

// Every render pass raises 6 once RivetsStyle holds a value beyond 16 bits (the interface
// stores any Long).
class FailingPasses : public ::testing::Test {
 protected:
  void SetUp() override {
    p_.c().put_Caption("last good picture");
    p_.host.Paint();
    good_ = PixelHash(p_.host.Pixels());
    ErrorOf([&] { p_.c().put_RivetsStyle(70000); });
    p_.host.TakeFaults();
  }
  PlacedControl p_{Pixels(160, 30)};
  uint64_t good_ = 0;
};

TEST_F(FailingPasses, AProgramsOwnRefreshStillRaisesAndTouchesNoBlock) {
  Varigauge& c = p_.c();
  const Variant one = Variant::Integer(1);
  ErrorOf([&] { c.AddBlock(); });
  ErrorOf([&] { c.put_BlockBarLeft(one, 0); });  // a new block starts hidden at -1
  ErrorOf([&] { c.put_BlockBarRight(one, 50); });
  ErrorOf([&] { c.put_BlockHPercentage(one, "kept"); });
  EXPECT_EQ(ErrorOf([&] { c.Refresh(); }), err::kOverflow);
  EXPECT_EQ(c.get_BlockHPercentage(one), "kept");  // the pass stopped before any block
}

TEST_F(FailingPasses, PaintClickAndTicksAreReportedAndThePictureStays) {
  p_.c().put_TimerTimeInterval(100);
  p_.c().put_TimerTimeEnabled(true);
  EXPECT_NO_THROW(p_.host.Paint());
  EXPECT_NO_THROW(p_.host.MouseUp(1, 0, 10, 10));
  EXPECT_NO_THROW(p_.host.Click());
  EXPECT_NO_THROW(p_.host.DblClick());
  EXPECT_NO_THROW(p_.host.clock().Advance(1000));
  EXPECT_EQ(PixelHash(p_.host.Pixels()), good_);
  const std::vector<BoundaryFault> faults = p_.host.TakeFaults();
  ASSERT_FALSE(faults.empty());
  for (const BoundaryFault& f : faults) EXPECT_EQ(f.number, err::kOverflow) << f.where;
  EXPECT_STREQ(faults.front().where, "paint");
}

TEST_F(FailingPasses, ResizeAndScreenChangesAreReportedNotRaised) {
  std::vector<BoundaryFault> told;
  p_.host.SetFaultReporter([&](const BoundaryFault& f) { told.push_back(f); });
  EXPECT_NO_THROW(p_.host.ResizePixels(200, 40));
  EXPECT_NO_THROW(p_.host.Paint());
  EXPECT_NO_THROW(p_.host.MoveToScreen(144));
  ASSERT_EQ(told.size(), 2u);
  EXPECT_STREQ(told[0].where, "paint");
  EXPECT_STREQ(told[1].where, "screen change");
  EXPECT_EQ(told[1].number, err::kOverflow);
  // A good value again: the next paint draws without a fault.
  p_.host.TakeFaults();
  p_.c().put_RivetsStyle(0);
  p_.host.Paint();
  EXPECT_TRUE(p_.host.TakeFaults().empty());
}

// A host that sets no reporter still tells of a fault: on the standard error stream.
class BareHost : public HostBase {
 public:
  using HostBase::HostBase;
  ~BareHost() override { Destroy(); }
  void PropertyChanged(const std::string&) override {}
  void RaiseEvent(const std::string&, const std::vector<Variant>&) override {}

 protected:
  void OnWindowChanged(const gdi::RECT&) override {}
};

TEST(HostBoundary, AHostWithoutAReporterWritesTheFaultToStandardError) {
  BareHost host(Pixels(40, 10));
  auto control = Varigauge::PlaceIn(host);
  ErrorOf([&] { control->put_RivetsStyle(70000); });
  ::testing::internal::CaptureStderr();
  host.Paint();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Varigauge: paint: error 6: Overflow\n");
}

}  // namespace
}  // namespace vg
