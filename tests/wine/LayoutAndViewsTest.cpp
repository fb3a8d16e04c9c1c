#include <gtest/gtest.h>

#include <algorithm>

#include "wine/WindowFixture.h"

namespace varkam::testing {
namespace {

using LayoutAndViews = WindowTest;

bool SameBounds(const RECT& actual, int left, int top, int width, int height) {
  return actual.left == left && actual.top == top && actual.right - actual.left == width &&
         actual.bottom - actual.top == height;
}

TEST_F(LayoutAndViews, TheSplitterIsDraggedInTheGapBesideTheScrollBar) {
  Open(NumberedWords(100));
  const auto mouse = [this](UINT message, WPARAM keys, int x) {
    SendMessageW(form->Handle(), message, keys, MAKELPARAM(x, 100));
    Pump();
  };
  mouse(WM_LBUTTONDOWN, MK_LBUTTON, 90);
  mouse(WM_MOUSEMOVE, MK_LBUTTON, 92);
  EXPECT_EQ(form->Shape1Bounds().left, 88) << "2 pixels do nothing";
  mouse(WM_MOUSEMOVE, MK_LBUTTON, 93);
  EXPECT_EQ(form->Shape1Bounds().left, 91);
  EXPECT_EQ(ClientBounds(form->ListBox1.Handle()).right, 76);
  EXPECT_EQ(ClientBounds(form->ComboBox1.Handle()).left, 95);
  mouse(WM_MOUSEMOVE, 0, 120);
  EXPECT_EQ(form->Shape1Bounds().left, 91) << "only while the left button is held";
  mouse(WM_MOUSEMOVE, MK_LBUTTON, 30);
  EXPECT_EQ(form->Shape1Bounds().left, 91) << "the list stays wider than 20 pixels";
  mouse(WM_LBUTTONUP, 0, 30);
}

// Over the splitter the mouse shows our own cursor for moving the split.
TEST_F(LayoutAndViews, TheSplitterShowsItsOwnCursor) {
  Open(NumberedWords(10));
  POINT over{95, 100};
  ClientToScreen(form->Handle(), &over);
  SetCursorPos(over.x, over.y);
  SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const HCURSOR split = LoadCursorW(GetModuleHandleW(nullptr), L"HSPLIT");
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(GetCursor(), split);
}

// The dark pixels of a control's client area in its left `width` pixels: its text, drawn.
int DarkPixels(HWND control, int width) {
  RECT client{};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  int dark = 0;
  for (int x = 0; x < std::min<int>(width, client.right); ++x) {
    for (int y = 0; y < client.bottom; ++y) {
      const COLORREF color = GetPixel(dc, x, y);
      dark += color != CLR_INVALID && GetRValue(color) + GetGValue(color) + GetBValue(color) < 200;
    }
  }
  ReleaseDC(control, dc);
  return dark;
}

// After the window is made larger the status bar is drawn whole again, its headword with it.
TEST_F(LayoutAndViews, TheStatusBarIsDrawnWholeAfterTheWindowGrows) {
  Open(NumberedWords(10), 300, 200);
  ASSERT_GT(DarkPixels(form->StatusBar1.Handle(), 80), 0) << "the headword before";
  SetClientSize(640, 480);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_GT(DarkPixels(form->StatusBar1.Handle(), 80), 0) << "the headword after";
}

// The flat about button shows its frame while the mouse is over it.
TEST_F(LayoutAndViews, TheAboutButtonShowsAFrameUnderTheMouse) {
  Open(NumberedWords(10));
  const Bounds button = form->AboutButtonBounds();
  const int right = button.left + button.width - 1;
  const int bottom = button.top + button.height - 1;
  const auto corner = [&] {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(form->Handle());
    const COLORREF color = GetPixel(dc, right, bottom);
    ReleaseDC(form->Handle(), dc);
    return color;
  };
  const COLORREF flat = corner();
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(button.left + 5, button.top + 5));
  EXPECT_EQ(corner(), GetSysColor(COLOR_BTNSHADOW)) << "its raised edge";
  EXPECT_NE(flat, GetSysColor(COLOR_BTNSHADOW));
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(corner(), flat) << "flat again once the mouse has gone";
}

int FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// The window is moved to a display of 144 dpi and back, taking the size the system suggests:
// its fonts, rows and controls follow, and the entry on display and its page stay.
TEST_F(LayoutAndViews, ADpiChangeScalesTheWindowAndKeepsTheEntry) {
  Open(NumberedWords(100));
  Type(L"w000050");
  for (int step = 0; step < 5; ++step) {
    KeyInList(VK_DOWN);
  }
  ASSERT_EQ(form->CurrentIndex(), 55);
  ASSERT_EQ(form->PageTop(), 50);
  const auto moveTo = [this](int dpi, int clientWidth, int clientHeight) {
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    RECT suggested{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_STYLE)),
                       FALSE, static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE)));
    OffsetRect(&suggested, window.left - suggested.left, window.top - suggested.top);
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    Pump();
    GetWindowRect(form->Handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &suggested)) << "the suggested size is taken";
  };

  moveTo(144, 539, 504);
  EXPECT_EQ(form->VisibleRows(), 23);
  EXPECT_EQ(SendMessageW(form->ListBox1.Handle(), LB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(SendMessageW(form->ComboBox1.Handle(), CB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(FontHeightOf(form->TntMemo1.Handle()), -17);
  EXPECT_EQ(FontHeightOf(form->ListBox1.Handle()), -17);
  EXPECT_TRUE(SameBounds(ClientBounds(form->ListBox1.Handle()), 0, 0, 110, 475));
  EXPECT_TRUE(SameBounds(ClientBounds(form->StatusBar1.Handle()), 0, 475, 539, 29));
  EXPECT_TRUE(SameBounds(ClientBounds(form->TntMemo1.Handle()), 139, 44, 400, 431));
  EXPECT_EQ(form->AboutButtonBounds(), (Bounds{504, 0, 35, 41}));
  EXPECT_EQ(form->CurrentIndex(), 55);
  EXPECT_EQ(form->PageTop(), 50);
  EXPECT_EQ(HighlightedRowText(), L"w000055");
  EXPECT_EQ(SearchText(), L"w000055");

  moveTo(96, 359, 336);
  RECT before{};
  GetWindowRect(form->Handle(), &before);
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  RECT after{};
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "a message with no suggested size is not followed";
  EXPECT_EQ(form->VisibleRows(), 24);
  EXPECT_EQ(SendMessageW(form->ListBox1.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
  EXPECT_EQ(FontHeightOf(form->TntMemo1.Handle()), -11);
  EXPECT_TRUE(SameBounds(ClientBounds(form->ListBox1.Handle()), 0, 0, 73, 317));
  EXPECT_TRUE(SameBounds(ClientBounds(form->TntMemo1.Handle()), 92, 29, 267, 288));
  EXPECT_EQ(form->PageTop(), 50);
  EXPECT_EQ(HighlightedRowText(), L"w000055");
}

// Which pop-up menu a right click opens: the first one that shows is closed at once.
std::wstring MenuOpenedBy(HWND window, POINT at) {
  static std::wstring firstItem;
  firstItem = L"(none)";
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND menu = FindWindowW(L"#32768", nullptr)) {
      HMENU items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
      wchar_t caption[64] = {};
      GetMenuStringW(items, 0, caption, 64, MF_BYPOSITION);
      firstItem = caption;
    }
    EndMenu();
  });
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  return firstItem;
}

TEST_F(LayoutAndViews, ARightClickOnTheWindowItselfOpensItsMenu) {
  Open(NumberedWords(10));
  EXPECT_EQ(MenuOpenedBy(form->Handle(), {95, 100}), L"&Clipboard meaning") << "the splitter";
  EXPECT_EQ(MenuOpenedBy(form->Handle(), {345, 10}), L"&Clipboard meaning") << "about button";
  EXPECT_EQ(MenuOpenedBy(form->Handle(), {200, 2}), L"&Clipboard meaning") << "search row";
}

TEST_F(LayoutAndViews, MenusShowTheActionsCheckMarks) {
  Open(NumberedWords(10));
  std::vector<const ui::MenuItem*> commands;
  HMENU menu = form->MainPopupMenu.Build(commands);
  // Clipboard meaning, Stay on top, -, View, Save on exit, -, About: Taskbar scrolling is hidden.
  ASSERT_EQ(GetMenuItemCount(menu), 7);
  EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
  HMENU view = GetSubMenu(menu, 3);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED) << "Full";
  DestroyMenu(menu);

  ui::Choose(*form->MainPopupMenu.Find(L"Stayontop1"));
  EXPECT_TRUE(form->ActionStayOnTop.checked);
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  commands.clear();
  menu = form->ComboBoxPopupMenu.Build(commands);
  wchar_t caption[64] = {};
  GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Copy");
  GetMenuStringW(menu, 5, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"&Stay on top");
  EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED) << "one mark, all menus";
  DestroyMenu(menu);
  ui::Choose(*form->ComboBoxPopupMenu.Find(L"Stayontop3"));
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  ui::Choose(*form->MemoPopupMenu.Find(L"Normal2"));
  EXPECT_FALSE(form->ListBandShown());
  ui::Choose(*form->MemoPopupMenu.Find(L"Full2"));
  EXPECT_TRUE(form->ListBandShown());
}

}  // namespace
}  // namespace varkam::testing
