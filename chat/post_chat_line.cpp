// PostChatLine: types a line into the chat room's input control and presses Enter.
#include "chat/chat.h"

namespace tavi {

void PostChatLine(WideString& line, const FrameClassSource& frameClass, Platform& platform) {
  const std::optional<WideString> frame = frameClass();
  if (frame) TypeChatLine(LocateChatInput(*frame, platform).input, line, platform);
}

bool TypeChatLine(WindowHandle input, const WideString& line, Platform& platform) {
  if (input == 0) return false;
  const std::optional<AnsiString> ansi = platform.ToAnsi(line);
  // The input control submits its contents on Enter; never press Enter when
  // the text did not arrive (a hung or vanished host).
  return ansi && platform.SendMessageA(input, kWmSetText, 0, ansi->c_str()) &&
         platform.SendMessageA(input, kWmChar, kEnterCharacter, nullptr);
}

}  // namespace tavi
