// tavi.exe's version record, icon images and manifest, read back from the PE with Windows' own calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support.h"

namespace {

std::string TaviPath() { return e2e::ExeDir() + "\\tavi.exe"; }

TEST(Resources, VersionRecord) {
  const std::string path = TaviPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);

  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, sizeof(Translation));  // one string table
  EXPECT_EQ(translations[0].language, 0x0409);
  EXPECT_EQ(translations[0].codePage, 1200);

  for (const char* name : {"FileVersion", "ProductVersion"}) {
    char* value = nullptr;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    EXPECT_STREQ(value, "1.00") << name;
  }
  for (const char* name : {"CompanyName", "ProductName", "OriginalFilename", "FileDescription"}) {
    char* value = nullptr;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    EXPECT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
  }
}

#pragma pack(push, 2)
struct IconDirEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconDir {
  WORD reserved, type, count;
  IconDirEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, IconHasFourImages) {
  HMODULE exe = LoadLibraryExA(TaviPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* dir = static_cast<const IconDir*>(LockResource(LoadResource(exe, group)));
  ASSERT_EQ(dir->count, 4);
  std::vector<std::string> images;
  for (int i = 0; i < dir->count; ++i) {
    const IconDirEntry& e = dir->entries[i];
    images.push_back(std::to_string(e.width) + "x" + std::to_string(e.height) + "x" + std::to_string(e.bitCount));
    // Each image is there and is what the directory says.
    HRSRC image = FindResourceA(exe, MAKEINTRESOURCEA(e.id), MAKEINTRESOURCEA(3));  // RT_ICON
    ASSERT_NE(image, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, image)));
    EXPECT_EQ(header->biWidth, e.width);
    EXPECT_EQ(header->biHeight, 2 * e.height);  // colour image and mask
    EXPECT_EQ(header->biBitCount, e.bitCount);
  }
  std::sort(images.begin(), images.end());
  EXPECT_EQ(images, (std::vector<std::string>{"16x16x24", "16x16x8", "32x32x24", "32x32x8"}));
  FreeLibrary(exe);
}

TEST(Resources, ManifestAsksForCommonControlsAndDpiAwareness) {
  HMODULE exe = LoadLibraryExA(TaviPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(res, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, res))), SizeofResource(exe, res));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  FreeLibrary(exe);
}

}  // namespace
