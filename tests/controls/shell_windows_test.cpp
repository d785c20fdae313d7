// The shell on Windows: ShellExecuteW hands an address to the default
// browser. Under Wine that is winebrowser, which runs the browsers its
// setting names: here a script that writes down what it got.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/controls/shell.h"
#include "support/temp_folder.h"

namespace {

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TEST(ShellWindows, AnAddressReachesTheBrowserUnchanged) {
  if (!UnderWine()) GTEST_SKIP() << "on Windows the address opens the user's own browser";
  const std::filesystem::path log = L"C:\\velmar-addresses.txt";
  std::filesystem::remove(log);
  const std::string recorder = VELMAR_ADDRESS_RECORDER;
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ,
                            recorder.c_str(), static_cast<DWORD>(recorder.size() + 1)),
            ERROR_SUCCESS);

  // Wine's browser escapes spaces; everything else arrives as it was sent.
  const std::u16string address = u"https://velmar.example/игры?a=1&b=2#Ёж";
  fmx::ShellOpen(address);
  // The browser is started, not waited for.
  std::string got;
  for (int i = 0; i < 100 && got.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    got = testing_support::ReadBytes(log);
  }
  EXPECT_EQ(got, "https://velmar.example/игры?a=1&b=2#Ёж\n");
  std::filesystem::remove(log);
}

}  // namespace
