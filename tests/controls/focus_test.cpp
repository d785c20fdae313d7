// Keyboard focus in the control layer: the tab order, what Tab passes over,
// the native edit's keys, Enter and Space on a focused control, and the
// focus ring. Keys are real key events sent to whatever holds the focus.

#include <QLineEdit>

#include <map>

#include "controls_test_support.h"
#include "platform/controls/edit.h"

using namespace fmx;

namespace {

// Four rectangles and an edit in one tab order: "b" cannot take focus,
// "c" lies in a hidden panel.
class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = MakeForm();
    a_ = Focusable(AddRectangle(*form_, form_.get(), 10, 10, 60, 40), "a");
    a_->SetXRadius(8);
    a_->SetYRadius(8);
    b_ = AddRectangle(*form_, form_.get(), 80, 10, 60, 40);
    names_[b_] = "b";
    hiddenPanel_ = AddRectangle(*form_, form_.get(), 150, 10, 60, 40);
    hiddenPanel_->SetVisible(false);
    c_ = Focusable(AddRectangle(*form_, hiddenPanel_, 0, 0, 60, 40), "c");
    d_ = Focusable(AddRectangle(*form_, form_.get(), 10, 100, 60, 40), "d");
    edit_ = new TEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetBounds(100, 100, 150, 30);
    names_[edit_] = "edit";
    form_->SetTabOrder({a_, b_, c_, d_, edit_});
  }

  TRectangle* Focusable(TRectangle* control, std::string name) {
    control->SetCanFocus(true);
    control->OnClick = [this, name](TObject*) { log_.push_back("click:" + name); };
    names_[control] = name;
    return control;
  }

  std::string FocusName() const {
    const auto found = names_.find(form_->Focused());
    return found == names_.end() ? "none" : found->second;
  }

  std::unique_ptr<TForm> form_;
  TRectangle *a_, *b_, *hiddenPanel_, *c_, *d_;
  TEdit* edit_;
  std::map<const TControl*, std::string> names_;
  std::vector<std::string> log_;
};

struct TabCase {
  const char* label;
  std::vector<unsigned> tabs;  // shift state of each Tab
  std::vector<std::string> focus;
};

void PrintTo(const TabCase& c, std::ostream* os) { *os << c.label; }

