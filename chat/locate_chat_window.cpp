// LocateChatWindow: walks the host's window tree by class names.
#include "chat/chat.h"

namespace tavi {

WindowHandle LocateChatWindow(const WideString& frameClass, Platform& platform) {
  const std::optional<AnsiString> frameClassAnsi = platform.ToAnsi(frameClass);
  if (!frameClassAnsi) return 0;
  const WindowHandle frame = platform.FindWindowA(*frameClassAnsi);
  if (frame == 0) return 0;
  const WindowHandle mdi = platform.FindWindowExA(frame, 0, kMdiClientClass);
  if (mdi == 0) return 0;
  constexpr const char* kRoomParts[] = {kRichClass, kListboxClass, kIconClass, kStaticClass};
  for (WindowHandle candidate = platform.FindWindowExA(mdi, 0, kChildClass); candidate != 0;
       candidate = platform.FindWindowExA(mdi, candidate, kChildClass)) {
    bool complete = true;
    for (const char* part : kRoomParts) {
      // Every lookup is made, also after one has failed.
      if (platform.FindWindowExA(candidate, 0, part) == 0) complete = false;
    }
    if (complete) return candidate;
  }
  return 0;
}

}  // namespace tavi
