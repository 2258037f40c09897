// The room's history read back: its control's lines joined into the lines the room wrote, and
// whether one of them shows a post.
#include "chat/arrivals.h"
#include "markup/markup.h"

namespace tavi {

std::size_t JoinLine(const std::vector<ControlLine>& lines, std::size_t i, RoomLine& line) {
  line.start = lines[i].start;
  line.text.clear();
  for (bool open = true; open; ++i) {
    WideString& text = line.text;
    text += lines[i].text;
    const bool marked = !text.empty() && (text.back() == u'\r' || text.back() == u'\n');
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
    open = !marked && i + 1 < lines.size() && lines[i + 1].start <= lines[i].start + lines[i].text.size();
  }
  return i;
}

bool ShowsPost(const WideString& line, const WideString& post) {
  const std::size_t least = post.size() < kCutAtLeast ? post.size() : kCutAtLeast;
  for (std::size_t n = post.size() < line.size() ? post.size() : line.size(); n >= least; --n) {
    if (line.compare(line.size() - n, n, post, 0, n) == 0) return n == post.size() || n >= kCutAtLeast;
    if (n == 0) break;
  }
  return false;
}

WideString AsTheRoomShows(const WideString& line, Platform& platform) {
  const std::optional<AnsiString> ansi = platform.ToAnsi(line);
  const std::optional<WideString> back = ansi ? platform.FromAnsi(*ansi) : std::nullopt;
  return ParseMarkup(back ? *back : line).plain;
}

}  // namespace tavi
