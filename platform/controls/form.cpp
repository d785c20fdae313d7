#include "platform/controls/form.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <exception>

#include "platform/controls/edit.h"
#include "platform/controls/message_box.h"
#include "platform/controls/qt_convert.h"
#include "platform/controls/scroll_box.h"
#include "platform/controls/snapshot_data.h"
#include "platform/controls/tooltip.h"
#include "platform/utf8.h"

namespace fmx {

// The one native widget of a window: paints the controls and hands pointer
// events to the form.
class FormHost : public QWidget {
 public:
  explicit FormHost(TForm* form) : form_(form) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    form_->repaintPending_ = false;
    QPainter painter(this);
    const QRectF clip = event->rect();
    // No notice from inside a paint: a failed frame is left as it is.
    try {
      form_->Settle();
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
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    ShowTooltip(*form_, *this, *static_cast<QHelpEvent*>(event));
    return true;
  }
  void wheelEvent(QWheelEvent* event) override {
    const QPointF p = event->position();
    form_->Wheel(float(p.x()), float(p.y()), -float(event->angleDelta().y()) / 8.0f);
  }

 private:
  TForm* form_;
};

TForm::TForm() : TControl(nullptr), host_(std::make_unique<FormHost>(this)) {
  form_ = this;
  ApplyWindowFlags();
  ApplyClientSize();
}

TForm::~TForm() {
  // Children go first, while the native widget they may hold still exists.
  DeleteChildren();
  DeleteOwned();
  hovered_ = pressed_ = nullptr;
  dragBox_ = nullptr;
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
  Settle();
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
}

void TForm::RequestRepaint() const {
  if (repaintPending_ || !host_) return;
  repaintPending_ = true;
  host_->update();
}

void TForm::ControlFreed(TControl* control) {
  if (hovered_ == control) hovered_ = nullptr;
  if (pressed_ == control) pressed_ = nullptr;
  if (dragBox_ == control) dragBox_ = nullptr;
}

void TForm::RefreshCursor() {
  const TCursor cursor = hovered_ ? hovered_->Cursor() : TCursor::crDefault;
  host_->setCursor(cursor == TCursor::crHandPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TForm::SetHovered(TControl* control) {
  if (control == hovered_) return;
  TControl* old = hovered_;
  hovered_ = control;
  if (old) old->MouseLeave();
  // The leave handler may have freed the new control.
  if (control && hovered_ == control) control->MouseEnter();
  RefreshCursor();
}

namespace {

TVertScrollBox* EnclosingScrollBox(TControl* control) {
  for (; control; control = control->Parent()) {
    if (auto* box = dynamic_cast<TVertScrollBox*>(control)) return box;
  }
  return nullptr;
}

}  // namespace

void TForm::PointerMove(float x, float y, bool buttonDown, long timestamp) {
  Guard([&] {
    Settle();
    if (buttonDown && dragBox_ && dragBox_->DragInput(TVertScrollBox::DragPhase::Move, y, timestamp)) {
      pressed_ = nullptr;  // a drag is no click
    }
    SetHovered(ControlAt({x, y}));
  });
}

void TForm::PointerDown(float x, float y, long timestamp) {
  Guard([&] {
    Settle();
    SetHovered(ControlAt({x, y}));
    // The enter and leave handlers may have freed or replaced controls: the
    // pressed control is whatever is hovered now.
    TControl* target = hovered_;
    pressed_ = target;
    dragBox_ = EnclosingScrollBox(target);
    if (dragBox_) dragBox_->DragInput(TVertScrollBox::DragPhase::Press, y, timestamp);
  });
}

void TForm::PointerUp(float x, float y, long timestamp) {
  Guard([&] {
    Settle();
    if (dragBox_) {
      TVertScrollBox* box = dragBox_;
      dragBox_ = nullptr;
      box->DragInput(TVertScrollBox::DragPhase::Release, y, timestamp);
    }
    TControl* target = ControlAt({x, y});
    TControl* pressed = pressed_;
    pressed_ = nullptr;
    if (target && target == pressed) {
      target->Click();  // may free target and rebuild the tree
      SetHovered(ControlAt({x, y}));
    }
  });
}

void TForm::PointerLeave() {
  Guard([&] { SetHovered(nullptr); });
}

void TForm::Wheel(float x, float y, float degreesDown) {
  Guard([&] {
    Settle();
    if (TVertScrollBox* box = EnclosingScrollBox(ControlAt({x, y}))) box->WheelScroll(degreesDown);
  });
}

void TForm::ClickAt(float x, float y) {
  PointerMove(x, y);
  PointerDown(x, y);
  PointerUp(x, y);
}

void TForm::TypeText(const std::u16string& text) {
  for (TEdit* edit : natives_) {
    if (edit->NativeEdit()->hasFocus()) return edit->TypeText(text);
  }
  if (!natives_.empty()) natives_.front()->TypeText(text);
}

void TForm::RegisterNative(TEdit* edit) { natives_.push_back(edit); }

void TForm::UnregisterNative(TEdit* edit) {
  natives_.erase(std::remove(natives_.begin(), natives_.end(), edit), natives_.end());
}

void TForm::RegisterScrollBox(TVertScrollBox* box) { scrollBoxes_.push_back(box); }

void TForm::UnregisterScrollBox(TVertScrollBox* box) {
  scrollBoxes_.erase(std::remove(scrollBoxes_.begin(), scrollBoxes_.end(), box), scrollBoxes_.end());
}

void TForm::Settle() {
  for (TVertScrollBox* box : scrollBoxes_) box->SettleContent();
  for (TEdit* edit : natives_) edit->SyncNative();
}

TSnapshot TForm::Snapshot(double devicePixelRatio) const {
  const_cast<TForm*>(this)->Settle();
  auto data = std::make_unique<TSnapshot::Data>();
  data->image = QImage(int(clientWidth_ * devicePixelRatio), int(clientHeight_ * devicePixelRatio),
                       QImage::Format_ARGB32_Premultiplied);
  data->image.setDevicePixelRatio(devicePixelRatio);
  data->image.fill(Qt::transparent);
  host_->render(&data->image);
  return TSnapshot(std::move(data));
}

}  // namespace fmx
