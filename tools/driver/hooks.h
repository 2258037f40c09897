// What the tests ask of driver_hooks.dll once it is in tavi's process: the names both sides use
// and the commands its window takes (all made of numbers: nothing is written into tavi's memory).
#pragma once

namespace driver::hooks {

// The window the DLL makes on tavi's thread (a message-only window), its class and its message.
constexpr const wchar_t* kWindowClass = L"tavi driver hooks";
constexpr const wchar_t* kMessage = L"tavi driver hooks command";
// The event the DLL sets once its window is there, followed by tavi's process id.
constexpr const char* kReadyEventPrefix = "tavi.driver.hooks.ready.";
// The hook procedure the tests set on tavi's thread: it brings the DLL in.
constexpr const char* kHookProcedure = "GetMessageHook";

// The commands: the message's wParam; its lParam is the command's number.
enum Command {
  kSetHighContrast = 1,   // on (1) or off (0) from tavi's next query on; 1 if the query is hooked
  kSetMessageFontHeight,  // the message font's LOGFONT height, announced; 1 if it was set
  kSuggestOrigin,         // the left and top (MAKELPARAM) of the rectangle WM_DPICHANGED suggests
  kSuggestSize,           // its width and height (MAKELPARAM)
  kDpiChanged,            // WM_DPICHANGED sent to tavi's window with that DPI and the rectangle
};

}  // namespace driver::hooks
