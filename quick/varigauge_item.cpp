#include "quick/varigauge_item.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QQuickWindow>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "control/dispids.h"
#include "control/public_names.h"
#include "control/type_library.h"
#include "platform/automation/errors.h"
#include "platform/base/numeric.h"
#include "platform/host/window_rules.h"
#include "qt/face_access.h"
#include "qt/qt_timer_service.h"
#include "qt/qt_values.h"
#include "qt/raster_image.h"

namespace vg {
namespace {

const std::vector<Variant>& NewBlockValues() {
  static const std::vector<Variant> defaults = [] {
    std::vector<Variant> v;
    for (const MemberRow* row : BlockMembers()) v.push_back(row->def.Make(nullptr));
    return v;
  }();
  return defaults;
}

// A control value of a block field as QML sees it, and back.
QVariant ToQml(const MemberRow& row, const Variant& v) {
  switch (row.type) {
    case ValueType::kInteger:
    case ValueType::kLong:
    case ValueType::kEnum:
      return IntOf(v);
    case ValueType::kColor:
      return ColorOf(v);
    case ValueType::kBoolean:
      return BoolOf(v);
    case ValueType::kFont:
      return FontOf(v);
    case ValueType::kPicture:
      return PixmapOf(v);
    default:
      return TextOf(v);
  }
}

Variant FromQml(const MemberRow& row, const QVariant& v) {
  switch (row.type) {
    case ValueType::kInteger:
    case ValueType::kLong:
    case ValueType::kEnum:
      return Variant::Long(v.toInt());
    case ValueType::kColor:
      return ColorValue(v.value<QColor>());
    case ValueType::kBoolean:
      return Variant::Boolean(v.toBool());
    case ValueType::kFont:
      return FontValue(v.value<QFont>());
    case ValueType::kPicture:
      return PixmapValue(v.value<QPixmap>());
    default:
      return TextValue(v.toString());
  }
}

}  // namespace

// ---- VarigaugeBlock ------------------------------------------------------------------------

VarigaugeBlock::VarigaugeBlock(QObject* parent)
    : QObject(parent), values_(NewBlockValues()), set_(values_.size(), false) {}

void VarigaugeBlock::Show(const std::vector<Variant>& values) {
  for (size_t i = 0; i < values.size() && i < values_.size(); ++i) {
    if (values_[i] == values[i]) continue;
    values_[i] = values[i];
    EmitFieldChanged(static_cast<int>(i));
  }
}

void VarigaugeBlock::SetField(int field, const std::function<Variant()>& make) {
  try {
    values_[static_cast<size_t>(field)] = make();
  } catch (const AutomationError& e) {
    qWarning("vg::VarigaugeBlock: %s: error %d: %s",
             std::string(BlockMembers()[static_cast<size_t>(field)]->name).c_str(), e.number(),
             e.description().c_str());
    return;
  }
  set_[static_cast<size_t>(field)] = true;
  EmitFieldChanged(field);
  emit fieldChanged(field);
}

// ---- VarigaugeItem -------------------------------------------------------------------------

VarigaugeItem::VarigaugeItem(QQuickItem* parent) : QQuickPaintedItem(parent) {
  // Qt programs tick on the event loop; a thread that has a service already (a manual
  // clock in a test) keeps it.
  timers_ = QtTimerService::ForThisThread();
  SetFaultReporter([this](const BoundaryFault& fault) {
    ReportError(fault.where, fault.number, QString::fromStdString(fault.description));
  });
  setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
  // Every pixel comes from the window's buffer.
  setOpaquePainting(true);
  // The window's pixels and the control's surface in the layout the texture takes.
  gdi::SetWindowScreenLayout(hDC(), true);
  busy_.SetShown(false);  // until the item is in a window
  Guarded("placing the control", [this] { Place(&Varigauge::Create); });
  // Made inside a window already (a parent item in a scene): the scene change arrived
  // before this class could hear it.
  if (window()) {
    Guarded("screen change", [this] { MoveToScreen(ScreenDpi()); });
    busy_.SetShown(isVisible());
  }
  FollowOuterSize();
  last_value_ = value();
}

VarigaugeItem::~VarigaugeItem() {
  for (VarigaugeBlock* b : block_objects_) disconnect(b, nullptr, this, nullptr);
  Guarded("closing the control", [this] { Destroy(); });
}

Varigauge& VarigaugeItem::control() const {
  return static_cast<Varigauge&>(*HostBase::control());
}

int VarigaugeItem::ScreenDpi() const {
  // The control draws at the screen's logical resolution times the device pixel ratio, so
  // that texts and borders are drawn in device pixels, not scaled up.
  const QScreen* screen = window() ? window()->screen() : QGuiApplication::primaryScreen();
  const double logical = screen ? screen->logicalDotsPerInchX() : gdi::kDefaultDpi;
  const double ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
  return RoundToInt32((logical > 0 ? logical : gdi::kDefaultDpi) * (ratio > 0 ? ratio : 1.0));
}

double VarigaugeItem::Ratio() const {
  const QScreen* screen = window() ? window()->screen() : QGuiApplication::primaryScreen();
  const double logical = screen && screen->logicalDotsPerInchX() > 0
                             ? screen->logicalDotsPerInchX()
                             : static_cast<double>(gdi::kDefaultDpi);
  return Dpi() / logical;
}

void VarigaugeItem::FollowOuterSize() {
  const double r = Ratio();
  following_ = true;
  setImplicitSize(window_rules::WindowPixels(Width(), Dpi()) / r,
                  window_rules::WindowPixels(Height(), Dpi()) / r);
  following_ = false;
}

void VarigaugeItem::FitPixels() {
  if (following_ || !HostBase::control()) return;
  const double r = Ratio();
  const int w = RoundToInt32(width() * r), h = RoundToInt32(height() * r);
  const gdi::PixelView view = gdi::GetPixels(hDC());
  if (view.width == w && view.height == h) return;
  Guarded("resize", [&] {
    if (ResizePixels(w, h)) Paint();
  });
}

void VarigaugeItem::geometryChange(const QRectF& new_geometry, const QRectF& old_geometry) {
  QQuickPaintedItem::geometryChange(new_geometry, old_geometry);
  if (new_geometry.size() != old_geometry.size()) FitPixels();
}

void VarigaugeItem::itemChange(ItemChange change, const ItemChangeData& data) {
  QQuickPaintedItem::itemChange(change, data);
  // Busy mode ticks only while the item is visible in a window.
  if (change == ItemSceneChange || change == ItemVisibleHasChanged)
    busy_.SetShown(isVisible() && (change == ItemSceneChange ? data.window : window()));
  switch (change) {
    case ItemSceneChange:
    case ItemDevicePixelRatioHasChanged:
      // Another window or screen: the same outer size at the new density, and pixels that
      // cover the item.
      if (data.window || change == ItemDevicePixelRatioHasChanged) {
        Guarded("screen change", [this] { MoveToScreen(ScreenDpi()); });
        FitPixels();
      }
      break;
    case ItemVisibleHasChanged:
      break;
    case ItemEnabledHasChanged:
      Guarded("enabled change", [this] { HostBase::SetEnabled(isEnabled()); });
      break;
    default:
      break;
  }
}

void VarigaugeItem::OnFrameworkEvent(const char* name) {
  if (std::strcmp(name, window_rules::kResize) == 0 && !following_) FollowOuterSize();
}

void VarigaugeItem::OnWindowChanged(const gdi::RECT& changed) {
  update(LogicalArea(changed, Ratio()));
  // Block fields set by code or late binding draw without telling the host: the listed
  // objects read the control after each drawing.
  if (!writing_block_) ShowBlocks();
  emit pictureUpdated();
}

void VarigaugeItem::paint(QPainter* painter) {
  gdi::SetWindowScreenLayout(hDC(), true);
  const gdi::PixelView view = gdi::GetPixels(hDC());
  if (!view.pixels || view.width <= 0 || view.height <= 0) return;
  // The window's buffer, wrapped, not copied; at the device ratio each pixel of it is one
  // pixel of the texture.
  QImage image = WrapPixels(view);
  image.setDevicePixelRatio(Ratio());
  painter->drawImage(QPointF(0, 0), image);
}

// ---- errors and member access ------------------------------------------------------------

void VarigaugeItem::ReportError(const char* what, int number, const QString& description) {
  qWarning("vg::VarigaugeItem %s: %s: error %d: %s", qPrintable(objectName()), what, number,
           qPrintable(description));
  emit errorOccurred(number, description);
}

FaceWithControl VarigaugeItem::WithControl(const char* what) {
  // A glide's frame finds the control the face holds then (a form may have replaced it).
  return [this, what](const std::function<void(Varigauge&)>& body) {
    if (HostBase::control()) Guarded(what, [&] { body(control()); });
  };
}

bool VarigaugeItem::Guarded(const char* what, const std::function<void()>& body) {
  return GuardFace(what, body, [this](const char* where, int number, const QString& text) {
    ReportError(where, number, text);
  });
}

Variant VarigaugeItem::FetchMember(DISPID id) const {
  return FetchFaceMember(HostBase::control() ? &control() : nullptr, id);
}

void VarigaugeItem::StoreMember(DISPID id, const Variant& value) {
  if (!HostBase::control()) return;
  Guarded(FaceMemberName(id, "property"), [&] { StoreFaceMember(control(), id, value); });
}

void VarigaugeItem::CallMember(DISPID id, std::vector<Variant> args) {
  if (!HostBase::control()) return;
  Guarded(FaceMemberName(id, "method"), [&] { CallFaceMember(control(), id, std::move(args)); });
}

void VarigaugeItem::ResetMember(DISPID id) {
  Variant def;
  if (Guarded("reset", [&] { def = FaceMemberDefault(id, this); })) StoreMember(id, def);
}

// ---- the framework's notifications -------------------------------------------------------

void VarigaugeItem::SetEnabled(bool enabled) {
  HostBase::SetEnabled(enabled);
  if (isEnabled() != enabled) setEnabled(enabled);
}

void VarigaugeItem::PropertyChanged(const std::string& name) {
  emit propertyChanged(QString::fromStdString(name));
  const MemberRow* row = FindMember(name);
  if (row) EmitPropertyChanged(row->id);
  if (name.rfind("Block", 0) == 0) {
    // A block changed by code, by late binding or by the control itself: the listed
    // objects show it (a field on its way from an object is shown once it has arrived).
    if (!writing_block_) ShowBlocks();
    if (name == "Block" || (row && row->id == dispid::kBlocks)) emit blocksChanged();
  }
  if (name == "HMinValue" || name == "HMaxValue" || name == "VMinValue" || name == "VMaxValue" ||
      name == "Orientation")
    emit rangeChanged();
  if (name == "Font") emit fontChanged();
  CheckValue();
}

void VarigaugeItem::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  std::vector<Variant> copy = args;
  RaiseEventById(DISPID_UNKNOWN, name, copy);
}

