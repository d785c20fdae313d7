#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "catalog/game_data.h"
#include "platform/controls/edit.h"
#include "platform/controls/form.h"
#include "platform/controls/image.h"
#include "platform/controls/label.h"
#include "platform/controls/rectangle.h"
#include "platform/controls/scroll_box.h"

// The one window: the details column, the catalog column and the footer,
// the list of games and every handler behind them.
class TfrmMain : public fmx::TForm {
 public:
  // Applies the stored window description and connects the create and
  // destroy handlers; the application raises the create event.
  TfrmMain();
  // Raises the destroy event if nobody did, so favourites are written
  // however the window goes.
  ~TfrmMain() override;

  // Told the path of games.json when the window falls back to the demo
  // catalog, so the program can say why; the window itself shows nothing.
  static inline std::function<void(const std::u16string& catalogPath)> OnDemoCatalog;

 private:
  friend class MainFormTestAccess;
  using TObject = fmx::TObject;
  using TRectangle = fmx::TRectangle;
  using TLabel = fmx::TLabel;
  using TImage = fmx::TImage;
  using TEdit = fmx::TEdit;
  using TVertScrollBox = fmx::TVertScrollBox;

  // Details column
  TRectangle* pnlLeft = nullptr;
  TRectangle* pnlPoster = nullptr;
  TLabel* lblPosterText = nullptr;
  TRectangle* pnlInfo = nullptr;
  TLabel* lblInfoTitle = nullptr;
  TLabel* lblRow1Left = nullptr;
  TLabel* lblRow1Right = nullptr;
  TLabel* lblRow2Left = nullptr;
  TLabel* lblRow2Right = nullptr;
  TLabel* lblRow3Left = nullptr;
  TLabel* lblRow3Right = nullptr;
  TLabel* lblRow4Left = nullptr;
  TLabel* lblRow4Right = nullptr;
  TLabel* lblRow5Left = nullptr;
  TLabel* lblRow5Right = nullptr;
  TLabel* lblRow6Left = nullptr;
  TLabel* lblRow6Right = nullptr;
  TRectangle* pnlAndroid = nullptr;
  TLabel* lblAndroidTitle = nullptr;
  TLabel* lblAPKCaption = nullptr;
  TRectangle* btnAPK = nullptr;
  TImage* imgAPK = nullptr;
  TLabel* lblQRCaption = nullptr;
  TRectangle* pnlQRCode = nullptr;
  TImage* imgQRCode = nullptr;
  // Catalog column
  TRectangle* pnlRight = nullptr;
  TRectangle* btnTelegram = nullptr;
  TImage* imgTelegramIcon = nullptr;
  TLabel* lblTelegram = nullptr;
  TEdit* edtSearch = nullptr;
  TRectangle* pnlGamesList = nullptr;
  TVertScrollBox* sbGames = nullptr;
  TRectangle* btnPlay = nullptr;
  TLabel* lblPlay = nullptr;
  TRectangle* pnlSearchContainer = nullptr;
  // Footer
  TRectangle* pnlFooter = nullptr;
  TLabel* lblFooterLeft = nullptr;
  TLabel* lblFooterLink = nullptr;
  TLabel* lblFooterLeft2 = nullptr;
  TLabel* lblFooterRight = nullptr;
  // Selection. kNoRowShown: no row is selected, but a game was and the
  // details still show it (a rebuild left it out of the list). Not negative,
  // so that the next rebuild does not select the first row, and no list is
  // that long, so it never denotes an entry.
  static constexpr std::int32_t kNoRowShown = std::numeric_limits<std::int32_t>::max();
  std::int32_t FSelectedIndex = -1;
  std::int32_t FSelectedGameID = -1;
  std::vector<TRectangle*> FGamePanels;
  // The handlers every row runs, made once and shared by all rows.
  fmx::THandlerSlot<fmx::TNotifyEvent> FRowClick, FRowMouseEnter, FRowMouseLeave, FStarClick;
  fmx::THandlerSlot<fmx::TTextEvent> FRowDescribe;
  // Escape emptied the search box: the next rebuild says so.
  bool FSearchClearedByKey = false;
  // The favourites file was there at start but could not be read: closing
  // without a star click leaves it alone instead of replacing it with "[]".
  bool FKeepFavoritesFile = false;

