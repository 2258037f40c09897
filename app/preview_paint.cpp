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
  background_ = CreateSolidBrush(highContrast ? GetSysColor(COLOR_WINDOW) : SolidColour(screen, kFormBackground));
  textColour_ = highContrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
  noteColour_ = GetSysColor(COLOR_GRAYTEXT);
  // The message font at the window's DPI, as large as the user has it.
  base_ = {};
  base_.lfHeight = -MulDiv(8, dpi_, 72);
  if (const HFONT message = CurrentWindowApi().CreateMessageFont(0x7FFF, dpi_)) {
    GetObjectA(message, sizeof base_, &base_);
    DeleteObject(message);
  }
  const HGDIOBJ previous = SelectObject(screen, Font(0));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SIZE gutter{};
  GetTextExtentPoint32W(screen, L"7* ", 3, &gutter);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  // Room for superscripts above the line and subscripts below it.
  ascent_ = metrics.tmAscent;
  rowHeight_ = metrics.tmHeight + metrics.tmAscent / 2;
  margin_ = metrics.tmAveCharWidth;
  gutter_ = gutter.cx;
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

void Preview::DrawRow(const DRAWITEMSTRUCT& item) {
  int row = 0;
  while (row + 1 < kRows && rows_[row] != item.hwndItem) ++row;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, background_);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  const HGDIOBJ previous = SelectObject(dc, Font(0));
  const int baseline = r.top + ascent_ / 4 + ascent_;
  r.right -= margin_;
  // Each run where the one before it ended, all cut at the window's edge.
  int x = margin_;
  bool cut = false;
  const auto draw = [&](const char16_t* text, std::size_t n, int y) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text), static_cast<int>(n), &size);
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &r, reinterpret_cast<const wchar_t*>(text), static_cast<UINT>(n), nullptr);
    x += size.cx;
    cut = cut || x > r.right;
  };
  const PreviewPost* post = row > 0 && row < kNoteRow && static_cast<std::size_t>(row) <= posts_.size()
                                ? &posts_[static_cast<std::size_t>(row - 1)]
                                : nullptr;
  if (!post) {
    static const char16_t kNote[] = u"* Colours are drawn anew for every post";
    SetTextColor(dc, row == 0 ? textColour_ : noteColour_);
    if (row == 0) draw(room_.data(), room_.size(), baseline);
    if (row == kNoteRow) draw(kNote, sizeof kNote / sizeof kNote[0] - 1, baseline);
  } else {
    // The post's number, and a mark where its colours are drawn anew for every post.
    const char16_t number[] = {static_cast<char16_t>(u'0' + row), u'*'};
    SetTextColor(dc, noteColour_);
    draw(number, post->drawnAnew ? 2 : 1, baseline);
    x = margin_ + gutter_;
    for (const FormattedRun& run : post->line.runs) {
      const Look& look = run.look;
      SelectObject(
          dc, Font((look.bold ? 1 : 0) | (look.superscript || look.subscript ? 2 : 0) | (look.preformatted ? 4 : 0)));
      SetTextColor(dc, look.hasColour ? SolidColour(dc, look.colour) : textColour_);
      draw(post->line.plain.data() + run.begin, run.end - run.begin,
           baseline - (look.superscript ? ascent_ * 2 / 5 : 0) + (look.subscript ? ascent_ / 5 : 0));
      if (cut) break;
    }
    cut = cut || post->cut;
  }
  if (cut) {
    // An ellipsis over the end of what does not fit.
    SelectObject(dc, Font(0));
    SetTextColor(dc, textColour_);
    SIZE dots{};
    GetTextExtentPoint32W(dc, L"\u2026", 1, &dots);
    r.left = std::min(x, static_cast<int>(r.right) - static_cast<int>(dots.cx));
    r.right = item.rcItem.right;
    FillRect(dc, &r, background_);
    ExtTextOutW(dc, r.left, baseline, 0, nullptr, L"\u2026", 1, nullptr);
  }
  SelectObject(dc, previous);
}

}  // namespace tavi
