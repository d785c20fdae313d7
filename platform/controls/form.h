#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/control.h"
#include "platform/controls/input_state.h"
#include "platform/controls/snapshot.h"

class QWidget;

namespace fmx {

class FormHost;
class AccessibilityBridge;

enum class TFormBorderStyle { Sizeable, Single };
enum class TFormPosition { Designed, ScreenCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

// The window: the root of its controls, painted by one native widget, which
// also routes the pointer to the controls.
class TForm : public TControl {
 public:
  TForm();
  ~TForm() override;

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(const std::u16string& caption);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  TAlphaColor FillColor() const { return fillColor_; }
  TBrushKind FillKind() const { return fillKind_; }
  void SetFillColor(TAlphaColor color);
  void SetFillKind(TBrushKind kind);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons);
  TFormPosition FormPosition() const { return formPosition_; }
  void SetFormPosition(TFormPosition position) { formPosition_ = position; }
  void SetLeft(int left);
  void SetTop(int top);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

  // Raise the create and destroy events; the application calls them. The
  // destroy event is raised once; a window class whose handler must run on
  // every way of freeing it calls DoDestroy from its own destructor, since
  // the base destructor can no longer reach the derived class.
  void DoCreate();
  void DoDestroy();

  void Show();
  void Close();
  bool IsShowing() const;

  // Pointer input at points of the client area. The native widget's events
  // end here; tests call them directly to drive the real routing.
  void PointerMove(float x, float y, bool buttonDown = false, long timestamp = 0);
  void PointerDown(float x, float y, long timestamp = 0);
  void PointerUp(float x, float y, long timestamp = 0);
  void PointerLeave();
  void Wheel(float x, float y, float degreesDown);
  // Press and release at one point.
  void ClickAt(float x, float y);

  // Keyboard input. The native widget's key events end in HandleKey, after
  // the native edit's own filter; PressKey sends a real key event to
  // whatever holds the keyboard focus, so tests drive the whole path.
  void PressKey(TKey key, unsigned shift = 0, const std::u16string& text = {});
  // Types into the edit box that has the keyboard focus, else the first one.
  void TypeText(const std::u16string& text);
  // Offers a key to the handler and the own key input of the control it
  // arrived at, then to the window's handler, then to Tab navigation. True
  // when taken.
  bool HandleKey(TKeyInfo& key, TControl* target);

  TControl* Hovered() const { return input_.Hovered(); }
  TControl* Focused() const { return input_.Focused(); }
  bool FocusVisible() const { return input_.FocusVisible(); }
  // The order Tab walks (Shift+Tab backwards), wrapping around; hidden
  // controls and those that cannot take focus are passed over.
  void SetTabOrder(std::vector<TControl*> order) { input_.SetTabOrder(std::move(order)); }
  TControl* ControlAtPoint(float x, float y) { return ControlAt({x, y}); }

  // Has a screen reader speak `text` (what a search found, a game starred)
  // without moving the focus; nothing is drawn. It is spoken after a short
  // pause with no newer announcement: of several in a row, the last.
  void Announce(std::u16string_view text);
  // The last text asked to be announced, whether or not a screen reader
  // was there to hear it.
  const std::u16string& LastAnnouncement() const;

  // The client area rendered at a device pixel ratio, children of the native
  // widget (the edit boxes) included.
  TSnapshot Snapshot(double devicePixelRatio = 1.0) const;

  // Runs an event handler. An error it raises is shown as a notice, as the
  // toolkit's default handling does, instead of unwinding through Qt.
  void Guard(const std::function<void()>& action);

  // Platform internals only.
  QWidget* NativeWidget() const;
  void PaintClientArea(QPainter& painter, const TRectF& clip) const;
  AccessibilityBridge& Accessibility() const { return *accessibility_; }
  // A native child widget of a control: the pointer entered it, it took
  // the keyboard focus (byPointer: through a click), or it was pressed.
  void NativePointerEntered(TControl* control);
  void NativeFocusIn(TControl* control, bool byPointer);
  void NativePressed();

 private:
  friend class TControl;
  friend class TInputState;
  friend class FormHost;
  void ControlFreed(TControl* control);
  void ControlHidden(TControl* control);
  void TreeChanged(TControl* parent);
  void RequestRepaint() const;
  void RefreshCursor();
  void FocusMoved(TControl* to, bool byTab);
  void PaintFocusRing(QPainter& painter) const;
  // Brings what depends on the controls' layout up to date (native edits
  // over their rectangles, scroll positions within their content).
  void SettleAll();
  void ApplyWindowFlags();
  void ApplyClientSize();

  std::unique_ptr<FormHost> host_;
  std::unique_ptr<AccessibilityBridge> accessibility_;
  std::u16string caption_;
  int clientWidth_ = 640, clientHeight_ = 480;
  TAlphaColor fillColor_ = 0xFFFFFFFF;
  TBrushKind fillKind_ = TBrushKind::Solid;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::Sizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormPosition formPosition_ = TFormPosition::Designed;
  int left_ = 0, top_ = 0;

  TInputState input_{*this};
  std::vector<TControl*> settling_;  // controls whose Settle runs before paint and routing
  int keyDepth_ = 0;                 // inside HandleKey: focus moves count as keyboard
  mutable bool repaintPending_ = false;
  bool destroyed_ = false;
};

}  // namespace fmx
