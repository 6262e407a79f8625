#include "qt/reading_order.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace vg {
namespace {

void CollectWidget(QWidget* w, std::vector<QWidget*>& out);

void CollectItem(QLayoutItem* item, std::vector<QWidget*>& out) {
  if (item == nullptr) return;
  if (QWidget* w = item->widget()) {
    CollectWidget(w, out);
  } else if (QLayout* inner = item->layout()) {
    // A grid lists its cells in the order they were added: read them row by row.
    if (auto* grid = qobject_cast<QGridLayout*>(inner)) {
      struct Cell {
        int row, column;
        QLayoutItem* item;
      };
      std::vector<Cell> cells;
      for (int i = 0; i < grid->count(); ++i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        cells.push_back({row, column, grid->itemAt(i)});
      }
      std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
      });
      for (const Cell& cell : cells) CollectItem(cell.item, out);
    } else if (auto* form = qobject_cast<QFormLayout*>(inner)) {
      for (int row = 0; row < form->rowCount(); ++row)
        for (auto role :
             {QFormLayout::LabelRole, QFormLayout::FieldRole, QFormLayout::SpanningRole})
          CollectItem(form->itemAt(row, role), out);
    } else {
      for (int i = 0; i < inner->count(); ++i) CollectItem(inner->itemAt(i), out);
    }
  }
}

void CollectWidget(QWidget* w, std::vector<QWidget*>& out) {
  if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
    // The tab bar first, then each page in turn (only the current one is visible). The tab
    // bar stands for the tab widget: the widget itself, handing its focus to the bar, would
    // be a second stop on the bar at the widget's own place in the chain.
    tabs->setFocusProxy(nullptr);
    tabs->setFocusPolicy(Qt::NoFocus);
    out.push_back(tabs->tabBar());
    for (int i = 0; i < tabs->count(); ++i) CollectWidget(tabs->widget(i), out);
  } else if ((w->focusPolicy() & Qt::TabFocus) != 0) {
    out.push_back(w);
  } else if (w->layout() != nullptr) {
    CollectItem(w->layout(), out);
  }
}

std::vector<QWidget*> ReadingOrder(QWidget* root) {
  std::vector<QWidget*> order;
  if (root->layout() != nullptr) CollectItem(root->layout(), order);
  return order;
}

}  // namespace

QWidget* SetReadingTabOrder(QWidget* root) {
  const std::vector<QWidget*> order = ReadingOrder(root);
  if (order.empty()) return root;
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  return order.back();
}

QWidget* FirstTabField(QWidget* root) {
  for (QWidget* w : ReadingOrder(root))
    if (w->isVisibleTo(root) && w->isEnabled()) return w;
  return nullptr;
}

}  // namespace vg
