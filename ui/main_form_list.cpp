#include <string>

#include "ui/layout.h"
#include "ui/main_form.h"
#include "ui/number_text.h"
#include "ui/palette.h"
#include "texts/texts.h"

using namespace GameData;

namespace {

// Adds `part` as a sentence of its own, so a screen reader pauses between
// the parts; a part that already ends a sentence is not given a second stop.
void AppendSentence(std::u16string& text, std::u16string_view part) {
  if (!text.empty()) {
    const char16_t last = text.back();
    const bool ended = last == u'.' || last == u'!' || last == u'?' || last == u'…';
    text += ended ? u" " : u". ";
  }
  text += part;
}

// Texts every row shows alike: all rows share one copy of each.
struct TRowTexts {
  platform::SharedText favorite{texts::kFavorite};
  platform::SharedText starFavorite{texts::kStarFavorite};
  platform::SharedText starPlain{texts::kStarPlain};
};

const TRowTexts& RowTexts() {
  static const TRowTexts shared;
  return shared;
}

}  // namespace

void TfrmMain::CreateGamePanel(fmx::TControl* AParent, int AIndex, const TGameInfo& AGame,
                               float AY) {
  auto* row = new TRectangle(this);
  row->SetParent(AParent);
  row->SetBounds(0, AY, layout::kCatalogWidth, layout::kRowHeight);
  row->SetFillColor(palette::kRow);
  row->SetStrokeKind(fmx::TBrushKind::None);
  row->SetXRadius(8);
  row->SetYRadius(8);
  row->SetTag(AIndex);
  row->SetCursor(fmx::TCursor::crHandPoint);
  row->OnClick = FRowClick;
  row->OnMouseEnter = FRowMouseEnter;
  row->OnMouseLeave = FRowMouseLeave;
  row->SetAccessibleRole(fmx::TAccessibleRole::ListItem);
  row->SetAccessibleName(AGame.Name);
  row->SetAccessibleDescriber(FRowDescribe);
  row->SetAccessibleChecked(AGame.IsFavorite ? fmx::TAccessibleCheck::Checked
                                             : fmx::TAccessibleCheck::Unchecked);

  auto* badge = new TRectangle(this);
  badge->SetParent(row);
  badge->SetBounds(7, 7, 36, 36);
  badge->SetFillColor(palette::kBadge);
  badge->SetStrokeKind(fmx::TBrushKind::None);
  badge->SetXRadius(6);
  badge->SetYRadius(6);
  badge->SetHitTest(false);

  auto* idLabel = new TLabel(this);
  idLabel->SetParent(badge);
  idLabel->SetAlign(fmx::TAlignLayout::Client);
  idLabel->SetStyledSettings(0);
  idLabel->SetText(TNumberText(AGame.ID).View());
  idLabel->SetFontSize(12);
  idLabel->SetFontBold(true);
  idLabel->SetFontColor(palette::kText);
  idLabel->SetHorzAlign(fmx::TTextAlign::Center);
  idLabel->SetVertAlign(fmx::TTextAlign::Center);
  idLabel->SetHitTest(false);

  auto* nameLabel = new TLabel(this);
  nameLabel->SetParent(row);
  nameLabel->SetBounds(50, 0, 135, 50);
  nameLabel->SetStyledSettings(0);
  nameLabel->SetText(AGame.Name);
  nameLabel->SetFontColor(palette::kText);
  nameLabel->SetFontSize(13);
  nameLabel->SetVertAlign(fmx::TTextAlign::Center);
  nameLabel->SetTag(AIndex);
  nameLabel->SetHitTest(false);

  auto* star = new TRectangle(this);
  star->SetParent(row);
  star->SetBounds(189, 7, 36, 36);
  star->SetFillKind(fmx::TBrushKind::None);
  star->SetStrokeKind(fmx::TBrushKind::None);
  // A row and its name label carry the row index in Tag; the star carries
  // the game's ID, so a star click still finds its game after the list was
  // rebuilt in another order.
  star->SetTag(AGame.ID);
  star->SetCursor(fmx::TCursor::crHandPoint);
  star->SetHitTest(true);
  star->OnClick = FStarClick;
  star->SetAccessibleRole(fmx::TAccessibleRole::CheckBox);
  star->SetAccessibleName(RowTexts().favorite);
  star->SetAccessibleChecked(AGame.IsFavorite ? fmx::TAccessibleCheck::Checked
                                              : fmx::TAccessibleCheck::Unchecked);

  auto* starLabel = new TLabel(this);
  starLabel->SetParent(star);
  starLabel->SetAlign(fmx::TAlignLayout::Client);
  starLabel->SetMargins(0, 0, 0, 3);
  starLabel->SetStyledSettings(0);
  starLabel->SetFontSize(20);
  starLabel->SetHorzAlign(fmx::TTextAlign::Center);
  starLabel->SetVertAlign(fmx::TTextAlign::Center);
  starLabel->SetHitTest(false);
  starLabel->SetText(AGame.IsFavorite ? RowTexts().starFavorite : RowTexts().starPlain);
  starLabel->SetFontColor(AGame.IsFavorite ? palette::kStarFavorite : palette::kStarPlain);

  FGamePanels.push_back(row);
}

std::u16string TfrmMain::DescribeGamePanel(TObject* Sender) const {
  const auto* row = dynamic_cast<const TRectangle*>(Sender);
  if (!row || row->Tag() < 0 || std::size_t(row->Tag()) >= FilteredGames.size()) return {};
  const TGameInfo& game = FilteredGames[std::size_t(row->Tag())];
  std::u16string text(texts::kRowDescription);
  text += TNumberText(game.ID).View();
  AppendSentence(text, game.IsFavorite ? texts::kRowFavorite : texts::kRowNotFavorite);
  // The information lines in the order they are read on screen, row by
  // row; a name line that only repeats the row's name is not said twice.
  for (const platform::SharedText* line :
       {&game.InfoName, &game.InfoGenre, &game.InfoDeveloper, &game.InfoYear, &game.InfoText1,
        &game.InfoText2, &game.InfoText3, &game.InfoText4, &game.InfoText5, &game.InfoText6,
        &game.InfoText7, &game.InfoText8}) {
    if (line->empty() || (line == &game.InfoName && line->View() == game.Name.View())) continue;
    AppendSentence(text, line->View());
  }
  return text;
}

fmx::TControl* TfrmMain::StarOf(TRectangle* ARow) {
  return ARow->Child(2);  // badge, name, star: the order CreateGamePanel builds them in
}

void TfrmMain::PopulateGamesList() {
  FGamePanels.clear();
  sbGames->ClearContent();
  FGamePanels.reserve(FilteredGames.size());
  float y = 0;
  for (std::size_t i = 0; i < FilteredGames.size(); ++i) {
    CreateGamePanel(sbGames, int(i), FilteredGames[i], y);
    y += layout::kRowPitch;
  }
  if (FSelectedIndex < 0 && !FilteredGames.empty()) SelectGame(0);
}

void TfrmMain::GamePanelMouseEnter(TObject* Sender) {
  if (auto* row = dynamic_cast<TRectangle*>(Sender)) row->SetFillColor(palette::kRowHover);
}

void TfrmMain::GamePanelMouseLeave(TObject* Sender) {
  if (auto* row = dynamic_cast<TRectangle*>(Sender)) {
    row->SetFillColor(row->Tag() == FSelectedIndex ? palette::kRowSelected : palette::kRow);
  }
}
