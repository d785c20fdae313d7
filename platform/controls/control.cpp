#include "platform/controls/control.h"

#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>

#include "platform/controls/accessibility.h"
#include "platform/controls/form.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMAR_POOLED_CONTROLS 0
#else
#define VELMAR_POOLED_CONTROLS 1
#endif

namespace fmx {

namespace {

// Blocks are handed out in steps of 16 bytes from 64 KiB chunks; a freed
// block goes on the stack of its size and is the next one handed out. The
// chunks are kept for the life of the process, so memory follows the largest
// list shown, not the number of rebuilds. Controls live on the GUI thread only.
//
// The stacks are arrays of addresses, not lists threaded through the freed
// blocks: a rebuild takes back tens of thousands of blocks that have left
// the cache, and reading each one's link before the next could be found
// would make every take wait for memory in turn.
class ControlPool {
 public:
  static constexpr std::size_t kStep = 16;
  static constexpr std::size_t kLargest = 1024;

  std::size_t inUse() const { return inUse_; }

  void* Take(std::size_t size) {
    const std::size_t bucket = Bucket(size);
    inUse_ += bucket * kStep;
    std::vector<void*>& stack = free_[bucket];
    if (!stack.empty()) {
      void* block = stack.back();
      stack.pop_back();
      return block;
    }
    if (Free* block = overflow_[bucket]) {
      overflow_[bucket] = block->next;
      return block;
    }
    const std::size_t bytes = bucket * kStep;
    if (left_ < bytes) {
      chunks_.emplace_back(new std::byte[kChunk]);  // not zeroed
      cursor_ = chunks_.back().get();
      left_ = kChunk;
    }
    void* block = cursor_;
    cursor_ += bytes;
    left_ -= bytes;
    return block;
  }

  void Give(void* block, std::size_t size) noexcept {
    const std::size_t bucket = Bucket(size);
    inUse_ -= bucket * kStep;
    try {
      free_[bucket].push_back(block);
    } catch (...) {
      // No memory for the stack: the block keeps its own link instead.
      auto* freed = static_cast<Free*>(block);
      freed->next = overflow_[bucket];
      overflow_[bucket] = freed;
    }
  }

 private:
  struct Free {
    Free* next;
  };
  static constexpr std::size_t kChunk = 64 * 1024;
  static std::size_t Bucket(std::size_t size) { return (size + kStep - 1) / kStep; }