  // Start and end
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void BuildUI();
  // Areas
  void CreateLeftPanel();
  void CreateRightPanel();
  void CreateFooter();
  // Game list
  void CreateGamePanel(fmx::TControl* AParent, int AIndex, const GameData::TGameInfo& AGame,
                       float AY);
  void PopulateGamesList();
  // The star area of a row, whose click toggles the favourite.
  static fmx::TControl* StarOf(TRectangle* ARow);
  // What a screen reader reads after a row's name: its ID, whether it is a
  // favourite, and the game's information lines that say anything.
  std::u16string DescribeGamePanel(TObject* Sender) const;
  void GamePanelMouseEnter(TObject* Sender);
  void GamePanelMouseLeave(TObject* Sender);
  // Selection and details
  void SelectGame(int AIndex);
  int FindGameIndexByID(std::int32_t AGameID) const;
  // The selected game's record in the visible list, or none.
  const GameData::TGameInfo* SelectedGame() const;
  void ShowGameInfo(const GameData::TGameInfo& AGame);
  // A picture's accessible name: what it is, then whose ("Постер: …").
  static std::u16string PictureName(std::u16string_view AWhat, std::u16string_view AWhose);
  void LoadPoster(std::u16string_view AFileName);
  void LoadQRCode(std::u16string_view AFileName);
  void ClearQRCode();
  void SelectGameAgain(std::int32_t AGameID);
  // Keyboard
  void SetUpKeyboard();
  void FormKeyDown(TObject* Sender, fmx::TKeyInfo& Key);
  void edtSearchKeyDown(TObject* Sender, fmx::TKeyInfo& Key);
  void sbGamesKeyDown(TObject* Sender, fmx::TKeyInfo& Key);
  void SelectAndShowRow(int AIndex);
  int RowsPerPage() const;
  // Search and favourites
  void edtSearchChangeTracking(TObject* Sender);
  void GamePanelClick(TObject* Sender);
  void FavoriteStarClick(TObject* Sender);
  // Tells a screen reader what the rebuilt list holds, or where a starred
  // or unstarred game now is.
  void AnnounceSearchResult();
  void AnnounceFavoriteChange(std::int32_t AGameID);
  void SaveFavoritesNow();
  // Links, buttons and notices
  void OpenURL(std::u16string_view AURL);
  void btnPlayClick(TObject* Sender);
  void btnAPKClick(TObject* Sender);
  void btnTelegramClick(TObject* Sender);
  void lblFooterLinkClick(TObject* Sender);
  void lblFooterLinkMouseEnter(TObject* Sender);
  void lblFooterLinkMouseLeave(TObject* Sender);
  void ButtonMouseEnter(TObject* Sender);
  void ButtonMouseLeave(TObject* Sender);
  void OpenSelectedAddress(platform::SharedText GameData::TGameInfo::*AField,
                           std::u16string_view ANotice);

  // A handler bound to this window; small enough to be stored without an
  // allocation, which matters for thousands of rows.
  template <void (TfrmMain::*Method)(TObject*)>
  fmx::TNotifyEvent Handler() {
    return [this](TObject* sender) { (this->*Method)(sender); };
  }
  template <void (TfrmMain::*Method)(TObject*, fmx::TKeyInfo&)>
  fmx::TKeyEvent KeyHandler() {
    return [this](TObject* sender, fmx::TKeyInfo& key) { (this->*Method)(sender, key); };
  }
};

extern TfrmMain* frmMain;
