#pragma once

#include <cstddef>
#include <vector>

#include "platform/controls/types.h"

class QPainter;

namespace fmx {

class TForm;

// A lightweight control: a rectangle in its parent's coordinates, painted by
// the window's one native widget. A parent owns its children; a control that
// has no parent is owned by the owner it was created with, so the window
// frees everything it made.
class TControl : public TObject {
 public:
  explicit TControl(TControl* owner);
  ~TControl() override;

  // Controls come and go by the thousand with every rebuild of a list: they
  // are carved from pooled blocks of their own size instead of the general
  // heap. Under AddressSanitizer they come from the heap, whose quarantine
  // catches a freed control touched after a rebuild reused its place.
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;
  // Bytes of live controls in the pool, for measuring memory per control.
  static std::size_t PooledBytesInUse();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TControl* Parent() const { return parent_; }
  // Adds the control as the last (topmost) child; nullptr detaches it.
  void SetParent(TControl* parent);
  std::size_t ChildrenCount() const { return children_.size(); }
  TControl* Child(std::size_t index) const { return children_[index]; }

  float X() const { return x_; }
  float Y() const { return y_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void SetPosition(float x, float y);
  void SetX(float x) { SetPosition(x, y_); }
  void SetY(float y) { SetPosition(x_, y); }
  void SetSize(float width, float height);
  void SetBounds(float x, float y, float width, float height);
  void SetWidth(float width) { SetSize(width, height_); }
  void SetHeight(float height) { SetSize(width_, height); }
  TRectF LocalRect() const { return {0, 0, width_, height_}; }
  // Where the control lies in the window's client area, scrolling included.
  TRectF AbsoluteRect() const;

  TAlignLayout Align() const { return align_; }
  void SetAlign(TAlignLayout align);
  TBounds Margins() const { return margins_; }
  void SetMargins(float left, float top, float right, float bottom);

  // HitTest off hides the control itself from the pointer, not its
  // children: a child with hit test on is still found.
  bool HitTest() const { return hitTest_; }
  void SetHitTest(bool value) { hitTest_ = value; }
  bool ClipChildren() const { return clipChildren_; }
  void SetClipChildren(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The window the control belongs to.
  TForm* Form() const { return form_; }

  // The deepest visible control at a point (local coordinates) whose hit
  // test is on, honouring clipping; nullptr when there is none.
  TControl* ControlAt(TPointF point);

  // Raise the events as the pointer router does. The handler may free this
  // control: nothing of it is touched after the handler returns.
  void Click();
  void MouseEnter();
  void MouseLeave();

  // Frees every child at once.
  void DeleteChildren();
  // Frees what was created with this owner and never given a parent.
  void DeleteOwned();

 protected:
  // Draws the control itself in local coordinates.
  virtual void Paint(QPainter& painter) const;
  // Where children given to this control really go (a scroll box's content).
  virtual TControl* ContainerForChildren() { return this; }
  virtual void BoundsChanged() {}
  // Children were added, removed or freed.
  virtual void ChildrenChanged() {}
  // Asks the window for a repaint.
  void Repaint() const;

 private:
  friend class TForm;
  void PaintTree(QPainter& painter, const TRectF& clip) const;
  void Realign();
  void SetBoundsInternal(float x, float y, float width, float height);
  void RemoveChild(TControl* child);

  TForm* form_ = nullptr;
  TControl* owner_ = nullptr;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  std::vector<TControl*> owned_;  // created with this owner and not parented
  bool deleting_ = false;

  float x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  TAlignLayout align_ = TAlignLayout::None;
  TBounds margins_;
  bool hitTest_ = true;
  bool clipChildren_ = false;
  TCursor cursor_ = TCursor::crDefault;
  bool visible_ = true;
  int tag_ = 0;
};

}  // namespace fmx
