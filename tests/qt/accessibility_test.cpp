// The accessibility tree: the control as a progress bar with the progress face as value,
// named by the program, its caption or its label; its drawn blocks as children with their
// own rectangles, shown texts and horizontal percentages; the press action of clickable
// blocks; and the announcements of value and name changes. (atspi_tree.py reads the same
// tree from a sample program through AT-SPI, as a screen reader does.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QSignalSpy>

#include "qt/varigauge_widget.h"

namespace vg {
namespace {

TEST(Accessibility, TheTreeListsTheDrawnBlocksWithTheirTextsAndValues) {
  VarigaugeWidget w;
  w.resize(200, 30);
  Varigauge& c = w.control();
  c.put_Caption("Copying");
  c.put_Blocks(3);
  for (int16_t n : {1, 2, 3}) c.put_BlockBarLeft(Variant::Integer(n), 0);
  c.put_BlockBarRight(Variant::Integer(1), 25);
  c.put_BlockText(Variant::Integer(1), "!h%! done");
  c.put_BlockBarRight(Variant::Integer(2), 10);
  c.put_BlockVisible(Variant::Integer(2), false);  // not drawn: no child
  c.put_BlockBarRight(Variant::Integer(3), 50);
  c.put_BlockText(Variant::Integer(3), "rest");
  c.Refresh();

  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&w);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->role(), QAccessible::ProgressBar);
  EXPECT_EQ(root->text(QAccessible::Name), "Copying");
  ASSERT_EQ(root->childCount(), 2);
  QAccessibleInterface* first = root->child(0);
  QAccessibleInterface* second = root->child(1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->text(QAccessible::Name), "25 % done");
  EXPECT_EQ(first->text(QAccessible::Value), "25");
  EXPECT_EQ(second->text(QAccessible::Name), "rest");
  EXPECT_EQ(second->text(QAccessible::Value), "50");
  EXPECT_EQ(root->indexOfChild(second), 1);
  EXPECT_EQ(first->parent(), root);
  // A block that is not clickable offers no action.
  c.put_BlockClickable(Variant::Integer(1), false);
  EXPECT_TRUE(first->actionInterface()->actionNames().isEmpty());
}

TEST(Accessibility, PressingAClickableBlockRaisesBlockClickedThenClick) {
  VarigaugeWidget w;
  Varigauge& c = w.control();
  c.put_Blocks(2);
  for (int16_t n : {1, 2}) {
    c.put_BlockBarLeft(Variant::Integer(n), 0);
    c.put_BlockBarRight(Variant::Integer(n), 10);
  }
  c.put_BlockClickable(Variant::Integer(1), false);
  c.put_BlockClickable(Variant::Integer(2), true);
  std::vector<std::string> order;
  QObject::connect(&w, &VarigaugeWidget::blockClicked,
                   [&](int b) { order.push_back("BlockClicked " + std::to_string(b)); });
  QObject::connect(&w, &VarigaugeWidget::clicked, [&] { order.push_back("Click"); });
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&w);
  QAccessibleActionInterface* first = root->child(0)->actionInterface();
  QAccessibleActionInterface* second = root->child(1)->actionInterface();
  first->doAction(QAccessibleActionInterface::pressAction());  // not clickable
  ASSERT_EQ(second->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  second->doAction(QAccessibleActionInterface::pressAction());
  w.setEnabled(false);
  second->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(order, (std::vector<std::string>{"BlockClicked 2", "Click"}));
}

TEST(Accessibility, TheNameComesFromTheProgramThenTheCaptionThenTheBuddyLabel) {
  QWidget form;
  auto* label = new QLabel("&Copy progress:", &form);
  auto* w = new VarigaugeWidget(&form);
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(w);
  EXPECT_EQ(root->text(QAccessible::Name), "");
  label->setBuddy(w);
  EXPECT_EQ(root->text(QAccessible::Name), "Copy progress:");
  w->control().put_Caption("Copying");
  EXPECT_EQ(root->text(QAccessible::Name), "Copying");
  w->setAccessibleName("Backup");
  EXPECT_EQ(root->text(QAccessible::Name), "Backup");
}

