#include <QWidget>

#include <vector>

#include "controls_test_support.h"

using namespace fmx;

namespace {

TEST(Form, FixedFrameCannotBeResizedOrMaximised) {
  TForm form;
  form.SetBorderStyle(TFormBorderStyle::Single);
  form.SetBorderIcons(biSystemMenu | biMinimize);
  form.SetClientWidth(947);
  form.SetClientHeight(700);
  QWidget* window = form.NativeWidget();
  EXPECT_EQ(window->minimumSize(), QSize(947, 700));
  EXPECT_EQ(window->maximumSize(), QSize(947, 700));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(Form, CaptionAndBackground) {
  TForm form;
  form.SetClientWidth(100);
  form.SetClientHeight(50);
  form.SetCaption(u"Velmar");
  form.SetFillColor(0xFF1E1E1E);
  EXPECT_EQ(form.NativeWidget()->windowTitle(), QString("Velmar"));
  EXPECT_EQ(form.Snapshot().Pixel(50, 25), 0xFF1E1E1Eu);
}

TEST(Form, AlignedChildrenFillTheirParentInsideMargins) {
  auto form = MakeForm();
  auto* panel = AddRectangle(*form, form.get(), 10, 10, 270, 180);
  auto* title = AddRectangle(*form, panel, 0, 0, 1, 40);
  title->SetAlign(TAlignLayout::Top);
  auto* body = AddRectangle(*form, panel, 0, 0, 1, 1);
  body->SetMargins(15, 5, 15, 5);
  body->SetAlign(TAlignLayout::Client);
  EXPECT_EQ(title->Width(), 270);
  EXPECT_EQ(title->Height(), 40);
  EXPECT_EQ(body->X(), 15);
  EXPECT_EQ(body->Y(), 45);
  EXPECT_EQ(body->Width(), 240);
  EXPECT_EQ(body->Height(), 130);
  EXPECT_EQ(body->AbsoluteRect().Left, 25);
}

TEST(Form, FreeingAParentFreesItsChildrenAndTheFormFreesTheRest) {
  auto form = MakeForm();
  auto* parent = AddRectangle(*form, form.get(), 0, 0, 10, 10);
  AddRectangle(*form, parent, 0, 0, 5, 5);
  new TRectangle(form.get());  // never parented: the form frees it
  EXPECT_EQ(form->ChildrenCount(), 1u);
  delete parent;
  EXPECT_EQ(form->ChildrenCount(), 0u);
  // AddressSanitizer reports a leak if the form does not free the orphan.
}

// Rows share their handlers: a shared handler keeps running for every control
// that holds it, whatever happens to the others.
TEST(Form, SharedHandlersOutliveTheirHoldersAndChangeAlone) {
  std::vector<int> calls;
  THandlerSlot<TNotifyEvent> shared;
  shared = [&](TObject*) { calls.push_back(1); };
  auto form = MakeForm();
  auto* a = AddRectangle(*form, form.get(), 0, 0, 10, 10);
  auto* b = AddRectangle(*form, form.get(), 10, 0, 10, 10);
  a->OnClick = shared;
  b->OnClick = shared;
  shared = nullptr;  // the holders keep it
  a->Click();
  b->OnClick = [&](TObject*) { calls.push_back(2); };
  a->OnClick = a->OnClick;
  a->Click();
  b->Click();
  delete a;
  b->Click();
  EXPECT_EQ(calls, (std::vector<int>{1, 1, 2, 2}));
}

TEST(Form, DestroyEventRunsOnce) {
  int destroyed = 0;
  {
    TForm form;
    form.OnDestroy = [&](TObject*) { ++destroyed; };
    form.DoDestroy();
    form.DoDestroy();
  }
  EXPECT_EQ(destroyed, 1);
}

}  // namespace

namespace {

#if defined(__SANITIZE_ADDRESS__)
// A freed control must be caught when touched, also after new controls took
// its place, or the tests that free controls inside handlers prove nothing.
TEST(FormDeathTest, TouchingAFreedControlIsReported) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto form = MakeForm();
  EXPECT_DEATH(
      {
        auto* rectangle = AddRectangle(*form, form.get(), 0, 0, 10, 10);
        delete rectangle;
        for (int i = 0; i < 100; ++i) AddRectangle(*form, form.get(), 0, 0, 10, 10);
        volatile int tag = rectangle->Tag();
        (void)tag;
      },
      "heap-use-after-free");
}
#endif

}  // namespace
