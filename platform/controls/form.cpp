#include "platform/controls/form.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <exception>

#include "platform/controls/accessibility.h"
#include "platform/controls/key_convert.h"
#include "platform/controls/message_box.h"
#include "platform/controls/qt_convert.h"
#include "platform/controls/snapshot_data.h"
#include "platform/controls/tooltip.h"
#include "platform/utf8.h"

namespace fmx {

// The one native widget of a window: paints the controls and hands pointer
// and key events to the form.
class FormHost : public QWidget {
 public:
  explicit FormHost(TForm* form) : form_(form) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    InstallAccessibility();
  }
  TForm* Form() const { return form_; }

 protected:
  bool event(QEvent* event) override {
    // Keys before QWidget's own handling, which would spend Tab on moving
    // the native focus.
    if (event->type() == QEvent::KeyPress) {
      TKeyInfo key = ToKeyInfo(*static_cast<QKeyEvent*>(event));
      if (form_->HandleKey(key, form_->Focused())) return true;
    }
    if (event->type() == QEvent::ToolTip) {
      ShowTooltip(*form_, *this, *static_cast<QHelpEvent*>(event));
      return true;
    }
    return QWidget::event(event);
  }
  void paintEvent(QPaintEvent* event) override {
    form_->repaintPending_ = false;
    QPainter painter(this);
    const QRectF clip = event->rect();
    // No notice from inside a paint: a failed frame is left as it is.
    try {
      form_->SettleAll();
      form_->PaintClientArea(painter, {float(clip.left()), float(clip.top()),
                                       float(clip.right() + 1), float(clip.bottom() + 1)});
    } catch (...) {
    }
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPointF p = event->position();
    form_->PointerMove(float(p.x()), float(p.y()), event->buttons() & Qt::LeftButton,
                       long(event->timestamp()));
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPointF p = event->position();
    form_->PointerDown(float(p.x()), float(p.y()), long(event->timestamp()));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPointF p = event->position();
    form_->PointerUp(float(p.x()), float(p.y()), long(event->timestamp()));
  }
  void leaveEvent(QEvent*) override { form_->PointerLeave(); }
  void wheelEvent(QWheelEvent* event) override {
    const QPointF p = event->position();
    form_->Wheel(float(p.x()), float(p.y()), -float(event->angleDelta().y()) / 8.0f);
  }

 private:
  TForm* form_;
};

TForm* FormOfHost(QObject* object) {
  auto* host = dynamic_cast<FormHost*>(object);
  return host ? host->Form() : nullptr;
}

TForm::TForm()
    : TControl(nullptr),
      host_(std::make_unique<FormHost>(this)),
      accessibility_(std::make_unique<AccessibilityBridge>(*this)) {
  form_ = this;
  ApplyWindowFlags();
  ApplyClientSize();
}

TForm::~TForm() {
  // Children go first, while the native widget they may hold still exists.
  DeleteChildren();
  DeleteOwned();
  accessibility_->WindowClosing();
  // The native widget goes while the input state and the bridge that its
  // accessible object reads from are still there.
  host_.reset();
}

void TForm::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowMessage(platform::Utf8ToUtf16(error.what()));
  } catch (...) {
    ShowMessage(u"Unknown error");
  }
}

void TForm::SetCaption(const std::u16string& caption) {
  caption_ = caption;
  host_->setWindowTitle(ToQString(caption));
}

void TForm::SetClientWidth(int width) {
  clientWidth_ = width;
  ApplyClientSize();
}

void TForm::SetClientHeight(int height) {
  clientHeight_ = height;
  ApplyClientSize();
}

void TForm::ApplyClientSize() {
  if (borderStyle_ == TFormBorderStyle::Single) {
    host_->setFixedSize(clientWidth_, clientHeight_);
  } else {
    host_->setMinimumSize(0, 0);
    host_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    host_->resize(clientWidth_, clientHeight_);
  }
  SetSize(float(clientWidth_), float(clientHeight_));
}

void TForm::SetFillColor(TAlphaColor color) {
  fillColor_ = color;
  RequestRepaint();
}

void TForm::SetFillKind(TBrushKind kind) {
  fillKind_ = kind;
  RequestRepaint();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyWindowFlags();
  ApplyClientSize();
}

void TForm::SetBorderIcons(unsigned icons) {
  borderIcons_ = icons;
  ApplyWindowFlags();
}

void TForm::SetLeft(int left) {
  left_ = left;
  host_->move(left_, top_);
}

