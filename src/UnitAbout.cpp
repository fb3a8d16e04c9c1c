#include "UnitAbout.h"

#include <ocidl.h>
#include <olectl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>

// VARKAM_WEB_SITE, the product's web site, is set when building.

namespace varkam {

namespace {

constexpr int ClientWidth = 310;
constexpr int ClientHeight = 433;
constexpr RECT Panel1{4, 4, 4 + 303, 4 + 423};
constexpr RECT ProgramIconFrame{4 + 2, 4 + 2, 4 + 2 + 298, 4 + 2 + 149};
constexpr RECT Image1Frame{4 + 2, 4 + 152, 4 + 2 + 298, 4 + 152 + 266};

bool Inside(const RECT& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// A GIF picture of the program's resources, read with the system's own picture loader.
void LoadPicture(const wchar_t* name, ui::ComPointer<IPicture>& picture) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, name, L"GIF");
  if (resource == nullptr) {
    return;
  }
  const DWORD size = SizeofResource(module, resource);
  const void* bytes = LockResource(LoadResource(module, resource));
  ui::GlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!copy || bytes == nullptr) {
    return;
  }
  void* target = GlobalLock(copy.Get());
  if (target == nullptr) {
    return;
  }
  CopyMemory(target, bytes, size);
  GlobalUnlock(copy.Get());
  ui::ComPointer<IStream> stream;
  // The stream frees the memory from here on.
  if (FAILED(
          CreateStreamOnHGlobal(copy.Get(), TRUE, reinterpret_cast<IStream**>(stream.Receive())))) {
    return;
  }
  copy.Release();
  OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.Receive());
}

// Draws a picture unscaled from the frame's top left corner, cut to the frame.
void DrawPicture(HDC dc, IPicture* picture, const RECT& frame) {
  if (picture == nullptr) {
    return;
  }
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  const int pixelsWide = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
  const int pixelsHigh = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
  picture->Render(dc, frame.left, frame.top, pixelsWide, pixelsHigh, 0, height, width, -height,
                  nullptr);
  RestoreDC(dc, saved);
}

}  // namespace

struct TAboutBox::Pictures {
  Pictures() {
    LoadPicture(L"PROGRAMICON", programIcon);
    LoadPicture(L"IMAGE1", image1);
  }
  ui::ComPointer<IPicture> programIcon;
  ui::ComPointer<IPicture> image1;
};

TAboutBox::TAboutBox()
    : openWebSite([this] {
        // The result is not looked at: without a browser nothing happens, and the box stays.
        ShellExecuteA(Handle(), "open", VARKAM_WEB_SITE, nullptr, nullptr, SW_SHOWNORMAL);
      }) {}

TAboutBox::~TAboutBox() {
  DestroyHandle();
}

void TAboutBox::ShowModal(HWND owner, const std::function<void(TAboutBox&)>& opened) {
  TAboutBox box;
  if (!box.Create(owner)) {
    return;
  }
  EnableWindow(owner, FALSE);
  ShowWindow(box.Handle(), SW_SHOW);
  SetFocus(box.OKButton.Handle());
  if (opened) {
    opened(box);
  }
  MSG message{};
  while (!box.closed_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(box.Handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));  // the application is ending
  }
}

bool TAboutBox::Create(HWND owner) {
  RECT frame{0, 0, ClientWidth, ClientHeight};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT ownerBounds{};
  GetWindowRect(owner, &ownerBounds);
  const int left = ownerBounds.left + (ownerBounds.right - ownerBounds.left - width) / 2;
  const int top = ownerBounds.top + (ownerBounds.bottom - ownerBounds.top - height) / 2;
  if (!CreateBound(L"TAboutBox", style, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, left, top, width,
                   height, owner)) {
    return false;
  }
  SetCaption(L"About");
  if (!CreateControls()) {
    return false;
  }
  pictures_ = std::make_unique<Pictures>();
  return true;
}

bool TAboutBox::CreateControls() {
  font_.Reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                          L"MS Sans Serif"));
  // Three lines below the visible part of the panel, never shown: the version label, the
  // copyright line and the author's contact line.
  if (!OKButton.Create(Handle(), L"OK", IDOK, true) ||
      !versionLabel_.Create(Handle(), L"STATIC", L"ZEMKO  v.Beta1", SS_LEFT) ||
      !copyrightLabel_.Create(Handle(), L"STATIC", L"Copyright (c) Varkam",
                              SS_LEFT | SS_CENTERIMAGE) ||
      !contactLine_.Create(Handle(), L"EDIT", L"varkam.example.org", ES_READONLY)) {
    return false;
  }
  OKButton.SetBounds(15, 397, 64, 22);
  versionLabel_.SetBounds(Panel1.left + 8, Panel1.top + 448, 78, 13);
  copyrightLabel_.SetBounds(Panel1.left + 8, Panel1.top + 420, 151, 13);
  contactLine_.SetBounds(Panel1.left + 8, Panel1.top + 433, 233, 13);
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &OKButton, &versionLabel_, &copyrightLabel_, &contactLine_}) {
    control->SetFont(font_.Get());
  }
  OKButton.onClick = [this] { OKButtonClick(); };
  return true;
}

void TAboutBox::OKButtonClick() {
  Close();
}

void TAboutBox::Image1Click() {
  openWebSite();
}

void TAboutBox::Close() {
  closed_ = true;
  ShowWindow(Handle(), SW_HIDE);
}

void TAboutBox::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel = Panel1;
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  DrawPicture(dc, pictures_->programIcon.Get(), ProgramIconFrame);
  DrawPicture(dc, pictures_->image1.Get(), Image1Frame);
  EndPaint(Handle(), &paint);
}

LRESULT TAboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_COMMAND:
      // Enter and the OK button close the box; Escape does not, as there is no cancel button.
      if (LOWORD(wParam) == IDOK) {
        OKButtonClick();
      }
      return 0;
    // A click on the picture is a press and a release both on it, as on a button.
    case WM_LBUTTONDOWN:
      imagePressed_ = Inside(Image1Frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (imagePressed_) {
        SetCapture(Handle());
      }
      return 0;
    case WM_LBUTTONUP:
      if (imagePressed_) {
        imagePressed_ = false;
        ReleaseCapture();
        if (Inside(Image1Frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
          Image1Click();
        }
      }
      return 0;
    case WM_SETCURSOR: {
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(Handle(), &point);
      if (Inside(Image1Frame, point.x, point.y)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_CLOSE: Close(); return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace varkam
