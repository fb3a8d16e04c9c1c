// Layout and views: every resize, view change, status bar change and splitter move lays the
// window out again from its client area. The splitter and the about button are drawn on the
// window itself; they are not windows.

#include "DicFor/TForm1.h"

namespace varkam {

std::pair<int, int> TForm1::ClientSize() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return {client.right, client.bottom};
}

void TForm1::FormResize() {
  const auto [width, height] = ClientSize();
  Run([width, height](LookupSession& session) -> const WindowView& {
    return session.Resize(width, height);
  });
}

void TForm1::Shape1MouseDown(int x, int) {
  Run([x](LookupSession& session) -> const WindowView& { return session.GrabSplitter(x); });
}

void TForm1::Shape1MouseMove(bool leftButtonDown, int x, int) {
  if (leftButtonDown) {
    Run([x](LookupSession& session) -> const WindowView& { return session.DragSplitter(x); });
  }
}

namespace {

bool Inside(const Bounds& bounds, int x, int y) {
  return x >= bounds.left && x < bounds.left + bounds.width && y >= bounds.top &&
         y < bounds.top + bounds.height;
}

// The about button's picture: an "i" in a blue disc, our own. A flat button: its frame shows
// raised under the mouse and sunken while pressed.
void DrawAboutButton(HDC dc, const Bounds& button, bool hot, bool pressed) {
  const int size = 15;
  const int left = button.left + (button.width - size) / 2 + (pressed ? 1 : 0);
  const int top = button.top + (button.height - size) / 2 + (pressed ? 1 : 0);
  {
    const ui::Brush disc(CreateSolidBrush(RGB(30, 90, 170)));
    const ui::Selected brush(dc, disc.Get());
    const ui::Selected pen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, left, top, left + size + 1, top + size + 1);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    const int middle = left + size / 2;
    Rectangle(dc, middle - 1, top + 6, middle + 2, top + 13);
    Rectangle(dc, middle - 1, top + 3, middle + 2, top + 5);
  }
  if (pressed || hot) {
    RECT edge{button.left, button.top, button.left + button.width, button.top + button.height};
    DrawEdge(dc, &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
}

// The splitter: a white rectangle whose pen, in the face colour in mask mode, vanishes.
void DrawSplitter(HDC dc, const Bounds& bounds) {
  const RECT splitter{bounds.left, bounds.top, bounds.left + bounds.width,
                      bounds.top + bounds.height};
  FillRect(dc, &splitter, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const ui::Pen face(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  const ui::Selected pen(dc, face.Get());
  const ui::Selected brush(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetROP2(dc, R2_MASKPEN);
  Rectangle(dc, splitter.left, splitter.top, splitter.right, splitter.bottom);
  SetROP2(dc, oldMode);
}

}  // namespace

// The button's face is drawn on the window's background, which is erased first, so that a
// frame it no longer has goes too.
void TForm1::RepaintAboutButton() {
  const Bounds& button = shown_.layout.aboutButton;
  const RECT area{button.left, button.top, button.left + button.width, button.top + button.height};
  InvalidateRect(Handle(), &area, TRUE);
}

void TForm1::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Handle(), &paint);
  if (shown_.switches.fullView) {
    DrawSplitter(dc, shown_.layout.splitter);
  }
  DrawAboutButton(dc, shown_.layout.aboutButton, aboutHot_, aboutPressed_);
  EndPaint(Handle(), &paint);
}

void TForm1::MouseDown(UINT message, int x, int y) {
  const Bounds& splitter = shown_.layout.splitter;
  if (shown_.switches.fullView && Inside(splitter, x, y)) {
    splitterHeld_ = true;
    SetCapture(Handle());
    Shape1MouseDown(x - splitter.left, y - splitter.top);
  } else if (message == WM_LBUTTONDOWN && Inside(shown_.layout.aboutButton, x, y)) {
    aboutPressed_ = true;
    SetCapture(Handle());
    RepaintAboutButton();
  }
}

void TForm1::MouseMove(WPARAM keys, int x, int y) {
  if (splitterHeld_) {
    const Bounds& splitter = shown_.layout.splitter;
    Shape1MouseMove((keys & MK_LBUTTON) != 0, x - splitter.left, y - splitter.top);
  }
  const bool hot = Inside(shown_.layout.aboutButton, x, y);
  if (hot != aboutHot_) {
    aboutHot_ = hot;
    RepaintAboutButton();
    if (hot) {
      // Told when the mouse leaves the window, so that the frame goes with it.
      TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&leave);
    }
  }
}

void TForm1::MouseUp(UINT message, int x, int y) {
  ReleaseCapture();
  splitterHeld_ = false;
  if (aboutPressed_ && message == WM_LBUTTONUP) {
    aboutPressed_ = false;
    RepaintAboutButton();
    if (Inside(shown_.layout.aboutButton, x, y)) {
      ActionAbout.Execute();
    }
  }
}

bool TForm1::SetCursorShape() {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  if (shown_.switches.fullView && Inside(shown_.layout.splitter, point.x, point.y)) {
    static const HCURSOR split = LoadCursorW(GetModuleHandleW(nullptr), L"HSPLIT");
    SetCursor(split != nullptr ? split : LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  return false;
}

}  // namespace varkam
