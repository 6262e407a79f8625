// The widget's Qt face: properties, enumerations, blocks, the progress face and signals,
// checked against the member table and the type library they are written from, and one
// form opened by every loader (uic, the form runtime, the headless reader) drawing alike.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QThread>
#include <QVBoxLayout>
#include <set>

#include "control/dispids.h"
#include "control/public_names.h"
#include "control/type_library.h"
#include "forms/form_error.h"
#include "forms/json_bag.h"
#include "forms/ui_form.h"
#include "platform/host/headless_host.h"
#include "qt/form_runtime.h"
#include "qt/varigauge_widget.h"
#include "tests/qt/widget_pixels.h"
#include "ui_face_form.h"

namespace vg {
namespace {

QString SourceFile(const char* relative) {
  return QString::fromLocal8Bit(qgetenv("VG_SOURCE_DIR")) + "/" + relative;
}

QMetaProperty PropertyOf(const char* name) {
  const QMetaObject& meta = VarigaugeWidget::staticMetaObject;
  return meta.property(meta.indexOfProperty(name));
}

// Another value of the property's type than `now`.
QVariant Another(const QMetaProperty& p, const QVariant& now) {
  if (p.isEnumType() || now.typeId() == QMetaType::Int) return now.toInt() + 1;
  switch (now.typeId()) {
    case QMetaType::Bool:
      return !now.toBool();
    case QMetaType::QColor:
      return QColor(1, 2, 3);
    case QMetaType::QString:
      return QStringLiteral("x");
    case QMetaType::QPixmap: {
      QPixmap pixmap(2, 2);
      pixmap.fill(Qt::red);
      return pixmap;
    }
    default:
      ADD_FAILURE() << p.name() << " has a type the test does not know";
      return now;
  }
}

TEST(QtFace, EveryStoredSettingIsANotifyingPropertyWhoseResetIsItsDefault) {
  std::set<std::string> expected;
  for (const MemberRow* row : FaceProperties()) {
    const std::string name = FacePropertyName(*row);
    expected.insert(name);
    SCOPED_TRACE(name);
    const QMetaProperty p = PropertyOf(name.c_str());
    ASSERT_TRUE(p.isValid());
    EXPECT_TRUE(p.isWritable() && p.isResettable() && p.isStored() && p.isDesignable());
    ASSERT_TRUE(p.hasNotifySignal());
    // At design time, where the design-time-only settings answer too.
    VarigaugeWidget w(nullptr, /*user_mode=*/false);
    auto stored = [&] {
      return forms::JsonPropertyBag::FromJson(w.propertyBag().toStdString()).Contains(row->bag.key);
    };
    ASSERT_FALSE(stored());
    QSignalSpy changed(&w, p.notifySignal());
    const QVariant other = Another(p, p.read(&w));
    ASSERT_TRUE(p.write(&w, other));
    EXPECT_GE(changed.count(), 1);
    // SpecialClearAllBlock acts and goes back to its default at once.
    if (row->id != dispid::kSpecialClearAllBlock) {
      EXPECT_TRUE(stored());
    }
    // The reset value is the member's default: the control stores nothing for it again.
    ASSERT_TRUE(p.reset(&w));
    EXPECT_FALSE(stored());
  }
  // No other setting of the widget's own is stored but the block table, what the typed
  // properties cannot hold, an older form's bag (stored again only when it failed) and busy
  // mode (stored only when on).
  const QMetaObject& meta = VarigaugeWidget::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    const std::string name = meta.property(i).name();
    if (meta.property(i).isStored() && !expected.count(name)) {
      EXPECT_TRUE(name == "blocks" || name == "systemColors" || name == "pictureData" ||
                  name == "propertyBag" || name == "busy")
          << name;
    }
  }
  // The control's font and enabled state are the widget's own.
  EXPECT_EQ(PropertyOf("font").enclosingMetaObject(), &QWidget::staticMetaObject);
}

TEST(QtFace, EveryEnumerationIsAQtEnumWithTheInterfacesConstants) {
  const QMetaObject& meta = VarigaugeWidget::staticMetaObject;
  for (const EnumType& e : Enumerations()) {
    SCOPED_TRACE(std::string(e.name));
    const int index = meta.indexOfEnumerator(FaceEnumName(e.name).c_str());
    ASSERT_GE(index, 0);
    const QMetaEnum qt = meta.enumerator(index);
    ASSERT_EQ(qt.keyCount(), static_cast<int>(e.constants.size()));
    for (const EnumConstant& c : e.constants)
      EXPECT_EQ(qt.keyToValue(std::string(c.name).c_str()), c.value) << c.name;
  }
  // A value outside the constants stays settable, as through late binding.
  VarigaugeWidget w;
  w.setCaptionAlignment(static_cast<VarigaugeWidget::Alignment>(42));
  EXPECT_EQ(w.control().get_CaptionAlignment(), 42);
}

TEST(QtFace, BlocksAreReadAndWrittenAsValues) {
  VarigaugeWidget w;
  QSignalSpy errors(&w, &VarigaugeWidget::errorOccurred);
  EXPECT_EQ(w.addBlock(), 1);
  EXPECT_EQ(w.addBlock(), 2);
  // A new block's settings are those of a default-made Block.
  const Block fresh;
  EXPECT_EQ(w.block(2).barRight, fresh.barRight);
  EXPECT_EQ(w.block(2).color, fresh.color);
  EXPECT_EQ(w.block(2).borderStyle, fresh.borderStyle);
  Block b = w.block(1);
  b.barRight = 40;
  b.text = QStringLiteral("!h%!");
  b.color = QColor(Qt::red);
  b.gradientStyle = VarigaugeWidget::vgLeftHGradient;
  b.textFont = QFont(QStringLiteral("Arial"), 12);
  w.setBlock(1, b);
  const Variant one = Variant::Integer(1);
  EXPECT_EQ(w.control().get_BlockBarRight(one), 40);
  EXPECT_EQ(w.control().get_BlockText(one), "!h%!");
  EXPECT_EQ(w.control().get_BlockColor(one), 0x0000FFu);
  EXPECT_EQ(w.control().get_BlockGradientStyle(one), VarigaugeWidget::vgLeftHGradient);
  EXPECT_EQ(w.block(1).textFont.family(), QStringLiteral("Arial"));
  EXPECT_EQ(w.block(1).hPercentage.toStdString(), w.control().get_BlockHPercentage(one));
  EXPECT_TRUE(errors.isEmpty());
  // Out of range: error 9, nothing changes; block() answers a new block.
  w.setBlock(3, b);
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors[0][0].toInt(), 9);
  EXPECT_EQ(w.block(7).barRight, fresh.barRight);
  w.removeBlock(1);
  EXPECT_EQ(w.blockCount(), 1);
}

