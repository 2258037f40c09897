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
  palette_ = PaletteScreen(screen);
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
  for (auto& advances : advances_) std::fill(std::begin(advances), std::end(advances), 0);
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

void Preview::Draw(HDC dc, int& x, int y, const char16_t* text, std::size_t n) {
  const auto* units = reinterpret_cast<const wchar_t*>(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, units, static_cast<int>(n), &size);
  ExtTextOutW(dc, x, y, 0, nullptr, units, static_cast<UINT>(n), nullptr);
  x += size.cx;
}

int Preview::FontOf(const Look& look) {
  return (look.bold ? 1 : 0) | (look.superscript || look.subscript ? 2 : 0) | (look.preformatted ? 4 : 0);
}

int Preview::Advance(HDC dc, int variant, char16_t unit) {
  std::uint16_t& known = advances_[variant][unit & 0xFF];
  if (unit < 0x100 && known) return known;
  SelectObject(dc, Font(variant));
  SIZE size{};
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(&unit), 1, &size);
  if (unit < 0x100) known = static_cast<std::uint16_t>(size.cx);
  return size.cx;
}

void Preview::DrawRow(const DRAWITEMSTRUCT& item) {
  int row = 0;
  while (row + 1 < kRows && rows_[row] != item.hwndItem) ++row;
  HDC dc = item.hDC;
  RECT clip = item.rcItem;
  FillRect(dc, &clip, background_);
  SetBkMode(dc, TRANSPARENT);  // one look's units, drawn in one call, span those of others
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  const HGDIOBJ previous = SelectObject(dc, Font(0));
  const int baseline = clip.top + ascent_ / 4 + ascent_;
  clip.right -= margin_;
  // Each run where the one before it ended, up to the window's edge (the ellipsis covers what
  // crosses it).
  int x = margin_;
  bool cut = false;
  if (row == 0 || row == kNoteRow) {
    SetTextColor(dc, row == 0 ? textColour_ : noteColour_);
    Draw(dc, x, baseline, row == 0 ? room_.data() : kNote,
         row == 0 ? room_.size() : std::char_traits<char16_t>::length(kNote));
  } else {
    const PreviewPost& post = posts_[static_cast<std::size_t>(row - 1)];
    // The post's number, and a mark where its colours are drawn anew for every post.
    const char16_t number[] = {static_cast<char16_t>(u'0' + row), u'*'};
    SetTextColor(dc, noteColour_);
    Draw(dc, x, baseline, number, post.drawnAnew ? 2 : 1);
    x = margin_ + gutter_;
    // Where each unit goes, from its advance in its run's font (measured once); then all units of
    // one look drawn in one call, each placed by its advance. Under Wine a call costs far more
    // than its glyphs, and a superscript wave has a run for every unit.
    const std::u16string& plain = post.line.plain;
    std::size_t shown = 0;
    for (std::size_t r = 0; r < post.line.runs.size(); ++r) {
      const FormattedRun& run = post.line.runs[r];
      for (std::size_t u = run.begin; u < run.end && shown < kMost && x <= clip.right; ++u, ++shown) {
        place_[shown] = x;
        runOf_[shown] = static_cast<std::uint16_t>(r);
        unit_[shown] = static_cast<wchar_t>(plain[u]);
        x += Advance(dc, FontOf(run.look), plain[u]);
      }
    }
    place_[shown] = x;
    done_.reset();
    for (std::size_t i = 0; i < shown; ++i) {
      if (done_[i]) continue;
      const Look& look = post.line.runs[runOf_[i]].look;
      std::size_t n = 0, last = i;
      for (std::size_t j = i; j < shown; ++j) {
        if (done_[j] || !(post.line.runs[runOf_[j]].look == look)) continue;
        done_[j] = true;
        if (n) advance_[n - 1] = place_[j] - place_[last];
        text_[n++] = unit_[j];
        last = j;
      }
      advance_[n - 1] = 0;
      SelectObject(dc, Font(FontOf(look)));
      // The posts' colours, solid on a palette screen (asked once: the question is not cheap).
      SetTextColor(dc, !look.hasColour ? textColour_ : palette_ ? SolidColour(dc, look.colour) : look.colour);
      ExtTextOutW(dc, place_[i],
                  baseline - (look.superscript ? ascent_ * 2 / 5 : 0) + (look.subscript ? ascent_ / 5 : 0), 0, nullptr,
                  text_, static_cast<UINT>(n), advance_);
    }
    cut = post.cut || shown == kMost;  // (a row of more units than that is cut there)
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
