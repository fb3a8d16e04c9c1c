#include "wine/WindowFixture.h"

#include <commctrl.h>

#include <cstdio>

#include "support/WindowsClipboard.h"

namespace varkam::testing {

WindowTest::WindowTest() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

WindowTest::~WindowTest() {
  form.reset();
  if (!previousFolder_.empty()) {
    std::filesystem::current_path(previousFolder_);
  }
}

void WindowTest::OpenAsCreated(const DictionaryLayout& layout) {
  WriteDictionary(folder, layout);
  previousFolder_ = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  ASSERT_TRUE(application.Create(L"Varkam dictionary", nullptr));
  form = std::make_unique<TForm1>(application);
  ASSERT_TRUE(form->Create());
  ShowWindow(form->Handle(), SW_SHOW);
  Pump();
}

void WindowTest::Open(const DictionaryLayout& layout, int clientWidth, int clientHeight) {
  OpenAsCreated(layout);
  SetClientSize(clientWidth, clientHeight);
}

void WindowTest::Close() {
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the quit closing posts
}

void WindowTest::SetClientSize(int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE)));
  SetWindowPos(form->Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

void WindowTest::Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void WindowTest::Type(const std::wstring& text) {
  for (const wchar_t c : text) {
    SendMessageW(form->ComboBox1.EditHandle(), WM_CHAR, c, 1);
  }
  Pump();
}

void WindowTest::KeyInSearchBox(WORD key) {
  SendMessageW(form->ComboBox1.EditHandle(), WM_KEYDOWN, key, 1);
  SendMessageW(form->ComboBox1.EditHandle(), WM_KEYUP, key, 0xC0000001);
  Pump();
}

void WindowTest::KeyInList(WORD key) {
  SetFocus(form->ListBox1.Handle());
  SendMessageW(form->ListBox1.Handle(), WM_KEYDOWN, key, 1);
  SendMessageW(form->ListBox1.Handle(), WM_KEYUP, key, 0xC0000001);
  Pump();
}

// A click of the mouse on a row of the word list.
void WindowTest::ClickRow(int row) {
  RECT item{};
  SendMessageW(form->ListBox1.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(form->ListBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(form->ListBox1.Handle(), WM_LBUTTONUP, 0, at);
  Pump();
}

void WindowTest::Scroll(WORD code) {
  SendMessageW(form->Handle(), WM_VSCROLL, MAKEWPARAM(code, 0),
               reinterpret_cast<LPARAM>(form->ScrollBar1.Handle()));
  Pump();
}

void WindowTest::PutOnClipboard(const std::wstring& text,
                                std::initializer_list<const wchar_t*> marks) {
  ASSERT_TRUE(PutTextOnClipboard(text, marks));
  Pump();
}

std::wstring WindowTest::StatusText() const {
  wchar_t text[256] = {};
  SendMessageW(form->StatusBar1.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring WindowTest::HighlightedRowText() const {
  const int row = form->ListBox1.HighlightedRow();
  return row < 0 ? L"(none)" : form->ListBox1.RowText(row);
}

RECT WindowTest::ClientBounds(HWND control) const {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

std::pair<DWORD, DWORD> WindowTest::SearchSelection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(form->ComboBox1.EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

}  // namespace varkam::testing
