#pragma once

#include <memory>
#include <string>

#include "platform/controls/control.h"
#include "platform/shared_text.h"

class QFont;
class QString;
class QTextLayout;

namespace fmx {

// Which text settings come from the toolkit's style instead of the label's
// own TextSettings. Emptying the set makes the label's own values rule.
enum TStyledSetting : unsigned {
  ssFamily = 1,
  ssSize = 2,
  ssStyle = 4,
  ssFontColor = 8,
  ssOther = 16,
};
inline constexpr unsigned kAllStyledSettings = ssFamily | ssSize | ssStyle | ssFontColor | ssOther;

// A text. New: 120 by 17, size 12, default family, black, leading and
// vertically centred, word wrap on, hit test off. The text is laid out when
// it is drawn or measured, not when it is set.
class TLabel : public TControl {
 public:
  explicit TLabel(TControl* owner);
  ~TLabel() override;

  // Valid until the text is changed or the label freed.
  std::u16string_view Text() const { return text_.View(); }
  void SetText(std::u16string_view text);
  // Shows this text without copying it.
  void SetText(const platform::SharedText& text);

  unsigned StyledSettings() const { return styledSettings_; }
  void SetStyledSettings(unsigned settings);

  // TextSettings
  float FontSize() const { return fontSize_; }
  void SetFontSize(float size);
  bool FontBold() const { return bold_; }
  void SetFontBold(bool bold);
  bool FontUnderline() const { return underline_; }
  void SetFontUnderline(bool underline);
  TAlphaColor FontColor() const { return fontColor_; }
  void SetFontColor(TAlphaColor color);
  TTextAlign HorzAlign() const { return horzAlign_; }
  void SetHorzAlign(TTextAlign align);
  TTextAlign VertAlign() const { return vertAlign_; }
  void SetVertAlign(TTextAlign align);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);

  // What is drawn once the style had its say.
  float EffectiveFontSize() const;
  TAlphaColor EffectiveFontColor() const;
  // Lines laid out at the label's width: all the text's lines when it is
  // shown whole; of a cut text, those shown and at most one more.
  int LineCount() const;
  // Characters of the text laid out: all of a text shown whole, of a cut
  // one about what its lines shown can hold.
  std::size_t LaidOutLength() const;
  // Lines drawn: those that fit the label's height, at least the first.
  int ShownLineCount() const;
  // Whether part of the text is left out: lines below the label's height or
  // a line wider than the label. The last line drawn then ends in "…", and
  // the whole text is what the pointer's tooltip shows.
  bool TextCut() const;
  // The last line as drawn when the text is cut; empty when it is not.
  std::u16string CutLineText() const;

 protected:
  void Paint(QPainter& painter) const override;
  void BoundsChanged() override;
  // The full text, however it is drawn.
  std::u16string DefaultAccessibleName() const override { return text_.ToString(); }
  bool DefaultAccessibleNameEmpty() const override { return text_.empty(); }
  TRectF AccessibleCharacterRect(std::size_t index) const override;

 private:
  // The text as laid out for drawing, made on first paint or measure.
  struct LaidOut;
  void Invalidate();
  const LaidOut& Layout() const;
  // Where the first line drawn starts, as the vertical alignment puts it.
  float LinesTop(const LaidOut& laid) const;
  // Lays out `text`: the whole text when `whole`, else its beginning.
  const LaidOut& LayOutText(const QString& text, const QFont& font, bool whole) const;

  platform::SharedText text_;
  unsigned styledSettings_ = kAllStyledSettings;
  float fontSize_ = 12;
  bool bold_ = false, underline_ = false;
  TAlphaColor fontColor_ = 0xFF000000;
  TTextAlign horzAlign_ = TTextAlign::Leading;
  TTextAlign vertAlign_ = TTextAlign::Center;
  bool wordWrap_ = true;
  mutable std::unique_ptr<LaidOut> layout_;
};

}  // namespace fmx
