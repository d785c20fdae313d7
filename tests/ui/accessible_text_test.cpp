// The text interface of every text the window exposes (the search box, the
// labels, the link, the rows), read in-process as a screen reader reads it
// over the bridge. Every query must answer at once at any offset: a query
// that does not return within a few seconds ends the test program with the
// query named, instead of hanging it.

#include <QAccessible>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "main_form_fixture.h"
#include "texts/texts.h"

namespace {

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

// Ends the process when a query it watches has not returned in time.
class Watchdog {
 public:
  static constexpr std::chrono::seconds kBound{5};

  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  template <typename Query>
  auto Run(const std::string& what, Query&& query) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      what_ = what;
      busy_ = true;
      ++generation_;
    }
    changed_.notify_all();
    auto answer = query();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      busy_ = false;
    }
    changed_.notify_all();
    return answer;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      if (!busy_) {
        changed_.wait(lock);
        continue;
      }
      const unsigned generation = generation_;
      const bool answered = changed_.wait_for(
          lock, kBound, [&] { return stop_ || !busy_ || generation_ != generation; });
      if (!answered) {
        std::fprintf(stderr, "No answer within %lld s to %s\n", static_cast<long long>(kBound.count()),
                     what_.c_str());
        std::fflush(stderr);
        std::_Exit(1);
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::string what_;
  bool busy_ = false;
  bool stop_ = false;
  unsigned generation_ = 0;
  std::thread thread_;
};

struct Answer {
  QString text;
  int start = -7;
  int end = -7;
};

enum class Query { At, Before, After };

const char* Named(Query query) {
  switch (query) {
    case Query::At: return "textAtOffset";
    case Query::Before: return "textBeforeOffset";
    case Query::After: return "textAfterOffset";
  }
  return "";
}

const char* Named(QAccessible::TextBoundaryType boundary) {
  switch (boundary) {
    case QAccessible::CharBoundary: return "char";
    case QAccessible::WordBoundary: return "word";
    case QAccessible::SentenceBoundary: return "sentence";
    case QAccessible::ParagraphBoundary: return "paragraph";
    case QAccessible::LineBoundary: return "line";
    case QAccessible::NoBoundary: return "none";
  }
  return "";
}

constexpr QAccessible::TextBoundaryType kBoundaries[] = {
    QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};

class AccessibleTextTest : public MainFormTest {
 protected:
  QAccessibleInterface* Window() { return QAccessible::queryAccessibleInterface(Form().NativeWidget()); }

  // Every object in the window's tree that offers a text interface.
  std::vector<QAccessibleInterface*> Texts() {
    std::vector<QAccessibleInterface*> found;
    std::vector<QAccessibleInterface*> pending{Window()};
    while (!pending.empty()) {
      QAccessibleInterface* object = pending.back();
      pending.pop_back();
      if (object->textInterface()) found.push_back(object);
      for (int i = 0; i < object->childCount(); ++i) pending.push_back(object->child(i));
    }
    return found;
  }

  QAccessibleInterface* Search() {
    for (QAccessibleInterface* object : Texts()) {
      if (object->role() == QAccessible::EditableText) return object;
    }
    return nullptr;
  }

  Answer Ask(QAccessibleInterface* object, Query query, int offset,
             QAccessible::TextBoundaryType boundary) {
    const std::string what = std::string(Named(query)) + "(" + std::to_string(offset) + ", " +
                             Named(boundary) + ") of " + object->text(QAccessible::Name).toStdString() +
                             " holding \"" + Full(object).toStdString() + "\"";
    QAccessibleTextInterface* text = object->textInterface();
    return watchdog_.Run(what, [&] {
      Answer answer;
      switch (query) {
        case Query::At: answer.text = text->textAtOffset(offset, boundary, &answer.start, &answer.end); break;
        case Query::Before:
          answer.text = text->textBeforeOffset(offset, boundary, &answer.start, &answer.end);
          break;
        case Query::After:
          answer.text = text->textAfterOffset(offset, boundary, &answer.start, &answer.end);
          break;
      }
      return answer;
    });
  }

  static QString Full(QAccessibleInterface* object) {
    QAccessibleTextInterface* text = object->textInterface();
    return text->text(0, text->characterCount());
  }

