#include "UnitAbout.h"

#include <ocidl.h>
#include <olectl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <new>
#include <string>

// VARKAM_WEB_SITE, the product's web site, and VARKAM_WEB_HOST, its host, are set when building.

namespace varkam {

namespace {

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
  {
    const ui::LockedMemory target(copy.Get());
    if (target.Get() == nullptr) {
      return;
    }
    CopyMemory(target.Get(), bytes, size);
  }
  ui::ComPointer<IStream> stream;
  // The stream frees the memory from here on.
  if (FAILED(
          CreateStreamOnHGlobal(copy.Get(), TRUE, reinterpret_cast<IStream**>(stream.Receive())))) {
    return;
  }
  copy.Release();
  OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.Receive());
}

BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The picture's own pixels; none when it did not load.
Pixels PixelsOf(IPicture* picture) {
  OLE_HANDLE handle = 0;
  if (picture == nullptr || FAILED(picture->get_Handle(&handle))) {
    return {};
  }
  const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  BITMAP shape{};
  if (GetObjectW(bitmap, sizeof shape, &shape) == 0 || shape.bmWidth <= 0 || shape.bmHeight <= 0) {
    return {};
  }
  Pixels pixels{shape.bmWidth, shape.bmHeight, {}};
  pixels.values.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  BITMAPINFO info = TopDownBitmapInfo(pixels.width, pixels.height);
  const ui::ScreenDeviceContext screen;
  const int rows = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(pixels.height),
                             pixels.values.data(), &info, DIB_RGB_COLORS);
  return rows == pixels.height ? pixels : Pixels{};
}

// A bitmap of the picture at `width` by `height`, to be drawn as it is; none when there is no
// memory for it, and the box opens without it.
ui::Bitmap BitmapAt(IPicture* picture, int width, int height) {
  Pixels pixels;
  try {
    pixels = Resample(PixelsOf(picture), width, height);
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (pixels.values.empty()) {
    return {};
  }
  const BITMAPINFO info = TopDownBitmapInfo(pixels.width, pixels.height);
  void* bits = nullptr;
  ui::Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits != nullptr) {
    CopyMemory(bits, pixels.values.data(), pixels.values.size() * sizeof pixels.values.front());
  }
  return bitmap;
}

// Draws a bitmap from the frame's top left corner, cut to the frame.
void DrawBitmap(HDC dc, HBITMAP bitmap, const Bounds& frame) {
  BITMAP shape{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof shape, &shape) == 0) {
    return;
  }
  const ui::MemoryDeviceContext source(CreateCompatibleDC(dc));
  if (!source) {
    return;
  }
  const ui::Selected selected(source.Get(), bitmap);
  BitBlt(dc, frame.left, frame.top, std::min<int>(frame.width, shape.bmWidth),
         std::min<int>(frame.height, shape.bmHeight), source.Get(), 0, 0, SRCCOPY);
}

}  // namespace

