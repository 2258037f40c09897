// DescribeChatRoom: the line that says where the posts would go, found without a word to the host.
#include "chat/chat.h"

namespace tavi {

WideString DescribeChatRoom(const WideString& frameClass, Platform& platform) {
  // The line in three parts: a head, the class or the caption, a tail.
  const char16_t* head = u"Posts go to: ";
  const char16_t* tail = u"";
  WideString middle;
  const ChatInput at = LocateChatInput(frameClass, platform);
  if (at.room) middle = platform.WindowCaption(at.room);
  const HostAccess access = at.input ? platform.AccessTo(at.room) : HostAccess::kOpen;
  if (access == HostAccess::kAbove) {
    head = u"Windows will not let tavi type into \u00AB";
    tail = u"\u00BB: the chat program runs as administrator";
  } else if (access == HostAccess::kClosed) {
    head = u"Windows may not let tavi type into \u00AB";
    tail = u"\u00BB: the chat program runs as another user or as administrator";
  } else if (at.room && !at.input) {
    head = u"The chat room \u00AB";
    tail = u"\u00BB has no input box (RICHCNTL) for tavi";
  } else if (at.mdi && !at.room) {
    head = u"No chat room is open in the chat program";
  } else if (!at.room) {
    middle = frameClass;
    head = at.frame ? u"The chat program \u00AB" : u"No chat program with the window class \u00AB";
    tail = at.frame ? u"\u00BB has no MDIClient window for its rooms" : u"\u00BB is running";
  }
  WideString line(head);
  line += middle;
  line += tail;
  return line;
}

}  // namespace tavi
