// DescribeChatRoom: the line that says where the posts would go, found without a word to the host.
#include "chat/chat.h"
#include "sequence/preview.h"

namespace tavi {

WideString DescribeChatRoom(const WideString& frameClass, Platform& platform) {
  // The line in three parts: a head, the class or the caption, a tail.
  const char* head = "Posts go to: ";
  const char* tail = "";
  WideString middle;
  const ChatInput at = LocateChatInput(frameClass, platform);
  if (at.room) middle = platform.WindowCaption(at.room);
  const HostAccess access = at.input ? platform.AccessTo(at.room) : HostAccess::kOpen;
  if (access == HostAccess::kAbove) {
    head = "Windows will not let tavi type into \xAB";
    tail = "\xBB: the chat program runs as administrator";
  } else if (access == HostAccess::kClosed) {
    head = "Windows may not let tavi type into \xAB";
    tail = "\xBB: the chat program runs as another user or as administrator";
  } else if (at.room && !at.input) {
    head = "The chat room \xAB";
    tail = "\xBB has no input box (RICHCNTL) for tavi";
  } else if (at.mdi && !at.room) {
    head = "No chat room is open in the chat program";
  } else if (!at.room) {
    middle = frameClass;
    head = at.frame ? "The chat program \xAB" : "No chat program with the window class \xAB";
    tail = at.frame ? "\xBB has no MDIClient window for its rooms" : "\xBB is running";
  }
  WideString line;
  AppendWords(line, head);
  line += middle;
  AppendWords(line, tail);
  return line;
}

}  // namespace tavi
