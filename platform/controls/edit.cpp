#include "platform/controls/edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/controls/font.h"
#include "platform/controls/form.h"
#include "platform/controls/key_convert.h"
#include "platform/controls/label.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

// What happens to the native edit that the window must know: keys, focus
// and the pointer coming over it.
class TEdit::NativeEvents : public QObject {
 public:
  explicit NativeEvents(TEdit* edit) : edit_(edit) {}

  bool eventFilter(QObject*, QEvent* event) override {
    TForm* form = edit_->Form();
    if (!form) return false;
    switch (event->type()) {
      case QEvent::KeyPress: {
        TKeyInfo key = ToKeyInfo(*static_cast<QKeyEvent*>(event));
        return form->HandleKey(key, edit_);
      }
      case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        form->NativeFocusIn(edit_, reason == Qt::MouseFocusReason);
        break;
      }
      case QEvent::MouseButtonPress:
        form->NativePressed();
        break;
      case QEvent::Enter:
        // The window's own widget sees no leave when the pointer moves
        // onto a child widget.
        form->NativePointerEntered(edit_);
        break;
      default:
        break;
    }
    return false;
  }

 private:
  TEdit* edit_;
};

TEdit::TEdit(TControl* owner) : TControl(owner) {
  SetSize(100, 22);
  SetCanFocus(true);
  SetAccessibleRole(TAccessibleRole::EditableText);
  edit_ = std::make_unique<QLineEdit>(Form() ? Form()->NativeWidget() : nullptr);
  events_ = std::make_unique<NativeEvents>(this);
  edit_->installEventFilter(events_.get());
  QObject::connect(edit_.get(), &QLineEdit::textChanged, [this](const QString&) {
    TNotifyEvent handler = OnChangeTracking;
    if (!handler) return;
    // Nothing may unwind through Qt's signal machinery.
    if (Form()) Form()->Guard([&] { handler(this); });
  });
  RegisterForSettle();
  ApplyLook();
  SyncNative();
}

TEdit::~TEdit() {
  UnregisterForSettle();
  // No change or key events from a control on its way out.
  edit_->removeEventFilter(events_.get());
  edit_->disconnect();
}

QLineEdit* TEdit::NativeEdit() const { return edit_.get(); }

QWidget* TEdit::NativeFocusWidget() const { return edit_.get(); }

void TEdit::FocusEntered(bool byTab) {
  // As native edits do: arriving by Tab selects the whole text.
  if (byTab) edit_->selectAll();
}

std::u16string TEdit::Text() const { return FromQString(edit_->text()); }

void TEdit::SetText(const std::u16string& text) { edit_->setText(ToQString(text)); }

std::u16string TEdit::TextPrompt() const { return FromQString(edit_->placeholderText()); }

void TEdit::SetTextPrompt(const std::u16string& prompt) {
  edit_->setPlaceholderText(ToQString(prompt));
}

void TEdit::SetStyleLookup(const std::u16string& style) {
  styleLookup_ = style;
  ApplyLook();
}

void TEdit::SetStyledSettings(unsigned settings) {
  styledSettings_ = settings;
  ApplyLook();
}

void TEdit::SetFontSize(float size) {
  fontSize_ = size;
  ApplyLook();
}

void TEdit::SetFontColor(TAlphaColor color) {
  fontColor_ = color;
  ApplyLook();
}

void TEdit::ApplyLook() {
  const float size = (styledSettings_ & ssSize) ? kStyleFontSize : fontSize_;
  const TAlphaColor color = (styledSettings_ & ssFontColor) ? kStyleFontColor : fontColor_;
  edit_->setFont(ControlFont(size));
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Text, ToQColor(color));
  QColor prompt = ToQColor(color);
  prompt.setAlphaF(0.45f);
  palette.setColor(QPalette::PlaceholderText, prompt);
  const bool transparent = styleLookup_ == u"transparentedit";
  edit_->setFrame(!transparent);
  if (transparent) {
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Window, Qt::transparent);
  }
  edit_->setPalette(palette);
  edit_->setAutoFillBackground(false);
  edit_->setTextMargins(0, 0, 0, 0);
}

void TEdit::SyncNative() {
  bool shown = Form() && Form()->NativeWidget();
  for (const TControl* c = this; c && shown; c = c->Parent()) shown = c->Visible();
  if (!shown || !Parent()) {
    edit_->hide();
    return;
  }
  const TRectF r = AbsoluteRect();
  const QRect geometry(qRound(r.Left), qRound(r.Top), qRound(r.Width()), qRound(r.Height()));
  if (edit_->geometry() != geometry) edit_->setGeometry(geometry);
  if (edit_->isHidden()) edit_->show();
}

void TEdit::TypeText(const std::u16string& text) {
  for (char16_t unit : text) {
    const QString character(QChar{unit});
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
    QCoreApplication::sendEvent(edit_.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
    QCoreApplication::sendEvent(edit_.get(), &release);
  }
}

void TEdit::PressBackspace() {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QCoreApplication::sendEvent(edit_.get(), &press);
}

void TEdit::SelectAll() { edit_->selectAll(); }

void TEdit::InsertText(const std::u16string& text) { edit_->insert(ToQString(text)); }

void TEdit::PasteText(const std::u16string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
  edit_->paste();
}

}  // namespace fmx
