// PostChatLine: types a line into the chat room's input control and presses Enter.
#include <utility>

#include "chat/chat.h"

namespace tavi {

void PostChatLine(WideString& line, const FrameClassSource& frameClass, Platform& platform) {
  const std::optional<WideString> frame = frameClass();
  if (!frame) return;
  const WindowHandle room = LocateChatWindow(*frame, platform);
  if (room == 0) return;
  const WindowHandle rich1 = platform.FindWindowExA(room, 0, kRichClass);
  const WindowHandle rich2 = platform.FindWindowExA(room, rich1, kRichClass);
  const WindowHandle readOnly = platform.FindWindowExA(room, 0, kReadOnlyRichClass);
  // With a read-only history pane the first rich control is the input;
  // otherwise the first is the history and the second the input.
  const WindowHandle target = readOnly != 0 ? rich1 : rich2;
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
