// LocateChatWindow and LocateChatInput: walk the host's window tree by class names.
#include "chat/chat.h"

namespace tavi {

namespace {

// The frame, its MDI client and the room, as far as they are found.
ChatInput LocateRoom(const WideString& frameClass, Platform& platform) {
  ChatInput found;
  const std::optional<AnsiString> frameClassAnsi = platform.ToAnsi(frameClass);
  if (!frameClassAnsi || !(found.frame = platform.FindWindowA(*frameClassAnsi))) return found;
  if (!(found.mdi = platform.FindWindowExA(found.frame, 0, kMdiClientClass))) return found;
  static constexpr const char* kRoomParts[] = {kRichClass, kListboxClass, kIconClass, kStaticClass};
  for (WindowHandle candidate = platform.FindWindowExA(found.mdi, 0, kChildClass); candidate != 0;
       candidate = platform.FindWindowExA(found.mdi, candidate, kChildClass)) {
    bool complete = true;
    for (const char* part : kRoomParts) {
      // Every lookup is made, also after one has failed.
      if (platform.FindWindowExA(candidate, 0, part) == 0) complete = false;
    }
    if (complete) {
      found.room = candidate;
      break;
    }
  }
  return found;
}

}  // namespace

WindowHandle LocateChatWindow(const WideString& frameClass, Platform& platform) {
  return LocateRoom(frameClass, platform).room;
}

ChatInput LocateChatInput(const WideString& frameClass, Platform& platform) {
  ChatInput found = LocateRoom(frameClass, platform);
  if (found.room == 0) return found;
  const WindowHandle rich1 = platform.FindWindowExA(found.room, 0, kRichClass);
  const WindowHandle rich2 = platform.FindWindowExA(found.room, rich1, kRichClass);
  const WindowHandle readOnly = platform.FindWindowExA(found.room, 0, kReadOnlyRichClass);
  found.input = readOnly != 0 ? rich1 : rich2;
  found.history = readOnly != 0 ? readOnly : rich2 != 0 ? rich1 : 0;
  return found;
}

}  // namespace tavi
