#include <QLineEdit>

#include "controls_test_support.h"
#include "platform/controls/edit.h"

using namespace fmx;

namespace {

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = MakeForm();
    edit_ = new TEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetPosition(10, 10);
    edit_->SetSize(200, 30);
    edit_->OnChangeTracking = [this](TObject* sender) {
      EXPECT_EQ(sender, edit_);
      seen_.push_back(edit_->Text());
    };
  }
  std::unique_ptr<TForm> form_;
  TEdit* edit_;
  std::vector<std::u16string> seen_;
};

TEST_F(EditTest, EveryKeystrokePasteAndDeletionIsTracked) {
  edit_->TypeText(u"Ёж");
  edit_->PasteText(u"ик");
  edit_->PressBackspace();
  edit_->SelectAll();
  edit_->PressBackspace();
  EXPECT_EQ(seen_, (std::vector<std::u16string>{u"Ё", u"Ёж", u"Ёжик", u"Ёжи", u""}));
}

TEST_F(EditTest, TextSetFromCodeIsTrackedToo) {
  edit_->SetText(u"abc");
  EXPECT_EQ(seen_, std::vector<std::u16string>{u"abc"});
}

TEST_F(EditTest, TransparentStyleDrawsNoFrameAndShowsThePrompt) {
  edit_->SetStyleLookup(u"transparentedit");
  edit_->SetTextPrompt(u"Поиск");
  EXPECT_FALSE(edit_->NativeEdit()->hasFrame());
  EXPECT_EQ(edit_->NativeEdit()->placeholderText(), QString::fromUtf8("Поиск"));
  // Nothing of its own is painted: the window's background shows through
  // where there is no text.
  const TSnapshot shot = form_->Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(200, 35), 0xFF1E1E1E));
}

TEST_F(EditTest, NativeEditFollowsTheControlsRectangle) {
  auto* container = AddRectangle(*form_, form_.get(), 50, 60, 230, 38);
  edit_->SetParent(container);
  edit_->SetAlign(TAlignLayout::Client);
  edit_->SetMargins(12, 4, 12, 4);
  form_->Snapshot();  // syncs native widgets as a paint does
  EXPECT_EQ(edit_->NativeEdit()->geometry(), QRect(62, 64, 206, 30));
}

}  // namespace
