// DescribeChatRoom: the line that says where the posts would go, found without a word to the host.
#include "chat/chat.h"

namespace tavi {

WideString DescribeChatRoom(const WideString& frameClass, Platform& platform) {
  const std::optional<AnsiString> frameClassAnsi = platform.ToAnsi(frameClass);
  if (!frameClassAnsi || platform.FindWindowA(*frameClassAnsi) == 0) {
    WideString line(u"No chat program with the window class \u00AB");
    line += frameClass;
    line += u"\u00BB is running";
    return line;
  }
  const WindowHandle room = LocateChatWindow(frameClass, platform);
  if (room == 0) return WideString(u"No chat room is open in the chat program");
  const bool above = platform.RunsAboveUs(room);
  WideString line(above ? u"Windows will not let tavi type into \u00AB" : u"Posts go to: ");
  line += platform.WindowCaption(room);
  if (above) line += u"\u00BB: the chat program runs as administrator";
  return line;
}

}  // namespace tavi