void TForm::SetTop(int top) {
  top_ = top;
  host_->move(left_, top_);
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (borderIcons_ & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (borderIcons_ & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
  if ((borderIcons_ & biMaximize) && borderStyle_ == TFormBorderStyle::Sizeable) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  // A single border has no sizing edge at all, not one that only refuses to
  // move (Windows draws the frame thin; other systems ignore the hint).
  if (borderStyle_ != TFormBorderStyle::Sizeable) flags |= Qt::MSWindowsFixedSizeDialogHint;
  const bool visible = host_->isVisible();
  host_->setWindowFlags(flags);
  if (visible) host_->show();
}

void TForm::DoCreate() {
  Guard([this] {
    if (TNotifyEvent handler = OnCreate) handler(this);
  });
}

void TForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Guard([this] {
    if (TNotifyEvent handler = OnDestroy) handler(this);
  });
}

void TForm::Show() {
  if (formPosition_ == TFormPosition::ScreenCenter) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      host_->move(area.center() - QPoint(clientWidth_ / 2, clientHeight_ / 2));
    }
  }
  SettleAll();
  host_->show();
}

void TForm::Close() { host_->close(); }

bool TForm::IsShowing() const { return host_->isVisible(); }

QWidget* TForm::NativeWidget() const { return host_.get(); }

void TForm::PaintClientArea(QPainter& painter, const TRectF& clip) const {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF area(clip.Left, clip.Top, clip.Width(), clip.Height());
  painter.fillRect(area, fillKind_ == TBrushKind::None ? QColor(Qt::black) : ToQColor(fillColor_));
  PaintTree(painter, clip);
  PaintFocusRing(painter);
}

// A 2-pixel ring in the accent blue just outside the focused control,
// following its corners; drawn over everything, only after keyboard use.
void TForm::PaintFocusRing(QPainter& painter) const {
  constexpr TAlphaColor kRingColor = 0xFF008BCC;
  constexpr float kWidth = 2, kGap = 1;
  const TControl* focused = input_.Focused();
  if (!input_.FocusVisible() || !focused || !focused->IsShown()) return;
  const TControl* around = focused->FocusRingOnParent() && focused->Parent() ? focused->Parent() : focused;
  const TRectF r = around->AbsoluteRect();
  const float out = kGap + kWidth / 2;
  const QRectF ring(r.Left - out, r.Top - out, r.Width() + 2 * out, r.Height() + 2 * out);
  const float radius = around->FocusRingRadius();
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(ToQColor(kRingColor), kWidth));
  if (radius > 0) {
    painter.drawRoundedRect(ring, radius + out, radius + out);
  } else {
    painter.drawRect(ring);
  }
  painter.restore();
}

void TForm::RequestRepaint() const {
  if (repaintPending_ || !host_) return;
  repaintPending_ = true;
  host_->update();
}

// Runs for every control of every rebuilt row: only what can refer to it.
void TForm::ControlFreed(TControl* control) {
  input_.Forget(control, true);
  accessibility_->ControlFreed(control);
}

void TForm::ControlHidden(TControl* control) { input_.Forget(control, false); }

void TForm::TreeChanged(TControl* parent) { accessibility_->TreeChanged(parent); }