void VarigaugeItem::RaiseEventById(DISPID id, const std::string& name, std::vector<Variant>& args) {
  if (id == DISPID_UNKNOWN) {
    for (const EventRow& e : Events())
      if (e.name == name) id = e.id;
  }
  EmitEvent(id, args);
}

// ---- blocks --------------------------------------------------------------------------------

QQmlListProperty<VarigaugeBlock> VarigaugeItem::blocks() {
  return QQmlListProperty<VarigaugeBlock>(this, nullptr, &AppendBlock, &CountBlocks, &BlockAt,
                                          &ClearBlocks);
}

void VarigaugeItem::AppendBlock(QQmlListProperty<VarigaugeBlock>* list, VarigaugeBlock* block) {
  auto* item = static_cast<VarigaugeItem*>(list->object);
  if (!block || !item->HostBase::control()) return;
  item->block_objects_.push_back(block);
  const int number = static_cast<int>(item->block_objects_.size());
  connect(block, &VarigaugeBlock::fieldChanged, item,
          [item, block](int field) { item->BlockFieldSet(block, field); });
  connect(block, &QObject::destroyed, item, [item, block] {
    std::erase(item->block_objects_, block);
    emit item->blocksChanged();
  });
  item->writing_block_ = true;
  item->Guarded("blocks", [&] {
    Varigauge& c = item->control();
    const bool redraw = c.get_Redraw();
    c.put_Redraw(false);
    while (c.get_Blocks() < number) c.AddBlock();
    c.put_Redraw(redraw);
    // The object's fields (a new block's settings where QML set none), except fonts and
    // pictures it did not set (the block keeps its own objects) and the percentages it did
    // not set (they follow the edges). A new block starts before the scale, where it is not
    // drawn: unless QML placed its left edge, it starts at the scale's low end, so that
    // VarigaugeBlock { barRight: 40 } is a bar from the start to 40.
    std::vector<Variant> values = block->values();
    std::vector<bool> which = block->set();
    size_t i = 0;
    for (const MemberRow* row : BlockMembers()) {
      const bool object = row->type == ValueType::kFont || row->type == ValueType::kPicture;
      const bool derived = row->name == "BlockHPercentage" || row->name == "BlockVPercentage";
      if (!object && !derived) which[i] = true;
      if (row->name == "BlockBarLeft" && !block->set()[i])
        values[i] = Variant::Long(std::min(c.get_HMinValue(), c.get_HMaxValue()));
      ++i;
    }
    WriteBlockValues(c, number, values, which);
  });
  item->writing_block_ = false;
  item->ShowBlocks();
  emit item->blocksChanged();
  item->CheckValue();
}

