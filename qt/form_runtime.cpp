#include "qt/form_runtime.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>

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

namespace {

// Whether the form's <customwidgets> names a class other than ours: only such a form needs
// Qt Designer's widget plugins, which QUiLoader otherwise loads for every form (one of them
// brings Qt Quick and OpenGL into a widgets program).
bool NeedsDesignerPlugins(const QByteArray& contents) {
  QXmlStreamReader xml(contents);
  bool in_custom = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == QLatin1String("customwidget")) in_custom = true;
    if (xml.isEndElement() && xml.name() == QLatin1String("customwidget")) in_custom = false;
    if (in_custom && xml.isStartElement() && xml.name() == QLatin1String("class") &&
        xml.readElementText().trimmed() != QLatin1String("vg::VarigaugeWidget"))
      return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<Form> Form::Open(const QString& path, QWidget* parent) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(path.toStdString() + ": " + file.errorString().toStdString());
  QByteArray contents = file.readAll();
  QBuffer buffer(&contents);
  buffer.open(QIODevice::ReadOnly);
  // QUiLoader loads the plugins of every folder it is given as it is made, so a form that
  // needs none makes its loader while the library paths are empty.
  std::unique_ptr<FormLoader> loader;
  if (NeedsDesignerPlugins(contents)) {
    loader = std::make_unique<FormLoader>();
  } else {
    const QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    loader = std::make_unique<FormLoader>();
    QCoreApplication::setLibraryPaths(paths);
  }
  QWidget* root = loader->load(&buffer, parent);
  if (!root)
    throw std::runtime_error(path.toStdString() + ": " + loader->errorString().toStdString());
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
