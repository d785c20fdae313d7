#pragma once

#include <cstddef>
#include <memory>

#include "platform/controls/control.h"

namespace fmx {

class ScrollTarget;

// A clipped, vertically scrolling area. Children given to it go into its
// content. It scrolls by the wheel and by dragging, with inertia and elastic
// ends from Qt's kinetic scroller; no scroll bar is ever drawn.
class TVertScrollBox : public TControl {
 public:
  explicit TVertScrollBox(TControl* owner);
  ~TVertScrollBox() override;

  std::size_t ContentCount() const;
  TControl* ContentChild(std::size_t index) const;
  void ClearContent();
  // Height of the content: the lowest bottom edge of its children.
  float ContentHeight() const;

  bool ShowScrollBars() const { return showScrollBars_; }
  void SetShowScrollBars(bool show) { showScrollBars_ = show; }
  // Scrolling physics: inertia, elastic ends, dragging vertically.
  bool Animation() const { return animation_; }
  void SetAnimation(bool on);
  bool BoundsAnimation() const { return boundsAnimation_; }
  void SetBoundsAnimation(bool on);
  bool VerticalTouchTracking() const { return verticalTracking_; }
  void SetVerticalTouchTracking(bool on) { verticalTracking_ = on; }

  // How far the content is scrolled up; outside 0..max while bouncing.
  float ViewportPositionY() const;
  void SetViewportPositionY(float y);
  bool IsScrolling() const;

  // After the content changed, brings the position back within it (a list
  // rebuilt shorter must not stay scrolled past its end). The window calls
  // this before painting and before routing the pointer.
  void SettleContent();
  // Scrolls as little as needed to show the whole of a control of the
  // content (none when it is already fully in view).
  void ScrollIntoView(const TControl* control);

 protected:
  TControl* ContainerForChildren() override { return content_ ? content_ : this; }
  void Settle() override { SettleContent(); }
  // A press takes the drag; a move answers true while it drags the content.
  bool DragInput(TDragPhase phase, float y, long timestamp) override;
  bool WheelInput(float degreesDown) override;

 private:
  friend class ScrollTarget;
  friend class ScrollContent;
  float MaxScroll() const;
  void ApplyProperties();

  TControl* content_ = nullptr;
  std::unique_ptr<ScrollTarget> target_;
  bool showScrollBars_ = true;
  bool animation_ = true;
  bool boundsAnimation_ = true;
  bool verticalTracking_ = true;
  bool contentChanged_ = false;
};

}  // namespace fmx
