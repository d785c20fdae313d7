#pragma once

#include <memory>
#include <string>

#include "platform/controls/control.h"

class QLineEdit;

namespace fmx {

// A one-line edit box: a real native line edit (caret, selection, clipboard,
// input methods) kept over the control's rectangle. With the style
// "transparentedit" it draws no background or frame of its own. It takes the
// focus; keys reach the window's key handling before the native edit, so
// Tab leaves it and handlers may take other keys.
class TEdit : public TControl {
 public:
  explicit TEdit(TControl* owner);
  ~TEdit() override;

  std::u16string Text() const;
  void SetText(const std::u16string& text);
  std::u16string TextPrompt() const;
  void SetTextPrompt(const std::u16string& prompt);
  const std::u16string& StyleLookup() const { return styleLookup_; }
  void SetStyleLookup(const std::u16string& style);
  void SetStyledSettings(unsigned settings);
  float FontSize() const { return fontSize_; }
  void SetFontSize(float size);
  TAlphaColor FontColor() const { return fontColor_; }
  void SetFontColor(TAlphaColor color);

  // Runs after every change of the text: typing, pasting, deleting, and
  // setting it from code.
  TNotifyEvent OnChangeTracking;

  // Drive the native edit as the keyboard and clipboard do.
  void TypeText(const std::u16string& text);
  void PressBackspace();
  void SelectAll();
  void PasteText(const std::u16string& text);
  // Replaces the selection, or inserts at the caret, as typing does.
  void InsertText(const std::u16string& text);

  QLineEdit* NativeEdit() const;
  QWidget* NativeFocusWidget() const override;

 protected:
  void FocusEntered(bool byTab) override;
  void Settle() override { SyncNative(); }

 private:
  class NativeEvents;
  void SyncNative();
  void ApplyLook();

  std::unique_ptr<QLineEdit> edit_;
  std::unique_ptr<NativeEvents> events_;
  std::u16string styleLookup_;
  unsigned styledSettings_ = ~0u;  // all from the style, as for labels
  float fontSize_ = 12;
  TAlphaColor fontColor_ = 0xFF000000;
};

}  // namespace fmx
