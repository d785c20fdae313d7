// What assistive technology sees of the window, read in-process through
// Qt's accessibility interfaces: the tree, roles, names, descriptions,
// states, actions, rectangles, and the lifetime of the objects of rows that a
// rebuild frees. (Events need a live bridge: the AT-SPI end-to-end test
// listens to them.)

#include <QAccessible>
#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <limits>

#include "main_form_fixture.h"
#include "platform/utf8.h"
#include "texts/texts.h"

namespace {

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

class AccessibilityTest : public MainFormTest {
 protected:
  QAccessibleInterface* Window() { return QAccessible::queryAccessibleInterface(Form().NativeWidget()); }

  QAccessibleInterface* Find(QAccessible::Role role, int skip = 0) {
    QAccessibleInterface* window = Window();
    for (int i = 0; i < window->childCount(); ++i) {
      QAccessibleInterface* child = window->child(i);
      if (child->role() == role && skip-- == 0) return child;
    }
    return nullptr;
  }
  QAccessibleInterface* List() { return Find(QAccessible::List); }
  QAccessibleInterface* Item(int i) { return List()->child(i); }

  static void NextTurn() { QCoreApplication::processEvents(); }
};

TEST_F(AccessibilityTest, WindowListsEveryControlAUserCanPerceive) {
  Open();
  QAccessibleInterface* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), "Velmar");
  using R = QAccessible::Role;
  const std::vector<std::pair<R, QString>> expected = {
      {R::StaticText, Q(u"Для обновления программы скачайте новую версию с нашего Telegram или ")},
      {R::Link, Q(u"САЙТА")},
      {R::StaticText, Q(texts::kVersion)},
      {R::Graphic, Q(u"Постер: Alpha Racer")},
      {R::StaticText, Q(u"Информация")},
      {R::StaticText, Q(u"Альфа")}, {R::StaticText, Q(u"Гонки")},
      {R::StaticText, Q(u"Север")}, {R::StaticText, "2024"},
      {R::StaticText, "t1"}, {R::StaticText, "t2"}, {R::StaticText, "t3"}, {R::StaticText, "t4"},
      {R::StaticText, "t5"}, {R::StaticText, "t6"}, {R::StaticText, "t7"}, {R::StaticText, "t8"},
      {R::StaticText, Q(u"Android приложение")},
      {R::PushButton, Q(u"Ссылка")},
      {R::StaticText, Q(u"QR-Код")},
      {R::Graphic, Q(u"QR-код: Alpha Racer")},
      {R::PushButton, Q(u"Telegram канал")},
      {R::EditableText, Q(u"Поиск")},
      {R::List, Q(u"Игры")},
      {R::PushButton, Q(u"Играть")},
  };
  std::vector<std::pair<R, QString>> seen;
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->parent(), window) << i;
    EXPECT_EQ(window->indexOfChild(child), i);
    seen.emplace_back(child->role(), child->text(QAccessible::Name));
  }
  EXPECT_EQ(seen, expected);
  // The APK button's caption says "link"; its description says what for.
  EXPECT_EQ(Find(QAccessible::PushButton, 0)->text(QAccessible::Description), Q(u"Скачать APK"));
}

// A game that leaves information lines empty shows them empty; a screen
// reader is not handed empty texts to read, and they come back with a game
// that fills them.
TEST_F(AccessibilityTest, EmptyInformationLinesAreLeftOut) {
  Open();
  auto texts = [&] {
    std::vector<QString> seen;
    for (int i = 0; i < Window()->childCount(); ++i) {
      if (Window()->child(i)->role() == QAccessible::StaticText) {
        seen.push_back(Window()->child(i)->text(QAccessible::Name));
      }
    }
    return seen;
  };
  const std::vector<QString> withAlpha = texts();
  EXPECT_EQ(std::count(withAlpha.begin(), withAlpha.end(), "t8"), 1);
  Form().ClickAt(RowX(), RowY(1));  // Бета: only a genre
  const std::vector<QString> withBeta = texts();
  EXPECT_EQ(std::count(withBeta.begin(), withBeta.end(), QString()), 0);
  EXPECT_EQ(std::count(withBeta.begin(), withBeta.end(), Q(u"Аркада")), 1);
  EXPECT_EQ(std::count(withBeta.begin(), withBeta.end(), "t8"), 0);
  EXPECT_EQ(withBeta.size() + 10, withAlpha.size());  // its name and genre are left
  for (int i = 0; i < Window()->childCount(); ++i) EXPECT_EQ(Window()->indexOfChild(Window()->child(i)), i);
  Form().ClickAt(RowX(), RowY(0));
  EXPECT_EQ(texts(), withAlpha);
}

