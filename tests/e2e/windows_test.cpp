// tavi.exe as Windows 95, 98, NT 4.0, 2000, XP and 10 see it: a click's seven posts in each; its version record and
// icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/driver/tavi_app.h"

namespace {

using driver::Roomsim;
using driver::TaviApp;

// As Windows 95 and 98, tavi takes its ANSI path (GetVersion says 9x), also in
// the preview; as NT 4.0, 2000 and XP, the structures of before Vista; before
// 2000, the plain message wait. tests/compat/relay_check.sh runs this test and reads Wine's trace of the
// 95, 98, NT 4.0, 2000 and XP runs, which they write to standard error.
TEST(WindowsVersions, SevenExactPostsInEach) {
  Roomsim room;
  ASSERT_TRUE(room.ready());
  const std::string expected[7] = {
      "O\x95"
      "E\x95 \x95P\x95"
      "a\x95"
      "e\x95l\x95l\x95"
      "a\x95?\x95\x95",
      "\x8C P\xE6ll<b>\xE1</b>\xBF",
      "O-E- -P-a-e-l-l-a-?--",
      "O.E. .P.a.e.l.l.a.?..",
      "",
      "",
      "<sup>O</sup>E<sub> </sub>P<sup>a</sup>e<sub>l</sub>l<sup>a</sup>?<sub></sub>",
  };
  std::size_t seen = 0;
  for (const std::string version : {"win10", "win2k", "winxp", "nt40", "win98", "win95"}) {
    SCOPED_TRACE(version);
    const driver::RegistryValue as(driver::RegistryValue::kTaviVersion, "Version", version);
    const bool traced = version != "win10";
    if (traced) std::fprintf(stderr, "relay-check: tavi.exe as %s\n", version.c_str());
    TaviApp tavi(traced ? "WINEDEBUG=-all,+relay,+loaddll" : "");
    ASSERT_TRUE(tavi.ready());
    tavi.SetText(tavi.text1, L"OE Paella?");
    tavi.Click();
    ASSERT_TRUE(room.WaitForPosts(seen + 7));
    const auto posts = room.Posts();
    for (std::size_t k = 0; k < 7; ++k) {
      const std::string& line = posts[seen + k].bytes;
      if (k == 4 || k == 5) {
        // Random colours: one tag a character, the text between them.
        EXPECT_EQ(line.size(), 71u * 4 + 10);
        EXPECT_EQ(line.substr(0, 14), "<FONT COLOR=\"#");
        EXPECT_EQ(line.substr(21, 7), "><pre>O");
      } else {
        EXPECT_EQ(line, expected[k]) << "post " << k + 1;
      }
      // About a second apart: each wait lasts from half a second to one and
      // a half (the upper bound here only catches a run that stalls).
      const double gap = k > 0 ? posts[seen + k].t - posts[seen + k - 1].t : 1.0;
      EXPECT_GT(gap, 0.45) << "before post " << k + 1;
      EXPECT_LT(gap, 10.0) << "before post " << k + 1;
    }
    // The preview, drawn and read out through this Windows' functions (the trace shows them).
    tavi.PressKey(VK_F2);
    EXPECT_TRUE(driver::WaitUntil([&] { return tavi.Preview() != nullptr; }, 30));
    // High contrast turned on or off: tavi asks again (the trace shows it).
    SendMessageW(tavi.form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    tavi.Close();
    ASSERT_TRUE(tavi.process().WaitForExit(60));
    seen += 7;
  }
}

TEST(Resources, VersionRecordAndIcon) {
  const std::string path = driver::TaviExe();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const std::vector<DWORD> versions = {fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                       fixed->dwProductVersionLS, fixed->dwFileOS};
  // 1.0.0.0 twice, for 32-bit Windows of both families (95 and NT)
  EXPECT_EQ(versions, (std::vector<DWORD>{0x00010000, 0, 0x00010000, 0, VOS__WINDOWS32}));
  WORD* translation = nullptr;
  ASSERT_TRUE(
      VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);  // one string table: U.S. English, code page 1200
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
  for (const char* name : {"FileVersion", "ProductVersion"}) {
    char* value = nullptr;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    EXPECT_STREQ(value, "1.00") << name;
  }

  // The icon: 32x32 and 16x16 images, each at 24 and 8 bits per pixel.
  HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const auto* dir = static_cast<const BYTE*>(
      LockResource(LoadResource(exe, FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)))));
  ASSERT_NE(dir, nullptr);
  std::vector<std::string> images;
  for (const BYTE* e = dir + 6; e < dir + 6 + 14 * dir[4]; e += 14)  // 14-byte entries after a 6-byte head
    images.push_back(std::to_string(e[0]) + "x" + std::to_string(e[1]) + "x" + std::to_string(e[6]));
  std::sort(images.begin(), images.end());
  EXPECT_EQ(images, (std::vector<std::string>{"16x16x24", "16x16x8", "32x32x24", "32x32x8"}));
  FreeLibrary(exe);
}

}  // namespace
