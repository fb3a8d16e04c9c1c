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
  if (changingDpi_) {
    return;  // the layout waits for the new dpi
  }
  const auto [width, height] = ClientSize();
  Run([width, height](LookupSession& session) -> const WindowView& {
    return session.Resize(width, height);
  });
}

// The window was moved to a display of another dpi: it takes the size the system suggests, and
// one layout at the new dpi follows. A change while the window is being placed at creation,
// before its first layout, leaves the stored size as it is: the first layout reads the dpi.
void TForm1::FormDpiChanged(int dpi, const RECT& suggested) {
  if (!session_) {
    return;
  }
  changingDpi_ = true;
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  changingDpi_ = false;
  const auto [width, height] = ClientSize();
  Run([dpi, width, height](LookupSession& session) -> const WindowView& {
    return session.ChangeDpi(dpi, width, height);
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

// The about button's picture: an "i" in a blue disc, our own, drawn at the window's dpi. A flat
// button: its frame shows raised under the mouse and sunken while pressed.
void DrawAboutButton(HDC dc, const Bounds& button, int dpi, bool hot, bool pressed) {
  const auto scaled = [dpi](int designPixels) { return Scaled(designPixels, dpi); };
  const int size = scaled(15);
  const int shift = pressed ? scaled(1) : 0;
  const int left = button.left + (button.width - size) / 2 + shift;
  const int top = button.top + (button.height - size) / 2 + shift;
  {
    const ui::Brush disc(CreateSolidBrush(RGB(30, 90, 170)));
    const ui::Selected brush(dc, disc.Get());
    const ui::Selected pen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, left, top, left + size + 1, top + size + 1);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    // The stroke is 2 pixels wide at 96 dpi; a rectangle without a pen leaves out its last
    // column and row.
    const int strokeLeft = left + size / 2 - scaled(1);
    const int strokeRight = strokeLeft + scaled(2) + 1;
    Rectangle(dc, strokeLeft, top + scaled(6), strokeRight, top + scaled(13));
    Rectangle(dc, strokeLeft, top + scaled(3), strokeRight, top + scaled(5));
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
  DrawAboutButton(dc, shown_.layout.aboutButton, shown_.layout.dpi, aboutHot_, aboutPressed_);
  EndPaint(Handle(), &paint);
}

void TForm1::MouseDown(UINT message, int x, int y) {
  const Bounds& splitter = shown_.layout.splitter;
  if (shown_.switches.fullView && splitter.Contains(x, y)) {
    splitterHeld_ = true;
    SetCapture(Handle());
    Shape1MouseDown(x - splitter.left, y - splitter.top);
  } else if (message == WM_LBUTTONDOWN && shown_.layout.aboutButton.Contains(x, y)) {
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
  const bool hot = shown_.layout.aboutButton.Contains(x, y);
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
    if (shown_.layout.aboutButton.Contains(x, y)) {
      ActionAbout.Execute();
    }
  }
}

bool TForm1::SetCursorShape() {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  if (shown_.switches.fullView && shown_.layout.splitter.Contains(point.x, point.y)) {
    static const HCURSOR split = LoadCursorW(GetModuleHandleW(nullptr), L"HSPLIT");
    SetCursor(split != nullptr ? split : LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  return false;
}

}  // namespace varkam