TEST_F(AccessibilityTest, RowsAreListItemsNamedDescribedSelectedAndCheckable) {
  settings_.write("Velmar/favorites.json", "[2]");
  Open();
  QAccessibleInterface* list = List();
  ASSERT_EQ(list->childCount(), 5);
  const char16_t* names[] = {u"Бета", u"Alpha Racer", u"Zero", u"Очень длинное название игры для переноса",
                             u"Бета второй"};
  // The ID, whether the game is a favourite, then its information lines
  // that say anything, in the order they are read on screen; the name line
  // when it only repeats the row's name is not said twice.
  const char16_t* descriptions[] = {
      u"ID 2. В избранном. Аркада",
      u"ID 1. Не в избранном. Альфа. Гонки. Север. 2024. t1. t2. t3. t4. t5. t6. t7. t8",
      u"ID 0. Не в избранном", u"ID -3. Не в избранном", u"ID 2. В избранном"};
  for (int i = 0; i < 5; ++i) {
    QAccessibleInterface* item = list->child(i);
    EXPECT_EQ(item->role(), QAccessible::ListItem);
    EXPECT_EQ(item->text(QAccessible::Name), Q(names[i]));
    EXPECT_EQ(item->text(QAccessible::Description), Q(descriptions[i]));
    EXPECT_EQ(item->parent(), list);
    EXPECT_TRUE(item->state().selectable);
    EXPECT_EQ(item->state().selected, i == 0);
    EXPECT_FALSE(item->state().focused);
    EXPECT_TRUE(item->state().checkable);
    EXPECT_EQ(item->state().checked, GameData::FilteredGames[std::size_t(i)].IsFavorite) << i;
    ASSERT_NE(item->actionInterface(), nullptr);
    EXPECT_EQ(item->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    ASSERT_EQ(item->childCount(), 1);
    QAccessibleInterface* star = item->child(0);
    EXPECT_EQ(star->role(), QAccessible::CheckBox);
    EXPECT_EQ(star->text(QAccessible::Name), Q(u"Избранное"));
    EXPECT_EQ(star->state().checked, GameData::FilteredGames[std::size_t(i)].IsFavorite) << i;
    EXPECT_EQ(star->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::toggleAction()});
  }
  EXPECT_TRUE(list->child(0)->state().checked);
  EXPECT_FALSE(list->child(1)->state().checked);
  // Focus on the list is focus on its selected row.
  Form().PressKey(fmx::vkTab);
  Form().PressKey(fmx::vkTab);
  EXPECT_TRUE(list->state().focused);
  EXPECT_TRUE(list->child(0)->state().focused);
  EXPECT_EQ(Window()->focusChild(), list->child(0));
  Form().PressKey(fmx::vkDown);
  EXPECT_FALSE(list->child(0)->state().focused);
  EXPECT_TRUE(list->child(1)->state().focused);
  EXPECT_TRUE(list->child(1)->state().selected);
}

TEST_F(AccessibilityTest, ButtonsAndTheLinkArePressableAndTextsAreNot) {
  Open();
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* button = Find(QAccessible::PushButton, i);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->state().focusable);
    EXPECT_EQ(button->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  }
  QAccessibleInterface* link = Find(QAccessible::Link);
  EXPECT_EQ(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  EXPECT_TRUE(link->state().linked);
  EXPECT_EQ(Find(QAccessible::StaticText)->actionInterface(), nullptr);
  EXPECT_TRUE(Find(QAccessible::StaticText)->state().readOnly);
}

