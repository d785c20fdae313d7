// Where every area lies and what it looks like, from the layout tables and
// from pixels of a snapshot at known points.

#include "main_form_fixture.h"
#include "platform/controls/text_layout.h"

namespace {

struct Box {
  const char* name;
  fmx::TControl* control;
  float left, top, width, height;
};

void ExpectBoxes(const std::vector<Box>& boxes) {
  for (const Box& box : boxes) {
    const fmx::TRectF r = box.control->AbsoluteRect();
    EXPECT_FLOAT_EQ(r.Left, box.left) << box.name;
    EXPECT_FLOAT_EQ(r.Top, box.top) << box.name;
    EXPECT_FLOAT_EQ(r.Width(), box.width) << box.name;
    EXPECT_FLOAT_EQ(r.Height(), box.height) << box.name;
  }
}

using LayoutTest = MainFormTest;

TEST_F(LayoutTest, DetailsColumn) {
  Open();
  auto a = Access();
  ExpectBoxes({
      {"pnlLeft", a.pnlLeft(), 15, 20, 672, 595},
      {"pnlPoster", a.pnlPoster(), 15, 20, 672, 400},
      {"lblPosterText", a.lblPosterText(), 15, 20, 672, 400},
      {"pnlInfo", a.pnlInfo(), 15, 435, 270, 180},
      {"lblInfoTitle", a.lblInfoTitle(), 15, 435, 270, 40},
      {"lblRow1Left", a.lblRow1Left(), 40, 477, 100, 17},
      {"lblRow1Right", a.lblRow1Right(), 160, 477, 100, 17},
      {"lblRow6Left", a.lblRow6Left(), 40, 587, 100, 17},
      {"lblRow6Right", a.lblRow6Right(), 160, 587, 100, 17},
      {"pnlAndroid", a.pnlAndroid(), 300, 435, 387, 180},
      {"lblAndroidTitle", a.lblAndroidTitle(), 300, 435, 387, 40},
      {"lblAPKCaption", a.lblAPKCaption(), 378, 480, 100, 17},
      {"btnAPK", a.btnAPK(), 378, 500, 100, 100},
      {"imgAPK", a.imgAPK(), 393, 515, 70, 70},
      {"lblQRCaption", a.lblQRCaption(), 508, 480, 100, 17},
      {"pnlQRCode", a.pnlQRCode(), 508, 500, 100, 100},
      {"imgQRCode", a.imgQRCode(), 516, 508, 84, 84},
  });
  EXPECT_EQ(a.pnlPoster()->XRadius(), 8);
  EXPECT_EQ(a.pnlPoster()->StrokeColor(), 0xFF404040u);
  EXPECT_EQ(a.btnAPK()->XRadius(), 12);
  EXPECT_TRUE(a.btnAPK()->ClipChildren());
  EXPECT_FALSE(a.imgAPK()->HitTest());
  EXPECT_EQ(a.lblPosterText()->EffectiveFontSize(), 48);
  EXPECT_TRUE(a.lblPosterText()->FontBold());
  EXPECT_EQ(a.lblInfoTitle()->Text(), u"Информация");
  EXPECT_EQ(a.lblAndroidTitle()->Text(), u"Android приложение");
  EXPECT_EQ(a.lblAPKCaption()->Text(), u"Ссылка");
  EXPECT_EQ(a.lblQRCaption()->Text(), u"QR-Код");
  EXPECT_EQ(a.lblQRCaption()->HorzAlign(), fmx::TTextAlign::Center);
}

TEST_F(LayoutTest, CatalogColumn) {
  Open();
  auto a = Access();
  ExpectBoxes({
      {"pnlRight", a.pnlRight(), 702, 20, 230, 595},
      {"btnTelegram", a.btnTelegram(), 702, 20, 230, 45},
      {"imgTelegramIcon", a.imgTelegramIcon(), 740, 30, 24, 24},
      {"lblTelegram", a.lblTelegram(), 772, 20, 123, 45},
      {"pnlSearchContainer", a.pnlSearchContainer(), 702, 73, 230, 38},
      {"edtSearch", a.edtSearch(), 714, 77, 206, 30},
      {"pnlGamesList", a.pnlGamesList(), 702, 119, 230, 438},
      {"sbGames", a.sbGames(), 702, 119, 230, 438},
      {"btnPlay", a.btnPlay(), 702, 565, 230, 50},
      {"lblPlay", a.lblPlay(), 702, 565, 230, 50},
  });
  EXPECT_EQ(a.edtSearch()->TextPrompt(), u"Поиск");
  EXPECT_EQ(a.edtSearch()->StyleLookup(), u"transparentedit");
  EXPECT_EQ(a.edtSearch()->FontSize(), 13);
  EXPECT_FALSE(a.sbGames()->ShowScrollBars());
  EXPECT_TRUE(a.sbGames()->Animation());
  EXPECT_TRUE(a.sbGames()->BoundsAnimation());
  EXPECT_EQ(a.lblPlay()->Text(), u"Играть");
  EXPECT_EQ(a.lblPlay()->EffectiveFontSize(), 16);
  EXPECT_EQ(a.lblTelegram()->Text(), u"Telegram канал");
}

TEST_F(LayoutTest, FooterLinkFollowsTheNoticeAfterOneSpace) {
  Open();
  auto a = Access();
  fmx::TTextLayout measure;
  measure.SetFontSize(12);
  measure.SetText(std::u16string(a.lblFooterLeft()->Text()));
  const float notice = measure.TextWidth();
  measure.SetText(u"САЙТА");
  const float link = measure.TextWidth();
  ExpectBoxes({
      {"pnlFooter", a.pnlFooter(), 15, 630, 917, 50},
      {"lblFooterLeft", a.lblFooterLeft(), 30, 630, notice, 50},
      {"lblFooterLink", a.lblFooterLink(), 30 + notice, 630, link, 50},
      {"lblFooterLeft2", a.lblFooterLeft2(), 30 + notice + link, 630, 200, 50},
      {"lblFooterRight", a.lblFooterRight(), 473.5f, 630, 443.5f, 50},
  });
  EXPECT_TRUE(a.lblFooterLeft()->Text().ends_with(u"или "));
  EXPECT_EQ(a.lblFooterLeft()->LineCount(), 1);
  EXPECT_EQ(a.lblFooterLink()->LineCount(), 1);
  EXPECT_TRUE(a.lblFooterLink()->FontUnderline());
  EXPECT_TRUE(a.lblFooterLink()->HitTest());
  EXPECT_EQ(a.lblFooterRight()->Text(), u"Версия от 7.06.2026");
  EXPECT_EQ(a.lblFooterRight()->HorzAlign(), fmx::TTextAlign::Trailing);
  EXPECT_EQ(a.lblFooterLeft2()->Text(), u"");
}

TEST_F(LayoutTest, SnapshotShowsTheAreasInTheirColours) {
  Open();
  const fmx::TSnapshot shot = Form().Snapshot();
  struct Point {
    const char* what;
    float x, y;
    std::uint32_t color;
  };
  const Point points[] = {
      {"window", 8, 8, 0xFF1E1E1E},
      {"poster of the selected game", 400, 200, kAlphaPoster},
      {"information panel", 150, 600, 0xFF2D2D2D},
      {"information panel border", 150, 435.5f, 0xFF404040},
      {"android panel", 350, 610, 0xFF2D2D2D},
      {"APK button", 383, 505, 0xFF8BC34A},
      {"QR square frame", 512, 560, 0xFFFFFFFF},
      {"QR picture", 558, 550, kAlphaQR},
      {"Telegram button", 710, 60, 0xFF2AABEE},
      {"search box", 925, 92, 0xFF2D2D2D},
      {"row 1", 704, 119 + 58 + 5, 0xFF2D2D2D},
      {"badge of row 1", 712, 119 + 58 + 10, 0xFF404040},
      {"gap between rows", 800, 119 + 54, 0xFF1E1E1E},
      {"Play button", 710, 570, 0xFF4CAF50},
      {"footer bar", 300, 676, 0xFF2D2D2D},
      {"below the footer", 300, 690, 0xFF1E1E1E},
  };
  for (const Point& p : points) {
    EXPECT_EQ(shot.Pixel(p.x, p.y), p.color) << p.what;
  }
}

}  // namespace
