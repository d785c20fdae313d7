#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/types.h"

class QPainter;
class QWidget;

namespace fmx {

class TForm;
class ControlAccessible;

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
  // Runs first for a key pressed while this control has the focus.
  TKeyEvent OnKeyDown;

  // Keyboard focus. Only a shown control that can take focus is given it; Tab
  // walks the window's tab order. Enter and Space on a focused control run
  // its click handler unless a key handler took them first.
  bool CanFocus() const { return canFocus_; }
  void SetCanFocus(bool value);
  bool IsFocused() const;
  void SetFocus();
  // The focus ring goes around the parent instead (an edit inside the box
  // that the user sees).
  bool FocusRingOnParent() const { return focusRingOnParent_; }
  void SetFocusRingOnParent(bool value) { focusRingOnParent_ = value; }

  // What assistive technology is told. The name defaults to the control's
  // own text where it has one (a label's full text).
  TAccessibleRole AccessibleRole() const;
  void SetAccessibleRole(TAccessibleRole role);
  std::u16string AccessibleName() const;
  void SetAccessibleName(std::u16string name);
  std::u16string AccessibleDescription() const;
  void SetAccessibleDescription(std::u16string description);
  TAccessibleCheck AccessibleChecked() const;
  void SetAccessibleChecked(TAccessibleCheck checked);
  // The current item of a list.
  bool AccessibleSelected() const;
  void SetAccessibleSelected(bool selected);
  // Visible, and so is every control it lies in.
  bool IsShown() const;
  // Platform internals: the native widget that holds the keyboard focus
  // for this control, if it has one.
  virtual QWidget* NativeFocusWidget() const { return nullptr; }

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
  bool HasClickHandler() const { return bool(OnClick); }

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

  // Input the router hands over; each answers whether the control took it.
  // The wheel and a drag go to the control under the pointer or the first
  // of its parents that takes them; keys to the focused control.
  virtual bool WheelInput(float degreesDown);
  virtual bool DragInput(TDragPhase phase, float y, long timestamp);
  virtual bool KeyInput(TKeyInfo& key);
  // The control took the focus (by Tab when byTab).
  virtual void FocusEntered(bool byTab);
  // Corner radius the focus ring follows.
  virtual float FocusRingRadius() const { return 0; }
  // The name when none was set.
  virtual std::u16string DefaultAccessibleName() const { return {}; }
  // Notifies assistive technology that the name changed.
  void AccessibleNameChanged() const;
  // Brings layout-dependent state up to date before painting and routing;
  // called for controls that asked the window with RegisterForSettle.
  virtual void Settle() {}
  void RegisterForSettle();
  void UnregisterForSettle();

 private:
  friend class TForm;
  friend class TInputState;
  friend class ControlAccessible;
  friend class AccessibilityBridge;
  struct Accessibility;
  Accessibility& AccessibilityData();
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
  bool canFocus_ = false;
  bool focusRingOnParent_ = false;
  bool inTabOrder_ = false;
  int tag_ = 0;
  std::unique_ptr<Accessibility> accessibility_;  // only for exposed controls
};

}  // namespace fmx
