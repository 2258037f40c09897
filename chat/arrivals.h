// What became of the posts made since tavi was last idle: whether each was handed to the room, and
// whether the room's history then showed it; and the words that say so.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "sequence/sequence.h"

namespace tavi {

enum class PostState : std::uint8_t {
  kNone,       // no post of this variant since tavi was last idle
  kWaiting,    // its run has yet to make it
  kPosted,     // handed to the room's input, and looked for in its history
  kSeen,       // a line of the room's history shows it
  kNotSeen,    // no line showed it in time
  kUnread,     // the history could not be read (its program did not answer)
  kNotPosted,  // never handed over: no room, a host that did not take it, or stopped by Esc
};

// A line of a room's history as the room wrote it (one control line, or several where it wraps).
struct RoomLine {
  std::size_t start = 0;
  WideString text;
};

// The room's line that starts at the control's line `i`, joined over the lines it wraps to, into
// `line`; the index of the control's line after it. A line ends with its end mark (left out), or
// where the next starts later than it ends (an edit control leaves its line breaks out of its lines).
std::size_t JoinLine(const std::vector<ControlLine>& lines, std::size_t i, RoomLine& line);

// Whether a history line shows a post that the room shows as `post`: it ends with it (a speaker's
// name may come before it) or, where the room cut a long post, with its first kCutAtLeast units or more.
inline constexpr std::size_t kCutAtLeast = 32;
bool ShowsPost(const WideString& line, const WideString& post);

// `line` as the room shows it: converted to the code page as a post is, and back, its tags left out.
WideString AsTheRoomShows(const WideString& line, Platform& platform);

class Arrivals {
 public:
  // How long a post is looked for after the next one is made (the last, after itself): a room may
  // show a post only once the next one is made.
  static constexpr std::uint32_t kLookMs = 3000;

  explicit Arrivals(Platform& platform) : platform_(platform) {}

  // A run of `variants` posts starts, nested in those in progress; the first since tavi was idle
  // forgets what the runs before it left.
  void RunStarted(std::size_t variants);
  // The innermost run's next post: `line` typed into the room that `frameClass` names now, as
  // PostChatLine does, at `now` (milliseconds on a clock that wraps, as GetTickCount does). The
  // posts awaited are looked for first (Look): while runs go on, once a post.
  void Post(const WideString& line, const FrameClassSource& frameClass, std::uint32_t now);
  // The innermost run ends: the posts it did not make are not posted.
  void RunEnded();
  // Looks for the posts awaited in their rooms' histories, read after them; a post not shown
  // kLookMs after the next one was made is not seen. A line shows one post at most: the latest
  // awaited that it can show (the room shows them in the order they were made).
  void Look(std::uint32_t now);
  // Whether a post is looked for; whether a run goes on; either.
  bool Awaiting() const;
  bool Running() const { return depth_ > 0; }
  bool Busy() const { return Running() || Awaiting(); }
  // Forgets the posts (tavi is idle and the message changed).
  void Clear() { posts_.clear(); }

  PostState StateOf(std::size_t variant) const;
  // "Posting 3 of 7" while runs go on; "Arrived in the room: 6 of 7 (not seen: 3)" once every
  // post is settled, the numbers being the posts' places in the order they were made; empty when
  // there is nothing to tell.
  WideString Note() const;

 private:
  struct Record {
    std::size_t variant = 0;
    PostState state = PostState::kNotPosted;
    WindowHandle history = 0;
    std::size_t from = 0;  // where the history's lines after the post start
    std::size_t line = 0;  // where the line that shows it starts
    std::uint32_t at = 0;
    WideString shown;
  };
  // Looks in `history` from `from` on for the posts awaited there.
  void LookIn(WindowHandle history, std::size_t from);

  Platform& platform_;
  std::vector<Record> posts_;
  std::vector<ControlLine> lines_;  // the history's last lines as read
  WindowHandle read_ = 0;           // the history lines_ holds the end of, read just now
  // The runs in progress, outermost first: the posts each made.
  std::size_t runs_[RunsInProgress::kMost] = {};
  std::size_t depth_ = 0;
  std::size_t variants_ = 0;
};

}  // namespace tavi
