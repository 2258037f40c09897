// The preview: a window of its own that shows, while the user types, the seven posts as the room
// will show them and where they would go. Opened from tavi's system menu or with F2; never posts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "chat/arrivals.h"
#include "sequence/preview.h"

namespace tavi {

// The preview's command: the system menu item's and the F2 accelerator's (a system menu
// command's low four bits are Windows' own); and F6's, which puts the keyboard in the preview.
inline constexpr UINT kPreviewCommand = 0x0110;
inline constexpr UINT kPreviewKeyboardCommand = 0x0120;

class Preview {
 public:
  // Reads tavi's message box and frame-class box (`message`, `frameClass`) at every update, and
  // shows what became of the posts (`arrivals`).
  Preview(Platform& platform, const HWND& message, const HWND& frameClass, const Arrivals& arrivals)
      : platform_(platform), message_(message), frameClass_(frameClass), arrivals_(arrivals) {}
  Preview(const Preview&) = delete;
  Preview& operator=(const Preview&) = delete;

  // Opens the preview next to `owner` (tavi's window), without taking the keyboard and covering
  // tavi only where the screen leaves no room; or closes it. Asked for while tavi is minimized, it
  // opens when tavi is restored (OwnerMoved).
  void Toggle(HWND owner);
  // Closes the preview if it is open (or about to open).
  void Close();
  // tavi moved, restored, or changed its size or DPI: the preview placed again beside it (or opened,
  // where it was asked for while tavi was minimized).
  void OwnerMoved();
  // The keyboard into the preview (opened where it is not), on its first row: Up and Down move
  // between the rows, which screen readers read as they get the focus; F6 goes back to tavi.
  void TakeKeyboard(HWND owner);
  // Shows the posts afresh (the message changed), and with `room` the room's line too (the
  // frame class changed); nothing while the preview is closed.
  void Update(bool room = false);
  // Shows what became of the posts: a mark on each row whose post changed state, the note in words.
  void ShowArrivals();

 private:
  // The room's line, the seven posts, the note: what became of the posts, or on the colours.
  static constexpr int kRows = 9;
  static constexpr int kNoteRow = kRows - 1;
  static constexpr const char* kNote = "* Colours are drawn anew for every post";

  // preview.cpp: the window, its rows and its messages.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // A row's keys, while the keyboard is in the preview (the rows are subclassed labels).
  static LRESULT CALLBACK RowProc(HWND row, UINT msg, WPARAM wp, LPARAM lp);
  // A key pressed in the preview, on a row or on the window itself.
  void Key(WPARAM key, LPARAM lp);
  // The keyboard back to tavi's message box.
  void ReturnKeyboard();
  // A row's name for screen readers: its text, every "&" read as itself.
  static void Name(HWND row, const WideString& text);
  void Open(HWND owner);
  // The room's line afresh: rooms open and close. Set only when it changed.
  void UpdateRoom();
  // Below tavi, else above it, else beside it: where it covers no part of tavi, or the least.
  void Place();
  // The window as high as its rows (as wide as the user made it), the rows one under the other.
  void Fit();

  // preview_paint.cpp: fonts, colours and drawing at the window's DPI; preview_marks.cpp: the marks.
  void MakeLook();
  void FreeLook();
  // The message font: bit 0 bold, bit 1 smaller (superscript, subscript), bit 2 fixed pitch (<pre>).
  HFONT Font(int variant);
  static int FontOf(const Look& look);
  // A unit's advance in a font, measured once for the first 256 units.
  int Advance(HDC dc, int variant, char16_t unit);
  // Whether `text` holds a letter of a script whose letters the system reorders, joins or combines.
  static bool Shaped(const char16_t* text, std::size_t n);
  // The units [first, last), measured alone, placed in the order the system draws them as one
  // string from where the first is; the string's width.
  int PlaceAsDrawn(HDC dc, int variant, std::size_t first, std::size_t last);
  void DrawRow(const DRAWITEMSTRUCT& item);
  // A frame one pixel wide just inside `box`.
  static void Frame(HDC dc, const RECT& box, HBRUSH edge);
  // The mark of a post's state in the gutter, from x, over the baseline y.
  void DrawState(HDC dc, PostState state, int x, int y);
  // Over a post's `shown` units in `row`: a box around those that arrive otherwise than typed, and
  // under high contrast a swatch of each coloured group's colour.
  void DrawMarks(HDC dc, const PreviewPost& post, std::size_t shown, const RECT& row);
  // Draws `n` units of `text` from x on the baseline y; x moves on past them.
  static void Draw(HDC dc, int& x, int y, const char16_t* text, std::size_t n);

  Platform& platform_;
  const HWND& message_;
  const HWND& frameClass_;
  const Arrivals& arrivals_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  HWND rows_[kRows] = {};
  PreviewedPosts posts_;
  WideString room_;
  WideString note_;
  WideString converted_;              // the note on the code page's conversion
  PostState states_[kRows - 2] = {};  // each post's state as its row shows it
  bool openOnRestore_ = false;
  WNDPROC rowProc_ = nullptr;  // the labels' own window procedure
  int keyRow_ = 0;             // the row that had the keyboard last

  int dpi_ = 96;
  LOGFONTA base_{};  // the message font at the window's DPI
  HFONT fonts_[8] = {};
  bool shaped_[8] = {};  // whether a font's script is reordered, joined or combined
  HBRUSH background_ = nullptr;
  bool palette_ = false;       // a screen of 256 colours or fewer
  bool highContrast_ = false;  // the system's colours: the posts' own show as swatches
  COLORREF backColour_ = 0, textColour_ = 0, noteColour_ = 0;
  int ascent_ = 0, rowHeight_ = 0, margin_ = 0, gutter_ = 0;
  std::uint16_t advances_[8][256] = {};
  // A row as it is drawn: the units that show, their places and widths, their runs; which are
  // drawn with their run as one string; what is drawn yet.
  static constexpr std::size_t kMost = 512;
  int place_[kMost] = {};
  int width_[kMost] = {};
  int advance_[kMost] = {};
  UINT order_[kMost] = {};
  std::uint16_t runOf_[kMost] = {};
  std::uint16_t unitOf_[kMost] = {};  // each drawn unit's place in the post's plain text
  wchar_t unit_[kMost] = {}, text_[kMost] = {};
  static constexpr std::uint8_t kAlone = 1, kDone = 2;
  std::uint8_t drawn_[kMost] = {};
};

}  // namespace tavi