qsizetype VarigaugeItem::CountBlocks(QQmlListProperty<VarigaugeBlock>* list) {
  return static_cast<qsizetype>(static_cast<VarigaugeItem*>(list->object)->block_objects_.size());
}

VarigaugeBlock* VarigaugeItem::BlockAt(QQmlListProperty<VarigaugeBlock>* list, qsizetype index) {
  auto& objects = static_cast<VarigaugeItem*>(list->object)->block_objects_;
  return index >= 0 && static_cast<size_t>(index) < objects.size()
             ? objects[static_cast<size_t>(index)]
             : nullptr;
}

void VarigaugeItem::ClearBlocks(QQmlListProperty<VarigaugeBlock>* list) {
  // The list is blocks 1..n: emptying it removes the control's blocks.
  auto* item = static_cast<VarigaugeItem*>(list->object);
  for (VarigaugeBlock* b : item->block_objects_) disconnect(b, nullptr, item, nullptr);
  item->block_objects_.clear();
  if (item->HostBase::control()) item->Guarded("blocks", [item] { item->control().put_Blocks(0); });
  emit item->blocksChanged();
  item->CheckValue();
}

void VarigaugeItem::BlockFieldSet(VarigaugeBlock* block, int field) {
  const auto it = std::find(block_objects_.begin(), block_objects_.end(), block);
  if (it == block_objects_.end() || !HostBase::control()) return;
  const int number = static_cast<int>(it - block_objects_.begin()) + 1;
  std::vector<bool> which(BlockMembers().size(), false);
  which[static_cast<size_t>(field)] = true;
  writing_block_ = true;
  Guarded("block field", [&] {
    WriteBlockValuesGliding(glide_, control(), number, block->values(), which,
                            WithControl("block field"));
  });
  writing_block_ = false;
  // What the control made of the value (and the fields it derives from it).
  ShowBlocks();
  CheckValue();
}

