#include "ui/main_form.h"

#include "ui/layout.h"

#include "platform/controls/message_box.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "ui/palette.h"
#include "texts/texts.h"

using namespace GameData;

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain() {
  // The stored window description.
  SetLeft(0);
  SetTop(0);
  SetBorderIcons(fmx::biSystemMenu | fmx::biMinimize);
  SetBorderStyle(fmx::TFormBorderStyle::Single);
  SetCaption(std::u16string(texts::kCaption));
  SetClientHeight(layout::kClientHeight);
  SetClientWidth(layout::kClientWidth);
  SetFillColor(palette::kStoredWindow);
  SetFillKind(fmx::TBrushKind::Solid);
  SetFormPosition(fmx::TFormPosition::ScreenCenter);
  OnCreate = Handler<&TfrmMain::FormCreate>();
  OnDestroy = Handler<&TfrmMain::FormDestroy>();
  FRowClick = Handler<&TfrmMain::GamePanelClick>();
  FRowMouseEnter = Handler<&TfrmMain::GamePanelMouseEnter>();
  FRowMouseLeave = Handler<&TfrmMain::GamePanelMouseLeave>();
  FStarClick = Handler<&TfrmMain::FavoriteStarClick>();
  FRowDescribe = [this](TObject* sender) { return DescribeGamePanel(sender); };
}

TfrmMain::~TfrmMain() { DoDestroy(); }

void TfrmMain::FormCreate(TObject*) {
  SetCaption(std::u16string(texts::kCaption));
  SetClientWidth(layout::kClientWidth);
  SetClientHeight(layout::kClientHeight);
  SetFillColor(palette::kWindow);
  SetFillKind(fmx::TBrushKind::Solid);
  FSelectedIndex = -1;
  FSelectedGameID = -1;

  const std::u16string gamesPath = GetAppDir() + std::u16string(kCatalogFileName);
  // Without a settings folder the window still opens: favourites then live
  // in memory for this run, and the user is told once why they will not stay.
  try {
    const std::u16string favoritesPath = GetSettingsDir() + std::u16string(kFavoritesFileName);
    FKeepFavoritesFile = !LoadFavorites(favoritesPath) && platform::FileExists(favoritesPath);
  } catch (const SettingsFolderError& error) {
    fmx::ShowMessage(std::u16string(texts::kSettingsFolderFailed) + u"\n\n" + error.folder() +
                     u"\n" + platform::Utf8ToUtf16(error.reason()));
  }
  if (!LoadGames(gamesPath)) {
    LoadDemoGames();
    if (OnDemoCatalog) OnDemoCatalog(gamesPath);
  }
  FilterGames(u"");
  BuildUI();
  SetUpKeyboard();
  PopulateGamesList();
}

void TfrmMain::FormDestroy(TObject*) {
  if (!FKeepFavoritesFile) SaveFavoritesNow();
}

void TfrmMain::SaveFavoritesNow() {
  // A settings folder that cannot be made was reported at start; saving
  // then fails silently, like any other failed save.
  try {
    SaveFavorites(GetSettingsDir() + std::u16string(kFavoritesFileName));
  } catch (const SettingsFolderError&) {
  }
}

void TfrmMain::BuildUI() {
  CreateFooter();
  CreateLeftPanel();
  CreateRightPanel();
}
