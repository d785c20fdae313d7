#include "platform/controls/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "platform/controls/accessible_text.h"
#include "platform/controls/edit_accessible.h"
#include "platform/controls/form.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

namespace {

bool IsExposed(const TControl* control) {
  return control->AccessibleRole() != TAccessibleRole::None && control->Visible();
}

// A text that shows nothing (an information line the game leaves empty) is
// no item to read.
bool IsEmptyText(const TControl* control) {
  return control->AccessibleRole() == TAccessibleRole::StaticText && control->AccessibleNameEmpty();
}

// Exposed controls inside `control`, not inside another exposed one, in
// painting order. Hidden controls and what lies in them are left out.
void CollectChildren(const TControl* control, std::vector<TControl*>& out) {
  for (std::size_t i = 0; i < control->ChildrenCount(); ++i) {
    TControl* child = control->Child(i);
    if (!child->Visible()) continue;
    if (child->AccessibleRole() != TAccessibleRole::None) {
      if (!IsEmptyText(child)) out.push_back(child);
    } else {
      CollectChildren(child, out);
    }
  }
}

// Controls whose name is a text on screen, read through a text interface:
// labels, links and rows (flat review reads a row by its own text instead of
// replacing it with its star).
bool HasTextInterface(TAccessibleRole role) {
  return role == TAccessibleRole::StaticText || role == TAccessibleRole::Link ||
         role == TAccessibleRole::ListItem;
}

const std::vector<TControl*>& ChildrenOf(const TControl* control) {
  return control->Form()->Accessibility().Children(control);
}

// Whether `object` is the accessible object of `control`; makes none.
bool IsObjectOf(const QAccessibleInterface* object, const TControl* control);

// The nearest exposed control around this one; the window at the top.
TControl* ExposedParent(const TControl* control) {
  TControl* parent = control->Parent();
  while (parent && parent != control->Form() && !IsExposed(parent)) parent = parent->Parent();
  return parent;
}

QWidget* HostOf(const TControl* control) {
  return control->Form() ? control->Form()->NativeWidget() : nullptr;
}

QAccessible::Role ToQtRole(TAccessibleRole role) {
  switch (role) {
    case TAccessibleRole::StaticText: return QAccessible::StaticText;
    case TAccessibleRole::Button: return QAccessible::PushButton;
    case TAccessibleRole::Link: return QAccessible::Link;
    case TAccessibleRole::List: return QAccessible::List;
    case TAccessibleRole::ListItem: return QAccessible::ListItem;
    case TAccessibleRole::CheckBox: return QAccessible::CheckBox;
    case TAccessibleRole::Graphic: return QAccessible::Graphic;
    case TAccessibleRole::EditableText: return QAccessible::EditableText;
    case TAccessibleRole::None: break;
  }
  return QAccessible::NoRole;
}

// Interfaces of freed controls wait here for the next turn of the event
// loop before they are deleted.
std::vector<QAccessible::Id>& Retired() {
  static std::vector<QAccessible::Id> ids;
  return ids;
}

void DeleteRetired() {
  std::vector<QAccessible::Id> ids;
  ids.swap(Retired());
  for (QAccessible::Id id : ids) QAccessible::deleteAccessibleInterface(id);
}

void Retire(QAccessible::Id id) {
  Retired().push_back(id);
  if (Retired().size() == 1 && QCoreApplication::instance()) {
    QTimer::singleShot(0, QCoreApplication::instance(), &DeleteRetired);
  }
}

QAccessibleInterface* InterfaceFor(TControl* control);

// Not scrolled or clipped out of sight.
bool IsOnScreen(const TControl* control) {
  TRectF visible = control->AbsoluteRect();
  for (const TControl* c = control->Parent(); c && c != control->Form(); c = c->Parent()) {
    if (!c->ClipChildren()) continue;
    const TRectF clip = c->AbsoluteRect();
    visible = {std::max(visible.Left, clip.Left), std::max(visible.Top, clip.Top),
               std::min(visible.Right, clip.Right), std::min(visible.Bottom, clip.Bottom)};
  }
  return visible.Width() > 0 && visible.Height() > 0;
}

// The focused item of a list is its selected row.
QAccessibleInterface* FocusTarget(TControl* focused) {
  if (!focused) return nullptr;
  if (focused->AccessibleRole() == TAccessibleRole::List) {
    for (TControl* child : ChildrenOf(focused)) {
      if (child->AccessibleSelected()) return InterfaceFor(child);
    }
  }
  return InterfaceFor(focused);
}

}  // namespace