TEST_F(AccessibilityTest, RectanglesAreTheControlsOnScreenBounds) {
  Open();
  const QPoint origin = Form().NativeWidget()->mapToGlobal(QPoint(0, 0));
  auto at = [&](int x, int y, int w, int h) { return QRect(origin + QPoint(x, y), QSize(w, h)); };
  EXPECT_EQ(Find(QAccessible::PushButton, 2)->rect(), at(702, 565, 230, 50));  // Play
  EXPECT_EQ(Find(QAccessible::PushButton, 0)->rect(), at(378, 500, 100, 100));  // APK
  EXPECT_EQ(Find(QAccessible::Graphic, 0)->rect(), at(15, 20, 672, 400));      // poster
  EXPECT_EQ(Find(QAccessible::Graphic, 1)->rect(), at(508, 500, 100, 100));    // QR square
  EXPECT_EQ(List()->rect(), at(702, 119, 230, 438));
  EXPECT_EQ(Item(3)->rect(), at(702, 119 + 58 * 3, 230, 50));
  EXPECT_EQ(Item(3)->child(0)->rect(), at(702 + 189, 119 + 58 * 3 + 7, 36, 36));
  EXPECT_EQ(Window()->childAt(702 + 10, 570), Find(QAccessible::PushButton, 2));
  EXPECT_EQ(List()->childAt(702 + 10, 119 + 58 + 10), Item(1));
}

TEST_F(AccessibilityTest, RowsScrolledOutOfTheListAreOffscreen) {
  std::string catalog = "[";
  for (int i = 1; i <= 12; ++i) catalog += (i > 1 ? "," : "") + std::string("{\"name\":\"G\"}");
  data_.write("games.json", catalog + "]");
  Open();
  EXPECT_FALSE(Item(0)->state().offscreen);
  EXPECT_FALSE(Item(7)->state().offscreen);  // partly shown
  EXPECT_TRUE(Item(8)->state().offscreen);
}

