// Builds roomsim's window tree with the host's classes (frame, MDI client, rooms, decoys) and runs it.
#include "tools/roomsim/host.h"

#include <richedit.h>

#include <cstring>
#include <memory>

#include "tools/roomsim/controls.h"
#include "tools/roomsim/transcript.h"

namespace roomsim {

HostState g;

namespace {

constexpr UINT_PTR kChurnTimer = 1;
constexpr int kIconId = 101;

HWND Control(HWND parent, Part part, const char* text, DWORD style, int id = 0) {
  HWND hwnd = CreateWindowExA(0, kPartClass[part], text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g.instance, nullptr);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(g.font), FALSE);
  return hwnd;
}

// The history pane's own window procedure, as a Unicode window (see HistoryPane).
WNDPROC g_historyBase = nullptr;
LRESULT CALLBACK HistoryProcW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != EM_GETLINE || !lp || !g.underWine) return CallWindowProcW(g_historyBase, hwnd, msg, wp, lp);
  // Wine (8) unpacks EM_GETLINE from another program into a buffer whose size it keeps in the word
  // just before it, but may lose that word (the control then sees no size either), and carries
  // back as many characters as that word says: reading past the buffer can end the program where
  // Wine's 32-bit side is emulated. The line is read here, at most as much as tavi asks for (4096
  // characters), and the word set to what was written.
  auto* out = reinterpret_cast<WORD*>(lp);
  static wchar_t line[4096];
  *reinterpret_cast<WORD*>(line) = 4096;
  const auto n =
      static_cast<WORD>(CallWindowProcW(g_historyBase, hwnd, EM_GETLINE, wp, reinterpret_cast<LPARAM>(line)));
  std::memcpy(out, line, n * sizeof(wchar_t));
  out[-1] = n;
  return n;
}

HWND HistoryPane(HWND parent, const char* cls) {
  HWND hwnd =
      CreateWindowExA(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                      10, 10, parent, nullptr, g.instance, nullptr);
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE;
  cf.yHeight = 200;  // 10 pt
  lstrcpynA(cf.szFaceName, "Arial", LF_FACESIZE);
  SendMessageA(hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  // Unicode from here on: EM_GETLINE from another program arrives as Wine unpacked it.
  g_historyBase =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HistoryProcW)));
  return hwnd;
}

void LayoutRoom(HWND child) {
  Room* room = reinterpret_cast<Room*>(GetWindowLongPtrA(child, GWLP_USERDATA));
  if (!room) return;
  RECT rc;
  GetClientRect(child, &rc);
  const int m = 6, side = 150, bar = 28, w = rc.right, h = rc.bottom;
  const int left = w - side - 2 * m;
  auto place = [](HWND hwnd, int x, int y, int cx, int cy) {
    if (hwnd) MoveWindow(hwnd, x, y, cx < 0 ? 0 : cx, cy < 0 ? 0 : cy, TRUE);
  };
  place(room->history, m, m, left, h - bar - 3 * m);
  place(room->input, m, h - bar - m, left, bar);
  place(room->label, left + 2 * m, m, side, 18);
  place(room->people, left + 2 * m, m + 22, side, h - bar - 4 * m - 22);
  place(room->icon, left + 2 * m, h - bar - m, side, bar);
}

