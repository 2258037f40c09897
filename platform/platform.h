// The narrow interface between tavi's portable core and the operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavi {

// Text as UTF-16 code units; the form in which all text is held and styled.
using WideString = std::u16string;
// Text in the system's ANSI code page, for calls that take 8-bit text.
using AnsiString = std::string;
// Opaque handle of a window of any program; 0 means "no window".
using WindowHandle = std::uintptr_t;

// Window messages the chat poster sends, with their Win32 values.
constexpr unsigned kWmSetText = 0x000C;
constexpr unsigned kWmChar = 0x0102;
constexpr unsigned kEnterCharacter = 13;

// SetWindowPos arguments used to keep the main window above all others.
constexpr WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;
constexpr unsigned kSwpNoActivate = 0x0010;

// A line of a multi-line text control as the control lays it out: where it starts (a character
// index) and its text, with the line's end mark where the control gives one.
struct ControlLine {
  std::size_t start = 0;
  WideString text;
};

// Whether Windows lets this program type into another program's window. From Vista on it does not
// where that program runs at a higher integrity level (as administrator), and may not where this one
// may not even look into that program's process (it runs as another user, or as administrator).
enum class HostAccess { kOpen, kAbove, kClosed };

class Platform {
 public:
  virtual ~Platform() = default;

  // Handles every window event waiting for the program's windows (running
  // the program's own handlers) and returns at once when none is waiting;
  // whether it handled any.
  virtual bool ProcessPendingEvents() = 0;
  // Whether window events are waiting already, also ones that arrived
  // before the last look at the queue.
  virtual bool EventsPending() = 0;
  // Blocks until a new window event arrives or `seconds` have passed; false
  // when the wait failed (it then returned at once).
  virtual bool WaitForEventOrTimeout(double seconds) = 0;
  // Sleeps `seconds` without handling events.
  virtual void Pause(double seconds) = 0;
  // Local time since local midnight in seconds, with fractions.
  virtual double TimeOfDay() = 0;

  // Mixes the time of day into the pseudo-random generator's state.
  virtual void ReseedFromClock() = 0;
  // The generator's next value r, 0 <= r < 1.
  virtual float DrawRandom() = 0;

  // Converts to the ANSI code page; characters it lacks become a best-fit
  // character or "?". Nothing when the memory for the result is not there.
  virtual std::optional<AnsiString> ToAnsi(const WideString& text) = 0;
  // Converts from the ANSI code page, as the receiving window reads what ToAnsi made. Nothing
  // when the memory for the result is not there.
  virtual std::optional<WideString> FromAnsi(const AnsiString& text) = 0;

  // Window lookups by class name (the window name is always NULL).
  virtual WindowHandle FindWindowA(const AnsiString& className) = 0;
  virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter, const AnsiString& className) = 0;
  // The caption of a window of any program, read without a message to it (so never waiting on
  // its program); at most 255 characters, empty where it has none.
  virtual WideString WindowCaption(WindowHandle window) = 0;
  // Whether Windows lets this program type into the window's program (before Vista: always).
  virtual HostAccess AccessTo(WindowHandle window) = 0;
  // The last lines of a multi-line text control of any program into `lines`, oldest first: the last
  // line, and before it those that start after `from`, and the one that holds `from` (at most
  // kMostLines in all). Read with
  // messages Windows carries between processes on every version, none that writes to the control;
  // false where its program did not answer in time, or it gave no line.
  static constexpr std::size_t kMostLines = 256;
  virtual bool LastLines(WindowHandle control, std::size_t from, std::vector<ControlLine>& lines) = 0;
  // Delivers a message synchronously. `text`, when not null, is passed as
  // lParam (a NUL-terminated ANSI string), otherwise lParam is 0. Returns
  // false when the window did not handle it in time (hung or gone).
  virtual bool SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam, const char* text) = 0;
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                            unsigned flags) = 0;

  // Destroys every window of the program and ends the process.
  [[noreturn]] virtual void EndProcess() = 0;
};

}  // namespace tavi