TEST(QtFace, TheProgressFaceIsBlockOnesFarEdgeOnTheOrientationsScale) {
  struct Row {
    VarigaugeWidget::Orientation orientation;
    bool vertical;
  };
  for (Row row :
       {Row{VarigaugeWidget::vgFromLeft, false}, Row{VarigaugeWidget::vgFromRight, false},
        Row{VarigaugeWidget::vgFromTop, true}, Row{VarigaugeWidget::vgFromBottom, true}}) {
    SCOPED_TRACE(row.orientation);
    VarigaugeWidget w;
    w.setOrientation(row.orientation);
    QSignalSpy moved(&w, &VarigaugeWidget::valueChanged);
    w.setRange(10, 200);
    EXPECT_EQ(row.vertical ? w.vMaxValue() : w.hMaxValue(), 200);
    EXPECT_EQ(w.blockCount(), 0);
    w.setValue(60);  // with no block, setting a value adds one
    ASSERT_EQ(w.blockCount(), 1);
    EXPECT_EQ(row.vertical ? w.block(1).barTop : w.block(1).barRight, 60);
    EXPECT_EQ(w.value(), 60);
    w.setValue(500);  // kept within the range
    EXPECT_EQ(w.value(), 200);
    // A change through late binding moves the value too.
    if (row.vertical)
      w.control().put_BlockBarTop(Variant::Integer(1), 70);
    else
      w.control().put_BlockBarRight(Variant::Integer(1), 70);
    w.setValue(70);  // no change: no signal
    ASSERT_EQ(moved.count(), 4);
    EXPECT_EQ(moved[0][0].toInt(), 10);  // the range moved block-less value to its minimum
    EXPECT_EQ(moved[1][0].toInt(), 60);
    EXPECT_EQ(moved[2][0].toInt(), 200);
    EXPECT_EQ(moved[3][0].toInt(), 70);
  }
}

TEST(QtFace, SignalsCarryPlainValuesOverQueuedConnections) {
  VarigaugeWidget w;
  QThread thread;
  QObject receiver;
  receiver.moveToThread(&thread);
  thread.start();
  std::atomic<int> got{0};
  std::atomic<bool> other_thread{false};
  QObject::connect(
      &w, &VarigaugeWidget::blockClicked, &receiver,
      [&](int block) {
        other_thread = QThread::currentThread() == &thread;
        got = block;
      },
      Qt::QueuedConnection);
  QSignalSpy border(&w, &VarigaugeWidget::borderWidthChanged);
  w.addBlock();
  w.control().put_BlockClickable(Variant::Integer(1), true);
  w.control().put_BlockBarRight(Variant::Integer(1), 100);
  // A click on the block, as the window system reports it.
  std::vector<Variant> args{Variant::Integer(1)};
  w.host().RaiseEventById(event_id::kBlockClicked, "BlockClicked", args);
  for (int i = 0; i < 200 && got == 0; ++i) QThread::msleep(5);
  thread.quit();
  thread.wait();
  EXPECT_EQ(got, 1);
  EXPECT_TRUE(other_thread);
  // A late-bound change notifies with the new value.
  w.control().put_BorderWidth(3);
  ASSERT_EQ(border.count(), 1);
  EXPECT_EQ(border[0][0].toInt(), 3);
}

