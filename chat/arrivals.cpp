// Arrivals: each post of the runs since tavi was idle, made through the room's input and then looked
// for in the room's history; the note on them.
#include "chat/arrivals.h"

#include "chat/chat.h"
#include "sequence/preview.h"

namespace tavi {

namespace {

// Only the history's last line: where the lines after it will start.
constexpr std::size_t kLastLineOnly = static_cast<std::size_t>(-1);

}  // namespace

void Arrivals::RunStarted(std::size_t variants) {
  if (!Busy()) posts_.clear();
  variants_ = variants;
  if (depth_ < RunsInProgress::kMost) runs_[depth_++] = 0;
}

void Arrivals::Post(const WideString& line, const FrameClassSource& frameClass, std::uint32_t now) {
  // The posts awaited are looked for once a post, before the next one: the room's lines read then
  // also say where this post's line will start.
  read_ = 0;
  Look(now);
  Record post;
  post.variant = depth_ ? runs_[depth_ - 1]++ : 0;
  post.at = now;
  const std::optional<WideString> frame = frameClass();
  const ChatInput at = frame ? LocateChatInput(*frame, platform_) : ChatInput();
  // Its line will start after the history's last line as it is now: the lines before it were
  // there before the post.
  const bool read = at.input && at.history &&
                    (read_ == at.history || platform_.LastLines(at.history, kLastLineOnly, lines_)) && !lines_.empty();
  if (read) post.from = lines_.back().start + (lines_.back().text.empty() ? 0 : 1);
  post.history = at.history;
  post.shown = AsTheRoomShows(line, platform_);
  const bool handed = TypeChatLine(at.input, line, platform_);
  post.state = !handed ? PostState::kNotPosted : read ? PostState::kPosted : PostState::kUnread;
  posts_.push_back(std::move(post));
}

void Arrivals::RunEnded() {
  if (depth_ == 0) return;
  for (std::size_t variant = runs_[--depth_]; variant < variants_; ++variant) {
    Record stopped;
    stopped.variant = variant;
    stopped.at = posts_.empty() ? 0 : posts_.back().at;
    posts_.push_back(stopped);
  }
}

void Arrivals::Look(std::uint32_t now) {
  // Each history once (where the first post awaited in it is), from the first place a post awaited
  // there may be shown.
  for (std::size_t i = 0; i < posts_.size(); ++i) {
    const Record& post = posts_[i];
    bool first = post.state == PostState::kPosted;
    std::size_t from = post.from;
    for (std::size_t j = 0; j < posts_.size() && first; ++j) {
      const Record& other = posts_[j];
      if (other.state != PostState::kPosted || other.history != post.history) continue;
      first = j >= i;
      if (other.from < from) from = other.from;
    }
    if (first) LookIn(post.history, from);
  }
  for (std::size_t i = 0; i < posts_.size(); ++i) {
    const std::uint32_t since = posts_[i + 1 < posts_.size() ? i + 1 : i].at;
    if (posts_[i].state == PostState::kPosted && now - since >= kLookMs) posts_[i].state = PostState::kNotSeen;
  }
}

void Arrivals::LookIn(WindowHandle history, std::size_t from) {
  const bool read = platform_.LastLines(history, from, lines_);
  read_ = read ? history : 0;
  for (Record& post : posts_) {
    // A room that does not answer cannot say a post is not there.
    if (!read && post.state == PostState::kPosted && post.history == history) post.state = PostState::kUnread;
  }
  RoomLine line;
  for (std::size_t i = 0; read && i < lines_.size();) {
    i = JoinLine(lines_, i, line);
    bool taken = line.start < from;
    for (const Record& post : posts_)
      taken = taken || (post.state == PostState::kSeen && post.history == history && post.line == line.start);
    for (std::size_t j = posts_.size(); j-- > 0 && !taken;) {
      Record& post = posts_[j];
      if (post.state != PostState::kPosted || post.history != history || post.from > line.start ||
          !ShowsPost(line.text, post.shown))
        continue;
      post.state = PostState::kSeen;
      post.line = line.start;
      taken = true;
    }
  }
}

bool Arrivals::Awaiting() const {
  for (const Record& post : posts_) {
    if (post.state == PostState::kPosted) return true;
  }
  return false;
}

PostState Arrivals::StateOf(std::size_t variant) const {
  if (depth_ && variant >= runs_[depth_ - 1]) return PostState::kWaiting;
  for (std::size_t j = posts_.size(); j-- > 0;) {
    if (posts_[j].variant == variant) return posts_[j].state;
  }
  return PostState::kNone;
}

WideString Arrivals::Note() const {
  WideString note;
  if (depth_) {
    std::size_t planned = posts_.size();
    for (std::size_t run = 0; run < depth_; ++run) planned += variants_ - runs_[run];
    AppendWords(note, "Posting ");
    AppendNumber(note, posts_.empty() ? 1 : posts_.size());
    AppendWords(note, " of ");
    AppendNumber(note, planned);
    return note;
  }
  if (posts_.empty()) return note;
  if (Awaiting()) {
    AppendWords(note, "Looking for the posts in the room");
    return note;
  }
  std::size_t handed = 0, seen = 0;
  for (const Record& post : posts_) {
    handed += post.state != PostState::kNotPosted;
    seen += post.state == PostState::kSeen;
  }
  AppendWords(note, "Arrived in the room: ");
  AppendNumber(note, seen);
  AppendWords(note, " of ");
  AppendNumber(note, handed);
  // Which did not, by what became of them: their places, a run of three or more as "3–7".
  static constexpr struct {
    PostState state;
    const char* words;
  } kParts[] = {{PostState::kNotSeen, "not seen: "},
                {PostState::kUnread, "the room could not be read: "},
                {PostState::kNotPosted, "not posted: "}};
  bool any = false;
  for (const auto& part : kParts) {
    bool listed = false;
    for (std::size_t i = 0; i < posts_.size(); ++i) {
      if (posts_[i].state != part.state) continue;
      std::size_t end = i;
      while (end + 1 < posts_.size() && posts_[end + 1].state == part.state) ++end;
      if (end < i + 2) end = i;
      AppendWords(note, listed ? ", " : any ? "; " : " (");
      if (!listed) AppendWords(note, part.words);
      listed = any = true;
      AppendNumber(note, i + 1);
      if (end > i) {
        note += u'\u2013';
        AppendNumber(note, end + 1);
      }
      i = end;
    }
  }
  if (any) note += u')';
  return note;
}

}  // namespace tavi
