#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/controls/types.h"
#include "platform/shared_text.h"

class QPainter;
class QWidget;

namespace fmx {

class TForm;
class TControl;
class ControlAccessible;

namespace detail {
// Blocks from the pool the controls come from, for the small records that
// come and go with them (handlers, accessibility data).
void* TakePooledBlock(std::size_t size);
void GivePooledBlock(void* block, std::size_t size) noexcept;
}  // namespace detail

// An event handler of a control. Most controls have none, so an empty slot
// is one pointer; the function is stored only when a handler is set. Copying
// a slot shares its function instead of copying it: every row of a list runs
// the same handlers, made once. Read it into a TNotifyEvent (a copy) to call
// it: a handler that frees its control keeps running.
template <typename Function>
class THandlerSlot {
 public:
  THandlerSlot() = default;
  ~THandlerSlot() { Reset(); }
  THandlerSlot(const THandlerSlot& other) : stored_(other.stored_) {
    if (stored_) ++stored_->references;
  }
  THandlerSlot& operator=(const THandlerSlot& other) {
    // Taken and counted before releasing: `other` may be this very slot.
    Stored* const kept = other.stored_;
    if (kept) ++kept->references;
    Reset();
    stored_ = kept;
    return *this;
  }

  THandlerSlot& operator=(Function function) {
    if (!function) {
      Reset();
    } else if (stored_ && stored_->references == 1) {
      stored_->function = std::move(function);
    } else {
      // Made before the old one is let go: a failed allocation keeps it.
      Stored* const made = new Stored{std::move(function)};
      Reset();
      stored_ = made;
    }
    return *this;
  }
  THandlerSlot& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }
  explicit operator bool() const { return stored_ != nullptr; }
  operator Function() const { return stored_ ? stored_->function : Function(); }

 private:
  struct Stored {
    Function function;
    std::uint32_t references = 1;
    static void* operator new(std::size_t size) { return detail::TakePooledBlock(size); }
    static void operator delete(void* block, std::size_t size) noexcept {
      detail::GivePooledBlock(block, size);
    }
  };
  void Reset() {
    if (stored_ && --stored_->references == 0) delete stored_;
    stored_ = nullptr;
  }
  Stored* stored_ = nullptr;
};

// The children of a control: the few most controls have are held in place,
// a long list in one block of its own. The addresses stay side by side, so
// painting and routing over a long list look at its rows without waiting for
// one to find the next.
class TChildList {
 public:
  TChildList() : inline_{} {}
  ~TChildList() {
    if (Spilled()) delete[] heap_;
  }
  TChildList(const TChildList&) = delete;
  TChildList& operator=(const TChildList&) = delete;

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  TControl* operator[](std::size_t index) const { return Items()[index]; }
  TControl* const* begin() const { return Items(); }
  TControl* const* end() const { return Items() + size_; }
  void PushBack(TControl* control) {
    if (size_ == capacity_) Grow();
    Items()[size_++] = control;
  }
  // The last occurrence: children are usually removed from the end.
  void Remove(TControl* control) {
    TControl** items = Items();
    for (std::size_t i = size_; i-- > 0;) {
      if (items[i] != control) continue;
      for (std::size_t j = i + 1; j < size_; ++j) items[j - 1] = items[j];
      --size_;
      return;
    }
  }
  // Empties the list and keeps its block: a list refilled does not allocate.
  void Clear() { size_ = 0; }

