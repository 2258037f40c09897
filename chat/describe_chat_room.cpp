// DescribeChatRoom: the line that says where the posts would go, found without a word to the host.
#include "chat/chat.h"

namespace tavi {

WideString DescribeChatRoom(const WideString& frameClass, Platform& platform) {
  // The line in three parts: a head, the class or the caption, a tail.
  const char16_t* head = u"No chat program with the window class \u00AB";
  const char16_t* tail = u"\u00BB is running";
  WideString caption;
  const WideString* middle = &frameClass;
  const std::optional<AnsiString> frameClassAnsi = platform.ToAnsi(frameClass);
  if (frameClassAnsi && platform.FindWindowA(*frameClassAnsi) != 0) {
    const WindowHandle room = LocateChatWindow(frameClass, platform);
    if (room) caption = platform.WindowCaption(room);
    middle = &caption;
    const bool above = room && platform.RunsAboveUs(room);
    head = !room   ? u"No chat room is open in the chat program"
           : above ? u"Windows will not let tavi type into \u00AB"
                   : u"Posts go to: ";
    tail = above ? u"\u00BB: the chat program runs as administrator" : u"";
  }
  WideString line(head);
  line += *middle;
  line += tail;
  return line;
}

}  // namespace tavi
