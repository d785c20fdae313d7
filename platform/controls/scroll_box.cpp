#include "platform/controls/scroll_box.h"

#include <QObject>
#include <QScrollEvent>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QScrollerProperties>

#include <algorithm>

#include "platform/controls/form.h"

namespace fmx {

// The object Qt's kinetic scroller drives: it answers the scroller's
// questions about sizes and moves the content when told.
class ScrollTarget : public QObject {
 public:
  explicit ScrollTarget(TVertScrollBox* box) : box_(box) {}

  bool event(QEvent* event) override {
    switch (event->type()) {
      case QEvent::ScrollPrepare: {
        auto* prepare = static_cast<QScrollPrepareEvent*>(event);
        prepare->setViewportSize(QSizeF(box_->Width(), box_->Height()));
        prepare->setContentPosRange(QRectF(0, 0, 0, box_->MaxScroll()));
        prepare->setContentPos(QPointF(0, std::clamp(box_->ViewportPositionY(), 0.0f,
                                                     box_->MaxScroll())));
        prepare->accept();
        return true;
      }
      case QEvent::Scroll: {
        auto* scroll = static_cast<QScrollEvent*>(event);
        const float y = -float(scroll->contentPos().y() + scroll->overshootDistance().y());
        if (box_->Form()) box_->Form()->Guard([&] { box_->content_->SetPosition(0, y); });
        return true;
      }
      default:
        return QObject::event(event);
    }
  }

  QScroller* scroller() { return QScroller::scroller(this); }

 private:
  TVertScrollBox* box_;
};

// The scrolling content: tells its box when rows come and go.
class ScrollContent : public TControl {
 public:
  explicit ScrollContent(TVertScrollBox* box) : TControl(box), box_(box) {}

 protected:
  void ChildrenChanged() override { box_->contentChanged_ = true; }

 private:
  TVertScrollBox* box_;
};

TVertScrollBox::TVertScrollBox(TControl* owner)
    : TControl(owner), target_(std::make_unique<ScrollTarget>(this)) {
  SetSize(200, 200);
  SetClipChildren(true);
  RegisterForSettle();
  auto* content = new ScrollContent(this);
  content->SetParent(this);
  content->SetHitTest(false);
  content_ = content;
  ApplyProperties();
}

TVertScrollBox::~TVertScrollBox() {
  UnregisterForSettle();
  // The scroller belongs to the target and goes with it.
  target_.reset();
}

std::size_t TVertScrollBox::ContentCount() const { return content_->ChildrenCount(); }

TControl* TVertScrollBox::ContentChild(std::size_t index) const { return content_->Child(index); }

void TVertScrollBox::ClearContent() { content_->DeleteChildren(); }

float TVertScrollBox::ContentHeight() const {
  float bottom = 0;
  for (std::size_t i = 0; i < content_->ChildrenCount(); ++i) {
    const TControl* child = content_->Child(i);
    bottom = std::max(bottom, child->Y() + child->Height());
  }
  return bottom;
}

float TVertScrollBox::MaxScroll() const { return std::max(0.0f, ContentHeight() - Height()); }

float TVertScrollBox::ViewportPositionY() const { return -content_->Y(); }

void TVertScrollBox::SetViewportPositionY(float y) {
  target_->scroller()->stop();
  content_->SetPosition(0, -std::clamp(y, 0.0f, MaxScroll()));
}

void TVertScrollBox::SettleContent() {
  if (!contentChanged_) return;
  contentChanged_ = false;
  const float position = ViewportPositionY();
  // At the top nothing can be past the end, and the content's height (a
  // walk over every row) is not needed.
  if (position == 0 || (position > 0 && position <= MaxScroll())) return;
  SetViewportPositionY(position);  // stops any bounce and clamps
}

bool TVertScrollBox::IsScrolling() const {
  return target_->scroller()->state() != QScroller::Inactive;
}

void TVertScrollBox::SetAnimation(bool on) {
  animation_ = on;
  ApplyProperties();
}

void TVertScrollBox::SetBoundsAnimation(bool on) {
  boundsAnimation_ = on;
  ApplyProperties();
}

void TVertScrollBox::ApplyProperties() {
  QScroller* scroller = target_->scroller();
  QScrollerProperties properties = scroller->scrollerProperties();
  properties.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy,
                             QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff));
  properties.setScrollMetric(
      QScrollerProperties::VerticalOvershootPolicy,
      QVariant::fromValue(boundsAnimation_ ? QScrollerProperties::OvershootWhenScrollable
                                           : QScrollerProperties::OvershootAlwaysOff));
  // Without inertia the content stops where the pointer lets go.
  properties.setScrollMetric(QScrollerProperties::DecelerationFactor, animation_ ? 0.125 : 1000.0);
  scroller->setScrollerProperties(properties);
}

bool TVertScrollBox::DragInput(TDragPhase phase, float y, long timestamp) {
  if (!verticalTracking_) return false;
  QScroller* scroller = target_->scroller();
  const QPointF position(0, y);
  switch (phase) {
    case TDragPhase::Press:
      scroller->handleInput(QScroller::InputPress, position, timestamp);
      return true;
    case TDragPhase::Move:
      scroller->handleInput(QScroller::InputMove, position, timestamp);
      break;
    case TDragPhase::Release:
      scroller->handleInput(QScroller::InputRelease, position, timestamp);
      if (!animation_) scroller->stop();
      break;
  }
  return scroller->state() == QScroller::Dragging;
}

void TVertScrollBox::ScrollIntoView(const TControl* control) {
  SettleContent();
  const float top = control->Y(), bottom = control->Y() + control->Height();
  const float position = ViewportPositionY();
  if (top < position) {
    SetViewportPositionY(top);
  } else if (bottom > position + Height()) {
    SetViewportPositionY(bottom - Height());
  }
}

bool TVertScrollBox::WheelInput(float degreesDown) {
  // One notch (15 degrees) moves about two rows of a list.
  constexpr float kPixelsPerDegree = 116.0f / 15.0f;
  QScroller* scroller = target_->scroller();
  const float from = scroller->state() == QScroller::Scrolling ? float(scroller->finalPosition().y())
                                                                : ViewportPositionY();
  const float to = std::clamp(from + degreesDown * kPixelsPerDegree, 0.0f, MaxScroll());
  if (to == ViewportPositionY()) return true;
  if (animation_) {
    scroller->scrollTo(QPointF(0, to), 200);
  } else {
    SetViewportPositionY(to);
  }
  return true;
}

}  // namespace fmx
