// The property sheet without a mouse: Tab reaches every field of every page in reading
// order (judged from where the fields are drawn, not from how the pages are built), then
// OK, Cancel and Apply; each page opens on its first field; every mnemonic leads to a
// widget that takes focus; the block and colour bars move with the keys, and a drag over a
// colour bar covers 0..255.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "pages/block_page.h"
#include "pages/varigauge_pages.h"
#include "tests/pages/page_fixture.h"

namespace vg {
namespace {

bool TakesTab(const QWidget* w) {
  return (w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() && w->focusProxy() == nullptr;
}

// The reading order of the focusable widgets inside `w`, from their places on the screen:
// the visible children row by row (a child lying wholly below the row so far starts the
// next), each row left to right; a child that does not take focus is read whole where it
// stands.
void ReadingOrder(QWidget* w, std::vector<QWidget*>& out) {
  std::vector<QWidget*> kids;
  for (QObject* o : w->children())
    if (auto* k = qobject_cast<QWidget*>(o); k && k->isVisible() && !k->isWindow())
      kids.push_back(k);
  std::stable_sort(kids.begin(), kids.end(),
                   [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
  for (size_t start = 0; start < kids.size();) {
    size_t end = start + 1;
    int bottom = kids[start]->geometry().bottom();
    while (end < kids.size() && kids[end]->y() <= bottom)
      bottom = std::max(bottom, kids[end++]->geometry().bottom());
    std::stable_sort(kids.begin() + start, kids.begin() + end,
                     [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    start = end;
  }
  for (QWidget* k : kids) {
    if (TakesTab(k))
      out.push_back(k);
    else
      ReadingOrder(k, out);
  }
}

// Calls `visit` once for each combination of the tabs nested inside `root`.
void ForEachView(QWidget* root, const std::function<void()>& visit) {
  // Children are listed depth first: the first visible one is an outermost one.
  QTabWidget* nested = nullptr;
  for (QTabWidget* t : root->findChildren<QTabWidget*>())
    if (nested == nullptr && t->isVisible()) nested = t;
  if (nested == nullptr) return visit();
  for (int i = 0; i < nested->count(); ++i) {
    nested->setCurrentIndex(i);
    QApplication::processEvents();
    ForEachView(nested->widget(i), visit);
  }
}

QString Name(const QWidget* w) {
  if (qobject_cast<const QTabBar*>(w) != nullptr && w->parentWidget() != nullptr)
    return w->parentWidget()->objectName() + QStringLiteral(".bar");
  return w == nullptr                ? QStringLiteral("(none)")
         : w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

struct SheetOnScreen {
  DesignControl d;
  ScriptedDialogs dialogs;
  PropertySheet sheet{dialogs};
  SheetOnScreen() {
    d.c.put_Blocks(3);
    AddVarigaugePages(sheet);
    sheet.SetSelectedControls({&d.c});
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&sheet));
  }
  BlockPage* Block() const { return sheet.findChild<BlockPage*>(); }
};

TEST(Keyboard, TabWalksEveryPageInReadingOrderFromItsFirstField) {
  SheetOnScreen s;
  for (int p = 0; p < s.sheet.PageCount(); ++p) {
    QWidget* page = s.sheet.Page(p);
    s.sheet.Tabs()->setCurrentIndex(p);
    QApplication::processEvents();
    std::vector<QWidget*> opening;
    ReadingOrder(page, opening);
    ASSERT_FALSE(opening.empty()) << Name(page).toStdString();
    EXPECT_EQ(QApplication::focusWidget(), opening.front())
        << Name(page).toStdString() << " opens on "
        << Name(QApplication::focusWidget()).toStdString();
    ForEachView(page, [&] {
      std::vector<QWidget*> expected;
      ReadingOrder(page, expected);
      for (QPushButton* b : {s.sheet.OkButton(), s.sheet.CancelButton(), s.sheet.ApplyButton()})
        if (b->isEnabled()) expected.push_back(b);
      expected.push_back(s.sheet.Tabs()->tabBar());
      expected.front()->setFocus(Qt::TabFocusReason);
      QStringList want, got;
      for (size_t i = 0; i < expected.size(); ++i) {
        want << Name(expected[(i + 1) % expected.size()]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        got << Name(QApplication::focusWidget());
      }
      EXPECT_EQ(got.join(QLatin1Char(' ')).toStdString(), want.join(QLatin1Char(' ')).toStdString())
          << Name(page).toStdString();
    });
  }
}

TEST(Keyboard, EveryMnemonicLeadsToAWidgetThatTakesFocus) {
  SheetOnScreen s;
  for (QLabel* label : s.sheet.findChildren<QLabel*>()) {
    const QString text = label->text();
    if (!text.contains(QRegularExpression(QStringLiteral("&[^&]")))) continue;
    QWidget* target = label->buddy();
    while (target != nullptr && target->focusProxy() != nullptr) target = target->focusProxy();
    ASSERT_NE(target, nullptr) << text.toStdString();
    EXPECT_TRUE((target->focusPolicy() & Qt::TabFocus) != 0)
        << text.toStdString() << " names " << Name(target).toStdString();
  }
}

TEST(Keyboard, TheBarsMoveWithTheKeysAndADragCoversEveryColourValue) {
  SheetOnScreen s;
  BlockPage* page = s.Block();
  auto* tabs = page->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  auto* appearance = page->findChild<QTabWidget*>(QStringLiteral("SSTab3"));
  auto* index = page->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
  auto* shown = page->findChild<QLineEdit*>(QStringLiteral("txtIndex"));
  // The block bar: one block per arrow (Right for the next), ten per page (Page Up for
  // later ones), within 1..3.
  const struct {
    Qt::Key key;
    int block;
  } steps[] = {{Qt::Key_Right, 2}, {Qt::Key_Left, 1}, {Qt::Key_PageUp, 3}, {Qt::Key_Left, 2}};
  index->setFocus(Qt::TabFocusReason);
  index->setValue(1);
  for (const auto& step : steps) {
    QTest::keyClick(index, step.key);
    EXPECT_EQ(page->CurrentBlock(), step.block);
    EXPECT_EQ(shown->text(), QString::number(step.block));
  }

  tabs->setCurrentIndex(2);
  appearance->setCurrentIndex(2);
  QApplication::processEvents();
  for (bool end : {false, true})
    for (int k = 0; k < 3; ++k) {
      const QString name = QStringLiteral("%1_%2").arg(end ? "hslColorEnd" : "hslColor").arg(k);
      auto* bar = page->findChild<QScrollBar*>(name);
      auto* label = page->findChild<QLabel*>(
          QStringLiteral("%1_%2").arg(end ? "lblColorEnd" : "lblColor").arg(k));
      ASSERT_NE(bar, nullptr);
      bar->setValue(0);
      bar->setFocus(Qt::TabFocusReason);
      // One value per arrow, sixteen per page.
      for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Left})
        QTest::keyClick(bar, key);
      const PageBlock& block = page->WorkingBlocks()[page->CurrentBlock() - 1];
      EXPECT_EQ(bar->value(), 17) << name.toStdString();
      EXPECT_TRUE(label->text().endsWith(QStringLiteral(" = 17"))) << label->text().toStdString();
      EXPECT_EQ((end ? block.GradientColorEnd : block.GradientColor) >> (8 * k) & 0xFF, 17u);

      // The thumb travels a pixel or more per value; dragged to either end it reads 255, 0.
      QStyleOptionSlider option;
      option.initFrom(bar);
      option.orientation = Qt::Horizontal;
      option.minimum = bar->minimum();
      option.maximum = bar->maximum();
      option.sliderPosition = option.sliderValue = bar->value();
      option.pageStep = bar->pageStep();
      option.singleStep = bar->singleStep();
      const QStyle::ComplexControl cc = QStyle::CC_ScrollBar;
      const QRect groove =
          bar->style()->subControlRect(cc, &option, QStyle::SC_ScrollBarGroove, bar);
      const QRect thumb =
          bar->style()->subControlRect(cc, &option, QStyle::SC_ScrollBarSlider, bar);
      EXPECT_GE(groove.width() - thumb.width(), 255) << name.toStdString();
      for (int target : {255, 0}) {
        const QRect now =
            bar->style()->subControlRect(cc, &option, QStyle::SC_ScrollBarSlider, bar);
        QTest::mousePress(bar, Qt::LeftButton, {}, now.center());
        QTest::mouseMove(bar, QPoint(target == 255 ? groove.right() + 40 : groove.left() - 40,
                                     now.center().y()));
        QTest::mouseRelease(
            bar, Qt::LeftButton, {},
            QPoint(target == 255 ? groove.right() + 40 : groove.left() - 40, now.center().y()));
        EXPECT_EQ(bar->value(), target) << name.toStdString();
        option.sliderPosition = option.sliderValue = bar->value();
      }
    }
}

}  // namespace
}  // namespace vg
