// DescribeChatRoom: the line that says where the posts would go, found without a word to the host.
#include "chat/chat.h"

namespace tavi {

WideString DescribeChatRoom(const WideString& frameClass, Platform& platform) {
  const std::optional<AnsiString> frameClassAnsi = platform.ToAnsi(frameClass);
  if (!frameClassAnsi || platform.FindWindowA(*frameClassAnsi) == 0) {
    return u"No chat program with the window class \u00AB" + frameClass + u"\u00BB is running";
  }
  const WindowHandle room = LocateChatWindow(frameClass, platform);
  if (room == 0) return u"No chat room is open in the chat program";
  const WideString caption = platform.WindowCaption(room);
  if (platform.RunsAboveUs(room)) {
    return u"Windows will not let tavi type into \u00AB" + caption + u"\u00BB: the chat program runs as administrator";
  }
  return u"Posts go to: " + caption;
}

}  // namespace tavi
