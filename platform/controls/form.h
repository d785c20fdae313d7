#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/control.h"
#include "platform/controls/snapshot.h"

class QWidget;

namespace fmx {

class FormHost;
class TVertScrollBox;
class TEdit;

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

  // Types into the edit box that has the keyboard focus, else the first one.
  void TypeText(const std::u16string& text);

  TControl* Hovered() const { return hovered_; }
  TControl* ControlAtPoint(float x, float y) { return ControlAt({x, y}); }

  // The client area rendered at a device pixel ratio, children of the native
  // widget (the edit boxes) included.
  TSnapshot Snapshot(double devicePixelRatio = 1.0) const;

  // Runs an event handler. An error it raises is shown as a notice, as the
  // toolkit's default handling does, instead of unwinding through Qt.
  void Guard(const std::function<void()>& action);

  // Platform internals only.
  QWidget* NativeWidget() const;
  void PaintClientArea(QPainter& painter, const TRectF& clip) const;

 private:
  friend class TControl;
  friend class FormHost;
  friend class TEdit;
  friend class TVertScrollBox;
  void ControlFreed(TControl* control);
  void RequestRepaint() const;
  void RefreshCursor();
  void SetHovered(TControl* control);
  // Brings what depends on the controls' layout up to date: native edits
  // over their rectangles, scroll positions within their content.
  void Settle();
  void ApplyWindowFlags();
  void ApplyClientSize();
  void RegisterNative(TEdit* edit);
  void UnregisterNative(TEdit* edit);
  void RegisterScrollBox(TVertScrollBox* box);
  void UnregisterScrollBox(TVertScrollBox* box);

  std::unique_ptr<FormHost> host_;
  std::u16string caption_;
  int clientWidth_ = 640, clientHeight_ = 480;
  TAlphaColor fillColor_ = 0xFFFFFFFF;
  TBrushKind fillKind_ = TBrushKind::Solid;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::Sizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormPosition formPosition_ = TFormPosition::Designed;
  int left_ = 0, top_ = 0;

  TControl* hovered_ = nullptr;
  TControl* pressed_ = nullptr;
  TVertScrollBox* dragBox_ = nullptr;
  std::vector<TEdit*> natives_;
  std::vector<TVertScrollBox*> scrollBoxes_;
  mutable bool repaintPending_ = false;
  bool destroyed_ = false;
};

}  // namespace fmx
