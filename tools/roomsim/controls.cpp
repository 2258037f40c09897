// roomsim's controls: a room's input takes its text, submits it on Enter and holds where told; text
// that reaches any other control of the host's classes is recorded.
#include "tools/roomsim/controls.h"

#include <algorithm>
#include <cstdio>

#include "tools/roomsim/transcript.h"

namespace roomsim {

namespace {

const char* const kPartBase[kPartCount] = {"RichEdit20A", "RichEdit20A", "ListBox", "Button", "Static"};
WNDPROC g_base[kPartCount] = {};

// The control's text in the ANSI code page (read as Unicode and converted
// here: rich edit controls' own ANSI answers are unreliable in DBCS code pages).
std::string WindowTextA(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, wide.data(), length + 1))));
  if (wide.empty()) return {};
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes, nullptr, nullptr);
  return text;
}

Room* RoomOf(HWND control) { return reinterpret_cast<Room*>(GetWindowLongPtrA(GetParent(control), GWLP_USERDATA)); }

constexpr std::size_t kShownBytes = 4000;

}  // namespace

void Submit(HWND input) {
  Room* room = RoomOf(input);
  if (!room || room->input != input) return;
  // What was set, unless someone typed into the control since.
  const std::string bytes = room->edited ? WindowTextA(input) : room->setBytes;
  RecordLine("post", "room=" + std::to_string(room->number) + " control=RICHCNTL#" + std::to_string(room->inputOrdinal),
             bytes);
  if (g.lines + 1 == g.options.drop) {
    // Lost on the way: never shown.
  } else if (g.options.echoDelayMs) {
    g.echoes.emplace_back(room->history, bytes);
    SetTimer(g.frame, kEchoTimer + g.echoTimers++, static_cast<UINT>(g.options.echoDelayMs), nullptr);
  } else {
    AppendToHistory(room->history, "You", bytes);
  }
  g.clearing = true;
  SetWindowTextA(input, "");
  g.clearing = false;
  ++g.lines;
  if (g.options.holdAfter && g.lines == g.options.holdAfter) {
    RecordLine("hold", "", "");  // the sender waits inside its Enter until released
    WaitForSingleObject(g.release, 60000);
  }
  if (g.options.hangAfter && g.lines == g.options.hangAfter) PostMessageA(g.frame, kHangMessage, 0, 0);
  if (g.options.exitAfter && g.lines == g.options.exitAfter) PostMessageA(g.frame, kExitMessage, 0, 0);
}

void ShowEcho(HWND frame, UINT_PTR timer) {
  KillTimer(frame, timer);
  if (g.echoes.empty()) return;
  const auto [history, bytes] = g.echoes.front();
  g.echoes.erase(g.echoes.begin());
  if (IsWindow(history)) AppendToHistory(history, "You", bytes);  // (its room may be closed)
}

namespace {

// Text arriving anywhere but a room's input is recorded: it must never happen.
void RecordStray(HWND window, Part part, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_SETTEXT && msg != WM_CHAR) return;
  const std::string bytes = msg == WM_SETTEXT ? std::string(lp ? reinterpret_cast<const char*>(lp) : "")
                                              : std::string(1, static_cast<char>(wp));
  char message[16];
  std::snprintf(message, sizeof message, "msg=0x%04x", msg);
  if (GetPropA(window, kDecoyProp)) {
    RecordLine("decoy", std::string("class=") + kPartClass[part] + " " + message, bytes);
  } else if (Room* room = RoomOf(window)) {
    RecordLine("stray", "room=" + std::to_string(room->number) + " class=" + kPartClass[part] + " " + message, bytes);
  }
}

template <Part P>
LRESULT CALLBACK PartProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE && g.creatingDecoy) SetPropA(hwnd, kDecoyProp, reinterpret_cast<HANDLE>(1));
  if (msg == WM_NCDESTROY) RemovePropA(hwnd, kDecoyProp);
  Room* room = (P == kRich && !GetPropA(hwnd, kDecoyProp)) ? RoomOf(hwnd) : nullptr;
  if (room && room->input == hwnd && msg == WM_CHAR && wp == '\r') {
    Submit(hwnd);  // the input control submits its contents on Enter
    return 0;
  }
  if (room && room->input == hwnd && msg == WM_SETTEXT) {
    if (!g.clearing && ++g.texts == g.options.holdText) {
      RecordLine("hold", "", "");  // the sender waits inside its text until released
      WaitForSingleObject(g.release, 60000);
    }
    room->setBytes = lp ? reinterpret_cast<const char*>(lp) : "";
    room->shownBytes = room->setBytes.substr(0, kShownBytes);
    room->settingText = true;
    const LRESULT result =
        CallWindowProcA(g_base[P], hwnd, msg, wp, reinterpret_cast<LPARAM>(room->shownBytes.c_str()));
    room->settingText = false;
    room->edited = false;
    return result;
  }
  if (!(room && room->input == hwnd)) RecordStray(hwnd, P, msg, wp, lp);
  return CallWindowProcA(g_base[P], hwnd, msg, wp, lp);
}

const WNDPROC kPartProc[kPartCount] = {PartProc<kRich>, PartProc<kReadOnly>, PartProc<kListbox>, PartProc<kIcon>,
                                       PartProc<kStatic>};

}  // namespace

bool RegisterControlClasses() {
  LoadLibraryA("riched20.dll");
  for (int p = 0; p < kPartCount; ++p) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, kPartBase[p], &wc)) return false;
    g_base[p] = wc.lpfnWndProc;
    wc.lpfnWndProc = kPartProc[p];
    wc.hInstance = g.instance;
    wc.lpszClassName = kPartClass[p];
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassExA(&wc)) return false;
  }
  return true;
}

}  // namespace roomsim
