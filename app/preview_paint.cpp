// The preview's look: the message font and its bold, small and fixed-pitch forms at the window's
// DPI; its colours (the system's under high contrast; solid ones on palette screens); its rows
// drawn as the room shows the posts, a script the system reorders or joins as the system draws it,
// cut with an ellipsis at the window's width (the marks over them: preview_marks.cpp).
#include "app/colours.h"
#include "app/preview.h"
#include "platform/win32/window_api.h"

#include <algorithm>

namespace tavi {

void Preview::MakeLook() {
  FreeLook();
  // Under high contrast the system's colours; else tavi's background, solid on palette screens.
  highContrast_ = HighContrastOn();
  HDC screen = GetDC(nullptr);
  backColour_ = highContrast_ ? GetSysColor(COLOR_WINDOW) : SolidColour(screen, kFormBackground);
  background_ = CreateSolidBrush(backColour_);
  SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_));
  textColour_ = highContrast_ ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
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
  gutter_ = 4 * metrics.tmAveCharWidth;  // "7*", the state's mark, a space
}

void Preview::FreeLook() {
  for (auto& advances : advances_) std::fill(std::begin(advances), std::end(advances), 0);
  for (HFONT& font : fonts_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
  // Not the class's brush any more before it is deleted (the class would delete it again).
  if (hwnd_ && background_) SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, 0);
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
      const char kFixed[] = "Courier New";
      for (std::size_t i = 0; i < sizeof kFixed; ++i) face.lfFaceName[i] = kFixed[i];
    }
    font = CreateFontIndirectA(&face);
    // Whether the system reorders, joins (shapes or ligates) or combines the letters of its script
    // (Hebrew, Arabic, Thai).
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    shaped_[variant] = (GetFontLanguageInfo(screen) & (GCP_REORDER | GCP_GLYPHSHAPE | GCP_LIGATE | GCP_DIACRITIC)) != 0;
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
  }
  return font;
}

bool Preview::Shaped(const char16_t* text, std::size_t n) {
  // Combining marks; Hebrew to Tibetan; Myanmar; Khmer and Mongolian; the joiners and direction
  // marks; the presentation forms of Hebrew and Arabic.
  static constexpr char16_t kFrom[] = {0x0300, 0x0590, 0x1000, 0x1780, 0x200C, 0x202A, 0xFB1D, 0xFE70};
  static constexpr char16_t kTo[] = {0x036F, 0x0FFF, 0x109F, 0x18AF, 0x200F, 0x202E, 0xFDFF, 0xFEFE};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < sizeof kFrom / sizeof kFrom[0]; ++k) {
      if (text[i] >= kFrom[k] && text[i] <= kTo[k]) return true;
    }
  }
  return false;
}