  // Asks every query of every boundary at the offsets that matter and checks
  // that each answer is a real part of the text where it should be.
  void Sweep(QAccessibleInterface* object) {
    const QString full = Full(object);
    const int length = int(full.size());
    const std::string name = object->text(QAccessible::Name).toStdString();
    for (int offset : {0, 1, length / 2, length - 1, length, length + 1, length + 100, -1}) {
      if (offset < -1) continue;
      for (QAccessible::TextBoundaryType boundary : kBoundaries) {
        const Answer at = Ask(object, Query::At, offset, boundary);
        const Answer before = Ask(object, Query::Before, offset, boundary);
        const Answer after = Ask(object, Query::After, offset, boundary);
        const std::string where = name + " at " + std::to_string(offset) + " by " + Named(boundary);
        for (const Answer& a : {at, before, after}) {
          ASSERT_LE(0, a.start) << where;
          ASSERT_LE(a.start, a.end) << where;
          ASSERT_LE(a.end, length) << where;
          EXPECT_EQ(a.text, full.mid(a.start, a.end - a.start)) << where;
        }
        EXPECT_LE(before.end, at.start) << where;
        EXPECT_GE(after.start, at.end) << where;
        const int inText = offset == -1 ? length : offset;
        if (boundary == QAccessible::NoBoundary) {
          EXPECT_EQ(at.text, full) << where;
        } else if (inText < length) {
          EXPECT_LE(at.start, inText) << where;
          EXPECT_GT(at.end, inText) << where;
        } else if (boundary == QAccessible::CharBoundary) {
          EXPECT_EQ(at.start, length) << where;  // the end of the text, not (-1, -1)
          EXPECT_EQ(at.end, length) << where;
        } else if (length > 0) {
          EXPECT_EQ(at.end, length) << where;  // the last word, sentence or line
        }
      }
    }
    // One run of attributes covers the whole text, wherever it is asked.
    for (int offset = 0; offset <= length; ++offset) {
      int start = -7, end = -7;
      object->textInterface()->attributes(offset, &start, &end);
      EXPECT_EQ(start, 0) << name << " at " << offset;
      EXPECT_EQ(end, length) << name << " at " << offset;
    }
  }

  Watchdog watchdog_;
};

TEST_F(AccessibleTextTest, EveryTextAnswersEveryBoundaryAtEveryOffset) {
  Open();
  Access().edtSearch()->TypeText(u"a");  // the query shows one game
  const std::vector<QAccessibleInterface*> texts = Texts();
  int edits = 0, labels = 0, rows = 0;
  for (QAccessibleInterface* object : texts) {
    edits += object->role() == QAccessible::EditableText;
    labels += object->role() == QAccessible::StaticText;
    rows += object->role() == QAccessible::ListItem;
    Sweep(object);
  }
  EXPECT_EQ(edits, 1);
  EXPECT_GE(labels, 15);
  EXPECT_EQ(rows, 1);
  // And the search box empty, which a screen reader reads as well.
  Access().edtSearch()->SetText(u"");
  ASSERT_EQ(Search()->textInterface()->characterCount(), 0);
  Sweep(Search());
}

