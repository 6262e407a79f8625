#include "qt/form_runtime.h"

#include <QFile>

#include "qt/varigauge_widget.h"

namespace vg {

QWidget* FormLoader::createWidget(const QString& class_name, QWidget* parent, const QString& name) {
  if (class_name == QLatin1String("vg::VarigaugeWidget")) {
    auto* w = new VarigaugeWidget(parent);
    w->setObjectName(name);
    return w;
  }
  return QUiLoader::createWidget(class_name, parent, name);
}

std::unique_ptr<Form> Form::Open(const QString& path, QWidget* parent) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(path.toStdString() + ": " + file.errorString().toStdString());
  FormLoader loader;
  QWidget* root = loader.load(&file, parent);
  if (!root)
    throw std::runtime_error(path.toStdString() + ": " + loader.errorString().toStdString());
  return std::make_unique<Form>(root);
}

Form::~Form() {
  delete root_;
}

QObject* Form::find(const QString& name, int index) const {
  if (index < 0) return root_->objectName() == name ? root_ : root_->findChild<QObject*>(name);
  for (QObject* o : root_->findChildren<QObject*>()) {
    const QVariant array = o->property("controlArray");
    if (array.isValid() && array.toString() == name &&
        o->property("controlArrayIndex").toInt() == index)
      return o;
  }
  return nullptr;
}

}  // namespace vg