TEST(Accessibility, TheValueIsTheProgressFaceOnEitherOrientation) {
  VarigaugeWidget w;
  QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(&w)->valueInterface();
  ASSERT_NE(value, nullptr);
  w.setRange(10, 60);
  w.setValue(35);
  EXPECT_EQ(value->currentValue().toInt(), 35);
  EXPECT_EQ(value->minimumValue().toInt(), 10);
  EXPECT_EQ(value->maximumValue().toInt(), 60);
  value->setCurrentValue(50);  // read-only, as a progress bar
  EXPECT_EQ(w.value(), 35);
  w.setOrientation(VarigaugeWidget::vgFromBottom);
  w.setRange(0, 200);
  w.setValue(150);
  EXPECT_EQ(value->currentValue().toInt(), 150);
  EXPECT_EQ(value->maximumValue().toInt(), 200);
  EXPECT_EQ(w.control().get_BlockBarTop(Variant::Integer(1)), 150);
}

TEST(Accessibility, EachBlockHasItsOwnRectangleOnTheScreenAndItsPercentageAsValue) {
  VarigaugeWidget w;
  w.move(30, 40);
  w.resize(200, 30);
  w.show();
  Varigauge& c = w.control();
  c.put_BorderStyle(0);
  c.put_BorderWidth(0);
  c.put_Blocks(2);
  c.put_BlockBarLeft(Variant::Integer(1), 0);
  c.put_BlockBarRight(Variant::Integer(1), 25);
  c.put_BlockBarLeft(Variant::Integer(2), 50);
  c.put_BlockBarRight(Variant::Integer(2), 100);
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&w);
  ASSERT_EQ(root->childCount(), 2);
  // Two pixels a step on the 200 pixels of the scale 0..100; the full height.
  const QPoint origin = w.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(root->child(0)->rect(), QRect(origin, QSize(50, 30)));
  EXPECT_EQ(root->child(1)->rect(), QRect(origin + QPoint(100, 0), QSize(100, 30)));
  EXPECT_EQ(root->childAt(origin.x() + 150, origin.y() + 10), root->child(1));
  EXPECT_EQ(root->child(0)->role(), QAccessible::ProgressBar);
  QAccessibleValueInterface* second = root->child(1)->valueInterface();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->currentValue().toInt(), 50);
  EXPECT_EQ(second->maximumValue().toInt(), 100);
  // A block hidden since: one child less.
  c.put_BlockVisible(Variant::Integer(1), false);
  ASSERT_EQ(root->childCount(), 1);
  EXPECT_EQ(root->child(0)->rect().left(), origin.x() + 100);
  EXPECT_FALSE(root->child(1));
}

std::vector<std::pair<QAccessible::Event, int>>* announced = nullptr;

TEST(Accessibility, ValueAndNameChangesAreAnnounced) {
  // Qt passes events on only while an assistive technology listens, and only on a platform
  // with an accessibility bridge: not on the offscreen one. atspi_tree.py --session runs
  // this test on a virtual X display with AT-SPI, where it may not skip.
  // The bridge switches itself on once it has reached the accessibility bus.
  QDeadlineTimer deadline(qEnvironmentVariableIsSet("VG_ATSPI_PRIVATE_BUS") ? 10000 : 0);
  while (!QAccessible::isActive() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  if (!QAccessible::isActive()) {
    if (qEnvironmentVariableIsSet("VG_ATSPI_PRIVATE_BUS")) FAIL() << "no accessibility bridge";
    GTEST_SKIP() << "this platform has no accessibility bridge";
  }
  std::vector<std::pair<QAccessible::Event, int>> events;
  announced = &events;
  const QAccessible::UpdateHandler previous =
      QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::ValueChanged)
          announced->emplace_back(
              event->type(), static_cast<QAccessibleValueChangeEvent*>(event)->value().toInt());
        else if (event->type() == QAccessible::NameChanged)
          announced->emplace_back(event->type(), 0);
      });
  using Said = std::vector<std::pair<QAccessible::Event, int>>;
  Said first_part;
  {
    VarigaugeWidget w;
    w.show();
    w.setValue(40);
    w.setValue(40);  // no change, nothing to say
    w.control().put_Caption("Copying");
    first_part = events;
    w.setAccessibleName("Backup");
    events.clear();                     // Qt announces the accessibleName itself
    w.control().put_Caption("Moving");  // the name stays "Backup"
    w.setValue(45);
  }
  QAccessible::installUpdateHandler(previous);
  announced = nullptr;
  EXPECT_EQ(first_part, (Said{{QAccessible::ValueChanged, 40}, {QAccessible::NameChanged, 0}}));
  EXPECT_EQ(events, (Said{{QAccessible::ValueChanged, 45}}));
}

}  // namespace
}  // namespace vg