void VarigaugeItem::ShowBlocks() {
  if (!HostBase::control()) return;
  const int count = blockCount();
  for (size_t i = 0; i < block_objects_.size() && static_cast<int>(i) < count; ++i)
    block_objects_[i]->Show(ReadBlockTargets(glide_, control(), static_cast<int>(i) + 1));
}

int VarigaugeItem::blockCount() const {
  return HostBase::control() ? control().get_Blocks() : 0;
}

QVariantMap VarigaugeItem::block(int number) const {
  const std::vector<Variant> values = number >= 1 && number <= blockCount()
                                          ? ReadBlockTargets(glide_, control(), number)
                                          : NewBlockValues();
  QVariantMap out;
  size_t i = 0;
  for (const MemberRow* row : BlockMembers())
    out[ToQString(BlockFieldName(*row))] = ToQml(*row, values[i++]);
  return out;
}

void VarigaugeItem::setBlock(int number, const QVariantMap& fields) {
  if (!HostBase::control()) return;
  Guarded("setBlock", [&] {
    if (number < 1 || number > blockCount()) throw AutomationError(err::kSubscriptOutOfRange);
    std::vector<Variant> values = ReadBlockTargets(glide_, control(), number);
    std::vector<bool> which(values.size(), false);
    size_t i = 0;
    for (const MemberRow* row : BlockMembers()) {
      const auto it = fields.find(ToQString(BlockFieldName(*row)));
      if (it != fields.end()) {
        values[i] = FromQml(*row, it.value());
        which[i] = true;
      }
      ++i;
    }
    WriteBlockValuesGliding(glide_, control(), number, values, which, WithControl("setBlock"));
  });
  ShowBlocks();
  CheckValue();
}

