// Pointer routing: events are pushed at the window's root at named points and
// the handlers that ran are recorded; no handler is ever called directly.

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QWidget>

#include <map>

#include "controls_test_support.h"
#include "platform/controls/edit.h"
#include "platform/controls/message_box.h"
#include "platform/controls/scroll_box.h"

using namespace fmx;

namespace {

// A row (hit test on) with a badge and a name (hit test off) and a star
// (hit test on); a clipping panel with a child that sticks out; a hidden
// button; a scroll box with two rows, one scrolled out of view; an edit box
// (a native child widget).
class RoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = MakeForm();
    row_ = Named(AddRectangle(*form_, form_.get(), 10, 10, 200, 50), "row");
    badge_ = Named(AddRectangle(*form_, row_, 5, 5, 40, 40), "badge");
    badge_->SetHitTest(false);
    auto* name = new TLabel(form_.get());
    name->SetParent(row_);
    name->SetPosition(50, 0);
    name->SetSize(100, 50);
    star_ = Named(AddRectangle(*form_, row_, 160, 7, 36, 36), "star");
    star_->SetCursor(TCursor::crHandPoint);

    clip_ = Named(AddRectangle(*form_, form_.get(), 10, 100, 50, 50), "clip");
    clip_->SetClipChildren(true);
    Named(AddRectangle(*form_, clip_, 30, 0, 60, 20), "sticking-out");

    hidden_ = Named(AddRectangle(*form_, form_.get(), 220, 10, 50, 50), "hidden");
    hidden_->SetVisible(false);

    box_ = new TVertScrollBox(form_.get());
    box_->SetParent(form_.get());
    box_->SetPosition(220, 100);
    box_->SetSize(70, 60);
    Named(AddRectangle(*form_, box_, 0, 0, 70, 50), "box-row0");
    Named(AddRectangle(*form_, box_, 0, 58, 70, 50), "box-row1");

    edit_ = new TEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetBounds(70, 165, 140, 30);
    Named(edit_, "edit");
  }

  template <typename Control>
  Control* Named(Control* control, std::string name) {
    names_[control] = name;
    control->OnClick = [this](TObject* s) { Log("click", s); };
    control->OnMouseEnter = [this](TObject* s) { Log("enter", s); };
    control->OnMouseLeave = [this](TObject* s) { Log("leave", s); };
    return control;
  }

  void Log(const char* what, TObject* sender) {
    log_.push_back(std::string(what) + ":" + names_[static_cast<TControl*>(sender)]);
  }

  std::unique_ptr<TForm> form_;
  TRectangle *row_, *badge_, *star_, *clip_, *hidden_;
  TVertScrollBox* box_;
  TEdit* edit_;
  std::map<TControl*, std::string> names_;
  std::vector<std::string> log_;
};

struct Step {
  char action;  // m move, d down, u up, l leave the window, h hide the control
                // at the point, e the pointer enters the native edit
  float x, y;
};

struct PathCase {
  const char* label;
  std::vector<Step> steps;
  std::vector<std::string> expected;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.label; }

