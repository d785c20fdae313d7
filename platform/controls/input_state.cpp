#include "platform/controls/input_state.h"

#include <algorithm>
#include <utility>

#include "platform/controls/form.h"

namespace fmx {

namespace {

bool IsInside(const TControl* control, const TControl* ancestor) {
  for (; control; control = control->Parent()) {
    if (control == ancestor) return true;
  }
  return false;
}

}  // namespace

void TInputState::SetHovered(TControl* control) {
  if (control == hovered_) return;
  TControl* old = hovered_;
  hovered_ = control;
  if (old) old->MouseLeave();
  // The leave handler may have freed the new control.
  if (control && hovered_ == control) control->MouseEnter();
  form_.RefreshCursor();
}

void TInputState::SetFocused(TControl* control, FocusCause cause) {
  const bool wasVisible = focusVisible_;
  if (cause == FocusCause::Pointer) focusVisible_ = false;
  if (cause == FocusCause::Keyboard || cause == FocusCause::Tab) focusVisible_ = true;
  if (control == focused_) {
    if (wasVisible != focusVisible_) form_.RequestRepaint();
    return;
  }
  focused_ = control;
  form_.FocusMoved(control, cause == FocusCause::Tab);
  if (wasVisible || focusVisible_) form_.RequestRepaint();
}

void TInputState::HideFocusRing() {
  if (!focusVisible_) return;
  focusVisible_ = false;
  form_.RequestRepaint();
}

void TInputState::SetTabOrder(std::vector<TControl*> order) {
  for (TControl* control : tabOrder_) control->inTabOrder_ = false;
  tabOrder_ = std::move(order);
  for (TControl* control : tabOrder_) control->inTabOrder_ = true;
}

TControl* TInputState::NextInTabOrder(bool backwards) const {
  const int count = int(tabOrder_.size());
  if (count == 0) return nullptr;
  const auto found = std::find(tabOrder_.begin(), tabOrder_.end(), focused_);
  int index = found == tabOrder_.end() ? (backwards ? count : -1) : int(found - tabOrder_.begin());
  for (int step = 0; step < count; ++step) {
    index = ((backwards ? index - 1 : index + 1) % count + count) % count;
    TControl* candidate = tabOrder_[std::size_t(index)];
    if (candidate->CanFocus() && candidate->IsShown()) return candidate;
  }
  return nullptr;
}

void TInputState::Forget(TControl* control, bool freed) {
  if (freed) {
    if (hovered_ == control) hovered_ = nullptr;
    if (pressed_ == control) pressed_ = nullptr;
    if (dragged_ == control) dragged_ = nullptr;
    if (focused_ == control) {
      focused_ = nullptr;
      form_.RequestRepaint();
    }
    if (control->inTabOrder_) {
      tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
    }
    return;
  }
  if (IsInside(pressed_, control)) pressed_ = nullptr;
  if (IsInside(dragged_, control)) dragged_ = nullptr;
  if (IsInside(focused_, control)) SetFocused(nullptr, FocusCause::Code);
  if (IsInside(hovered_, control)) SetHovered(nullptr);
}

}  // namespace fmx
