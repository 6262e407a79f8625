// The accessibility tree: the control as a progress bar named by its caption, its drawn
// blocks as children with their shown texts and horizontal percentages, and the press
// action of clickable blocks.
#include <gtest/gtest.h>

#include <QAccessible>
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

}  // namespace
}  // namespace vg