TEST(QtFace, ARenderErrorInAWindowSystemCallIsReportedNotThrownIntoQt) {
  VarigaugeWidget w;
  w.resize(120, 20);
  w.show();
  QApplication::processEvents();
  QSignalSpy errors(&w, &VarigaugeWidget::errorOccurred);
  // Stored, as the interface allows a Long; the render pass cannot draw it, and the
  // late-bound setter's own redraw raises error 6 to its caller.
  EXPECT_THROW(w.control().put_RivetsStyle(70000), AutomationError);
  ASSERT_EQ(w.control().get_RivetsStyle(), 70000);
  w.resize(160, 24);  // resizeEvent paints
  QApplication::processEvents();
  ASSERT_GE(errors.count(), 1);
  EXPECT_EQ(errors[0][0].toInt(), err::kOverflow);
  // A good value draws again.
  w.control().put_RivetsStyle(0);
  errors.clear();
  w.resize(150, 24);
  QApplication::processEvents();
  EXPECT_EQ(errors.count(), 0);
}

TEST(QtFace, AUicFormKeepsAProgramsChangesThroughRetranslateAndSitsInALayout) {
  QWidget window;
  Ui::FaceForm ui;
  ui.setupUi(&window);
  ui.Bar->setValue(95);
  ui.Bar->setCaption(QStringLiteral("Program"));
  ui.retranslateUi(&window);
  EXPECT_EQ(ui.Bar->value(), 95);
  EXPECT_EQ(ui.Bar->blockCount(), 2);

  QWidget box;
  auto* layout = new QVBoxLayout(&box);
  auto* bar = new VarigaugeWidget;
  layout->addWidget(bar);
  box.show();
  EXPECT_EQ(bar->sizeHint(), QSize(60, 21));  // 900 x 315 twips at 96 dpi
  EXPECT_EQ(bar->height(), 21);
}

TEST(QtFace, AFormDrawsAlikeThroughUicTheFormRuntimeAndTheHeadlessReader) {
  const QString path = SourceFile("tests/qt/face_form.ui");
  QWidget window;
  Ui::FaceForm ui;
  ui.setupUi(&window);
  auto form = Form::Open(path);
  auto* loaded = form->control<VarigaugeWidget>(QStringLiteral("Bar"));
  ASSERT_NE(loaded, nullptr);
  const forms::UiForm stored = forms::UiForm::Load(path.toStdString());
  forms::JsonPropertyBag bag = stored.Bag("Bar");
  const forms::Geometry g = stored.ControlGeometry("Bar");
  HostOptions options;
  options.width_px = g.width;
  options.height_px = g.height;
  HeadlessHost headless(options);
  headless.Load(&Varigauge::Create, bag);
  const auto expected = qt_test::Headless(headless);
  EXPECT_EQ(qt_test::Presented(*ui.Bar), expected);
  EXPECT_EQ(qt_test::Presented(*loaded), expected);
  // Every kind of setting arrived: a system colour, an enumeration, a font, the blocks.
  EXPECT_EQ(ui.Bar->control().get_BackColor(), 0x8000000Fu);
  EXPECT_EQ(loaded->borderStyle(), VarigaugeWidget::vgEtched);
  EXPECT_EQ(loaded->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(loaded->block(2).shapeStyle, VarigaugeWidget::vgCircle);
}

TEST(QtFace, AValueOfTheWrongKindIsRefusedNamingFormControlAndProperty) {
  const std::string good =
      forms::UiForm::Load(SourceFile("tests/qt/face_form.ui").toStdString()).ToString();
  struct Row {
    std::string from, to, message;
  };
  const Row rows[] = {
      {"vg::VarigaugeWidget::vgEtched", "vg::VarigaugeWidget::vgWobbly",
       R"(f.ui: control "Bar", key "borderstyle": borderStyle: "vgWobbly" is no BorderStyle value)"},
      {R"(<string notr="true">[{"barleft")", R"(<string notr="true">{"x":[{"barleft")",
       R"(f.ui: control "Bar", key "blocks": blocks is not valid JSON)"},
      {R"([{"barleft":0,)", R"([7,{"barleft":0,)",
       R"(f.ui: control "Bar", key "blocks": blocks[0] is not a JSON object)"},
      {R"("rivetsstyle":2)", R"("rivetstyle":2)",
       R"(f.ui: control "Bar", key "blocks": blocks[1]: no block has a setting "rivetstyle")"},
  };
  for (const Row& row : rows) {
    std::string text = good;
    ASSERT_NE(text.find(row.from), std::string::npos) << row.from;
    text.replace(text.find(row.from), row.from.size(), row.to);
    // The form opens; the one control refuses its settings when asked for them.
    forms::UiForm form = forms::UiForm::Parse(text, "f.ui");
    try {
      form.Bag("Bar");
      ADD_FAILURE() << row.to;
    } catch (const forms::FormError& e) {
      EXPECT_EQ(e.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace vg
