// The preview's costs under Wine: an update in this process, the room's line, typed to shown.
#include <richedit.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/preview.h"
#include "bench/bench_room.h"
#include "chat/chat.h"
#include "platform/win32/win32_platform.h"

namespace bench {

// The preview's costs: an update of a 100-character line in this process (the seven styles, the
// markup read, the rows drawn), the room's line looked up, and, against the real tavi.exe, the
// time from a key typed into the message box until the preview shows it.
int PreviewCosts() {
  BenchRoom room;
  tavi::Win32Platform platform;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND owner =
      CreateWindowW(L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 40, nullptr, nullptr, instance, nullptr);
  HWND message = CreateWindowW(L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, owner, nullptr, instance, nullptr);
  HWND frameClass =
      CreateWindowW(L"EDIT", L"tavi bench host", WS_CHILD, 0, 0, 10, 10, owner, nullptr, instance, nullptr);
  const tavi::Arrivals arrivals(platform);
  tavi::Preview preview(platform, message, frameClass, arrivals);
  preview.Toggle(owner);
  HWND shown = FindWindowW(L"tavi.Preview", nullptr);
  if (!shown) return 1;
  const std::wstring line = L"Paella? Noel says hello <3 to AEON, and the rest of the room too: a line of 100 units!!";
  std::vector<double> updates;
  for (int k = 0; k < 200; ++k) {
    const std::wstring text = (line + std::to_wstring(1000000 + k) + L"......").substr(0, 100);
    SetWindowTextW(message, text.c_str());
    const double t = Now();
    preview.Update();
    RedrawWindow(shown, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    updates.push_back(Now() - t);
  }
  // The seven posts of the markup reader's worst line ("<3" again and again) and of letters.
  for (const auto& [name, unit] : {std::pair{"hearts", u"<3"}, {"letters", u"ab"}}) {
    for (const std::size_t units : {512, 1024, 2048}) {
      std::u16string text;
      while (text.size() < units) text += unit;
      tavi::PreviewedPosts posts;
      std::vector<double> took;
      for (int k = 0; k < 21; ++k) {
        const double t = Now();
        tavi::PreviewPosts(text, platform, posts);
        took.push_back(Now() - t);
      }
      std::printf("preview-posts %s %zu %.3f\n", name, units, Median(took) * 1e3);
    }
  }
  std::vector<double> lookups;
  for (int k = 0; k < 1000; ++k) {
    const double t = Now();
    const std::u16string said = tavi::DescribeChatRoom(u"tavi bench host", platform);
    lookups.push_back(Now() - t);
    if (said != u"Posts go to: ") return 1;  // the bench room has no caption
  }
  preview.Toggle(owner);
  DestroyWindow(owner);

  driver::TaviApp tavi;
  if (!tavi.ready()) return 1;
  tavi.PressKey(VK_F2);
  if (!driver::WaitUntil([&] { return tavi.Preview() != nullptr; }, 30)) return 1;
  std::vector<double> typed;
  for (int k = 0; k < 20; ++k) {
    const std::wstring text = L"round " + std::to_wstring(k);
    std::wstring bullets;
    for (wchar_t c : text) bullets += std::wstring(1, c) + L"\u2022";
    bullets += L"\u2022";
    const double t = Now();
    tavi.TypeOver(tavi.text1, text);
    HWND row = tavi.PreviewRows().at(1);
    if (!driver::WaitUntil([&] { return tavi.TextOf(row) == bullets; }, 30)) return 1;
    typed.push_back(Now() - t);
  }
  std::printf("preview-update %zu %.3f %.3f\n", updates.size(), Median(updates) * 1e3,
              *std::max_element(updates.begin(), updates.end()) * 1e3);
  std::printf("preview-room %.1f\n", Median(lookups) * 1e6);
  std::printf("preview-typed %zu %.1f %.1f\n", typed.size(), Median(typed) * 1e3,
              *std::max_element(typed.begin(), typed.end()) * 1e3);
  return 0;
}

// Reading a room's history back after a post, as tavi does once a post and every half second after
// the runs while a post is awaited: its lines from where the post's line would start (here the last
// line's start); a history of a rich edit control on a thread of its own, of 1 KB and of 1 MB in
// lines of 80 characters.
int HistoryReads() {
  LoadLibraryA("riched20.dll");
  tavi::Win32Platform platform;
  for (const std::size_t bytes : {std::size_t{1024}, std::size_t{1048576}}) {
    std::string text;
    for (std::size_t k = 0; text.size() < bytes; ++k) {
      text += "Marisol: line " + std::to_string(k) + " of the history, long enough to wrap in no pane....\r\n";
    }
    HWND history = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    struct Host {
      HWND* history;
      HANDLE ready;
      const std::string* text;
    } host{&history, ready, &text};
    const LPTHREAD_START_ROUTINE run = [](void* p) -> DWORD WINAPI {
      auto* h = static_cast<Host*>(p);
      *h->history = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 600, 400,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      SendMessageA(*h->history, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
      SetWindowTextA(*h->history, h->text->c_str());
      SetEvent(h->ready);
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      DestroyWindow(*h->history);
      return 0;
    };
    HANDLE thread = CreateThread(nullptr, 0, run, &host, 0, nullptr);
    WaitForSingleObject(ready, INFINITE);
    const auto handle = reinterpret_cast<tavi::WindowHandle>(history);
    std::vector<tavi::ControlLine> lines;
    std::vector<double> took;
    for (int k = 0; k < 201; ++k) {
      if (!platform.LastLines(handle, static_cast<std::size_t>(-1), lines)) return 1;
      const double t = Now();
      if (!platform.LastLines(handle, lines.back().start, lines)) return 1;
      took.push_back(Now() - t);
    }
    std::printf("history-read %zu %.3f\n", bytes, Median(took) * 1e3);
    PostThreadMessageA(GetThreadId(thread), WM_QUIT, 0, 0);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(ready);
  }
  return 0;
}

}  // namespace bench
