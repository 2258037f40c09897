// The Windows implementation of the platform interface (user32 and kernel32).
#pragma once

#include "platform/platform.h"
#include "platform/random_generator.h"

namespace tavi {

class Win32Platform : public Platform {
 public:
  // Messages to other programs give up after this long, and at once when the
  // receiving program is already hung.
  static constexpr unsigned kDefaultMessageTimeoutMs = 5000;

  Win32Platform();

  // Keyboard navigation (Tab, Enter) is done for this window's controls.
  void SetDialogWindow(WindowHandle window) { dialogWindow_ = window; }
  // A key that gives the dialog window a command (WM_COMMAND, as an accelerator's), up to
  // kCommandKeys of them: pressed alone, once however long it is held.
  static constexpr int kCommandKeys = 2;
  void SetCommandKey(unsigned virtualKey, unsigned command) {
    for (auto& k : commandKeys_) {
      if (k.key == 0 || k.key == virtualKey) {
        k = {virtualKey, command};
        return;
      }
    }
  }
  void SetMessageTimeout(unsigned milliseconds) { messageTimeoutMs_ = milliseconds; }

  bool ProcessPendingEvents() override;
  bool EventsPending() override;
  bool WaitForEventOrTimeout(double seconds) override;
  void Pause(double seconds) override;
  double TimeOfDay() override;
  void ReseedFromClock() override;
  float DrawRandom() override;
  std::optional<AnsiString> ToAnsi(const WideString& text) override;
  std::optional<WideString> FromAnsi(const AnsiString& text) override;
  WindowHandle FindWindowA(const AnsiString& className) override;
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter, const AnsiString& className) override;
  WideString WindowCaption(WindowHandle window) override;
  HostAccess AccessTo(WindowHandle window) override;
  bool LastLines(WindowHandle control, std::size_t from, std::vector<ControlLine>& lines) override;
  bool SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam, const char* text) override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  [[noreturn]] void EndProcess() override;

  // Dispatches one message as the event loop does, with keyboard navigation.
  void Dispatch(const void* msg);

 private:
  WindowHandle dialogWindow_ = 0;
  struct CommandKey {
    unsigned key = 0, command = 0;
  } commandKeys_[kCommandKeys];
  unsigned messageTimeoutMs_ = kDefaultMessageTimeoutMs;
  RandomGenerator generator_;
};

}  // namespace tavi
