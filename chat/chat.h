// Finding the host's chat room by window classes and typing a line into it.
#pragma once

#include "platform/platform.h"
#include "sequence/sequence.h"

namespace tavi {

// Window classes of the host chat client's window tree.
inline constexpr const char* kMdiClientClass = "MDIClient";
inline constexpr const char* kChildClass = "AOL Child";
inline constexpr const char* kRichClass = "RICHCNTL";
inline constexpr const char* kReadOnlyRichClass = "RICHCNTLREADONLY";
inline constexpr const char* kListboxClass = "_AOL_Listbox";
inline constexpr const char* kIconClass = "_AOL_Icon";
inline constexpr const char* kStaticClass = "_AOL_Static";

// The first child window (in the window manager's order) of the host's MDI
// client that has a rich-text, list box, icon and static child; 0 if none.
// A frame or MDI client that is missing ends the search with 0.
WindowHandle LocateChatWindow(const WideString& frameClass, Platform& platform);

// The room and the input control inside it that a post types into, found afresh, with the frame
// and MDI client on the way; 0 for what is missing (and for all after it). Where the room has a
// read-only history pane the first rich control is the input; otherwise the first is the history
// and the second the input. `history` is the pane the room shows its lines in.
struct ChatInput {
  WindowHandle frame = 0, mdi = 0, room = 0, input = 0, history = 0;
};
ChatInput LocateChatInput(const WideString& frameClass, Platform& platform);

// Where the posts would go, as the line that says it: the room's caption, or which part of the
// chat program's window tree was not found (its frame, the MDI client in it, a room window, the
// input inside the room), or that Windows keeps tavi from typing into it. Found by the very
// lookup a post makes (LocateChatInput), but nothing is sent to the host.
WideString DescribeChatRoom(const WideString& frameClass, Platform& platform);

// Finds the room afresh (frame class read from `frameClass` now), sets its
// input control's text to `line` and submits it with Enter. Sends nothing
// when no room or no input control is found or the line cannot be converted
// for lack of memory, and no Enter when setting the text failed.
void PostChatLine(WideString& line, const FrameClassSource& frameClass, Platform& platform);

// Sets the text of the input control `input` (0: none) to `line` and submits it with Enter, as
// PostChatLine does; whether the host took both.
bool TypeChatLine(WindowHandle input, const WideString& line, Platform& platform);

}  // namespace tavi
