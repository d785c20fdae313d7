// Catalog texts longer than their labels: a long single word, a long name of
// many words and twelve long information lines stay inside their labels, the
// cut ones end in "…" and their tooltip holds the whole text.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QWidget>

#include <filesystem>

#include "main_form_fixture.h"
#include "platform/controls/qt_convert.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kWindow = 0xFF1E1E1E, kPanel = 0xFF2D2D2D;

class LongTextTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    fs::copy_file(fs::path(VELMAR_FIXTURES_DIR) / "long-texts" / "games.json",
                  data_.path() / "games.json", fs::copy_options::overwrite_existing);
  }

  std::vector<fmx::TLabel*> InfoLabels() {
    auto a = Access();
    return {a.lblRow1Left(), a.lblRow1Right(), a.lblRow2Left(), a.lblRow2Right(),
            a.lblRow3Left(), a.lblRow3Right(), a.lblRow4Left(), a.lblRow4Right(),
            a.lblRow5Left(), a.lblRow5Right(), a.lblRow6Left(), a.lblRow6Right()};
  }
  fmx::TLabel* NameLabel(int row) {
    return static_cast<fmx::TLabel*>(Access().GamePanels()[row]->Child(1));
  }

  // Pixels of an area, less some rectangles, that differ from a colour.
  static int Stray(const fmx::TSnapshot& shot, fmx::TRectF area,
                   const std::vector<fmx::TRectF>& allowed, std::uint32_t color) {
    int stray = 0;
    for (int y = int(area.Top); y < int(area.Bottom); ++y) {
      for (int x = int(area.Left); x < int(area.Right); ++x) {
        const fmx::TPointF p{x + 0.5f, y + 0.5f};
        bool inLabel = false;
        for (const fmx::TRectF& r : allowed) inLabel = inLabel || r.Contains(p);
        if (!inLabel && shot.DevicePixel(x, y) != color) ++stray;
      }
    }
    return stray;
  }

  // Rests the pointer on a control as the toolkit reports it after its
  // delay; the answer is the tooltip's text, empty when none shows.
  std::u16string TooltipOver(const fmx::TControl* control) {
    const fmx::TRectF r = control->AbsoluteRect();
    QWidget* host = Form().NativeWidget();
    const QPoint at{int((r.Left + r.Right) / 2), int((r.Top + r.Bottom) / 2)};
    QHelpEvent event(QEvent::ToolTip, at, host->mapToGlobal(at));
    QCoreApplication::sendEvent(host, &event);
    if (!QToolTip::isVisible()) return u"";
    return fmx::FromQString(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText());
  }

  // A tooltip shown before goes; hiding it takes a moment.
  static void HideTooltip() {
    QToolTip::hideText();
    QElapsedTimer clock;
    clock.start();
    while (QToolTip::isVisible() && clock.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
  }
  void TearDown() override {
    HideTooltip();
    MainFormTest::TearDown();
  }
};

TEST_F(LongTextTest, InformationLinesStayInsideTheirLabels) {
  Open();
  for (int game = 0; game < 3; ++game) {
    Access().SelectGame(game);
    std::vector<fmx::TRectF> labels{Access().lblInfoTitle()->AbsoluteRect()};
    for (fmx::TLabel* label : InfoLabels()) labels.push_back(label->AbsoluteRect());
    // The panel inside its border and rounded corners.
    fmx::TRectF panel = Access().pnlInfo()->AbsoluteRect();
    panel = {panel.Left + 8, panel.Top + 8, panel.Right - 8, panel.Bottom - 8};
    EXPECT_EQ(Stray(Form().Snapshot(), panel, labels, kPanel), 0) << "game " << game + 1;
  }
}

TEST_F(LongTextTest, CutInformationLinesEndInAnEllipsisAndShowTheWholeTextAsTooltip) {
  Open();
  Access().SelectGame(2);
  const auto& game = GameData::FilteredGames[2];
  const std::u16string_view whole[] = {game.InfoName,  game.InfoGenre, game.InfoDeveloper,
                                  game.InfoYear,  game.InfoText1, game.InfoText2,
                                  game.InfoText3, game.InfoText4, game.InfoText5,
                                  game.InfoText6, game.InfoText7, game.InfoText8};
  const auto labels = InfoLabels();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    fmx::TLabel* label = labels[i];
    EXPECT_EQ(label->Text(), whole[i]);
    ASSERT_TRUE(label->TextCut()) << i;
    EXPECT_EQ(label->ShownLineCount(), 1) << i;
    EXPECT_EQ(label->CutLineText().back(), u'…') << i;
    EXPECT_EQ(TooltipOver(label), whole[i]) << i;
  }
}

TEST_F(LongTextTest, ListNamesStayInsideTheirRows) {
  Open();
  const fmx::TSnapshot shot = Form().Snapshot();
  for (int row = 0; row < 3; ++row) {
    fmx::TRectangle* panel = Access().GamePanels()[row];
    const fmx::TRectF r = panel->AbsoluteRect();
    const std::uint32_t rowColor = shot.DevicePixel(int(r.Left) + 46, int(r.Top) + 25);
    std::vector<fmx::TRectF> parts;
    for (std::size_t i = 0; i < panel->ChildrenCount(); ++i) {
      parts.push_back(panel->Child(i)->AbsoluteRect());  // badge, name, star
    }
    // The row less its rounded ends, and the gap below it.
    EXPECT_EQ(Stray(shot, {r.Left + 8, r.Top, r.Right - 8, r.Bottom}, parts, rowColor), 0)
        << "row " << row;
    EXPECT_EQ(Stray(shot, {r.Left, r.Bottom, r.Right, r.Bottom + 8}, {}, kWindow), 0)
        << "below row " << row;
  }
}

TEST_F(LongTextTest, LongNamesBreakOrAreCutWithTheirWholeTextAsTooltip) {
  Open();
  fmx::TLabel* word = NameLabel(0);
  EXPECT_EQ(word->Text(), u"Сверхзвуковойвертолётостроитель");
  EXPECT_EQ(word->LineCount(), 2) << "the word breaks inside itself";
  EXPECT_FALSE(word->TextCut());
  HideTooltip();
  EXPECT_EQ(TooltipOver(word), u"") << "its whole text shows";

  fmx::TLabel* name = NameLabel(1);
  EXPECT_EQ(name->ShownLineCount(), 3);
  ASSERT_TRUE(name->TextCut());
  EXPECT_EQ(name->CutLineText().back(), u'…');
  EXPECT_EQ(TooltipOver(name), GameData::FilteredGames[1].Name);

  // In the information panel the word is cut to one line.
  fmx::TLabel* info = Access().lblRow1Left();
  EXPECT_EQ(info->Text(), u"Сверхзвуковойвертолётостроитель");
  EXPECT_TRUE(info->TextCut());
  EXPECT_EQ(info->CutLineText().back(), u'…');
}

}  // namespace
