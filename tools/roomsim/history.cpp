// Renders a submitted line into a room's history pane, with its markup applied.
#include <richedit.h>

#include <algorithm>

#include "markup/markup.h"
#include "tools/roomsim/host.h"

namespace roomsim {

namespace {

std::u16string FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()),
                      n);
  return out;
}

using tavi::Look;

void AppendRun(HWND history, const std::u16string& text, const Look& format, COLORREF fallback) {
  SendMessageW(history, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);  // clamps to the end
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_BOLD | CFM_COLOR | CFM_SUPERSCRIPT | CFM_FACE;
  lstrcpynW(cf.szFaceName, format.preformatted ? L"Courier New" : L"Arial", LF_FACESIZE);
  cf.dwEffects = (format.bold ? CFE_BOLD : 0) | (format.superscript ? CFE_SUPERSCRIPT : 0) |
                 (format.subscript ? CFE_SUBSCRIPT : 0);
  cf.crTextColor = format.hasColour ? format.colour : fallback;
  SendMessageW(history, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  SETTEXTEX st{ST_SELECTION | ST_KEEPUNDO, 1200};
  SendMessageW(history, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

void AppendToHistory(HWND history, const std::string& speaker, const std::string& ansiBytes) {
  if (!history) return;
  const bool first = GetWindowTextLengthW(history) == 0;
  Look name;
  name.bold = true;
  const COLORREF colour = speaker == "You" ? RGB(0x1F, 0x3A, 0x93) : RGB(0x8A, 0x1C, 0x1C);
  AppendRun(history, std::u16string(first ? u"" : u"\r") + FromAnsi(speaker + ": "), name, colour);
  // A room shows only the beginning of a very long line, cut before a tag it would cut in two.
  constexpr std::size_t kShown = 2000;
  std::size_t shown = std::min(ansiBytes.size(), kShown);
  if (const std::size_t open = ansiBytes.rfind('<', shown - 1);
      shown < ansiBytes.size() && open != std::string::npos && ansiBytes.find('>', open) >= shown)
    shown = open;
  const tavi::MarkedLine line = tavi::ParseMarkup(FromAnsi(ansiBytes.substr(0, shown)));
  for (const tavi::FormattedRun& run : line.runs)
    AppendRun(history, line.plain.substr(run.begin, run.end - run.begin), run.look, RGB(0x20, 0x20, 0x20));
  SendMessageW(history, WM_VSCROLL, SB_BOTTOM, 0);
}

}  // namespace roomsim