  std::vector<void*> free_[kLargest / kStep + 1];
  Free* overflow_[kLargest / kStep + 1] = {};
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* cursor_ = nullptr;
  std::size_t left_ = 0;
  std::size_t inUse_ = 0;
};

ControlPool& Pool() {
  static ControlPool pool;
  return pool;
}

}  // namespace

namespace detail {

void* TakePooledBlock(std::size_t size) {
  if (!VELMAR_POOLED_CONTROLS || size > ControlPool::kLargest) return ::operator new(size);
  return Pool().Take(size);
}

void GivePooledBlock(void* block, std::size_t size) noexcept {
  if (!VELMAR_POOLED_CONTROLS || size > ControlPool::kLargest) {
    ::operator delete(block);
    return;
  }
  Pool().Give(block, size);
}

}  // namespace detail

void* TControl::operator new(std::size_t size) { return detail::TakePooledBlock(size); }

void TControl::operator delete(void* block, std::size_t size) noexcept {
  detail::GivePooledBlock(block, size);
}

std::size_t TControl::PooledBytesInUse() { return Pool().inUse(); }

void* TControl::Accessibility::operator new(std::size_t size) { return detail::TakePooledBlock(size); }

void TControl::Accessibility::operator delete(void* block, std::size_t size) noexcept {
  detail::GivePooledBlock(block, size);
}

TControl::TControl(TControl* owner) : owner_(owner) {
  if (owner) {
    form_ = owner->form_;
    owner->AddOwned(this);
  }
}

TControl::~TControl() {
  if (form_ && form_ != this) form_->ControlFreed(this);
  // From here on nothing reports changes inside this control.
  deleting_ = true;
  DeleteChildren();
  DeleteOwned();
  if (parent_) {
    if (!parent_->deleting_) {
      parent_->RemoveChild(this);
      parent_->ChildrenChanged();
      if (form_ && form_ != this) form_->TreeChanged(parent_);
    }
  } else if (owner_ && !owner_->deleting_) {
    owner_->RemoveOwned(this);
  }
  if (parent_ && !parent_->deleting_) parent_->Repaint();
}

TControl::Extras& TControl::ExtrasData() {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

void TControl::DeleteChildren() {
  if (children_.Empty()) return;
  const bool wasDeleting = deleting_;
  deleting_ = true;
  ExtentChanged();
  // The list is emptied first; each child keeps its parent, which tells it
  // that its removal is part of this one.
  const std::size_t count = children_.Size();
  TControl* few[4];
  std::vector<TControl*> many;
  TControl** children = few;
  if (count > std::size(few)) {
    many.assign(children_.begin(), children_.end());
    children = many.data();
  } else {
    std::copy(children_.begin(), children_.end(), few);
  }
  children_.Clear();
  for (std::size_t i = 0; i < count; ++i) delete children[i];
  deleting_ = wasDeleting;
  ChildrenChanged();
  if (form_) form_->TreeChanged(this);
  Repaint();
}

void TControl::DeleteOwned() {
  if (!extras_ || extras_->owned.empty()) return;
  std::vector<TControl*> owned;
  owned.swap(extras_->owned);
  for (TControl* control : owned) {
    control->owner_ = nullptr;
    delete control;
  }
}

void TControl::AppendChild(TControl* child) {
  ExtentChanged();
  children_.PushBack(child);
}

void TControl::RemoveChild(TControl* child) {
  ExtentChanged();
  children_.Remove(child);
}

void TControl::AddOwned(TControl* control) { ExtrasData().owned.push_back(control); }

void TControl::RemoveOwned(TControl* control) {
  if (!extras_) return;
  auto& list = extras_->owned;
  // Controls are parented right after creation, so the one sought is
  // usually last.
  const auto found = std::find(list.rbegin(), list.rend(), control);
  if (found != list.rend()) list.erase(std::next(found).base());
}

void TControl::SetParent(TControl* parent) {
  TControl* target = parent ? parent->ContainerForChildren() : nullptr;
  if (target == parent_) return;
  if (parent_) {
    parent_->RemoveChild(this);
    parent_->ChildrenChanged();
    if (form_) form_->TreeChanged(parent_);
  } else if (owner_) {
    owner_->RemoveOwned(this);
  }
  parent_ = target;
  if (target) {
    target->AppendChild(this);
    target->ChildrenChanged();
    if (form_) form_->TreeChanged(target);
    if (align_ != TAlignLayout::None) target->Realign();
  } else if (owner_) {
    owner_->AddOwned(this);
  }
  BoundsChanged();
  Repaint();
}

TRectF TControl::AbsoluteRect() const {
  float x = 0, y = 0;
  for (const TControl* c = this; c && c != form_; c = c->parent_) {
    x += c->x_;
    y += c->y_;
  }
  return {x, y, x + width_, y + height_};
}

void TControl::SetPosition(float x, float y) { SetBoundsInternal(x, y, width_, height_); }

void TControl::SetSize(float width, float height) { SetBoundsInternal(x_, y_, width, height); }

void TControl::SetBounds(float x, float y, float width, float height) {
  SetBoundsInternal(x, y, width, height);
}

void TControl::ExtentChanged() {
  // A control's extent is known only while those of everything inside it
  // are, so the walk up stops at the first control not known.
  for (TControl* c = this; c && c->extentKnown_; c = c->parent_) c->extentKnown_ = false;
}

bool TControl::SubtreeWithinBounds() const {
  if (extentKnown_) return extentWithin_;
  bool within = true;
  for (const TControl* child : children_) {
    // Every child is looked at, so each one's extent is known afterwards.
    const bool childWithin = child->SubtreeWithinBounds();
    within = within && childWithin && child->x_ >= 0 && child->y_ >= 0 &&
             child->x_ + child->width_ <= width_ && child->y_ + child->height_ <= height_;
  }
  extentWithin_ = within;
  extentKnown_ = true;
  return within;
}

void TControl::SetBoundsInternal(float x, float y, float width, float height) {
  if (x == x_ && y == y_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  ExtentChanged();
  x_ = x;
  y_ = y;
  width_ = std::max(0.0f, width);
  height_ = std::max(0.0f, height);
  if (resized) Realign();
  BoundsChanged();
  Repaint();
}

void TControl::SetAlign(TAlignLayout align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetMargins(float left, float top, float right, float bottom) {
  if (!extras_ && left == 0 && top == 0 && right == 0 && bottom == 0) return;
  ExtrasData().margins = {left, top, right, bottom};
  if (parent_ && align_ != TAlignLayout::None) parent_->Realign();
}

void TControl::Realign() {
  if (children_.Empty()) return;
  float top = 0;
  for (TControl* child : children_) {
    if (child->align_ != TAlignLayout::Top) continue;
    const TBounds m = child->Margins();
    child->SetBoundsInternal(m.Left, top + m.Top, width_ - m.Left - m.Right, child->height_);
    top += m.Top + child->height_ + m.Bottom;
  }
  for (TControl* child : children_) {
    if (child->align_ != TAlignLayout::Client) continue;
    const TBounds m = child->Margins();
    child->SetBoundsInternal(m.Left, top + m.Top, width_ - m.Left - m.Right,
                             height_ - top - m.Top - m.Bottom);
  }
}

void TControl::SetClipChildren(bool value) {
  if (value == clipChildren_) return;
  clipChildren_ = value;
  Repaint();
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  // Only the control under the pointer decides the cursor shown.
  if (form_ && form_->Hovered() == this) form_->RefreshCursor();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Repaint();
  BoundsChanged();
  if (form_ && form_ != this) {
    // Nothing hidden keeps the pointer, a press or the focus.
    if (!visible) form_->ControlHidden(this);
    if (parent_) form_->TreeChanged(parent_);
  }
}

bool TControl::IsShown() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (c == form_) return true;
  }
  return false;
}

void TControl::SetCanFocus(bool value) {
  if (value == canFocus_) return;
  canFocus_ = value;
  if (!value && form_ && IsFocused()) form_->input_.SetFocused(nullptr, TInputState::FocusCause::Code);
}

bool TControl::IsFocused() const { return form_ && form_->Focused() == this; }

void TControl::SetFocus() {
  if (!form_ || !canFocus_ || !IsShown()) return;
  // Focus moved by a key handler counts as keyboard use: the ring shows.
  form_->input_.SetFocused(this, form_->keyDepth_ > 0 ? TInputState::FocusCause::Keyboard
                                                      : TInputState::FocusCause::Code);
}

bool TControl::WheelInput(float) { return false; }

bool TControl::DragInput(TDragPhase, float, long) { return false; }

bool TControl::KeyInput(TKeyInfo& key) {
  // Enter and Space press the control, as they press a native button; a
  // held key presses it once.
  const bool press = (key.Key == vkReturn || key.Key == vkSpace) && key.Shift == 0;
  if (!press || !OnClick) return false;
  if (!key.Repeat) Click();
  return true;
}

void TControl::FocusEntered(bool) {}

void TControl::RegisterForSettle() {
  if (form_ && form_ != this) form_->settling_.push_back(this);
}

void TControl::UnregisterForSettle() {
  if (!form_ || form_ == this) return;
  auto& list = form_->settling_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TControl::Accessibility& TControl::AccessibilityData() {
  if (!accessibility_) accessibility_ = std::make_unique<Accessibility>();
  return *accessibility_;
}

TAccessibleRole TControl::AccessibleRole() const {
  return accessibility_ ? accessibility_->role : TAccessibleRole::None;
}

void TControl::SetAccessibleRole(TAccessibleRole role) {
  if (role == AccessibleRole()) return;
  AccessibilityData().role = role;
  if (form_ && parent_) form_->TreeChanged(parent_);
}

std::u16string TControl::AccessibleName() const {
  if (accessibility_ && accessibility_->hasName) return std::u16string(accessibility_->name.View());
  return DefaultAccessibleName();
}

void TControl::SetAccessibleName(std::u16string_view name) {
  // The same name again is not copied.
  if (accessibility_ && accessibility_->hasName && accessibility_->name.View() == name) return;
  SetAccessibleName(platform::SharedText(name));
}

void TControl::SetAccessibleName(const platform::SharedText& name) {
  Accessibility& data = AccessibilityData();
  const bool same = data.hasName && data.name == name;
  data.name = name;
  data.hasName = true;
  if (!same) AccessibleNameChanged();
}

void TControl::AccessibleNameChanged() const {
  if (form_ && accessibility_) form_->Accessibility().NameChanged(this);
}

std::u16string TControl::AccessibleDescription() const {
  if (!accessibility_) return {};
  if (TTextEvent describe = accessibility_->describer) {
    return describe(const_cast<TControl*>(this));
  }
  return std::u16string(accessibility_->description.View());
}

void TControl::SetAccessibleDescriber(const THandlerSlot<TTextEvent>& describer) {
  AccessibilityData().describer = describer;
}

bool TControl::HasAccessibleNameOfItsOwn() const { return accessibility_ && accessibility_->hasName; }

bool TControl::AccessibleNameEmpty() const {
  if (accessibility_ && accessibility_->hasName) return accessibility_->name.View().empty();
  return DefaultAccessibleNameEmpty();
}

TRectF TControl::AccessibleCharacterRect(std::size_t) const { return LocalRect(); }

void TControl::SetAccessibleDescription(std::u16string_view description) {
  Accessibility& data = AccessibilityData();
  if (data.description == description) return;
  data.description = description;
  if (form_) form_->Accessibility().DescriptionChanged(this);
}

TAccessibleCheck TControl::AccessibleChecked() const {
  return accessibility_ ? accessibility_->checked : TAccessibleCheck::None;
}

void TControl::SetAccessibleChecked(TAccessibleCheck checked) {
  if (checked == AccessibleChecked()) return;
  AccessibilityData().checked = checked;
  if (form_) form_->Accessibility().CheckedChanged(this);
}

bool TControl::AccessibleSelected() const { return accessibility_ && accessibility_->selected; }

void TControl::SetAccessibleSelected(bool selected) {
  if (selected == AccessibleSelected()) return;
  AccessibilityData().selected = selected;
  if (form_) form_->Accessibility().SelectionChanged(this);
}

TControl* TControl::ControlAt(TPointF point) {
  if (!visible_) return nullptr;
  const bool inside = LocalRect().Contains(point);
  if (clipChildren_ && !inside) return nullptr;
  for (std::size_t i = children_.Size(); i-- > 0;) {
    TControl* child = children_[i];
    const TPointF local{point.X - child->x_, point.Y - child->y_};
    // Nothing inside a control that keeps all it holds within its own
    // rectangle can be under a point outside it: a long list's rows are
    // passed over without looking into each.
    if (!child->LocalRect().Contains(local) && child->SubtreeWithinBounds()) continue;
    if (TControl* found = child->ControlAt(local)) return found;
  }
  return hitTest_ && inside ? this : nullptr;
}

// Each handler is copied before the call, so a handler that frees this
// control does not destroy the function object it is running in.
void TControl::Click() {
  if (TNotifyEvent handler = OnClick) handler(this);
}

void TControl::MouseEnter() {
  if (TNotifyEvent handler = OnMouseEnter) handler(this);
}

void TControl::MouseLeave() {
  if (TNotifyEvent handler = OnMouseLeave) handler(this);
}

void TControl::Paint(QPainter&) const {}

void TControl::PaintTree(QPainter& painter, const TRectF& clip) const {
  Paint(painter);
  if (children_.Empty()) return;
  TRectF childClip = clip;
  const bool clipping = clipChildren_;
  if (clipping) {
    childClip = {std::max(clip.Left, 0.0f), std::max(clip.Top, 0.0f),
                 std::min(clip.Right, width_), std::min(clip.Bottom, height_)};
    if (childClip.Width() <= 0 || childClip.Height() <= 0) return;
    painter.save();
    painter.setClipRect(QRectF(0, 0, width_, height_), Qt::IntersectClip);
  }
  for (const TControl* child : children_) {
    if (!child->visible_) continue;
    const TRectF bounds{child->x_, child->y_, child->x_ + child->width_,
                        child->y_ + child->height_};
    // Controls outside the visible area are skipped. A control may draw a
    // little past its bounds (text, strokes), hence the slack.
    const TRectF slack{childClip.Left - 2, childClip.Top - 2, childClip.Right + 2,
                       childClip.Bottom + 2};
    if (!bounds.IntersectsWith(slack) && child->width_ > 0 && child->height_ > 0) continue;
    painter.translate(child->x_, child->y_);
    child->PaintTree(painter, {childClip.Left - child->x_, childClip.Top - child->y_,
                               childClip.Right - child->x_, childClip.Bottom - child->y_});
    painter.translate(-child->x_, -child->y_);
  }
  if (clipping) painter.restore();
}

// The window repaints as a whole, so one request per change is enough,
// whatever moved where.
void TControl::Repaint() const {
  if (form_) form_->RequestRepaint();
}

}  // namespace fmx
