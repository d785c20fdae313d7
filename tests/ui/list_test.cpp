// The game list: its rows and their colours under the pointer.

#include <QCoreApplication>
#include <QElapsedTimer>

#include "main_form_fixture.h"

namespace {

constexpr std::uint32_t kNormal = 0xFF2D2D2D, kHover = 0xFF3D3D3D, kSelected = 0x40008BCC;

using ListTest = MainFormTest;

TEST_F(ListTest, OneRowPerGameWithBadgeNameAndStar) {
  Open();
  const auto& rows = Access().GamePanels();
  ASSERT_EQ(rows.size(), 5u);
  ASSERT_EQ(Access().sbGames()->ContentCount(), 5u);
  const std::u16string ids[] = {u"1", u"2", u"0", u"-3", u"2"};
  for (int i = 0; i < 5; ++i) {
    fmx::TRectangle* row = rows[i];
    EXPECT_EQ(Access().sbGames()->ContentChild(i), row);
    EXPECT_EQ(row->Y(), 58.0f * i);
    EXPECT_EQ(row->Width(), 230);
    EXPECT_EQ(row->Height(), 50);
    EXPECT_EQ(row->Tag(), i);
    auto* badge = static_cast<fmx::TRectangle*>(row->Child(0));
    EXPECT_EQ(static_cast<fmx::TLabel*>(badge->Child(0))->Text(), ids[i]);
    auto* name = static_cast<fmx::TLabel*>(row->Child(1));
    EXPECT_EQ(name->Tag(), i);
    EXPECT_EQ(name->X(), 50);
    auto* star = static_cast<fmx::TRectangle*>(row->Child(2));
    EXPECT_EQ(star->Tag(), GameData::FilteredGames[i].ID);
    EXPECT_EQ(star->X(), 189);
    EXPECT_EQ(static_cast<fmx::TLabel*>(star->Child(0))->Height(), 33);
  }
  EXPECT_EQ(RowName(1), u"Бета");
}

TEST_F(ListTest, FirstRowIsSelectedAtStart) {
  Open();
  EXPECT_EQ(RowColor(0), kSelected);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(RowColor(i), kNormal);
}

TEST_F(ListTest, HoverAndLeaveColours) {
  Open();
  Form().PointerMove(RowX(), RowY(2));
  EXPECT_EQ(RowColor(2), kHover);
  Form().PointerMove(RowX(), RowY(0));  // the selected row takes the hover colour too
  EXPECT_EQ(RowColor(2), kNormal);
  EXPECT_EQ(RowColor(0), kHover);
  Form().PointerLeave();
  EXPECT_EQ(RowColor(0), kSelected);
}

TEST_F(ListTest, MovingOntoTheStarIsALeaveForTheRow) {
  Open();
  Form().PointerMove(RowX(), RowY(1));
  Form().PointerMove(StarX(), RowY(1));
  EXPECT_EQ(RowColor(1), kNormal);
  Form().PointerMove(RowX(), RowY(1));
  EXPECT_EQ(RowColor(1), kHover);
  Form().PointerMove(702 + 20, RowY(1));  // onto the badge: still the row
  EXPECT_EQ(RowColor(1), kHover);
}

TEST_F(ListTest, StarsShowTheFavouriteState) {
  settings_.write("Velmar/favorites.json", "[1]");
  Open();
  EXPECT_EQ(StarText(0), u"★");
  auto* starLabel = static_cast<fmx::TLabel*>(Access().GamePanels()[0]->Child(2)->Child(0));
  EXPECT_EQ(starLabel->FontColor(), 0xFFFFC107u);
  auto* plain = static_cast<fmx::TLabel*>(Access().GamePanels()[1]->Child(2)->Child(0));
  EXPECT_EQ(plain->Text(), u"☆");
  EXPECT_EQ(plain->FontColor(), 0xFF666666u);
  const fmx::TSnapshot shot = Form().Snapshot();
  int amber = 0;
  for (float x = 891; x < 927; ++x)
    for (float y = RowY(0) - 18; y < RowY(0) + 18; ++y)
      if (shot.Pixel(x, y) == 0xFFFFC107u) ++amber;
  EXPECT_GT(amber, 10);
}

TEST_F(ListTest, LongNameWrapsInsideItsLabel) {
  Open();
  auto* name = static_cast<fmx::TLabel*>(Access().GamePanels()[3]->Child(1));
  EXPECT_EQ(name->Text(), u"Очень длинное название игры для переноса");
  EXPECT_GT(name->LineCount(), 1);
  auto* shortName = static_cast<fmx::TLabel*>(Access().GamePanels()[0]->Child(1));
  EXPECT_EQ(shortName->LineCount(), 1);
}

TEST_F(ListTest, ListScrollsWhenRowsOverflow) {
  std::string catalog = "[";
  for (int i = 1; i <= 30; ++i) catalog += (i > 1 ? "," : "") + std::string("{\"name\":\"G\"}");
  data_.write("games.json", catalog + "]");
  Open();
  ASSERT_EQ(Access().sbGames()->ContentCount(), 30u);
  ASSERT_NE(Form().ControlAtPoint(RowX(), RowY(3)), nullptr);
  Form().Wheel(RowX(), RowY(3), 15 * 20);
  EXPECT_TRUE(Access().sbGames()->IsScrolling());
  QElapsedTimer timer;
  timer.start();
  while (Access().sbGames()->IsScrolling() && timer.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  ASSERT_FALSE(Access().sbGames()->IsScrolling()) << "the scroll animation did not end";
  EXPECT_GT(Access().sbGames()->ViewportPositionY(), 0);
}

// Scrolled far down, a search that leaves a few rows must show them.
TEST_F(ListTest, RebuildShorterThanTheScrollPositionShowsTheRows) {
  std::string catalog = "[";
  for (int i = 1; i <= 30; ++i) {
    catalog += (i > 1 ? "," : "") + std::string("{\"name\":\"") + (i <= 3 ? "Keep" : "Other") + "\"}";
  }
  data_.write("games.json", catalog + "]");
  Open();
  Access().sbGames()->SetViewportPositionY(1000);
  Access().edtSearch()->TypeText(u"keep");
  ASSERT_EQ(VisibleIds(), (std::vector<std::int32_t>{1, 2, 3}));
  Form().PointerMove(RowX(), RowY(1));  // routing settles the list first
  EXPECT_EQ(Access().sbGames()->ViewportPositionY(), 0);
  EXPECT_EQ(Form().Hovered(), Access().GamePanels()[1]);
  // The selected first row is on screen: 40008BCC over the background.
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(RowX(), RowY(0) - 20), 0xFF16394A, 3));
}

}  // namespace