TEST_F(AccessibilityTest, ActionsRunTheClickHandlersOnTheNextTurn) {
  Open();
  Find(QAccessible::PushButton, 2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(opened_.empty());
  NextTurn();
  EXPECT_EQ(opened_, std::vector<std::u16string>{u"https://example.org/alpha"});

  Item(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  NextTurn();
  EXPECT_EQ(Access().SelectedIndex(), 1);

  Item(0)->child(0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  NextTurn();
  EXPECT_EQ(FavoritesBytes(), "\xEF\xBB\xBF[1]");
  EXPECT_EQ(Item(0)->text(QAccessible::Name), "Alpha Racer");
  EXPECT_TRUE(Item(0)->state().checked);
  EXPECT_EQ(Access().SelectedGameID(), 2);  // the selection stayed with Бета
  EXPECT_TRUE(Item(1)->state().selected);
  EXPECT_TRUE(notices_.empty());
}

// A rebuild frees every row: their objects turn invalid at once, are never
// handed out again, and are gone after the next turn of the event loop. An
// action asked for on a row that is freed before it runs does nothing.
TEST_F(AccessibilityTest, ObjectsOfFreedRowsAreRetired) {
  Open();
  std::vector<QAccessibleInterface*> oldItems;
  std::vector<QAccessible::Id> oldIds;
  for (int i = 0; i < List()->childCount(); ++i) {
    oldItems.push_back(Item(i));
    oldIds.push_back(QAccessible::uniqueId(Item(i)));
    oldIds.push_back(QAccessible::uniqueId(Item(i)->child(0)));
  }
  oldItems[2]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  Access().edtSearch()->TypeText(u"бе");
  for (QAccessibleInterface* item : oldItems) EXPECT_FALSE(item->isValid());
  ASSERT_EQ(List()->childCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(Item(i)->isValid());
    EXPECT_EQ(std::find(oldItems.begin(), oldItems.end(), Item(i)), oldItems.end());
  }
  NextTurn();
  for (QAccessible::Id id : oldIds) EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
  // The press on a freed row did nothing: Alpha, selected before and not
  // listed now, is still the game followed, with no row selected.
  EXPECT_EQ(Access().SelectedGameID(), 1);
  EXPECT_EQ(Access().SelectedIndex(), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(Item(1)->text(QAccessible::Name), Q(u"Бета второй"));
  Close();  // the window's objects go with it, also those not yet retired
}

// A text cut to fit its label is read whole.
TEST_F(AccessibilityTest, CutTextIsReadWhole) {
  const std::u16string longLine = u"Очень длинная строка информации, которая не помещается в метку";
  data_.write("games.json", "[{\"id\": 1, \"name\": \"A\", \"info\": {\"name\": \"" +
                                platform::Utf16ToUtf8(longLine) + "\"}}]");
  Open();
  ASSERT_TRUE(Access().lblRow1Left()->TextCut());
  EXPECT_EQ(Find(QAccessible::StaticText, 3)->text(QAccessible::Name), Q(longLine));  // the first information line
}

TEST_F(AccessibilityTest, PicturesAreNamedAfterWhatTheyShow) {
  Open();
  struct Case {
    int row;
    const char16_t* poster;
    const char16_t* qr;
  };
  const Case cases[] = {{1, u"Постер: Картинка", u"QR-код: нет"},         // files missing
                        {2, u"Постер: Ошибка загрузки", u"QR-код: нет"},  // files broken
                        {0, u"Постер: Alpha Racer", u"QR-код: Alpha Racer"}};
  for (const Case& c : cases) {
    Form().ClickAt(RowX(), RowY(c.row));
    EXPECT_EQ(Find(QAccessible::Graphic, 0)->text(QAccessible::Name), Q(c.poster)) << c.row;
    EXPECT_EQ(Find(QAccessible::Graphic, 1)->text(QAccessible::Name), Q(c.qr)) << c.row;
  }
}

// What a search found and where a star put its game are said without
// moving the focus: each step, taken in turn, and what a screen reader hears.
TEST_F(AccessibilityTest, SearchesAndStarsAreAnnounced) {
  Open();
  struct Step {
    const char* what;
    std::function<void()> act;
    const char16_t* heard;
  };
  const Step steps[] = {
      {"type", [&] { Access().edtSearch()->TypeText(u"бе"); }, u"Найдено игр: 2"},
      {"type more", [&] { Access().edtSearch()->TypeText(u"zz"); }, u"Ничего не найдено"},
      {"backspace", [&] { Access().edtSearch()->PressBackspace(); }, u"Ничего не найдено"},
      {"Escape", [&] {
         Access().edtSearch()->SetFocus();
         Form().PressKey(fmx::vkEscape);
       },
       u"Поиск очищен. Найдено игр: 5"},
      {"star Бета", [&] { Form().ClickAt(StarX(), RowY(1)); },
       u"Добавлено в избранное: Бета. Место в списке: 1 из 5"},
      {"star Alpha", [&] { Form().ClickAt(StarX(), RowY(1)); },
       u"Добавлено в избранное: Alpha Racer. Место в списке: 1 из 5"},
      {"unstar Alpha", [&] { Form().ClickAt(StarX(), RowY(0)); },
       u"Убрано из избранного: Alpha Racer. Место в списке: 2 из 5"},
      {"star Zero, which has no ID to keep", [&] { Form().ClickAt(StarX(), RowY(2)); },
       u"Убрано из избранного: Alpha Racer. Место в списке: 2 из 5"},
      {"type", [&] { Access().edtSearch()->TypeText(u"a"); }, u"Найдено игр: 1"},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(Form().LastAnnouncement(), step.heard) << step.what;
  }
}

}  // namespace
