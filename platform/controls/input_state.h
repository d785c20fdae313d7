#pragma once

#include <vector>

namespace fmx {

class TControl;
class TForm;

// The window's input state: the control under the pointer, the one pressed,
// the one dragged, the one with the keyboard focus and the tab order. Every
// reference to a control is dropped through Forget when the control is freed
// or hidden, so no handler ever reaches a control that is gone.
class TInputState {
 public:
  explicit TInputState(TForm& form) : form_(form) {}

  TControl* Hovered() const { return hovered_; }
  TControl* Pressed() const { return pressed_; }
  TControl* Dragged() const { return dragged_; }
  TControl* Focused() const { return focused_; }
  // The focus ring shows only after the keyboard moved the focus.
  bool FocusVisible() const { return focusVisible_; }

  // Sends leave to the old control before enter to the new one; returns
  // at once when unchanged.
  void SetHovered(TControl* control);
  void SetPressed(TControl* control) { pressed_ = control; }
  void SetDragged(TControl* control) { dragged_ = control; }

  enum class FocusCause { Code, Pointer, Keyboard, Tab };
  // Moves the keyboard focus (nullptr: none). The keyboard shows the ring,
  // the pointer hides it, code leaves it as it is.
  void SetFocused(TControl* control, FocusCause cause);
  void HideFocusRing();

  void SetTabOrder(std::vector<TControl*> order);
  const std::vector<TControl*>& TabOrder() const { return tabOrder_; }
  // The next (or previous) control of the tab order that is shown and can
  // take focus, wrapping around; nullptr when there is none.
  TControl* NextInTabOrder(bool backwards) const;

  // A freed control is dropped silently. A hidden one takes its hovered,
  // pressed, dragged or focused descendants with it, and the control under
  // the pointer among them gets its leave at once.
  void Forget(TControl* control, bool freed);

 private:
  TForm& form_;
  TControl* hovered_ = nullptr;
  TControl* pressed_ = nullptr;
  TControl* dragged_ = nullptr;
  TControl* focused_ = nullptr;
  bool focusVisible_ = false;
  std::vector<TControl*> tabOrder_;
};

}  // namespace fmx
