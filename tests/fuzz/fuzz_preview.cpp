// Fuzzes the chat markup reader and the preview's posts: the runs cover the plain text in order,
// the plain text is the line less its tags, every unit keeps its mark, and a line of any length
// (its end cut at the preview's length, also lines past it) makes seven posts.
#include <cstdint>
#include <cstdlib>

#include "fuzz_platform.h"
#include "markup/markup.h"
#include "sequence/preview.h"

namespace {

using namespace tavi;

void Check(bool ok) {
  if (!ok) std::abort();
}

// The read line's runs, in order, cover its plain text; the plain text is the line with parts
// taken out; each unit keeps the mark it had (`marks` has a mark a unit, or none).
void CheckMarked(const WideString& line, const WideString& marks, const MarkedLine& read) {
  std::size_t at = 0;
  for (const FormattedRun& run : read.runs) {
    Check(run.begin == at && run.end > run.begin);
    at = run.end;
  }
  Check(at == read.plain.size());
  Check(read.changed.size() == (marks.empty() ? 0 : read.plain.size()));
  std::size_t j = 0;
  for (std::size_t i = 0; i < line.size() && j < read.plain.size(); ++i) {
    if (line[i] != read.plain[j]) continue;
    if (!marks.empty() && marks[i] != read.changed[j]) continue;  // another unit of the same text
    ++j;
  }
  Check(j == read.plain.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteSource bytes(data, size);
  // Units from the bytes, most of them the markup's own characters; a mark for each.
  static const char16_t kAlphabet[] = {u'<', u'>', u'/', u'=', u'"', u'#', u'b', u's', u'u',   u'p',   u'r',  u'e',
                                       u'o', u'n', u't', u'c', u'l', u'0', u'f', u' ', 0x00E9, 0xD83D, 0xDE00};
  // The first byte's low bits give the length read; its top bit, that what was read is repeated
  // past the length a preview shows (and so cut).
  WideString line, marks;
  const std::uint8_t head = bytes.Byte();
  const std::size_t n = (head & 0x7FU) * 16U;
  for (std::size_t i = 0; i < n && !bytes.empty(); ++i) {
    const std::uint8_t b = bytes.Byte();
    line.push_back(b < 200 ? kAlphabet[b % (sizeof kAlphabet / sizeof kAlphabet[0])] : static_cast<char16_t>(b));
    marks.push_back(b & 1);
  }
  const std::size_t read = line.size();
  while ((head & 0x80U) && read > 0 && line.size() <= kPreviewLength) {
    line.append(line, 0, read);
    marks.append(marks, 0, read);
  }
  CheckMarked(line, marks, ParseMarkup(line, marks));

  fuzz::FuzzPlatform platform(bytes);
  PreviewedPosts posts;
  PreviewPosts(line, platform, posts);
  for (const PreviewPost& post : posts) {
    Check(post.cut == (line.size() > kPreviewLength));
    Check(post.line.changed.empty() || post.line.changed.size() == post.line.plain.size());
  }
  return 0;
}
