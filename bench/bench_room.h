// A chat room inside the bench's own process, and the median the benches report.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "tools/driver/tavi_app.h"

namespace bench {

using driver::Now;

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A chat room inside this process, on its own thread, that notes when tavi's
// text and Enter arrive.
class BenchRoom {
 public:
  static constexpr const char* kFrameClass = "tavi bench host";
  BenchRoom() {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, Start, this, 0, &threadId_);
    while (!ready_) Sleep(5);
  }
  ~BenchRoom() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
  }
  std::size_t Posts() {
    return Locked([&] { return enters_.size(); });
  }
  std::size_t Texts() {
    return Locked([&] { return texts_.size(); });
  }
  double TextTime(std::size_t k) {
    return Locked([&] { return texts_[k]; });
  }
  bool WaitFor(std::size_t (BenchRoom::*count)(), std::size_t n, double seconds) {
    return driver::WaitUntil([&] { return (this->*count)() >= n; }, seconds);
  }

 private:
  static LRESULT CALLBACK InputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* room = reinterpret_cast<BenchRoom*>(GetWindowLongPtrW(GetParent(GetParent(GetParent(hwnd))), GWLP_USERDATA));
    if (room && (msg == WM_SETTEXT || (msg == WM_CHAR && wp == '\r'))) {
      room->Locked([&] {
        (msg == WM_SETTEXT ? room->texts_ : room->enters_).push_back(Now());
        return 0;
      });
      return TRUE;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  static DWORD WINAPI Start(void* self) { return static_cast<BenchRoom*>(self)->Run(); }
  template <typename F>
  auto Locked(F f) -> decltype(f()) {
    EnterCriticalSection(&lock_);
    const auto result = f();
    LeaveCriticalSection(&lock_);
    return result;
  }
  DWORD Run() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* cls : {kFrameClass, "MDIClient", "AOL Child", "RICHCNTLREADONLY", "_AOL_Listbox", "_AOL_Icon",
                            "_AOL_Static", "RICHCNTL"}) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = std::string(cls) == "RICHCNTL" ? InputProc : DefWindowProcA;
      wc.hInstance = instance;
      wc.lpszClassName = cls;
      RegisterClassA(&wc);
    }
    HWND frame = CreateWindowA(kFrameClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HWND mdi = CreateWindowA("MDIClient", "", WS_CHILD, 0, 0, 10, 10, frame, nullptr, instance, nullptr);
    HWND room = CreateWindowA("AOL Child", "", WS_CHILD, 0, 0, 10, 10, mdi, nullptr, instance, nullptr);
    for (const char* cls : {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"})
      CreateWindowA(cls, "", WS_CHILD, 0, 0, 10, 10, room, nullptr, instance, nullptr);
    ready_ = true;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(frame);
    return 0;
  }

  CRITICAL_SECTION lock_;
  std::vector<double> texts_, enters_;
  volatile bool ready_ = false;
  DWORD threadId_ = 0;
  HANDLE thread_ = nullptr;
};

// The preview's costs, and reading a room's history back (wine_bench_preview.cpp).
int PreviewCosts();
int HistoryReads();

}  // namespace bench
