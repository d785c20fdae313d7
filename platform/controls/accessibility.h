#pragma once

#include <QTimer>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/control.h"
#include "platform/shared_text.h"

class QObject;

namespace fmx {

class AnnouncementAccessible;

// What a control tells assistive technology; kept only for controls that
// were given any of it.
struct TControl::Accessibility {
  // Every row of a list has one: pooled like the controls themselves.
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  platform::SharedText name;  // often the text its row shows, shared
  platform::SharedText description;
  THandlerSlot<TTextEvent> describer;  // makes the description when set
  TAccessibleRole role = TAccessibleRole::None;
  TAccessibleCheck checked = TAccessibleCheck::None;
  bool hasName = false;
  bool selected = false;
  // A text with an empty name is left out of the tree; this says which way
  // it was last listed, so only a change of that rebuilds the tree.
  bool listedEmpty = false;
  // The object handed to assistive technology, made when first asked for.
  // It lives exactly as long as the control; when the control is freed it
  // turns invalid at once and is deleted on the next turn of the event
  // loop, so a bridge call still running on it finds it invalid, never freed.
  ControlAccessible* object = nullptr;
};

// Tells assistive technology what changed in one window: focus, selection,
// names, checked states and rebuilt parts of the tree. Nothing is sent until
// something asked for the window's accessible object.
class AccessibilityBridge {
 public:
  explicit AccessibilityBridge(TForm& form) : form_(form) {}
  ~AccessibilityBridge();
  AccessibilityBridge(const AccessibilityBridge&) = delete;
  AccessibilityBridge& operator=(const AccessibilityBridge&) = delete;

  void SetObserved() { observed_ = true; }
  bool Observed() const { return observed_; }

  void ControlFreed(TControl* control);
  // Children of `parent` came, went, or were shown or hidden.
  void TreeChanged(TControl* parent);
  void FocusMoved(TControl* to);
  void NameChanged(const TControl* control);
  void DescriptionChanged(const TControl* control);
  void CheckedChanged(const TControl* control);
  void SelectionChanged(const TControl* control);
  // Has a screen reader speak `text` without moving the focus.
  void Announce(std::u16string_view text);
  const std::u16string& LastAnnouncement() const { return announcement_; }
  // Every control is freed: their objects go now, not on a later turn.
  void WindowClosing();

  // Where a control keeps its accessible object.
  static ControlAccessible*& ObjectSlot(TControl* control) { return control->AccessibilityData().object; }
  static ControlAccessible* ExistingObject(const TControl* control) {
    return control->accessibility_ ? control->accessibility_->object : nullptr;
  }

  // The exposed controls inside `parent`, not inside another exposed one, in
  // painting order; kept until the tree changes, since a client reading a
  // long list asks for its children one by one.
  const std::vector<TControl*>& Children(const TControl* parent);

 private:
  void FlushTreeChanges();
  void FlushAnnouncement();
  void DropAnnouncer();

  TForm& form_;
  std::unordered_map<const TControl*, std::vector<TControl*>> children_;
  bool observed_ = false;
  std::vector<TControl*> changedParents_;
  bool flushQueued_ = false;
  AnnouncementAccessible* announcer_ = nullptr;  // made for the first announcement
  std::u16string announcement_;  // the last one asked for
  std::unique_ptr<QTimer> announcementTimer_;  // made for the first announcement
  static constexpr int kAnnouncementPause = 400;  // ms without a newer one
};

// Once per process: accessible objects for the windows' native widgets.
void InstallAccessibility();
// The window whose native widget this is, or nullptr.
TForm* FormOfHost(QObject* object);

}  // namespace fmx
