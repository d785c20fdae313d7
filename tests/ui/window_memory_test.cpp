// What the window holds for a catalog of one huge text: about the text
// itself, however long it is, not a multiple of it.

#include <fstream>
#include <string>

#include "main_form_fixture.h"
#include "platform/controls/label.h"
#include "support/peak_memory.h"

// Memory the sanitizer holds back after it is freed (to catch late uses) is
// not the window's: this program keeps none, so that the peak is what the
// window itself holds at once.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=0"; }

namespace {

class WindowMemoryTest : public MainFormTest {};

// One 32-million-character name: shown in its row, its details and its
// accessible names. UTF-16 is twice its ASCII bytes.
TEST_F(WindowMemoryTest, OneHugeNameCostsAboutWhatItsTextTakes) {
  constexpr std::size_t kLength = std::size_t{32} << 20;
  {
    std::ofstream file(data_.path() / "games.json", std::ios::binary);
    file << "[{\"id\": 1, \"url\": \"https://v/\", \"name\": \"" << std::string(kLength, 'y')
         << "\"}]";
  }
  const auto growth = testing_support::PeakGrowthDuring([&] {
    Open();
    Access().SelectGame(0);
    Form().Snapshot();
  });
  auto* name = static_cast<fmx::TLabel*>(Access().GamePanels()[0]->Child(1));
  ASSERT_EQ(name->Text().size(), kLength);
  EXPECT_TRUE(name->TextCut());
  EXPECT_LT(name->LaidOutLength(), 10000u);
  if (!growth) GTEST_SKIP() << "the system does not tell the peak resident size";
  EXPECT_LT(*growth, 3 * kLength + (std::size_t{100} << 20))
      << "peak grew by " << (*growth >> 20) << " MB for a " << (kLength >> 20) << " MB file";
}

}  // namespace
