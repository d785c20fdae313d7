#include "platform/controls/tooltip.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "platform/controls/control.h"
#include "platform/controls/label.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

namespace {

// As the pointer router finds controls, but labels count although their hit
// test is off: they are what the tooltip is about.
TControl* TopmostAt(TControl& control, TPointF point) {
  if (!control.Visible()) return nullptr;
  const bool inside = control.LocalRect().Contains(point);
  if (control.ClipChildren() && !inside) return nullptr;
  for (std::size_t i = control.ChildrenCount(); i-- > 0;) {
    TControl& child = *control.Child(i);
    if (TControl* found = TopmostAt(child, {point.X - child.X(), point.Y - child.Y()})) return found;
  }
  return inside ? &control : nullptr;
}

}  // namespace

TLabel* CutLabelAt(TControl& root, TPointF point) {
  auto* label = dynamic_cast<TLabel*>(TopmostAt(root, point));
  return label && label->TextCut() ? label : nullptr;
}

void ShowTooltip(TControl& root, QWidget& host, const QHelpEvent& event) {
  const QPoint at = event.pos();
  TLabel* label = CutLabelAt(root, {float(at.x()), float(at.y())});
  if (!label) {
    QToolTip::hideText();
    return;
  }
  const TRectF r = label->AbsoluteRect();
  const QRect area(QPoint(int(r.Left), int(r.Top)), QPoint(int(r.Right) - 1, int(r.Bottom) - 1));
  // A tooltip holds what a screen can show of a text, however long the text.
  std::u16string_view shown = label->Text();
  QString ending;
  if (shown.size() > kTooltipMaxLength) {
    std::size_t length = kTooltipMaxLength;
    if (QChar::isHighSurrogate(shown[length - 1])) --length;
    shown = shown.substr(0, length);
    ending = QStringLiteral("…");
  }
  // As escaped rich text the tooltip wraps a long text instead of growing
  // as wide as it, and markup in a catalog's text shows as written.
  const QString text = QStringLiteral("<p style='white-space:pre-wrap'>%1</p>")
                           .arg(ToQString(shown).toHtmlEscaped() + ending);
  // The tooltip goes when the pointer leaves the label.
  QToolTip::showText(event.globalPos(), text, &host, area);
}

}  // namespace fmx
