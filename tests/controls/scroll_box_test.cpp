#include <QCoreApplication>
#include <QElapsedTimer>

#include "controls_test_support.h"
#include "platform/controls/scroll_box.h"

using namespace fmx;

namespace {

// A 230 by 438 list of twenty 50-high rows, 58 apart.
class ScrollBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = MakeForm();
    form_->SetClientHeight(500);
    box_ = new TVertScrollBox(form_.get());
    box_->SetParent(form_.get());
    box_->SetSize(230, 438);
    for (int i = 0; i < 20; ++i) {
      auto* row = AddRectangle(*form_, box_, 0, 58.0f * i, 230, 50);
      row->SetTag(i);
      row->OnClick = [this](TObject* s) { clicked_.push_back(static_cast<TControl*>(s)->Tag()); };
    }
  }

  void WaitWhileScrolling() {
    QElapsedTimer timer;
    timer.start();
    while (box_->IsScrolling() && timer.elapsed() < 20000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_FALSE(box_->IsScrolling()) << "the scroll animation did not end";
  }

  std::unique_ptr<TForm> form_;
  TVertScrollBox* box_;
  std::vector<int> clicked_;
};

TEST_F(ScrollBoxTest, ContentCanBeCountedReadAndEmptied) {
  EXPECT_EQ(box_->ContentCount(), 20u);
  EXPECT_EQ(box_->ContentChild(3)->Tag(), 3);
  EXPECT_EQ(box_->ContentHeight(), 58.0f * 19 + 50);
  box_->ClearContent();
  EXPECT_EQ(box_->ContentCount(), 0u);
  EXPECT_EQ(box_->ContentHeight(), 0.0f);
}

TEST_F(ScrollBoxTest, PositionIsClampedToTheContent) {
  box_->SetViewportPositionY(-50);
  EXPECT_EQ(box_->ViewportPositionY(), 0.0f);
  box_->SetViewportPositionY(1e6f);
  EXPECT_EQ(box_->ViewportPositionY(), box_->ContentHeight() - 438);
}

TEST_F(ScrollBoxTest, WheelScrollsDownAndStopsAtTheEnd) {
  form_->Wheel(100, 100, 15);
  WaitWhileScrolling();
  const float afterOneNotch = box_->ViewportPositionY();
  EXPECT_GT(afterOneNotch, 50.0f);
  for (int i = 0; i < 40; ++i) form_->Wheel(100, 100, 15);
  WaitWhileScrolling();
  EXPECT_NEAR(box_->ViewportPositionY(), box_->ContentHeight() - 438, 0.5f);
}

TEST_F(ScrollBoxTest, DraggingScrollsAndIsNoClick) {
  long t = 1000;
  form_->PointerMove(100, 400);
  form_->PointerDown(100, 400, t);
  for (int y = 390; y >= 100; y -= 10) form_->PointerMove(100, float(y), true, t += 16);
  form_->PointerUp(100, 100, t += 16);
  WaitWhileScrolling();
  EXPECT_GT(box_->ViewportPositionY(), 100.0f);
  EXPECT_TRUE(clicked_.empty());
}

TEST_F(ScrollBoxTest, ClickWithoutMovingIsAClick) {
  form_->ClickAt(100, 70);
  EXPECT_EQ(clicked_, std::vector<int>{1});
}

TEST_F(ScrollBoxTest, NoScrollBarIsEverDrawn) {
  box_->SetShowScrollBars(true);
  box_->SetViewportPositionY(200);
  const TSnapshot shot = form_->Snapshot();
  // Rows are FFE0E0E0 edge to edge; a scroll bar would paint over the right
  // edge of the rows.
  for (float y = 10; y < 430; y += 7) {
    const std::uint32_t right = shot.Pixel(226, y), middle = shot.Pixel(115, y);
    EXPECT_EQ(right, middle) << "at y " << y;
  }
}

}  // namespace
