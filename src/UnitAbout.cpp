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
IPicture* LoadPicture(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, name, L"GIF");
  if (resource == nullptr) {
    return nullptr;
  }
  const DWORD size = SizeofResource(module, resource);
  const void* bytes = LockResource(LoadResource(module, resource));
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr || bytes == nullptr) {
    return nullptr;
  }
  CopyMemory(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  IPicture* picture = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                   reinterpret_cast<void**>(&picture));
    stream->Release();
  } else {
    GlobalFree(copy);
  }
  return picture;
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
  IPicture* programIcon = LoadPicture(L"PROGRAMICON");
  IPicture* image1 = LoadPicture(L"IMAGE1");
  ~Pictures() {
    for (IPicture* picture : {programIcon, image1}) {
      if (picture != nullptr) {
        picture->Release();
      }
    }
  }
};

TAboutBox::TAboutBox() = default;

TAboutBox::~TAboutBox() {
  DestroyHandle();
  delete pictures_;
  DeleteObject(font_);
}

void TAboutBox::ShowModal(HWND owner) {
  TAboutBox box;
  if (!box.Create(owner)) {
    return;
  }
  EnableWindow(owner, FALSE);
  ShowWindow(box.Handle(), SW_SHOW);
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
  font_ =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
  okButton_ = CreateWindowExW(
      0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 15, 397, 64, 22,
      Handle(), reinterpret_cast<HMENU>(IDOK), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(okButton_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Three lines below the visible part of the panel, never shown: the version label, the
  // copyright line and the author's contact line.
  const struct {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    RECT bounds;
  } hidden[] = {
      {L"STATIC", L"ZEMKO  v.Beta1", SS_LEFT, {8, 448, 78, 13}},
      {L"STATIC", L"Copyright (c) Varkam", SS_LEFT | SS_CENTERIMAGE, {8, 420, 151, 13}},
      {L"EDIT", L"varkam.example.org", ES_READONLY, {8, 433, 233, 13}},
  };
  for (const auto& line : hidden) {
    HWND control = CreateWindowExW(0, line.className, line.text, WS_CHILD | line.style,
                                   Panel1.left + line.bounds.left, Panel1.top + line.bounds.top,
                                   line.bounds.right, line.bounds.bottom, Handle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  pictures_ = new Pictures;
  SetFocus(okButton_);
  return true;
}

void TAboutBox::OKButtonClick() {
  Close();
}

void TAboutBox::Image1Click() {
  // The result is not looked at: without a browser nothing happens, and the box stays.
  ShellExecuteA(Handle(), "open", VARKAM_WEB_SITE, nullptr, nullptr, SW_SHOWNORMAL);
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
  DrawPicture(dc, pictures_->programIcon, ProgramIconFrame);
  DrawPicture(dc, pictures_->image1, Image1Frame);
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
    case WM_LBUTTONUP:
      if (Inside(Image1Frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
        Image1Click();
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
