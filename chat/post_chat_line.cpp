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

ChatPoster MakeChatPoster(FrameClassSource frameClass, Platform& platform) {
  return
      [frameClass = std::move(frameClass), &platform](WideString& line) { PostChatLine(line, frameClass, platform); };
}

}  // namespace tavi
