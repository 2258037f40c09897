// The preview's look: the message font and its bold, small and fixed-pitch forms at the window's
// DPI; its colours (the system's under high contrast, solid ones on palette screens; the posts'
// own colours stay, they are what is posted); its rows drawn as the room shows the posts, cut
// with an ellipsis at the window's width.
#include "app/colours.h"
#include "app/preview.h"
#include "platform/win32/window_api.h"

#include <algorithm>

namespace tavi {

void Preview::MakeLook() {
  FreeLook();
  // Under high contrast the system's colours; else tavi's background, solid on palette screens.
  const bool highContrast = HighContrastOn();
  HDC screen = GetDC(nullptr);
  backColour_ = highContrast ? GetSysColor(COLOR_WINDOW) : SolidColour(screen, kFormBackground);
  background_ = CreateSolidBrush(backColour_);
  SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_));
  textColour_ = highContrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
  noteColour_ = GetSysColor(COLOR_GRAYTEXT);
  // The message font at the window's DPI, as large as the user has it.
  base_ = {};
  if (const HFONT message = CurrentWindowApi().CreateMessageFont(0x7FFF, dpi_)) {
    GetObjectA(message, sizeof base_, &base_);
    DeleteObject(message);
  }
  const HGDIOBJ previous = SelectObject(screen, Font(0));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  // Room for superscripts above the line and subscripts below it.
  ascent_ = metrics.tmAscent;
  rowHeight_ = metrics.tmHeight + metrics.tmAscent / 2;
  margin_ = metrics.tmAveCharWidth;
  gutter_ = 3 * metrics.tmAveCharWidth;  // "7* "
}

void Preview::FreeLook() {
  for (HFONT& font : fonts_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
  if (background_) DeleteObject(background_);
  background_ = nullptr;
}

HFONT Preview::Font(int variant) {
  HFONT& font = fonts_[variant];
  if (!font) {
    LOGFONTA face = base_;
    if (variant & 1) face.lfWeight = FW_BOLD;
    if (variant & 2) face.lfHeight = face.lfHeight * 2 / 3, face.lfWidth = 0;
    if (variant & 4) {
      face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      lstrcpyA(face.lfFaceName, "Courier New");
    }
    font = CreateFontIndirectA(&face);
  }
  return font;
}

void Preview::Draw(HDC dc, const RECT& clip, int& x, int y, const char16_t* text, std::size_t n) {
  const auto* units = reinterpret_cast<const wchar_t*>(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, units, static_cast<int>(n), &size);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, units, static_cast<UINT>(n), nullptr);
  x += size.cx;
}

void Preview::DrawRow(const DRAWITEMSTRUCT& item) {
  int row = 0;
  while (row + 1 < kRows && rows_[row] != item.hwndItem) ++row;
  HDC dc = item.hDC;
  RECT clip = item.rcItem;
  FillRect(dc, &clip, background_);
  SetBkColor(dc, backColour_);  // the text's cells in the background's colour
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  const HGDIOBJ previous = SelectObject(dc, Font(0));
  const int baseline = clip.top + ascent_ / 4 + ascent_;
  clip.right -= margin_;
  // Each run where the one before it ended, all cut at the window's edge.
  int x = margin_;
  bool cut = false;
  if (row == 0 || row == kNoteRow) {
    SetTextColor(dc, row == 0 ? textColour_ : noteColour_);
    Draw(dc, clip, x, baseline, row == 0 ? room_.data() : kNote,
         row == 0 ? room_.size() : std::char_traits<char16_t>::length(kNote));
  } else {
    const PreviewPost& post = posts_[static_cast<std::size_t>(row - 1)];
    // The post's number, and a mark where its colours are drawn anew for every post.
    const char16_t number[] = {static_cast<char16_t>(u'0' + row), u'*'};
    SetTextColor(dc, noteColour_);
    Draw(dc, clip, x, baseline, number, post.drawnAnew ? 2 : 1);
    x = margin_ + gutter_;
    for (const FormattedRun& run : post.line.runs) {
      const Look& look = run.look;
      SelectObject(
          dc, Font((look.bold ? 1 : 0) | (look.superscript || look.subscript ? 2 : 0) | (look.preformatted ? 4 : 0)));
      SetTextColor(dc, look.hasColour ? SolidColour(dc, look.colour) : textColour_);
      if (x <= clip.right) {
        Draw(dc, clip, x, baseline - (look.superscript ? ascent_ * 2 / 5 : 0) + (look.subscript ? ascent_ / 5 : 0),
             post.line.plain.data() + run.begin, run.end - run.begin);
      }
    }
    cut = post.cut;
  }
  if (cut || x > clip.right) {
    // An ellipsis over the end of what does not fit.
    SIZE dots{};
    GetTextExtentPoint32W(dc, L"\u2026", 1, &dots);
    clip.left = std::min(x, static_cast<int>(clip.right - dots.cx));
    clip.right = item.rcItem.right;
    FillRect(dc, &clip, background_);
    ExtTextOutW(dc, clip.left, baseline, 0, nullptr, L"\u2026", 1, nullptr);
  }
  SelectObject(dc, previous);
}

}  // namespace tavi