// The accessible object of one lightweight control.
class ControlAccessible : public QAccessibleInterface,
                          public QAccessibleActionInterface,
                          public QAccessibleTextInterface {
 public:
  explicit ControlAccessible(TControl* control) : control_(control) {}

  TControl* Control() const { return control_; }
  void Invalidate() { control_ = nullptr; }

  bool isValid() const override { return control_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    QWidget* host = control_ ? HostOf(control_) : nullptr;
    return host ? host->windowHandle() : nullptr;
  }

  QAccessibleInterface* parent() const override {
    return control_ ? InterfaceFor(ExposedParent(control_)) : nullptr;
  }
  int childCount() const override { return control_ ? int(ChildrenOf(control_).size()) : 0; }
  QAccessibleInterface* child(int index) const override {
    if (!control_ || index < 0) return nullptr;
    const std::vector<TControl*>& children = ChildrenOf(control_);
    return std::size_t(index) < children.size() ? InterfaceFor(children[std::size_t(index)]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!control_ || !child) return -1;
    const std::vector<TControl*>& children = ChildrenOf(control_);
    for (std::size_t i = 0; i < children.size(); ++i) {
      if (IsObjectOf(child, children[i])) return int(i);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (!control_) return nullptr;
    const std::vector<TControl*> children = ChildrenOf(control_);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      QAccessibleInterface* child = InterfaceFor(*it);
      if (child && child->rect().contains(x, y)) return child;
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return control_ && control_->IsFocused() ? FocusTarget(control_) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if (!control_) return {};
    if (t == QAccessible::Name) return ToQString(control_->AccessibleName());
    if (t == QAccessible::Description) return ToQString(control_->AccessibleDescription());
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    QWidget* host = control_ ? HostOf(control_) : nullptr;
    if (!host) return {};
    const TRectF r = control_->AbsoluteRect();
    const QPoint origin = host->mapToGlobal(QPoint(0, 0));
    return QRect(origin.x() + qRound(r.Left), origin.y() + qRound(r.Top), qRound(r.Width()),
                 qRound(r.Height()));
  }
  QAccessible::Role role() const override {
    return control_ ? ToQtRole(control_->AccessibleRole()) : QAccessible::NoRole;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!control_) return state;
    const TAccessibleRole role = control_->AccessibleRole();
    state.focusable = control_->CanFocus();
    state.focused = control_->IsFocused();
    state.offscreen = !IsOnScreen(control_);
    if (role == TAccessibleRole::ListItem) {
      const TControl* list = ExposedParent(control_);
      state.selectable = true;
      state.focusable = true;
      state.selected = control_->AccessibleSelected();
      state.focused = state.selected && list && list->IsFocused();
    }
    if (control_->AccessibleChecked() != TAccessibleCheck::None) {
      state.checkable = true;
      state.checked = control_->AccessibleChecked() == TAccessibleCheck::Checked;
    }
    if (role == TAccessibleRole::StaticText) state.readOnly = true;
    if (role == TAccessibleRole::Link) state.linked = true;
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface && !actionNames().isEmpty()) {
      return static_cast<QAccessibleActionInterface*>(this);
    }
    if (type == QAccessible::TextInterface && control_ && HasTextInterface(control_->AccessibleRole())) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    return nullptr;
  }

  // The text is the name, read-only: no caret, no selection.
  void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    return accessible_text::Slice(Name(), startOffset, endOffset);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                           int* endOffset) const override {
    const QString name = Name();
    return accessible_text::Answer(name, accessible_text::Before(name, offset, type), startOffset,
                                   endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                          int* endOffset) const override {
    const QString name = Name();
    return accessible_text::Answer(name, accessible_text::After(name, offset, type), startOffset,
                                   endOffset);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                       int* endOffset) const override {
    const QString name = Name();
    return accessible_text::Answer(name, accessible_text::At(name, offset, type), startOffset,
                                   endOffset);
  }
  int characterCount() const override { return int(Name().size()); }
  QRect characterRect(int offset) const override {
    if (offset < 0 || offset >= characterCount()) return {};
    return ScreenRect(control_->AccessibleCharacterRect(std::size_t(offset)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const int count = characterCount();
    for (int i = 0; i < count; ++i) {
      const QRect r = ScreenRect(control_->AccessibleCharacterRect(std::size_t(i)));
      if (r.isEmpty()) break;  // past what is laid out on screen
      if (r.contains(point)) return i;
    }
    return -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    // One run over the whole text: a control draws its text in one look.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

  QStringList actionNames() const override {
    if (!control_ || !control_->HasClickHandler()) return {};
    switch (control_->AccessibleRole()) {
      case TAccessibleRole::Button:
      case TAccessibleRole::Link:
      case TAccessibleRole::ListItem:
        return {pressAction()};
      case TAccessibleRole::CheckBox:
        return {toggleAction()};
      default:
        return {};
    }
  }
  // The click runs on the next turn of the event loop, as native buttons do
  // it: a handler that opens a notice or rebuilds the list must not run
  // inside the bridge's call, and the control may be gone by then.
  void doAction(const QString& name) override {
    if (!control_ || !actionNames().contains(name)) return;
    const QAccessible::Id id = QAccessible::uniqueId(this);
    QTimer::singleShot(0, HostOf(control_), [id] {
      auto* object = dynamic_cast<ControlAccessible*>(QAccessible::accessibleInterface(id));
      TControl* control = object ? object->Control() : nullptr;
      if (control && control->Form()) control->Form()->Guard([control] { control->Click(); });
    });
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 protected:
  ~ControlAccessible() override = default;

 private:
  QString Name() const { return control_ ? ToQString(control_->AccessibleName()) : QString(); }
  // A rectangle in the control, on the screen.
  QRect ScreenRect(const TRectF& r) const {
    QWidget* host = control_ ? HostOf(control_) : nullptr;
    if (!host || r.Width() <= 0 || r.Height() <= 0) return {};
    const TRectF at = control_->AbsoluteRect();
    const QPoint origin = host->mapToGlobal(QPoint(0, 0));
    return QRect(origin.x() + qRound(at.Left + r.Left), origin.y() + qRound(at.Top + r.Top),
                 qRound(r.Width()), qRound(r.Height()));
  }

  TControl* control_;
};

namespace {

// The window's own object: its children are the exposed controls (the
// native edits among them through their own Qt objects).
class WindowAccessible : public QAccessibleWidget {
 public:
  WindowAccessible(QWidget* host, TForm* form) : QAccessibleWidget(host, QAccessible::Window), form_(form) {}

  int childCount() const override { return int(ChildrenOf(form_).size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<TControl*>& children = ChildrenOf(form_);
    return index >= 0 && std::size_t(index) < children.size()
               ? InterfaceFor(children[std::size_t(index)])
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<TControl*>& children = ChildrenOf(form_);
    for (std::size_t i = 0; i < children.size(); ++i) {
      if (IsObjectOf(child, children[i])) return int(i);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const std::vector<TControl*> children = ChildrenOf(form_);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      QAccessibleInterface* child = InterfaceFor(*it);
      if (child && child->rect().contains(x, y)) return child;
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override { return FocusTarget(form_->Focused()); }
  // The window holds the native focus for its lightweight controls; the
  // focus a listener is told of is the control's, never the frame's.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (form_->Focused()) state.focused = false;
    return state;
  }

 private:
  TForm* form_;
};

}  // namespace

// Told as a notice is: a short text a screen reader speaks without moving
// the focus. It belongs to the window but is none of its children, so it
// shows up nowhere in a review of the window.
class AnnouncementAccessible : public QAccessibleInterface {
 public:
  explicit AnnouncementAccessible(TForm* form) : form_(form) {}
  void SetText(const QString& text) { text_ = text; }
  void Invalidate() { form_ = nullptr; }

  bool isValid() const override { return form_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    QWidget* host = form_ ? form_->NativeWidget() : nullptr;
    return host ? host->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return form_ ? QAccessible::queryAccessibleInterface(form_->NativeWidget()) : nullptr;
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 protected:
  ~AnnouncementAccessible() override = default;

 private:
  TForm* form_;
  QString text_;
};

namespace {

QAccessibleInterface* InterfaceFor(TControl* control) {
  if (!control) return nullptr;
  if (control == control->Form()) return QAccessible::queryAccessibleInterface(control->Form()->NativeWidget());
  if (QWidget* native = control->NativeFocusWidget()) return QAccessible::queryAccessibleInterface(native);
  ControlAccessible*& object = AccessibilityBridge::ObjectSlot(control);
  if (!object) {
    object = new ControlAccessible(control);
    QAccessible::registerAccessibleInterface(object);
  }
  return object;
}

bool IsObjectOf(const QAccessibleInterface* object, const TControl* control) {
  if (QWidget* native = control->NativeFocusWidget()) {
    return QAccessible::queryAccessibleInterface(native) == object;
  }
  return AccessibilityBridge::ExistingObject(control) == object;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
  // An edit box's native line edit, which lies in a window's own widget.
  if (auto* edit = qobject_cast<QLineEdit*>(object)) {
    return FormOfHost(edit->parentWidget()) ? new EditAccessible(edit) : nullptr;
  }
  TForm* form = FormOfHost(object);
  if (!form) return nullptr;
  form->Accessibility().SetObserved();
  return new WindowAccessible(static_cast<QWidget*>(object), form);
}

void Send(QAccessibleInterface* object, QAccessible::Event type) {
  if (!object) return;
  QAccessibleEvent event(object, type);
  QAccessible::updateAccessibility(&event);
}

QAccessible::UpdateHandler earlierHandler = nullptr;

// Hands an event on to whoever took events before us, or to the platform's
// bridge, which Qt calls when no handler is installed.
void Deliver(QAccessibleEvent* event) {
  if (earlierHandler) {
    earlierHandler(event);
    return;
  }
  const QAccessible::UpdateHandler current = QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(current);
}

// Qt reports focus on a window's widget whenever it takes the native focus
// for a lightweight control: leaving the search box, or the window active
// again after a notice. Listeners are told of the control instead, which is
// what holds the focus; the frame never seems focused in between.
void RouteUpdate(QAccessibleEvent* event) {
  if (event->type() == QAccessible::Focus) {
    TForm* form = FormOfHost(event->object());
    TControl* focused = form ? form->Focused() : nullptr;
    if (focused && !focused->NativeFocusWidget()) {
      if (QAccessibleInterface* target = FocusTarget(focused)) {
        QAccessibleEvent redirected(target, QAccessible::Focus);
        Deliver(&redirected);
      }
      return;
    }
  }
  Deliver(event);
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(&Factory);
  earlierHandler = QAccessible::installUpdateHandler(&RouteUpdate);
}

AccessibilityBridge::~AccessibilityBridge() {
  DropAnnouncer();
  DeleteRetired();
}

void AccessibilityBridge::DropAnnouncer() {
  announcementTimer_.reset();
  if (!announcer_) return;
  announcer_->Invalidate();
  const QAccessible::Id id = QAccessible::uniqueId(announcer_);
  announcer_ = nullptr;
  QAccessible::deleteAccessibleInterface(id);
}

void AccessibilityBridge::Announce(std::u16string_view text) {
  announcement_ = text;
  if (!observed_) return;
  // Spoken once the user pauses: typing a query is not talked over at every
  // key, and only the last count is heard. Each announcement waits again.
  if (!announcementTimer_) {
    announcementTimer_ = std::make_unique<QTimer>();
    announcementTimer_->setSingleShot(true);
    QObject::connect(announcementTimer_.get(), &QTimer::timeout, [this] { FlushAnnouncement(); });
  }
  announcementTimer_->start(kAnnouncementPause);
}

void AccessibilityBridge::FlushAnnouncement() {
  if (!announcer_) {
    announcer_ = new AnnouncementAccessible(&form_);
    QAccessible::registerAccessibleInterface(announcer_);
  }
  announcer_->SetText(ToQString(announcement_));
  // Clients keep names: the new one is told before it is shown.
  Send(announcer_, QAccessible::NameChanged);
  Send(announcer_, QAccessible::ObjectShow);
}

const std::vector<TControl*>& AccessibilityBridge::Children(const TControl* parent) {
  const auto found = children_.find(parent);
  if (found != children_.end()) return found->second;
  std::vector<TControl*>& children = children_[parent];
  CollectChildren(parent, children);
  return children;
}

void AccessibilityBridge::ControlFreed(TControl* control) {
  if (!children_.empty()) children_.clear();
  if (!changedParents_.empty()) {
    changedParents_.erase(std::remove(changedParents_.begin(), changedParents_.end(), control),
                          changedParents_.end());
  }
  TControl::Accessibility* data = control->accessibility_.get();
  if (!data || !data->object) return;
  ControlAccessible* object = data->object;
  // Only the outermost freed control is announced; its parent then counts
  // its children again.
  const TControl* parent = control->Parent();
  if (observed_ && !(parent && parent->deleting_)) Send(object, QAccessible::ObjectDestroyed);
  const QAccessible::Id id = QAccessible::uniqueId(object);
  object->Invalidate();
  data->object = nullptr;
  Retire(id);
}

void AccessibilityBridge::TreeChanged(TControl* parent) {
  if (!children_.empty()) children_.clear();
  if (!observed_ || !parent) return;
  // Inside a control being freed: its own removal is what gets reported.
  for (const TControl* c = parent; c; c = c->Parent()) {
    if (c->deleting_) return;
  }
  TControl* exposed = parent;
  while (exposed && exposed != &form_ && exposed->AccessibleRole() == TAccessibleRole::None) {
    exposed = exposed->Parent();
  }
  if (!exposed) return;
  if (std::find(changedParents_.begin(), changedParents_.end(), exposed) == changedParents_.end()) {
    changedParents_.push_back(exposed);
  }
  // One notice per rebuild, however many rows came and went.
  if (!flushQueued_) {
    flushQueued_ = true;
    QTimer::singleShot(0, form_.NativeWidget(), [this] { FlushTreeChanges(); });
  }
}

// Each changed part announces the children now in sight. (A reorder event
// would be the natural one, but Qt's AT-SPI bridge makes an object for every
// child of a reordered parent and sends each a signal that clients reject;
// with ten thousand rows that is ten thousand per keystroke.) Children gone
// were announced when they were freed.
void AccessibilityBridge::FlushTreeChanges() {
  flushQueued_ = false;
  std::vector<TControl*> parents;
  parents.swap(changedParents_);
  for (TControl* parent : parents) {
    const std::vector<TControl*> children = ChildrenOf(parent);
    for (TControl* child : children) {
      if (IsOnScreen(child)) Send(InterfaceFor(child), QAccessible::ObjectCreated);
    }
  }
}

void AccessibilityBridge::FocusMoved(TControl* to) {
  // A native edit announces its own focus.
  if (!observed_ || (to && to->NativeFocusWidget())) return;
  Send(to ? FocusTarget(to) : InterfaceFor(&form_), QAccessible::Focus);
}

void AccessibilityBridge::NameChanged(const TControl* control) {
  if (QWidget* native = control->NativeFocusWidget()) {
    native->setAccessibleName(ToQString(control->AccessibleName()));
    return;
  }
  if (control->AccessibleRole() == TAccessibleRole::StaticText) {
    // A text that turned empty leaves the tree; one that got words joins it.
    const bool empty = control->AccessibleNameEmpty();
    if (empty != control->accessibility_->listedEmpty) {
      control->accessibility_->listedEmpty = empty;
      if (control->Parent()) TreeChanged(control->Parent());
    }
  }
  if (observed_ && control->accessibility_->object) {
    Send(control->accessibility_->object, QAccessible::NameChanged);
  }
}

void AccessibilityBridge::DescriptionChanged(const TControl* control) {
  if (QWidget* native = control->NativeFocusWidget()) {
    native->setAccessibleDescription(ToQString(control->AccessibleDescription()));
    return;
  }
  if (observed_ && control->accessibility_->object) {
    Send(control->accessibility_->object, QAccessible::DescriptionChanged);
  }
}

void AccessibilityBridge::CheckedChanged(const TControl* control) {
  if (!observed_ || !control->accessibility_->object) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(control->accessibility_->object, changed);
  QAccessible::updateAccessibility(&event);
}

void AccessibilityBridge::SelectionChanged(const TControl* control) {
  if (!observed_ || !control->Visible()) return;
  auto* target = const_cast<TControl*>(control);
  Send(InterfaceFor(target), QAccessible::Selection);
  // The list's focused item moves with the selection.
  const TControl* list = ExposedParent(control);
  if (control->AccessibleSelected() && list && list->IsFocused()) {
    Send(InterfaceFor(target), QAccessible::Focus);
  }
}

void AccessibilityBridge::WindowClosing() {
  changedParents_.clear();
  children_.clear();
  DropAnnouncer();
  DeleteRetired();
}

}  // namespace fmx