int VarigaugeItem::addBlock() {
  if (!HostBase::control()) return 0;
  Guarded("addBlock", [this] { control().AddBlock(); });
  return blockCount();
}

void VarigaugeItem::removeBlock(int number) {
  if (!HostBase::control()) return;
  glide_.StopAll();  // the blocks after it are renumbered
  Guarded("removeBlock", [&] { control().DeleteBlock(Variant::Long(number)); });
}

// ---- the progress face and the font ----------------------------------------------------------

int VarigaugeItem::value() const {
  return HostBase::control() ? FaceTarget(glide_, control()) : 0;
}

void VarigaugeItem::setValue(int v) {
  if (!HostBase::control()) return;
  v = std::clamp(v, std::min(from(), to()), std::max(from(), to()));
  GlideFaceValue(glide_, v, control(), WithControl("value"));
  CheckValue();
}

void VarigaugeItem::setBusy(bool on) {
  if (on == busy() || !HostBase::control()) return;
  Guarded("busy", [&] { busy_.SetOn(control(), on); });
  if (busy() == on) emit busyChanged(on);
}

void VarigaugeItem::setBusyInterval(int ms) {
  if (ms == busyInterval()) return;
  busy_.SetInterval(ms);
  emit busyIntervalChanged(busyInterval());
}

void VarigaugeItem::setAnimated(bool on) {
  if (on == animated()) return;
  glide_.SetEnabled(on);
  emit animatedChanged(on);
}

void VarigaugeItem::setAnimationDuration(int ms) {
  glide_.SetDuration(ms);
  emit animationChanged();
}

void VarigaugeItem::setEasingCurve(const QEasingCurve& curve) {
  glide_.SetCurve(curve);
  emit animationChanged();
}

int VarigaugeItem::from() const {
  return HostBase::control() ? FaceMinimum(control()) : 0;
}

int VarigaugeItem::to() const {
  return HostBase::control() ? FaceMaximum(control()) : 0;
}

void VarigaugeItem::setFrom(int v) {
  if (!HostBase::control()) return;
  FaceVertical(control()) ? setVMinValue(v) : setHMinValue(v);
  CheckValue();
}

void VarigaugeItem::setTo(int v) {
  if (!HostBase::control()) return;
  FaceVertical(control()) ? setVMaxValue(v) : setHMaxValue(v);
  CheckValue();
}

QFont VarigaugeItem::font() const {
  return FontOf(FetchMember(dispid::kFont));
}

void VarigaugeItem::setFont(const QFont& font) {
  StoreMember(dispid::kFont, FontValue(font));
}

void VarigaugeItem::CheckValue() {
  if (!HostBase::control()) return;
  const int v = value();
  if (v == last_value_) return;
  last_value_ = v;
  emit valueChanged(v);
}

// ---- mouse ---------------------------------------------------------------------------------

void VarigaugeItem::mousePressEvent(QMouseEvent* event) {
  // Taking the press is what brings the release here.
  event->accept();
}

void VarigaugeItem::mouseReleaseEvent(QMouseEvent* event) {
  // The control counts in the drawing area's pixels, which are device pixels.
  const double r = Ratio();
  const QPointF p = event->position();
  const bool closes_double = std::exchange(after_double_, false);
  MouseUp(FaceButton(event->button()), FaceShift(event->modifiers()), static_cast<float>(p.x() * r),
          static_cast<float>(p.y() * r));
  if (!closes_double && contains(p)) Click();
  event->accept();
}

void VarigaugeItem::mouseDoubleClickEvent(QMouseEvent* event) {
  after_double_ = true;
  DblClick();
  event->accept();
}

}  // namespace vg
