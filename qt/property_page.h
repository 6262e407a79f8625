#pragma once
// A property page as the property sheet hosts it: a widget with the three host events
// (Initialize once when the sheet takes the page, SelectionChanged whenever the selection is
// set, ApplyChanges on Apply or OK when the page reported a change), the selected controls
// (pages work on item 0) and the Changed flag, which enables the sheet's Apply.
#include <QWidget>
#include <vector>

namespace vg {

class CommonDialogs;
class Varigauge;

class PropertyPage : public QWidget {
  Q_OBJECT

 public:
  explicit PropertyPage(QWidget* parent = nullptr) : QWidget(parent) {}

  // The tab's caption, with its mnemonic ("&Block").
  virtual QString Caption() const = 0;

  virtual void PropertyPage_Initialize() {}
  virtual void PropertyPage_SelectionChanged() {}
  virtual void PropertyPage_ApplyChanges() {}

  bool Changed() const { return changed_; }
  // Setting it true enables the sheet's Apply; the sheet clears it after applying.
  void SetChanged(bool changed);

  const std::vector<Varigauge*>& SelectedControls() const { return selected_; }
  void SetSelectedControls(std::vector<Varigauge*> selected) { selected_ = std::move(selected); }
  // Item 0 of the selection; null when nothing is selected.
  Varigauge* Control() const { return selected_.empty() ? nullptr : selected_.front(); }

  CommonDialogs& Dialogs() const { return *dialogs_; }
  void SetDialogs(CommonDialogs& dialogs) { dialogs_ = &dialogs; }

 signals:
  void changedSet(bool changed);

 private:
  bool changed_ = false;
  std::vector<Varigauge*> selected_;
  CommonDialogs* dialogs_ = nullptr;
};

}  // namespace vg
