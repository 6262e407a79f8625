#pragma once
// Forms at run time: a .ui form opened with QUiLoader, our widget registered with it, and
// handlers connected by control name and control-array index.
//
// Control arrays are marked in the form: element i of array "Command1" is a widget named
// "Command1_i" carrying the dynamic properties controlArray = "Command1" and
// controlArrayIndex = i.
#include <QCoreApplication>
#include <QString>
#include <QUiLoader>
#include <QWidget>
#include <memory>
#include <stdexcept>

namespace vg {

// A QUiLoader that makes vg::VarigaugeWidget for the control's class name.
class FormLoader : public QUiLoader {
 public:
  using QUiLoader::QUiLoader;
  // A VarigaugeWidget for the class "vg::VarigaugeWidget"; QUiLoader's
  // own widgets for every other class.
  QWidget* createWidget(const QString& class_name, QWidget* parent = nullptr,
                        const QString& name = QString()) override;
};

// A loaded form: its window and its controls by name.
class Form {
 public:
  // Opens the form file; throws std::runtime_error with the loader's message when it
  // cannot.
  static std::unique_ptr<Form> Open(const QString& path, QWidget* parent = nullptr);

  // A form around a loaded window `root`; the form deletes it.
  explicit Form(QWidget* root) : root_(root) {}
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The form's top widget.
  QWidget* window() const { return root_; }
  // The control `name`, or element `index` of the control array `name`; null when the form
  // has none of that name and class.
  QObject* find(const QString& name, int index = -1) const;
  // find() as a T (a VarigaugeWidget, a QPushButton); null when it is none.
  template <class T>
  T* control(const QString& name, int index = -1) const {
    return qobject_cast<T*>(find(name, index));
  }

  // How callers name a control: "Name", or "Name(i)" for element i of an array.
  static std::string RefName(const QString& name, int index) {
    return name.toStdString() + (index >= 0 ? "(" + std::to_string(index) + ")" : std::string());
  }

  // Connects `signal` of the control (an array element when index >= 0) to `handler`.
  // Throws std::runtime_error when the form has no such control of that class.
  template <class T, class Signal, class Handler>
  QMetaObject::Connection on(const QString& name, int index, Signal T::*signal, Handler&& handler) {
    T* sender = control<T>(name, index);
    if (!sender) throw std::runtime_error("the form has no control " + RefName(name, index));
    return QObject::connect(sender, signal, root_, std::forward<Handler>(handler));
  }
  // on() for a control that is not in an array.
  template <class T, class Signal, class Handler>
  QMetaObject::Connection on(const QString& name, Signal T::*signal, Handler&& handler) {
    return on(name, -1, signal, std::forward<Handler>(handler));
  }

  // Lets the window system deliver what is pending (paints, input, timer ticks).
  static void ProcessPendingEvents() { QCoreApplication::processEvents(); }

 private:
  QWidget* root_;
};

}  // namespace vg
