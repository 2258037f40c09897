// The preview's marks over its rows, in the text's colour (readable in every theme): each post's
// state in the gutter, a box around what arrives otherwise than typed, and under high contrast a
// swatch of each coloured group's colour.
#include <algorithm>

#include "app/colours.h"
#include "app/preview.h"
#include "platform/win32/window_api.h"

namespace tavi {

void Preview::DrawState(HDC dc, PostState state, int x, int y) {
  // Strokes on a grid of 8 in a square as high as three quarters of the ascent, in the text's
  // colour (readable in every theme): waiting a dot, posted an arrow, seen a tick, not seen a
  // cross, not posted a dash; the room that could not be read a question mark.
  static constexpr std::uint8_t kStrokes[][6] = {
      {},
      {0x33, 0x53, 0x55, 0x35, 0x33},
      {0x21, 0x64, 0x27},
      {0x14, 0x37, 0x71},
      {0x11, 0x77, 0x44, 0x71, 0x17},
      {},
      {0x14, 0x74},
  };
  SetTextColor(dc, textColour_);
  if (state == PostState::kUnread) {
    Draw(dc, x, y, u"?", 1);
    return;
  }
  const int size = ascent_ * 3 / 4;
  POINT points[6];
  int n = 0;
  for (const std::uint8_t at : kStrokes[static_cast<int>(state)]) {
    if (at) points[n++] = {x + (at >> 4) * size / 8, y - size + (at & 15) * size / 8};
  }
  if (n == 0) return;
  const HPEN pen = CreatePen(PS_SOLID, std::max(1, size / 6), textColour_);
  const HGDIOBJ previous = SelectObject(dc, pen);
  Polyline(dc, points, n);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void Preview::Frame(HDC dc, const RECT& box, HBRUSH edge) {
  const RECT sides[] = {{box.left, box.top, box.right, box.top + 1},
                        {box.left, box.bottom - 1, box.right, box.bottom},
                        {box.left, box.top, box.left + 1, box.bottom},
                        {box.right - 1, box.top, box.right, box.bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, edge);
}

void Preview::DrawMarks(HDC dc, const PreviewPost& post, std::size_t shown, const RECT& row) {
  // In the text's colour, which every theme makes readable on the background: a box around each
  // unit that arrives otherwise than typed; under high contrast, under each coloured group a bar
  // of its colour in a frame.
  const HBRUSH edge = CreateSolidBrush(textColour_);
  const int bar = std::max(2, ascent_ / 6) + 2;
  for (std::size_t i = 0; i < shown; ++i) {
    RECT box = {place_[i], row.top + 1, place_[i] + width_[i], row.bottom - bar - 1};
    if (!post.line.changed.empty() && post.line.changed[unitOf_[i]]) Frame(dc, box, edge);
    const Look& look = post.line.runs[runOf_[i]].look;
    if (!highContrast_ || !look.hasColour || (i > 0 && runOf_[i - 1] == runOf_[i])) continue;
    int left = place_[i], right = left;
    for (std::size_t j = i; j < shown && runOf_[j] == runOf_[i]; ++j) {
      left = std::min(left, place_[j]);
      right = std::max(right, place_[j] + width_[j]);
    }
    box = {left, row.bottom - bar - 1, right - 1, row.bottom - 1};
    FillRect(dc, &box, edge);
    box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    const HBRUSH fill = CreateSolidBrush(palette_ ? SolidColour(dc, look.colour) : look.colour);
    FillRect(dc, &box, fill);
    DeleteObject(fill);
  }
  DeleteObject(edge);
}

}  // namespace tavi
