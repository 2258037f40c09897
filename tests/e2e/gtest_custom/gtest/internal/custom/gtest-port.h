// GoogleTest's hook for local settings. On the win32 thread model there is no std::mutex, which
// GoogleTest uses only for its Notification; here that is a Win32 event instead. And a failure is
// not handed to OutputDebugString: under Wine that raises an exception, which, where Wine's 32-bit
// side runs under qemu-user and another thread waits, brings the whole test program down (a
// failure must end its own test only).
#pragma once

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1
inline void QuietDebugString(const char*) {}
#define OutputDebugStringA QuietDebugString

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