HWND MdiChild(const std::string& title, int x, int y, int cx, int cy) {
  MDICREATESTRUCTA mcs{};
  mcs.szClass = "AOL Child";
  mcs.szTitle = title.c_str();
  mcs.hOwner = g.instance;
  mcs.x = x, mcs.y = y, mcs.cx = cx, mcs.cy = cy;
  return reinterpret_cast<HWND>(SendMessageA(g.mdi, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

// Fills a room window with its controls; `missing` leaves one part out.
void FillRoom(Room* room, int missing) {
  HWND c = room->child;
  SetWindowLongPtrA(c, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(room));
  switch (g.options.layout) {
    case Layout::ReadOnly: room->history = HistoryPane(c, "RICHCNTLREADONLY"); break;
    case Layout::TwoRich:
      room->history = HistoryPane(c, "RICHCNTL");
      room->inputOrdinal = 2;
      break;
    case Layout::Single: room->history = HistoryPane(c, "RichEdit20A"); break;
  }
  if (missing != kRich) {
    room->input = Control(c, kRich, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
    SendMessageA(room->input, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageA(room->input, EM_SETEVENTMASK, 0, ENM_CHANGE);
  }
  if (missing != kListbox) {
    room->people = Control(c, kListbox, "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT);
    for (const char* name : {"You", "Marisol", "Quentin B", "tavi fan 22", "Ode2Joy"})
      SendMessageA(room->people, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  if (missing != kIcon) room->icon = Control(c, kIcon, "Send", BS_PUSHBUTTON | WS_TABSTOP, kIconId);
  if (missing != kStatic) room->label = Control(c, kStatic, "5 people here", SS_LEFT);
  // The history pane comes first among the room's controls.
  SetWindowPos(room->history, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  LayoutRoom(c);
}

void OpenRooms() {
  RECT rc;
  GetClientRect(g.mdi, &rc);
  for (int k = 1; k <= g.options.rooms; ++k) {
    const std::string title = k == 1 ? g.options.title : "Room " + std::to_string(k);
    auto* room = new Room;
    room->number = k;
    const int offset = (k - 1) * 26;
    room->child =
        MdiChild(title, offset, offset, rc.right - 26 * (g.options.rooms - 1), rc.bottom - 26 * (g.options.rooms - 1));
    FillRoom(room, -1);
    AppendToHistory(room->history, "Marisol", "hi all <b>:)</b>");
    AppendToHistory(room->history, "Ode2Joy", "anyone here from the <FONT COLOR=\"#3399ff\">coast</FONT>?");
    g.rooms.push_back(room);
  }
  // Decoys come last, so they are on top and met first in enumeration.
  for (int k = 0; k < g.options.decoys; ++k) {
    auto* decoy = new Room;
    decoy->number = 100 + k;
    decoy->child = MdiChild("Not a room " + std::to_string(k + 1), rc.right - 260 - 16 * k, 16 * k, 250, 150);
    FillRoom(decoy, k % 4 == 0 ? kRich : k % 4 == 1 ? kListbox : k % 4 == 2 ? kIcon : kStatic);
  }
}

void CloseRooms() {
  for (Room* room : g.rooms) SendMessageA(g.mdi, WM_MDIDESTROY, reinterpret_cast<WPARAM>(room->child), 0);
  g.rooms.clear();
}

// Windows of the tree's classes outside any frame: nothing may reach them.
void CreateTopLevelDecoys() {
  g.creatingDecoy = true;
  CLIENTCREATESTRUCT ccs{nullptr, 5000};
  HWND mdi = CreateWindowExA(0, "MDIClient", nullptr, WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, g.instance, &ccs);
  for (HWND parent : {mdi, static_cast<HWND>(nullptr)}) {
    HWND child = CreateWindowExA(0, "AOL Child", "decoy", parent ? WS_CHILD : WS_POPUP, 0, 0, 300, 200, parent, nullptr,
                                 g.instance, nullptr);
    for (int p = 0; p < kPartCount; ++p) Control(child, static_cast<Part>(p), "", 0);
  }
  for (int p = 0; p < kPartCount; ++p)
    CreateWindowExA(0, kPartClass[p], "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, g.instance, nullptr);
  g.creatingDecoy = false;
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE && g.creatingDecoy) SetPropA(hwnd, kDecoyProp, reinterpret_cast<HANDLE>(1));
  const bool mdiChild = !GetPropA(hwnd, kDecoyProp);
  switch (msg) {
    case WM_SIZE: LayoutRoom(hwnd); break;
    case WM_COMMAND:
      if (HIWORD(wp) == EN_CHANGE) {
        Room* room = reinterpret_cast<Room*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (room && reinterpret_cast<HWND>(lp) == room->input && !room->settingText) room->edited = true;
        return 0;
      }
      if (LOWORD(wp) == kIconId && HIWORD(wp) == BN_CLICKED) {
        if (Room* room = reinterpret_cast<Room*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) Submit(room->input);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemovePropA(hwnd, kDecoyProp);
      std::unique_ptr<Room>(reinterpret_cast<Room*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return mdiChild ? DefMDIChildProcA(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT ccs{nullptr, 5000};
      g.mdi = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                              nullptr, g.instance, &ccs);
      return 0;
    }
    case WM_TIMER:
      if (wp == kChurnTimer) g.rooms.empty() ? OpenRooms() : CloseRooms();
      if (wp >= kEchoTimer) ShowEcho(hwnd, wp);
      return 0;
    case kHangMessage:
      RecordLine("hang", "", "");
      for (;;) Sleep(INFINITE);  // never handles another message
    case kExitMessage: RecordLine("exit", "", ""); ExitProcess(0);
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefFrameProcA(hwnd, g.mdi, msg, wp, lp);
}

bool RegisterClasses() {
  if (!RegisterControlClasses()) return false;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = g.instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpfnWndProc = ChildProc;
  wc.lpszClassName = "AOL Child";
  if (!RegisterClassExA(&wc)) return false;
  wc.lpfnWndProc = FrameProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = g.options.frameClass.c_str();
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

bool CreateHost(const Options& options, HINSTANCE instance) {
  g.options = options;
  g.instance = instance;
  g.underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  SetTranscript(options.transcript);
  const std::string release = "roomsim.release." + std::to_string(GetCurrentProcessId());
  g.release = CreateEventA(nullptr, FALSE, FALSE, release.c_str());
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  g.font = CreateFontIndirectA(&metrics.lfMessageFont);
  if (!RegisterClasses()) return false;
  if (options.topLevelDecoys) CreateTopLevelDecoys();
  if (!options.noFrame) {
    g.frame =
        CreateWindowExA(0, options.frameClass.c_str(), "roomsim: chat host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                        0, 860, 560, nullptr, nullptr, instance, nullptr);
    if (!g.frame || !g.mdi) return false;
    ShowWindow(g.frame, SW_SHOWNORMAL);  // sizes the MDI client the rooms fill
    OpenRooms();
    if (options.churnMs) SetTimer(g.frame, kChurnTimer, static_cast<UINT>(options.churnMs), nullptr);
  }
  RecordLine("ready", "pid=" + std::to_string(GetCurrentProcessId()) + " acp=" + std::to_string(GetACP()), "");
  return true;
}

int RunHost() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (g.mdi && TranslateMDISysAccel(g.mdi, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace roomsim
