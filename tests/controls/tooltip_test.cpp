// Tooltips: resting the pointer on a label whose text is cut shows the whole
// text; other places show none.

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QWidget>

#include "controls_test_support.h"
#include "platform/controls/qt_convert.h"
#include "platform/controls/tooltip.h"

using namespace fmx;

namespace {

const std::u16string kWhole =
    u"Очень длинное название игры, которое не помещается даже в три строки списка <игр> & co";

// A row (hit test on) holding a name label that cuts its text and one that
// does not, as the list rows do; the labels' own hit test is off.
class TooltipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HideTooltip();
    form_ = MakeForm();
    row_ = AddRectangle(*form_, form_.get(), 10, 10, 230, 110);
    cut_ = AddName(10, kWhole);
    whole_ = AddName(60, u"Бета");
    ASSERT_TRUE(cut_->TextCut());
    ASSERT_FALSE(whole_->TextCut());
  }
  void TearDown() override { HideTooltip(); }

  TLabel* AddName(float y, const std::u16string& text) {
    auto* label = new TLabel(form_.get());
    label->SetParent(row_);
    label->SetBounds(50, y, 135, 20);
    label->SetStyledSettings(0);
    label->SetFontSize(13);
    label->SetText(text);
    return label;
  }

  // What the toolkit sends once the pointer rested at a point for its delay.
  void RestAt(float x, float y) {
    QWidget* host = form_->NativeWidget();
    const QPoint at{int(x), int(y)};
    QHelpEvent event(QEvent::ToolTip, at, host->mapToGlobal(at));
    QCoreApplication::sendEvent(host, &event);
  }

  static void HideTooltip() {
    QToolTip::hideText();
    WaitFor([] { return !QToolTip::isVisible(); });
  }

  template <typename Condition>
  static bool WaitFor(Condition done, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
  }

  static std::u16string ShownText() {
    return fmx::FromQString(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText());
  }

  std::unique_ptr<TForm> form_;
  TRectangle* row_ = nullptr;
  TLabel* cut_ = nullptr;
  TLabel* whole_ = nullptr;
};

TEST_F(TooltipTest, OnlyACutLabelIsFoundAndItsHitTestDoesNotMatter) {
  EXPECT_EQ(CutLabelAt(*form_, {100, 25}), cut_);
  EXPECT_EQ(CutLabelAt(*form_, {100, 75}), nullptr);   // its text is whole
  EXPECT_EQ(CutLabelAt(*form_, {30, 25}), nullptr);    // the row beside the label
  EXPECT_EQ(form_->ControlAtPoint(100, 25), row_);     // clicks still go to the row
  cut_->SetVisible(false);
  EXPECT_EQ(CutLabelAt(*form_, {100, 25}), nullptr);
}

TEST_F(TooltipTest, RestingOnACutLabelShowsTheWholeText) {
  RestAt(100, 75);
  EXPECT_FALSE(QToolTip::isVisible());
  RestAt(100, 25);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(ShownText(), kWhole);
  RestAt(30, 100);  // off the label: the tooltip goes
  EXPECT_TRUE(WaitFor([] { return !QToolTip::isVisible(); }));
}

// A text far longer than a screen shows its beginning, the rest told by "…";
// one just as long as the limit shows whole.
TEST_F(TooltipTest, ATextLongerThanAScreenShowsItsBeginning) {
  std::u16string text;
  while (text.size() < 1000000) text += u"Ледяной дракон ";
  const struct {
    std::size_t length;
    bool shortened;
  } cases[] = {{kTooltipMaxLength, false}, {kTooltipMaxLength + 1, true}, {text.size(), true}};
  for (const auto& c : cases) {
    HideTooltip();
    cut_->SetText(text.substr(0, c.length));
    RestAt(100, 25);
    ASSERT_TRUE(QToolTip::isVisible()) << c.length;
    const std::u16string shown = ShownText();
    if (c.shortened) {
      EXPECT_EQ(shown, text.substr(0, kTooltipMaxLength) + u"…") << c.length;
    } else {
      EXPECT_EQ(shown, text.substr(0, c.length));
    }
  }
}

TEST_F(TooltipTest, PointerRestingOnTheWindowBringsTheTooltipAfterTheDelay) {
  QWidget* host = form_->NativeWidget();
  form_->Show();
  host->activateWindow();
  ASSERT_TRUE(WaitFor([host] { return host->isActiveWindow(); })) << "no active window";
  QTest::mouseMove(host, QPoint(100, 25));
  EXPECT_FALSE(QToolTip::isVisible()) << "not before the delay";
  ASSERT_TRUE(WaitFor([] { return QToolTip::isVisible(); }));
  EXPECT_EQ(ShownText(), kWhole);
}

}  // namespace
