#pragma once
// PropertySheet: the modal dialog that hosts property pages as tabs, with OK, Cancel and
// Apply. Apply is enabled while some page reports a change; Apply and OK call the
// ApplyChanges of every page that did, then clear their flags. An automation error the
// control raises while a page writes is reported through the dialogs and keeps the sheet
// open (OK does not close it).
#include <QDialog>
#include <memory>
#include <vector>

class QPushButton;
class QTabWidget;

namespace vg {

class CommonDialogs;
class PropertyPage;
class Varigauge;

class PropertySheet : public QDialog {
  Q_OBJECT

 public:
  PropertySheet(CommonDialogs& dialogs, QWidget* parent = nullptr);
  ~PropertySheet() override;

  // Takes the page as the next tab and raises its Initialize.
  void AddPage(PropertyPage* page);
  // Gives every page the selection and raises its SelectionChanged.
  void SetSelectedControls(const std::vector<Varigauge*>& selected);
  // The title names the control the pages edit: "Varigauge1 Properties". Without a name
  // the sheet keeps its general title, "Property Pages".
  void SetControlName(const QString& name);
  // The same with the name `control` has in its form: its object name, or "Bar(2)" for the
  // element of a control array (controlArray "Bar", controlArrayIndex 2).
  void SetControlName(const QObject& control);

  // Applies the changed pages; false when the control refused a value.
  bool Apply();

  QTabWidget* Tabs() const { return tabs_; }
  PropertyPage* Page(int index) const;
  int PageCount() const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* ApplyButton() const { return apply_; }

  void accept() override;

 private:
  void UpdateApply();

  CommonDialogs& dialogs_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* apply_;
};

}  // namespace vg