int Preview::PlaceAsDrawn(HDC dc, int variant, std::size_t first, std::size_t last) {
  const auto n = static_cast<UINT>(last - first);
  SelectObject(dc, Font(variant));
  SIZE size{};
  GetTextExtentPoint32W(dc, unit_ + first, static_cast<int>(n), &size);
  // The order the system draws the units in (9x has the call only for its code page: there they
  // stay in the typed order).
  GCP_RESULTSW results{};
  results.lStructSize = sizeof results;
  results.lpOrder = order_;
  results.nGlyphs = n;
  if (!CurrentWindowApi().unicode ||
      !GetCharacterPlacementW(dc, unit_ + first, static_cast<int>(n), 0, &results, GCP_REORDER)) {
    for (UINT i = 0; i < n; ++i) order_[i] = i;
  }
  // Each unit after those drawn before it: their widths in the drawn order, added up.
  for (UINT i = 0; i < n; ++i) order_[i] = order_[i] < n ? order_[i] : i;
  for (UINT i = 0; i < n; ++i) advance_[order_[i]] = width_[first + i];
  for (UINT v = 0, at = static_cast<UINT>(place_[first]); v < n; ++v) {
    const int width = advance_[v];
    advance_[v] = static_cast<int>(at);
    at += static_cast<UINT>(width);
  }
  for (UINT i = 0; i < n; ++i) place_[first + i] = advance_[order_[i]];
  return size.cx;
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
    const WideString& line = row == 0 ? room_ : note_;
    SetTextColor(dc, row == 0 ? textColour_ : noteColour_);
    Draw(dc, x, baseline, line.data(), line.size());
  } else {
    const PreviewPost& post = posts_[static_cast<std::size_t>(row - 1)];
    // The post's number, and a mark where its colours are drawn anew for every post.
    const char16_t number[] = {static_cast<char16_t>(u'0' + row), u'*'};
    SetTextColor(dc, noteColour_);
    Draw(dc, x, baseline, number, post.drawnAnew ? 2 : 1);
    DrawState(dc, states_[row - 1], margin_ + gutter_ / 2, baseline);
    x = margin_ + gutter_;
    // Where each unit goes, from its advance in its run's font (measured once); then all units of
    // one look drawn in one call, each placed by its advance. Under Wine a call costs far more
    // than its glyphs, and a superscript wave has a run for every unit.
    // A run in a script the system reorders, joins or combines is drawn as one string, as the
    // system draws text, its units placed in the order drawn.
    const std::u16string& plain = post.line.plain;
    std::size_t shown = 0;
    for (std::size_t r = 0; r < post.line.runs.size(); ++r) {
      const FormattedRun& run = post.line.runs[r];
      const int variant = FontOf(run.look);
      const std::size_t first = shown;
      const int left = x;
      for (std::size_t u = run.begin; u < run.end && shown < kMost && x <= clip.right; ++u, ++shown) {
        place_[shown] = x;
        runOf_[shown] = static_cast<std::uint16_t>(r);
        unitOf_[shown] = static_cast<std::uint16_t>(u);
        unit_[shown] = static_cast<wchar_t>(plain[u]);
        drawn_[shown] = 0;
        x += width_[shown] = Advance(dc, variant, plain[u]);
      }
      if (shown > first && shaped_[variant] && Shaped(plain.data() + run.begin, run.end - run.begin)) {
        for (std::size_t i = first; i < shown; ++i) drawn_[i] = kAlone;
        x = left + PlaceAsDrawn(dc, variant, first, shown);
      }
    }
    for (std::size_t i = 0; i < shown; ++i) {
      if (drawn_[i] & kDone) continue;
      const Look& look = post.line.runs[runOf_[i]].look;
      std::size_t n = 0, last = i;
      int left = place_[i];
      for (std::size_t j = i; j < shown; ++j) {
        if ((drawn_[j] & kDone) || !(post.line.runs[runOf_[j]].look == look) || ((drawn_[j] ^ drawn_[i]) & kAlone) ||
            ((drawn_[i] & kAlone) && runOf_[j] != runOf_[i]))
          continue;
        drawn_[j] |= kDone;
        if (n) advance_[n - 1] = place_[j] - place_[last];
        left = std::min(left, place_[j]);
        text_[n++] = unit_[j];
        last = j;
      }
      advance_[n - 1] = 0;
      SelectObject(dc, Font(FontOf(look)));
      // The posts' colours, solid on a palette screen (asked once: the question is not cheap); under
      // high contrast the system's, the posts' own in swatches.
      SetTextColor(dc, !look.hasColour || highContrast_ ? textColour_
                       : palette_                       ? SolidColour(dc, look.colour)
                                                        : look.colour);
      ExtTextOutW(dc, left, baseline - (look.superscript ? ascent_ * 2 / 5 : 0) + (look.subscript ? ascent_ / 5 : 0), 0,
                  nullptr, text_, static_cast<UINT>(n), (drawn_[i] & kAlone) ? nullptr : advance_);
    }
    DrawMarks(dc, post, shown, item.rcItem);
    cut = post.cut || shown == kMost;  // (a row of more units than that is cut there)
  }
  if (cut || x > clip.right) {
    // An ellipsis over the end of what does not fit.
    SIZE dots{};
    GetTextExtentPoint32W(dc, L"\u2026", 1, &dots);
    clip.left = std::min(x, static_cast<int>(clip.right - dots.cx));
    clip.right = item.rcItem.right;
    FillRect(dc, &clip, background_);
    SetTextColor(dc, textColour_);
    ExtTextOutW(dc, clip.left, baseline, 0, nullptr, L"\u2026", 1, nullptr);
  }
  // The row that has the keyboard (F6): framed in the text's colour.
  if (GetFocus() == item.hwndItem) {
    const HBRUSH edge = CreateSolidBrush(textColour_);
    Frame(dc, item.rcItem, edge);
    DeleteObject(edge);
  }
  SelectObject(dc, previous);
}

}  // namespace tavi
