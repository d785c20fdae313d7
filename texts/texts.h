#pragma once

#include <string_view>

#include "texts/build_settings.h"

// Everything the window says, and the two addresses of the maker.
namespace texts {

inline constexpr std::u16string_view kCaption = u"Velmar";
inline constexpr std::u16string_view kPosterPlaceholder = u"Картинка";
inline constexpr std::u16string_view kPosterError = u"Ошибка загрузки";
inline constexpr std::u16string_view kInfoTitle = u"Информация";
inline constexpr std::u16string_view kInfoPlaceholder = u"......................";
inline constexpr std::u16string_view kAndroidTitle = u"Android приложение";
inline constexpr std::u16string_view kAPKCaption = u"Ссылка";
inline constexpr std::u16string_view kQRCaption = u"QR-Код";
inline constexpr std::u16string_view kTelegram = u"Telegram канал";
inline constexpr std::u16string_view kSearchPrompt = u"Поиск";
inline constexpr std::u16string_view kPlay = u"Играть";
inline constexpr std::u16string_view kFooterNotice =
    u"Для обновления программы скачайте новую версию с нашего Telegram или ";
inline constexpr std::u16string_view kFooterLink = u"САЙТА";
inline constexpr std::u16string_view kVersion = u"Версия от " VELMAR_VERSION_DATE;
inline constexpr std::u16string_view kStarFavorite = u"★";
inline constexpr std::u16string_view kStarPlain = u"☆";
// What a screen reader says of a row's star, and before a row's game ID.
inline constexpr std::u16string_view kFavorite = u"Избранное";
inline constexpr std::u16string_view kRowDescription = u"ID ";
// What a screen reader is told beyond what the window shows: the list's
// name, the APK button's purpose, which picture is which, whether a row's
// game is a favourite, and what a search or a star did.
inline constexpr std::u16string_view kGamesList = u"Игры";
inline constexpr std::u16string_view kAPKDescription = u"Скачать APK";
inline constexpr std::u16string_view kPosterName = u"Постер: ";
inline constexpr std::u16string_view kQRCodeName = u"QR-код: ";
inline constexpr std::u16string_view kQRCodeMissing = u"QR-код: нет";
inline constexpr std::u16string_view kRowFavorite = u"В избранном";
inline constexpr std::u16string_view kRowNotFavorite = u"Не в избранном";
inline constexpr std::u16string_view kGamesFound = u"Найдено игр: ";
inline constexpr std::u16string_view kNothingFound = u"Ничего не найдено";
inline constexpr std::u16string_view kSearchCleared = u"Поиск очищен";
inline constexpr std::u16string_view kStarred = u"Добавлено в избранное: ";
inline constexpr std::u16string_view kUnstarred = u"Убрано из избранного: ";
inline constexpr std::u16string_view kPlaceInList = u"Место в списке: ";
inline constexpr std::u16string_view kOf = u" из ";

inline constexpr std::u16string_view kSelectGameFirst = u"Сначала выберите игру";
inline constexpr std::u16string_view kNoURL = u"URL не указан для этой игры";
inline constexpr std::u16string_view kNoAPK = u"APK ссылка не указана для этой игры";
inline constexpr std::u16string_view kSettingsFolderFailed =
    u"Не удалось создать папку настроек. Избранное будет работать до закрытия программы, "
    u"но не сохранится.";

// The maker's Telegram channel and the home page of the maker's web site,
// chosen when the program is built.
inline constexpr std::u16string_view kTelegramChannelURL = VELMAR_TELEGRAM_URL;
inline constexpr std::u16string_view kWebSiteURL = VELMAR_SITE_URL;

}  // namespace texts