void TForm::RefreshCursor() {
  const TControl* hovered = input_.Hovered();
  const TCursor cursor = hovered ? hovered->Cursor() : TCursor::crDefault;
  host_->setCursor(cursor == TCursor::crHandPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TForm::FocusMoved(TControl* to, bool byTab) {
  // The native focus follows: into an edit's own widget, else the window,
  // which then receives the keys.
  QWidget* native = to ? to->NativeFocusWidget() : nullptr;
  if (native) {
    native->setFocus(Qt::OtherFocusReason);
  } else if (host_->focusWidget() != host_.get()) {
    host_->setFocus(Qt::OtherFocusReason);
  }
  if (to) to->FocusEntered(byTab);
  accessibility_->FocusMoved(to);
}

void TForm::Announce(std::u16string_view text) { accessibility_->Announce(text); }

const std::u16string& TForm::LastAnnouncement() const { return accessibility_->LastAnnouncement(); }

void TForm::PointerMove(float x, float y, bool buttonDown, long timestamp) {
  Guard([&] {
    SettleAll();
    TControl* dragged = input_.Dragged();
    if (buttonDown && dragged && dragged->DragInput(TDragPhase::Move, y, timestamp)) {
      input_.SetPressed(nullptr);  // a drag is no click
    }
    input_.SetHovered(ControlAt({x, y}));
  });
}

void TForm::PointerDown(float x, float y, long timestamp) {
  Guard([&] {
    SettleAll();
    input_.SetHovered(ControlAt({x, y}));
    // The enter and leave handlers may have freed or replaced controls: the
    // pressed control is whatever is hovered now.
    TControl* target = input_.Hovered();
    input_.SetPressed(target);
    // A press focuses the control it lands in, or nothing; never with a ring.
    TControl* focus = target;
    while (focus && !focus->CanFocus()) focus = focus->Parent();
    input_.SetFocused(focus, TInputState::FocusCause::Pointer);
    input_.SetDragged(nullptr);
    for (TControl* c = input_.Pressed(); c; c = c->Parent()) {
      if (c->DragInput(TDragPhase::Press, y, timestamp)) {
        input_.SetDragged(c);
        break;
      }
    }
  });
}

void TForm::PointerUp(float x, float y, long timestamp) {
  Guard([&] {
    SettleAll();
    if (TControl* dragged = input_.Dragged()) {
      input_.SetDragged(nullptr);
      dragged->DragInput(TDragPhase::Release, y, timestamp);
    }
    TControl* target = ControlAt({x, y});
    TControl* pressed = input_.Pressed();
    input_.SetPressed(nullptr);
    if (target && target == pressed) {
      target->Click();  // may free target and rebuild the tree
      input_.SetHovered(ControlAt({x, y}));
    }
  });
}

void TForm::PointerLeave() {
  Guard([&] { input_.SetHovered(nullptr); });
}

void TForm::Wheel(float x, float y, float degreesDown) {
  Guard([&] {
    SettleAll();
    for (TControl* c = ControlAt({x, y}); c; c = c->Parent()) {
      if (c->WheelInput(degreesDown)) break;
    }
  });
}

void TForm::ClickAt(float x, float y) {
  PointerMove(x, y);
  PointerDown(x, y);
  PointerUp(x, y);
}

void TForm::NativePointerEntered(TControl* control) {
  Guard([&] { input_.SetHovered(control->IsShown() && control->HitTest() ? control : nullptr); });
}

void TForm::NativeFocusIn(TControl* control, bool byPointer) {
  input_.SetFocused(control, byPointer ? TInputState::FocusCause::Pointer
                                       : TInputState::FocusCause::Code);
}

void TForm::NativePressed() { input_.HideFocusRing(); }

bool TForm::HandleKey(TKeyInfo& key, TControl* target) {
  ++keyDepth_;
  Guard([&] {
    if (target) {
      if (TKeyEvent handler = target->OnKeyDown) handler(target, key);
      // The handler may have freed the control or moved the focus.
      if (!key.Handled && input_.Focused() == target) key.Handled = target->KeyInput(key);
    }
    if (!key.Handled) {
      if (TKeyEvent handler = OnKeyDown) handler(this, key);
    }
    if (!key.Handled && key.Key == vkTab && !(key.Shift & (ssCtrl | ssAlt))) {
      key.Handled = true;
      if (TControl* next = input_.NextInTabOrder(key.Shift & ssShift)) {
        input_.SetFocused(next, TInputState::FocusCause::Tab);
      }
    }
  });
  --keyDepth_;
  return key.Handled;
}

namespace {

void SendKey(QWidget* target, TKey key, unsigned shift, const std::u16string& text) {
  const QString typed = ToQString(text);
  QKeyEvent press(QEvent::KeyPress, ToQtKey(key), ToQtModifiers(shift), typed);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, ToQtKey(key), ToQtModifiers(shift), typed);
  QCoreApplication::sendEvent(target, &release);
}

}  // namespace

void TForm::PressKey(TKey key, unsigned shift, const std::u16string& text) {
  const TControl* focused = input_.Focused();
  QWidget* native = focused ? focused->NativeFocusWidget() : nullptr;
  SendKey(native ? native : host_.get(), key, shift, text);
}

void TForm::TypeText(const std::u16string& text) {
  const TControl* target = input_.Focused();
  if (!target || !target->NativeFocusWidget()) {
    target = nullptr;
    for (const TControl* control : settling_) {
      if (control->NativeFocusWidget()) {
        target = control;
        break;
      }
    }
  }
  if (!target) return;
  for (char16_t unit : text) SendKey(target->NativeFocusWidget(), 0, 0, std::u16string(1, unit));
}

void TForm::SettleAll() {
  // A copy: settling never adds controls, but stay safe if it frees one.
  const std::vector<TControl*> controls = settling_;
  for (TControl* control : controls) control->Settle();
}

TSnapshot TForm::Snapshot(double devicePixelRatio) const {
  const_cast<TForm*>(this)->SettleAll();
  auto data = std::make_unique<TSnapshot::Data>();
  data->image = QImage(int(clientWidth_ * devicePixelRatio), int(clientHeight_ * devicePixelRatio),
                       QImage::Format_ARGB32_Premultiplied);
  data->image.setDevicePixelRatio(devicePixelRatio);
  data->image.fill(Qt::transparent);
  host_->render(&data->image);
  return TSnapshot(std::move(data));
}

}  // namespace fmx