// The pictures at the design's size and at twice it, and both as drawn at the box's dpi.
struct TAboutBox::Pictures {
  Pictures() {
    LoadPicture(L"PROGRAMICON", programIcon[0]);
    LoadPicture(L"IMAGE1", image1[0]);
    LoadPicture(L"PROGRAMICON_2X", programIcon[1]);
    LoadPicture(L"IMAGE1_2X", image1[1]);
  }
  void DrawFor(const AboutBoxLayout& layout) {
    const std::size_t source = layout.pictureScale == 1 ? 0 : 1;
    // Either size serves when the other did not load.
    const auto from = [source](const ui::ComPointer<IPicture>(&sizes)[2]) {
      return sizes[source] ? sizes[source].Get() : sizes[1 - source].Get();
    };
    programIconDrawn = BitmapAt(from(programIcon), layout.bannerWidth, layout.bannerHeight);
    image1Drawn = BitmapAt(from(image1), layout.image1Frame.width, layout.image1Frame.height);
  }
  ui::ComPointer<IPicture> programIcon[2];
  ui::ComPointer<IPicture> image1[2];
  ui::Bitmap programIconDrawn;
  ui::Bitmap image1Drawn;
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

namespace {

constexpr DWORD BoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD BoxExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

}  // namespace

// The box opens at its owner's dpi, over it.
bool TAboutBox::Create(HWND owner) {
  layout_ = ArrangeAboutBox(ui::DpiOf(owner));
  const SIZE outer =
      ui::OuterSize(layout_.clientWidth, layout_.clientHeight, BoxStyle, BoxExStyle, layout_.dpi);
  const int width = outer.cx;
  const int height = outer.cy;
  RECT ownerBounds{};
  GetWindowRect(owner, &ownerBounds);
  Bounds box{ownerBounds.left + (ownerBounds.right - ownerBounds.left - width) / 2,
             ownerBounds.top + (ownerBounds.bottom - ownerBounds.top - height) / 2, width, height};
  // At a large scale the box is taller than its owner by far: kept on the owner's screen, so
  // that its caption and its button stay within reach.
  MONITORINFO monitor{sizeof monitor};
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    box = MoveInside(box, {work.left, work.top, work.right - work.left, work.bottom - work.top});
  }
  if (!CreateBound(L"TAboutBox", BoxStyle, BoxExStyle, box.left, box.top, box.width, box.height,
                   owner)) {
    return false;
  }
  SetCaption(L"About");
  if (!CreateControls()) {
    return false;
  }
  pictures_ = std::make_unique<Pictures>();
  ApplyLayout(layout_);
  return true;
}

bool TAboutBox::CreateControls() {
  // Three lines below the visible part of the panel, never shown: the version label, the
  // copyright line and the author's contact line.
  if (!OKButton.Create(Handle(), L"OK", IDOK, true) ||
      !versionLabel_.Create(Handle(), L"STATIC", L"ZEMKO  v.Beta1", SS_LEFT) ||
      !copyrightLabel_.Create(Handle(), L"STATIC", L"Copyright (c) Varkam",
                              SS_LEFT | SS_CENTERIMAGE) ||
      !contactLine_.Create(Handle(), L"EDIT", VARKAM_WEB_HOST, ES_READONLY)) {
    return false;
  }
  OKButton.onClick = [this] { OKButtonClick(); };
  return true;
}

// The new font reaches the controls before the old one is freed.
void TAboutBox::ApplyLayout(const AboutBoxLayout& layout) {
  layout_ = layout;
  ui::Font font(CreateFontW(-layout.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif"));
  const auto place = [&font](ui::Control& control, const Bounds& bounds) {
    control.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    control.SetFont(font.Get());
  };
  place(OKButton, layout.okButton);
  place(versionLabel_, layout.versionLabel);
  place(copyrightLabel_, layout.copyrightLabel);
  place(contactLine_, layout.contactLine);
  font_ = std::move(font);
  pictures_->DrawFor(layout);
  InvalidateRect(Handle(), nullptr, TRUE);
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
  const Bounds& bevel = layout_.panel;
  RECT panel{bevel.left, bevel.top, bevel.left + bevel.width, bevel.top + bevel.height};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  DrawBitmap(dc, pictures_->programIconDrawn.Get(), layout_.programIconFrame);
  DrawBitmap(dc, pictures_->image1Drawn.Get(), layout_.image1Frame);
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
      imagePressed_ = layout_.image1Frame.Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (imagePressed_) {
        SetCapture(Handle());
      }
      return 0;
    case WM_LBUTTONUP:
      if (imagePressed_) {
        imagePressed_ = false;
        ReleaseCapture();
        if (layout_.image1Frame.Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
          Image1Click();
        }
      }
      return 0;
    case WM_SETCURSOR: {
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(Handle(), &point);
      if (layout_.image1Frame.Contains(point.x, point.y)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_DPICHANGED: {
      // Moved to a display of another dpi: the suggested size, and all drawn again for it. A
      // message without a suggested size, which only another program sends, is not followed.
      if (lParam == 0) {
        return 0;
      }
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyLayout(ArrangeAboutBox(HIWORD(wParam)));
      return 0;
    }
    case WM_CLOSE: Close(); return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace varkam
