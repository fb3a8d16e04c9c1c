// Layout and views: every resize, view change, status bar change and splitter move lays the
// window out again from its client area. The splitter and the about button are drawn on the
// window itself; they are not windows.

#include "DicFor/TForm1.h"

namespace varkam {

void TForm1::ArrangeControls() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const Layout layout = ArrangeLayout(
      {client.right, client.bottom, listShown_, 0, listWidth_, !ActionHidStatusBar.checked});
  visibleRows_ = layout.visibleRows;
  FillPage(currentIndex_);
  const auto place = [](ui::Control& control, const Bounds& bounds) {
    control.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  };
  place(ListBox1, layout.listBox);
  place(ScrollBar1, layout.scrollBar);
  shape1_ = layout.splitter;
  place(StatusBar1, layout.statusBar);
  ComboBox1.SetBounds(layout.comboBox.left, layout.comboBox.top, layout.comboBox.width);
  aboutButton_ = layout.aboutButton;
  place(TntMemo1, layout.memo);
  InvalidateRect(Handle(), nullptr, TRUE);
  ShowEntry(1, ShowCurrentAgain);
  SelectRow(currentIndex_);
  if (visibleRows_ >= 2) {
    ScrollBar1.SetLargeChange(visibleRows_ - 1);
  }
}

void TForm1::FormResize() {
  if (created_) {
    ArrangeControls();
  }
}

void TForm1::SetViewMode(std::uint8_t view) {
  if (view != ViewFull && view != ViewNormal) {
    return;
  }
  listShown_ = view == ViewFull;
  ListBox1.SetVisible(listShown_);
  ScrollBar1.SetVisible(listShown_);
  ComboBox1.SetVisible(true);
  ActionFull.checked = listShown_;
  ActionNormal.checked = !listShown_;
  ArrangeControls();
}

void TForm1::ActionFullExecute() {
  SetViewMode(ViewFull);
}

void TForm1::ActionNormalExecute() {
  SetViewMode(ViewNormal);
}

// Only the window's z-order changes: it keeps its handle, and so its place in the clipboard
// viewer chain.
void TForm1::ActionStayOnTopExecute() {
  ActionStayOnTop.checked = !ActionStayOnTop.checked;
  SetWindowPos(Handle(), ActionStayOnTop.checked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::ActionHidStatusBarExecute() {
  ActionHidStatusBar.checked = !ActionHidStatusBar.checked;
  StatusBar1.SetVisible(!ActionHidStatusBar.checked);
  ArrangeControls();
}

void TForm1::Shape1MouseDown(int x, int) {
  grabX_ = x;
}

void TForm1::Shape1MouseMove(bool leftButtonDown, int x, int) {
  if (!leftButtonDown) {
    return;
  }
  const auto left = SplitterLeftAfterDrag(shape1_.left, grabX_, x);
  if (!left) {
    return;
  }
  shape1_.left = *left;
  listWidth_ = *left - ScrollBarWidth;
  ArrangeControls();
}

void TForm1::ListBox1DblClick() {
  SetViewMode(ViewNormal);
}

namespace {

bool Inside(const Bounds& bounds, int x, int y) {
  return x >= bounds.left && x < bounds.left + bounds.width && y >= bounds.top &&
         y < bounds.top + bounds.height;
}

// The about button's picture: an "i" in a blue disc, our own.
void DrawAboutPicture(HDC dc, const Bounds& button, bool pressed) {
  const int size = 15;
  const int left = button.left + (button.width - size) / 2 + (pressed ? 1 : 0);
  const int top = button.top + (button.height - size) / 2 + (pressed ? 1 : 0);
  HBRUSH disc = CreateSolidBrush(RGB(30, 90, 170));
  HGDIOBJ oldBrush = SelectObject(dc, disc);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, left, top, left + size + 1, top + size + 1);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  const int middle = left + size / 2;
  Rectangle(dc, middle - 1, top + 6, middle + 2, top + 13);
  Rectangle(dc, middle - 1, top + 3, middle + 2, top + 5);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(disc);
  if (pressed) {
    RECT edge{button.left, button.top, button.left + button.width, button.top + button.height};
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  }
}

}  // namespace

void TForm1::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Handle(), &paint);
  if (listShown_) {
    // The splitter: a white rectangle whose pen, in the face colour in mask mode, vanishes.
    RECT splitter{shape1_.left, shape1_.top, shape1_.left + shape1_.width,
                  shape1_.top + shape1_.height};
    FillRect(dc, &splitter, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int oldMode = SetROP2(dc, R2_MASKPEN);
    Rectangle(dc, splitter.left, splitter.top, splitter.right, splitter.bottom);
    SetROP2(dc, oldMode);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  DrawAboutPicture(dc, aboutButton_, aboutPressed_);
  EndPaint(Handle(), &paint);
}

void TForm1::MouseDown(UINT message, int x, int y) {
  if (listShown_ && Inside(shape1_, x, y)) {
    splitterHeld_ = true;
    SetCapture(Handle());
    Shape1MouseDown(x - shape1_.left, y - shape1_.top);
  } else if (message == WM_LBUTTONDOWN && Inside(aboutButton_, x, y)) {
    aboutPressed_ = true;
    SetCapture(Handle());
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void TForm1::MouseMove(WPARAM keys, int x, int y) {
  if (splitterHeld_) {
    Shape1MouseMove((keys & MK_LBUTTON) != 0, x - shape1_.left, y - shape1_.top);
  }
}

void TForm1::MouseUp(int x, int y) {
  ReleaseCapture();
  splitterHeld_ = false;
  if (aboutPressed_) {
    aboutPressed_ = false;
    InvalidateRect(Handle(), nullptr, FALSE);
    if (Inside(aboutButton_, x, y)) {
      ActionAbout.Execute();
    }
  }
}

bool TForm1::SetCursorShape() {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  if (listShown_ && Inside(shape1_, point.x, point.y)) {
    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  return false;
}

}  // namespace varkam