class PointerPaths : public RoutingTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(PointerPaths, RaiseExactlyTheseEvents) {
  for (const Step& step : GetParam().steps) {
    switch (step.action) {
      case 'm': form_->PointerMove(step.x, step.y); break;
      case 'd': form_->PointerDown(step.x, step.y); break;
      case 'u': form_->PointerUp(step.x, step.y); break;
      case 'l': form_->PointerLeave(); break;
      case 'h': form_->ControlAtPoint(step.x, step.y)->SetVisible(false); break;
      case 'e': {
        // What Qt sends the child widget; the window's own widget gets no leave.
        QEnterEvent enter(QPointF(5, 5), QPointF(75, 170), QPointF(75, 170));
        QCoreApplication::sendEvent(edit_->NativeEdit(), &enter);
        break;
      }
    }
  }
  EXPECT_EQ(log_, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PointerPaths,
    ::testing::Values(
        PathCase{"onto_row", {{'m', 100, 30}}, {"enter:row"}},
        PathCase{"row_to_star_and_back",
                 {{'m', 100, 30}, {'m', 185, 30}, {'m', 100, 30}},
                 {"enter:row", "leave:row", "enter:star", "leave:star", "enter:row"}},
        PathCase{"row_to_badge_is_no_leave", {{'m', 100, 30}, {'m', 30, 30}}, {"enter:row"}},
        PathCase{"click_on_badge_is_a_row_click",
                 {{'m', 30, 30}, {'d', 30, 30}, {'u', 30, 30}},
                 {"enter:row", "click:row"}},
        PathCase{"click_on_star_never_reaches_the_row",
                 {{'m', 185, 30}, {'d', 185, 30}, {'u', 185, 30}},
                 {"enter:star", "click:star"}},
        PathCase{"press_and_release_on_different_controls_is_no_click",
                 {{'m', 100, 30}, {'d', 100, 30}, {'m', 185, 30}, {'u', 185, 30}},
                 {"enter:row", "leave:row", "enter:star"}},
        PathCase{"leaving_the_window", {{'m', 100, 30}, {'l', 0, 0}}, {"enter:row", "leave:row"}},
        PathCase{"clipped_part_is_not_under_the_pointer",
                 {{'m', 70, 105}, {'d', 70, 105}, {'u', 70, 105}},
                 {}},
        PathCase{"visible_part_of_clipped_child",
                 {{'m', 45, 105}, {'d', 45, 105}, {'u', 45, 105}},
                 {"enter:sticking-out", "click:sticking-out"}},
        PathCase{"hidden_control_is_passed_over", {{'m', 240, 30}, {'d', 240, 30}, {'u', 240, 30}}, {}},
        PathCase{"scroll_box_row_in_view", {{'m', 250, 120}}, {"enter:box-row0"}},
        PathCase{"scroll_box_row_out_of_view_is_not_hit", {{'m', 250, 165}}, {}},
        PathCase{"hiding_the_control_under_the_pointer_sends_its_leave_at_once",
                 {{'m', 185, 30}, {'h', 185, 30}, {'m', 186, 30}},
                 {"enter:star", "leave:star", "enter:row"}},
        PathCase{"hiding_a_parent_sends_leave_to_the_control_under_the_pointer",
                 {{'m', 185, 30}, {'h', 100, 30}, {'d', 185, 30}, {'u', 185, 30}},
                 {"enter:star", "leave:star"}},
        PathCase{"from_a_painted_control_straight_onto_the_native_edit",
                 {{'m', 100, 30}, {'e', 0, 0}, {'m', 100, 30}},
                 {"enter:row", "leave:row", "enter:edit", "leave:edit", "enter:row"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RoutingTest, CursorIsThatOfTheControlUnderThePointer) {
  form_->PointerMove(185, 30);
  EXPECT_EQ(form_->NativeWidget()->cursor().shape(), Qt::PointingHandCursor);
  form_->PointerMove(100, 30);
  EXPECT_EQ(form_->NativeWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(RoutingTest, ScrolledContentIsHitWhereItNowIs) {
  box_->SetViewportPositionY(40);
  form_->PointerMove(250, 120);  // content y 60: the second row
  EXPECT_EQ(log_, std::vector<std::string>{"enter:box-row1"});
}

// The router passes over a control for a point outside it when everything in
// it lies within it, which it works out once and must forget when anything
// inside moves or arrives: a control sticking out of a parent that does not
// clip is under the pointer where it sticks out.
TEST_F(RoutingTest, ControlStickingOutOfAnUnclippedParentIsFoundWhereverItMoved) {
  EXPECT_NE(form_->ControlAtPoint(185, 80), star_);  // below the row: all of it lies within
  star_->SetPosition(160, 55);                       // the star now hangs below the row
  EXPECT_EQ(form_->ControlAtPoint(185, 80), star_);
  auto* inner = AddRectangle(*form_, star_, -100, 20, 10, 10);  // out of the star and the row
  EXPECT_EQ(form_->ControlAtPoint(75, 90), inner);
  star_->SetPosition(160, 7);
  EXPECT_EQ(form_->ControlAtPoint(75, 42), inner);
  EXPECT_NE(form_->ControlAtPoint(75, 90), inner);
  EXPECT_NE(form_->ControlAtPoint(185, 80), star_);
  inner->SetPosition(0, 0);  // back inside: the row holds everything again
  EXPECT_EQ(form_->ControlAtPoint(175, 22), inner);
  EXPECT_EQ(form_->ControlAtPoint(75, 42), row_);
}

// A handler may free the very control that raised its event, and the controls
// around it: the router must not touch them afterwards (AddressSanitizer
// reports any access).
TEST_F(RoutingTest, HandlerMayFreeTheControlThatRaisedTheEvent) {
  int rebuilds = 0;
  std::function<void()> build;
  build = [&] {
    auto* row = AddRectangle(*form_, form_.get(), 10, 10, 200, 50);
    auto* star = AddRectangle(*form_, row, 160, 7, 36, 36);
    row->OnMouseLeave = [](TObject* s) { static_cast<TRectangle*>(s)->SetFillColor(0xFF000000); };
    star->OnClick = [&, row](TObject*) {
      ++rebuilds;
      delete row;  // frees the star too
      build();
    };
    star->OnMouseLeave = [](TObject* s) { static_cast<TRectangle*>(s)->SetFillColor(0xFF000001); };
  };
  delete row_;
  build();
  for (int i = 0; i < 3; ++i) {
    form_->PointerMove(185, 30);
    form_->PointerDown(185, 30);
    form_->PointerUp(185, 30);
  }
  form_->PointerMove(100, 30);
  form_->PointerLeave();
  EXPECT_EQ(rebuilds, 3);
}

TEST_F(RoutingTest, FreeingTheHoveredControlForgetsIt) {
  form_->PointerMove(185, 30);
  ASSERT_EQ(form_->Hovered(), star_);
  delete row_;
  EXPECT_EQ(form_->Hovered(), nullptr);
  form_->PointerMove(186, 30);  // nothing there any more; no leave to a freed control
  EXPECT_EQ(log_, std::vector<std::string>{"enter:star"});
}

TEST_F(RoutingTest, ErrorRaisedInAHandlerBecomesANotice) {
  std::vector<std::u16string> notices;
  auto previous = SetMessageHandler([&](const std::u16string& text) { notices.push_back(text); });
  star_->OnClick = [](TObject*) { throw std::runtime_error("boom"); };
  form_->ClickAt(185, 30);
  SetMessageHandler(previous);
  EXPECT_EQ(notices, std::vector<std::u16string>{u"boom"});
}

}  // namespace