// "Лед пи" read in the search box, as a label and as a row: the answers a
// screen reader moving by character, word and line gets, the end included.
TEST_F(AccessibleTextTest, WordsAndCharactersOfATwoWordText) {
  data_.write("games.json", "[{\"id\": 1, \"name\": \"Лед пи\", \"info\": {\"genre\": \"Лед пи\"}}]");
  Open();
  Access().edtSearch()->TypeText(u"Лед пи");
  struct Case {
    Query query;
    int offset;
    QAccessible::TextBoundaryType boundary;
    const char16_t* text;
    int start, end;
  };
  const Case cases[] = {
      {Query::At, 0, QAccessible::CharBoundary, u"Л", 0, 1},
      {Query::At, 6, QAccessible::CharBoundary, u"", 6, 6},
      {Query::At, 9, QAccessible::CharBoundary, u"", 6, 6},
      {Query::Before, 6, QAccessible::CharBoundary, u"и", 5, 6},
      {Query::After, 6, QAccessible::CharBoundary, u"", 6, 6},
      {Query::Before, 0, QAccessible::CharBoundary, u"", 0, 0},
      {Query::At, 2, QAccessible::WordBoundary, u"Лед", 0, 3},
      {Query::At, 3, QAccessible::WordBoundary, u" ", 3, 4},
      {Query::At, 6, QAccessible::WordBoundary, u"пи", 4, 6},
      {Query::At, -1, QAccessible::WordBoundary, u"пи", 4, 6},
      {Query::Before, 6, QAccessible::WordBoundary, u" ", 3, 4},
      {Query::After, 0, QAccessible::WordBoundary, u" ", 3, 4},
      {Query::After, 6, QAccessible::WordBoundary, u"", 6, 6},
      {Query::At, 6, QAccessible::SentenceBoundary, u"Лед пи", 0, 6},
      {Query::At, 6, QAccessible::LineBoundary, u"Лед пи", 0, 6},
      {Query::At, 3, QAccessible::NoBoundary, u"Лед пи", 0, 6},
  };
  QAccessibleInterface* label = nullptr;
  QAccessibleInterface* row = nullptr;
  for (QAccessibleInterface* object : Texts()) {
    if (object->role() == QAccessible::StaticText && Full(object) == Q(u"Лед пи")) label = object;
    if (object->role() == QAccessible::ListItem) row = object;
  }
  ASSERT_NE(label, nullptr);
  ASSERT_NE(row, nullptr);
  for (QAccessibleInterface* object : {Search(), label, row}) {
    ASSERT_EQ(Full(object), Q(u"Лед пи"));
    for (const Case& c : cases) {
      const Answer answer = Ask(object, c.query, c.offset, c.boundary);
      const std::string where = std::string(Named(c.query)) + "(" + std::to_string(c.offset) + ", " +
                                Named(c.boundary) + ") of role " + std::to_string(object->role());
      EXPECT_EQ(answer.text, Q(c.text)) << where;
      EXPECT_EQ(answer.start, c.start) << where;
      EXPECT_EQ(answer.end, c.end) << where;
    }
  }
}

// Arriving by Tab selects the whole query, and that is what is read as
// selected: not all but its last character.
TEST_F(AccessibleTextTest, TheWholeQueryIsTheSelectionAfterTab) {
  Open();
  Access().edtSearch()->TypeText(u"Лед");
  Access().edtSearch()->SetFocus();
  Form().PressKey(fmx::vkTab);
  Form().PressKey(fmx::vkTab, fmx::ssShift);
  QAccessibleTextInterface* text = Search()->textInterface();
  ASSERT_EQ(text->selectionCount(), 1);
  int start = -7, end = -7;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 3);
  EXPECT_EQ(text->text(start, end), Q(u"Лед"));
  EXPECT_EQ(text->cursorPosition(), 3);
}

// The labels tell where their characters are drawn: a review of the screen
// reads the footer's sentence and then the version to its right, and the
// characters of a line run left to right.
TEST_F(AccessibleTextTest, CharactersAreWhereTheyAreDrawn) {
  Open();
  QAccessibleInterface* notice = nullptr;
  QAccessibleInterface* link = nullptr;
  QAccessibleInterface* version = nullptr;
  for (QAccessibleInterface* object : Texts()) {
    const QString full = Full(object);
    if (full == Q(texts::kFooterNotice)) notice = object;
    if (full == Q(texts::kFooterLink)) link = object;
    if (full == Q(texts::kVersion)) version = object;
  }
  ASSERT_NE(notice, nullptr);
  ASSERT_NE(link, nullptr);
  ASSERT_NE(version, nullptr);
  auto rect = [](QAccessibleInterface* object, int offset) {
    return object->textInterface()->characterRect(offset);
  };
  const int noticeLength = notice->textInterface()->characterCount();
  for (int i = 1; i < noticeLength; ++i) {
    ASSERT_FALSE(rect(notice, i).isEmpty()) << i;
    EXPECT_GE(rect(notice, i).left(), rect(notice, i - 1).left()) << i;
    EXPECT_EQ(rect(notice, i).top(), rect(notice, 0).top()) << i;
  }
  EXPECT_TRUE(notice->rect().contains(rect(notice, 0)));
  // The link follows the notice on its line; the version, drawn at the
  // right end of a wide label, begins after the link ends.
  EXPECT_GE(rect(link, 0).left(), rect(notice, noticeLength - 1).right());
  EXPECT_EQ(rect(link, 0).top(), rect(notice, 0).top());
  EXPECT_GT(rect(version, 0).left(), rect(link, link->textInterface()->characterCount() - 1).right());
  EXPECT_GT(rect(version, 0).left(), version->rect().left());
  EXPECT_TRUE(rect(notice, noticeLength).isEmpty());  // past the end
  EXPECT_EQ(notice->textInterface()->offsetAtPoint(rect(notice, 5).center()), 5);
}

}  // namespace
