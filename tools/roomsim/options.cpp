// Parses roomsim's command line and explains it.
#include "tools/roomsim/options.h"

#include <cstdlib>

namespace roomsim {

namespace {

bool ParseCount(const std::string& text, int max, int& out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = std::atoi(text.c_str());
  return out <= max;
}

}  // namespace

const char* HelpText() {
  return "roomsim - a stand-in chat host for trying tavi out and testing it.\n"
         "\n"
         "It opens a host frame window with chat rooms inside, laid out as tavi looks for\n"
         "them: the frame holds an \"MDIClient\"; a room is an \"AOL Child\" in that,\n"
         "holding \"_AOL_Listbox\", \"_AOL_Icon\", \"_AOL_Static\" and either\n"
         "\"RICHCNTLREADONLY\" (history) and \"RICHCNTL\" (input) or two \"RICHCNTL\"\n"
         "(history, then input); the first such room gets the posts. A room's input\n"
         "control submits its text on Enter: the line appears, rendered, in the room's\n"
         "history (\"You: \" and its beginning, where it is long) and is recorded in the\n"
         "transcript.\n"
         "\n"
         "Usage: roomsim [options]\n"
         "\n"
         "  --frame-class NAME   class of the frame window (default \"AOL Frame25\")\n"
         "  --rooms N            chat rooms to open, 0-8 (default 1)\n"
         "  --title TEXT         name of the first room (default \"Lobby\")\n"
         "  --layout L           controls of a room (default readonly):\n"
         "                         readonly  history \"RICHCNTLREADONLY\" + input \"RICHCNTL\"\n"
         "                         tworich   history \"RICHCNTL\" + input \"RICHCNTL\"\n"
         "                         single    one \"RICHCNTL\" (the history): no input for tavi\n"
         "  --decoys N           child windows that lack one of a room's four controls, 0-8\n"
         "  --toplevel-decoys    top-level windows of every class of the tree (outside any\n"
         "                       frame); anything they receive is recorded as \"decoy\"\n"
         "  --no-frame           open no frame window (the host is not running)\n"
         "  --hang-after N       stop handling messages after N lines (a hung host); the\n"
         "                       transcript says \"hang\" when it starts\n"
         "  --hold-after N       record the N-th line, then keep its sender waiting (up to\n"
         "                       60 s) until the event \"roomsim.release.<pid>\" is set\n"
         "  --hold-text N        as --hold-after, but inside the N-th line's text (WM_SETTEXT),\n"
         "                       before its Enter\n"
         "  --exit-after N       quit after N lines (a host that goes away)\n"
         "  --drop N             record the N-th line in the transcript, but never show it in\n"
         "                       the room's history (a flood limit, a line the server lost)\n"
         "  --echo-delay MS      show each line in the history MS milliseconds after its\n"
         "                       Enter, as a chat server's echo does (default 0: at once)\n"
         "  --churn MS           close and reopen the rooms every MS milliseconds\n"
         "  --transcript FILE    append every submitted line to FILE:\n"
         "                         post t=<unix ms> room=<n> control=RICHCNTL#<k> len=<bytes> hex=<bytes>\n"
         "  --help               show this text\n";
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
  ParseResult result;
  Options& o = result.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        result.error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto count = [&](int max, int& out) {
      std::string text;
      if (!value(text)) return false;
      if (!ParseCount(text, max, out)) {
        result.error =
            "option " + arg + " takes a whole number from 0 to " + std::to_string(max) + ", not \"" + text + "\"";
        return false;
      }
      return true;
    };
    bool ok = true;
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      o.help = true;
    } else if (arg == "--frame-class") {
      ok = value(o.frameClass);
    } else if (arg == "--title") {
      ok = value(o.title);
    } else if (arg == "--rooms") {
      ok = count(8, o.rooms);
    } else if (arg == "--decoys") {
      ok = count(8, o.decoys);
    } else if (arg == "--hang-after") {
      ok = count(1000000, o.hangAfter);
    } else if (arg == "--hold-after") {
      ok = count(1000000, o.holdAfter);
    } else if (arg == "--hold-text") {
      ok = count(1000000, o.holdText);
    } else if (arg == "--exit-after") {
      ok = count(1000000, o.exitAfter);
    } else if (arg == "--drop") {
      ok = count(1000000, o.drop);
    } else if (arg == "--echo-delay") {
      ok = count(60000, o.echoDelayMs);
    } else if (arg == "--churn") {
      ok = count(60000, o.churnMs);
    } else if (arg == "--transcript") {
      ok = value(o.transcript);
    } else if (arg == "--toplevel-decoys") {
      o.topLevelDecoys = true;
    } else if (arg == "--no-frame") {
      o.noFrame = true;
    } else if (arg == "--layout") {
      std::string layout;
      ok = value(layout);
      if (ok && layout == "readonly")
        o.layout = Layout::ReadOnly;
      else if (ok && layout == "tworich")
        o.layout = Layout::TwoRich;
      else if (ok && layout == "single")
        o.layout = Layout::Single;
      else if (ok) {
        result.error = "unknown layout \"" + layout + "\" (readonly, tworich or single)";
        ok = false;
      }
    } else {
      result.error = "unknown option \"" + arg + "\"";
      ok = false;
    }
    if (!ok) return result;
  }
  return result;
}

}  // namespace roomsim
