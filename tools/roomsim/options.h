// roomsim's command line: what host window tree to build and how the host behaves.
#pragma once

#include <string>
#include <vector>

namespace roomsim {

enum class Layout {
  ReadOnly,  // "RICHCNTLREADONLY" history pane, one "RICHCNTL" input
  TwoRich,   // two "RICHCNTL": the history pane first, then the input
  Single,    // one "RICHCNTL" input and a history pane of another class
};

struct Options {
  std::string frameClass = "AOL Frame25";
  int rooms = 1;
  Layout layout = Layout::ReadOnly;
  int decoys = 0;               // child windows that lack one of a room's controls
  bool topLevelDecoys = false;  // top-level windows of every class of the tree
  bool noFrame = false;         // no frame window at all
  int hangAfter = 0;            // stop handling messages after this many lines
  int holdAfter = 0;            // answer this line only once released (see HelpText)
  int holdText = 0;             // take this line's text only once released
  int exitAfter = 0;            // quit after this many lines
  int drop = 0;                 // record this line, but never show it in the history
  int echoDelayMs = 0;          // show each line in the history this long after its Enter
  int churnMs = 0;              // close and reopen the rooms this often
  std::string transcript;       // where submitted lines are recorded
  std::string title = "Lobby";  // the first room's name
  bool help = false;
};

struct ParseResult {
  Options options;
  std::string error;  // empty when the command line was understood
};

ParseResult ParseOptions(const std::vector<std::string>& args);
const char* HelpText();

}  // namespace roomsim