class TabOrder : public FocusTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrder, PassesOverWhatCannotTakeFocus) {
  std::vector<std::string> seen;
  for (unsigned shift : GetParam().tabs) {
    form_->PressKey(vkTab, shift);
    seen.push_back(FocusName());
  }
  EXPECT_EQ(seen, GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TabOrder,
    ::testing::Values(TabCase{"forward_and_wrapping", {0, 0, 0, 0}, {"a", "d", "edit", "a"}},
                      TabCase{"backward_from_nothing_starts_at_the_end", {ssShift, ssShift, ssShift},
                              {"edit", "d", "a"}},
                      TabCase{"tab_out_of_the_native_edit_and_back", {0, 0, 0, 0, ssShift},
                              {"a", "d", "edit", "a", "edit"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FocusTest, NativeFocusFollowsTheLayersFocus) {
  QWidget* host = form_->NativeWidget();
  form_->PressKey(vkTab);
  form_->PressKey(vkTab);
  form_->PressKey(vkTab);
  EXPECT_EQ(host->focusWidget(), edit_->NativeEdit());
  edit_->TypeText(u"ab");
  EXPECT_EQ(edit_->Text(), u"ab");  // keys no handler takes reach the edit
  form_->PressKey(vkTab);
  EXPECT_EQ(FocusName(), "a");
  EXPECT_EQ(host->focusWidget(), host);
  EXPECT_EQ(edit_->Text(), u"ab");  // Tab typed nothing
}

TEST_F(FocusTest, ShowingTheHiddenPanelPutsItsControlInTheOrder) {
  hiddenPanel_->SetVisible(true);
  form_->PressKey(vkTab);
  form_->PressKey(vkTab);
  EXPECT_EQ(FocusName(), "c");
}

TEST_F(FocusTest, HidingOrFreeingTheFocusedControlDropsTheFocus) {
  form_->PressKey(vkTab);
  ASSERT_EQ(FocusName(), "a");
  a_->SetVisible(false);
  EXPECT_EQ(form_->Focused(), nullptr);
  a_->SetFocus();  // a hidden control is never given the focus
  EXPECT_EQ(form_->Focused(), nullptr);
  form_->PressKey(vkTab);
  EXPECT_EQ(FocusName(), "d");
  delete d_;
  EXPECT_EQ(form_->Focused(), nullptr);
  form_->PressKey(vkTab);  // the freed control left the tab order too
  EXPECT_EQ(FocusName(), "edit");
}

TEST_F(FocusTest, EnterAndSpacePressTheFocusedControlUnlessAHandlerTookThem) {
  form_->PressKey(vkTab);
  form_->PressKey(vkReturn, 0, u"\r");
  form_->PressKey(vkSpace, 0, u" ");
  form_->PressKey(vkReturn, ssCtrl, u"\r");  // not a press
  a_->OnKeyDown = [](TObject*, TKeyInfo& key) { key.Handled = key.Key == vkSpace; };
  form_->PressKey(vkSpace, 0, u" ");
  form_->PressKey(vkReturn, 0, u"\r");
  EXPECT_EQ(log_, (std::vector<std::string>{"click:a", "click:a", "click:a"}));
}

TEST_F(FocusTest, WindowHandlerSeesOnlyKeysNoControlTook) {
  std::vector<TKey> seen;
  form_->OnKeyDown = [&](TObject* sender, TKeyInfo& key) {
    EXPECT_EQ(sender, form_.get());
    seen.push_back(key.Key);
  };
  form_->PressKey(vkTab);
  form_->PressKey(vkReturn, 0, u"\r");  // pressed a
  form_->PressKey(vkF3);
  form_->PressKey('F', ssCtrl);
  EXPECT_EQ(seen, (std::vector<TKey>{vkTab, vkF3, 'F'}));
}

TEST_F(FocusTest, PressFocusesTheControlItLandsInWithoutARing) {
  auto* inner = AddRectangle(*form_, d_, 5, 5, 10, 10);  // takes no focus itself
  (void)inner;
  form_->ClickAt(20, 110);
  EXPECT_EQ(FocusName(), "d");
  EXPECT_FALSE(form_->FocusVisible());
  form_->ClickAt(80 + 30, 30);  // "b" cannot take focus: nothing has it
  EXPECT_EQ(form_->Focused(), nullptr);
}

// 2 pixels of 008BCC just outside the control, following its corners; not
// there before the keyboard moved the focus.
TEST_F(FocusTest, RingIsDrawnAroundTheFocusedControlAfterKeyboardUse) {
  a_->SetFillColor(0xFF404040);
  form_->ClickAt(40, 30);
  EXPECT_EQ(form_->Snapshot().Pixel(8, 30), 0xFF1E1E1Eu);
  form_->PressKey(vkTab);
  form_->PressKey(vkTab, ssShift);
  const TSnapshot shot = form_->Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(8, 30), 0xFF008BCC, 20));   // left side
  EXPECT_TRUE(ColorNear(shot.Pixel(40, 8), 0xFF008BCC, 20));   // top side
  EXPECT_TRUE(ColorNear(shot.Pixel(9.5f, 9.5f), 0xFF1E1E1E, 8));  // rounded corner left open
  EXPECT_TRUE(ColorNear(shot.Pixel(40, 30), 0xFF404040, 2));   // the control itself untouched
  EXPECT_TRUE(ColorNear(shot.Pixel(5, 30), 0xFF1E1E1E, 2));    // 2 wide, no more
}

}  // namespace