 private:
  static constexpr std::uint32_t kInline = 3;
  bool Spilled() const { return capacity_ > kInline; }
  TControl** Items() { return Spilled() ? heap_ : inline_; }
  TControl* const* Items() const { return Spilled() ? heap_ : inline_; }
  void Grow() {
    const std::uint32_t capacity = capacity_ * 2;
    auto* items = new TControl*[capacity];
    for (std::uint32_t i = 0; i < size_; ++i) items[i] = Items()[i];
    if (Spilled()) delete[] heap_;
    heap_ = items;
    capacity_ = capacity;
  }
  // The few in place, or the address of a block of their own once there
  // are more: every control has a list, and most have none or a few.
  union {
    TControl* inline_[kInline];
    TControl** heap_;
  };
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = kInline;
};

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
  // Children in painting order, bottom first.
  std::size_t ChildrenCount() const { return children_.Size(); }
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
  TBounds Margins() const { return extras_ ? extras_->margins : TBounds{}; }
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

  THandlerSlot<TNotifyEvent> OnClick;
  THandlerSlot<TNotifyEvent> OnMouseEnter;
  THandlerSlot<TNotifyEvent> OnMouseLeave;
  // Runs first for a key pressed while this control has the focus.
  THandlerSlot<TKeyEvent> OnKeyDown;

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
  void SetAccessibleName(std::u16string_view name);
  // Names the control with this text without copying it.
  void SetAccessibleName(const platform::SharedText& name);
  std::u16string AccessibleDescription() const;
  void SetAccessibleDescription(std::u16string_view description);
  // Makes the description when it is read instead of holding it: a list
  // whose rows each describe a game costs nothing until one is read.
  void SetAccessibleDescriber(const THandlerSlot<TTextEvent>& describer);
  TAccessibleCheck AccessibleChecked() const;
  void SetAccessibleChecked(TAccessibleCheck checked);
  // The current item of a list.
  bool AccessibleSelected() const;
  void SetAccessibleSelected(bool selected);
  bool AccessibleNameEmpty() const;
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
  // A name was set, in place of the default one.
  bool HasAccessibleNameOfItsOwn() const;
  // The name when none was set.
  virtual std::u16string DefaultAccessibleName() const { return {}; }
  virtual bool DefaultAccessibleNameEmpty() const { return true; }
  // Where character `index` of the accessible name is drawn, in local
  // coordinates; the whole control unless the control lays out that text.
  virtual TRectF AccessibleCharacterRect(std::size_t index) const;
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
  // Settings few controls have, kept only once one of them is set.
  struct Extras {
    TBounds margins;
    std::vector<TControl*> owned;  // created with this owner and not parented
    static void* operator new(std::size_t size) { return detail::TakePooledBlock(size); }
    static void operator delete(void* block, std::size_t size) noexcept {
      detail::GivePooledBlock(block, size);
    }
  };
  Extras& ExtrasData();
  void PaintTree(QPainter& painter, const TRectF& clip) const;
  void Realign();
  void SetBoundsInternal(float x, float y, float width, float height);
  // Whether every control inside this one lies within its rectangle,
  // worked out when first asked and forgotten when anything inside moves,
  // is resized, comes or goes.
  bool SubtreeWithinBounds() const;
  void ExtentChanged();
  void AppendChild(TControl* child);
  void RemoveChild(TControl* child);
  void AddOwned(TControl* control);
  void RemoveOwned(TControl* control);

  TForm* form_ = nullptr;
  TControl* owner_ = nullptr;
  TControl* parent_ = nullptr;
  TChildList children_;
  int tag_ = 0;

  float x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  TAlignLayout align_ = TAlignLayout::None;
  TCursor cursor_ = TCursor::crDefault;
  // Flags in bits: a list holds tens of thousands of controls.
  bool deleting_ : 1 = false;
  bool hitTest_ : 1 = true;
  bool clipChildren_ : 1 = false;
  bool visible_ : 1 = true;
  bool canFocus_ : 1 = false;
  bool focusRingOnParent_ : 1 = false;
  bool inTabOrder_ : 1 = false;
  mutable bool extentKnown_ : 1 = false;
  mutable bool extentWithin_ : 1 = false;
  std::unique_ptr<Extras> extras_;
  std::unique_ptr<Accessibility> accessibility_;  // only for exposed controls
};

}  // namespace fmx
