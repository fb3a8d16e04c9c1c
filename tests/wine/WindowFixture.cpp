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

void WindowTest::DriveAndCheck(
    std::initializer_list<std::pair<const char*, std::function<void()>>> events) {
  for (const auto& [name, event] : events) {
    event();
    ExpectControlsShowTheView(name);
  }
}

void WindowTest::ExpectControlsShowTheView(const char* after) {
  SCOPED_TRACE(std::string("after ") + after);
  ASSERT_NE(form->SessionView(), nullptr);
  const WindowView& view = *form->SessionView();
  ASSERT_EQ(form->ListBox1.RowCount(), static_cast<int>(view.rows.size()));
  for (std::size_t row = 0; row < view.rows.size(); ++row) {
    EXPECT_EQ(Row(static_cast<int>(row)), ui::FromAnsi(view.rows[row])) << "row " << row;
  }
  EXPECT_EQ(form->ListBox1.HighlightedRow(), view.highlightedRow);
  EXPECT_EQ(Caption(), ui::FromAnsi(view.caption));
  EXPECT_EQ(StatusText(), ui::FromAnsi(view.statusText));
  EXPECT_EQ(SearchText(), ui::FromAnsi(view.searchText));
  if (view.searchSelected) {
    EXPECT_EQ(SearchSelection(), std::make_pair(DWORD{0}, static_cast<DWORD>(SearchText().size())));
  }
  EXPECT_EQ(Meaning(), std::wstring(view.meaning.begin(), view.meaning.end()));
  EXPECT_EQ(form->ScrollBar1.Position(), view.scrollBar.position);
  EXPECT_EQ(form->ScrollBar1.Maximum(), view.scrollBar.maximum);
  EXPECT_EQ(form->ScrollBar1.LargeChange(), view.scrollBar.largeChange);
  std::vector<std::wstring> recent;
  for (const std::string& word : view.recentWords) {
    recent.push_back(ui::FromAnsi(word));
  }
  EXPECT_EQ(form->ComboBox1.Items(), recent);
  const Switches& switches = view.switches;
  EXPECT_EQ(form->ActionAutomeaning.checked, switches.clipboardMeaning);
  EXPECT_EQ(form->ActionStayOnTop.checked, switches.stayOnTop);
  EXPECT_EQ(form->ActionHidStatusBar.checked, switches.hideStatusBar);
  EXPECT_EQ(form->ActionFull.checked, switches.fullView);
  EXPECT_EQ(form->ActionNormal.checked, !switches.fullView);
  EXPECT_EQ(form->ActionSaveExit.checked, switches.saveOnExit);
  EXPECT_EQ((GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, switches.stayOnTop);
  if (!view.title.empty()) {
    EXPECT_EQ(application.Title(), ui::FromAnsi(view.title));
  }
  const auto placed = [this](HWND control, const Bounds& bounds, bool withHeight) {
    const RECT actual = ClientBounds(control);
    EXPECT_EQ(actual.left, bounds.left);
    EXPECT_EQ(actual.top, bounds.top);
    EXPECT_EQ(actual.right - actual.left, bounds.width);
    if (withHeight) {
      EXPECT_EQ(actual.bottom - actual.top, bounds.height);
    }
  };
  EXPECT_EQ(IsWindowVisible(form->ListBox1.Handle()) != 0, switches.fullView);
  EXPECT_EQ(IsWindowVisible(form->ScrollBar1.Handle()) != 0, switches.fullView);
  EXPECT_EQ(IsWindowVisible(form->StatusBar1.Handle()) != 0, !switches.hideStatusBar);
  if (switches.fullView) {
    placed(form->ListBox1.Handle(), view.layout.listBox, true);
    placed(form->ScrollBar1.Handle(), view.layout.scrollBar, true);
  }
  if (!switches.hideStatusBar) {
    placed(form->StatusBar1.Handle(), view.layout.statusBar, true);
  }
  placed(form->ComboBox1.Handle(), view.layout.comboBox, false);  // its height is its own
  placed(form->TntMemo1.Handle(), view.layout.memo, true);
  EXPECT_EQ(form->Shape1Bounds(), view.layout.splitter);
  EXPECT_EQ(form->AboutButtonBounds(), view.layout.aboutButton);
}

}  // namespace varkam::testing
