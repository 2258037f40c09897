// PostChatLine: types a line into the chat room's input control and presses Enter.
#include <utility>

#include "chat/chat.h"

namespace tavi {

void PostChatLine(WideString& line, const FrameClassSource& frameClass, Platform& platform) {
  const std::optional<WideString> frame = frameClass();
  if (!frame) return;
  const WindowHandle target = LocateChatInput(*frame, platform).input;
  if (target == 0) return;
  const std::optional<AnsiString> ansi = platform.ToAnsi(line);
  if (!ansi) return;
  // The input control submits its contents on Enter; never press Enter when
  // the text did not arrive (a hung or vanished host).
  if (!platform.SendMessageA(target, kWmSetText, 0, ansi->c_str())) return;
  platform.SendMessageA(target, kWmChar, kEnterCharacter, nullptr);
}

ChatInput LocateChatInput(const WideString& frameClass, Platform& platform) {
  ChatInput found;
  found.room = LocateChatWindow(frameClass, platform);
  if (found.room == 0) return found;
  const WindowHandle rich1 = platform.FindWindowExA(found.room, 0, kRichClass);
  const WindowHandle rich2 = platform.FindWindowExA(found.room, rich1, kRichClass);
  const WindowHandle readOnly = platform.FindWindowExA(found.room, 0, kReadOnlyRichClass);
  found.input = readOnly != 0 ? rich1 : rich2;
  return found;
}

ChatPoster MakeChatPoster(FrameClassSource frameClass, Platform& platform) {
  return
      [frameClass = std::move(frameClass), &platform](WideString& line) { PostChatLine(line, frameClass, platform); };
}

}  // namespace tavi
