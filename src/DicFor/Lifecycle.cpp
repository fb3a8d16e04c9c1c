// The window's life: its controls, menus and handlers, its creation and its closing.

#include "DicFor/TForm1.h"

#include <windowsx.h>

namespace varkam {

namespace {

constexpr int DesignLeft = 338;
constexpr int DesignTop = 152;
constexpr int DefaultWidth = 266;
constexpr int DefaultHeight = 161;
constexpr int MinimumHeight = 64;
constexpr UINT_PTR TitleScrollerTimer = 1;
constexpr UINT TitleScrollerInterval = 200;

HFONT MakeFont(const wchar_t* face, BYTE charSet) {
  // A character height of 11 pixels, as the window was designed at 96 dpi.
  return CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

TForm1::TForm1(ui::Application& application) : application_(application) {
  ActionAutomeaning = {L"&Clipboard meaning", true};
  ActionStayOnTop = {L"&Stay on top"};
  ActionHidStatusBar = {L"&Hide status bar"};
  ActionFull = {L"&Full"};
  ActionNormal = {L"&Normal"};
  ActionView = {L"&View"};
  ActionTaskbarScroller = {L"&Taskbar scrolling", false, false};
  ActionSaveExit = {L"&Save on exit"};
  ActionAbout = {L"&About"};
}

TForm1::~TForm1() {
  DestroyHandle();
  DeleteObject(windowFont_);
  DeleteObject(meaningFont_);
}

bool TForm1::Create() {
  if (!CreateBound(L"TForm1", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, DesignLeft, DesignTop,
                   DefaultWidth, DefaultHeight, application_.Handle(),
                   LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"))) {
    return false;
  }
  application_.SetMainWindow(Handle());
  CreateControls();
  BindHandlers();
  BuildMenus();
  created_ = true;
  FormCreate();
  return dictionary_ != nullptr;
}

void TForm1::CreateControls() {
  windowFont_ = MakeFont(L"MS Sans Serif", DEFAULT_CHARSET);
  meaningFont_ = MakeFont(L"Tahoma", ARABIC_CHARSET);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
  // Creation order is the tab order: the search box first, then the meaning pane.
  ComboBox1.Create(Handle());
  TntMemo1.Create(Handle(), true);
  ListBox1.Create(Handle());
  ScrollBar1.Create(Handle());
  StatusBar1.Create(Handle());
  Edit1.Create(Handle(), L"Edit1");
  EditClipboard.Create(Handle(), L"");
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &ComboBox1, &ListBox1, &ScrollBar1, &StatusBar1, &Edit1, &EditClipboard}) {
    control->SetFont(windowFont_);
  }
  TntMemo1.SetFont(meaningFont_);
  TntMemo1.SetText(L"TntMemo1");
  ListBox1.SetRowHeight(ListRowHeight);
  ComboBox1.SetItemHeight(ListRowHeight);
  ListBox1.SetBounds(0, 0, DesignListWidth, 217);
  ScrollBar1.SetBounds(84, 0, ScrollBarWidth, 193);
  ComboBox1.SetBounds(105, 8, 208);
  TntMemo1.SetBounds(104, 32, 249, 121);
  StatusBar1.SetBounds(0, 317, 359, StatusBarHeight);
  Timer1.Start(Handle(), TitleScrollerTimer, TitleScrollerInterval);
}

void TForm1::BindHandlers() {
  ListBox1.onClick = [this] { ListBox1Click(); };
  ListBox1.onDoubleClick = [this] { ListBox1DblClick(); };
  ListBox1.onKeyDown = [this](WORD key) { ListBox1KeyDown(key); };
  ScrollBar1.onChange = [this] { ScrollBar1Change(); };
  ComboBox1.onChange = [this] { ComboBox1Change(); };
  ComboBox1.onKeyDown = [this](WORD key) { ComboBox1KeyDown(key); };
  ComboBox1.onContextMenu = [this](POINT at) { ComboBoxPopupMenu.Show(Handle(), at); };
  ComboBox1.completion = [this](const std::wstring& typed) {
    return recentWords_.CompletionFor(ui::ToAnsi(typed));
  };
  TntMemo1.onContextMenu = [this](POINT at) { MemoPopupMenu.Show(Handle(), at); };
  Timer1.onTimer = [this] { Timer1Timer(); };

  ActionAutomeaning.onExecute = [this] { ActionAutomeaning.checked = !ActionAutomeaning.checked; };
  ActionStayOnTop.onExecute = [this] { ActionStayOnTopExecute(); };
  ActionHidStatusBar.onExecute = [this] { ActionHidStatusBarExecute(); };
  ActionFull.onExecute = [this] { ActionFullExecute(); };
  ActionNormal.onExecute = [this] { ActionNormalExecute(); };
  ActionSaveExit.onExecute = [this] { SaveOnExit(); };
  ActionAbout.onExecute = [this] { ActionAboutExecute(); };
}

// The three menus hold the same actions in the same places, so one check mark serves all.
void TForm1::BuildMenus() {
  using ui::MenuItem;
  const auto bound = [](const wchar_t* name, ui::Action& action) {
    MenuItem item;
    item.name = name;
    item.action = &action;
    return item;
  };
  const auto command = [](const wchar_t* name, const wchar_t* caption,
                          std::function<void()> onClick) {
    MenuItem item;
    item.name = name;
    item.caption = caption;
    item.onClick = std::move(onClick);
    return item;
  };
  const auto switches = [&](const std::wstring& n, const wchar_t* autoMeaning,
                            const wchar_t* scroller) {
    MenuItem view = bound((L"View" + n).c_str(), ActionView);
    view.submenu = {bound((L"Full" + n).c_str(), ActionFull),
                    bound((L"Normal" + n).c_str(), ActionNormal), MenuItem::Separator(),
                    bound((L"Statusbar_" + n).c_str(), ActionHidStatusBar)};
    MenuItem saveOnExit = bound((L"SaveOnExit" + n).c_str(), ActionSaveExit);
    saveOnExit.ownCheck = true;
    return std::vector<MenuItem>{bound(autoMeaning, ActionAutomeaning),
                                 bound((L"Stayontop" + n).c_str(), ActionStayOnTop),
                                 MenuItem::Separator(),
                                 bound(scroller, ActionTaskbarScroller),
                                 view,
                                 saveOnExit,
                                 MenuItem::Separator(),
                                 bound((L"About" + n).c_str(), ActionAbout)};
  };
  MainPopupMenu = ui::PopupMenu(switches(L"1", L"AutoMeaning1", L"askbarScroller3"));

  std::vector<MenuItem> comboItems = {
      command(L"MenuCopy", L"Copy", [this] { MenuCopyClick(); }),
      command(L"Paste3", L"&Paste", [this] { Paste3Click(); }),
      command(L"SelectAll3", L"Select &All", [this] { SelectAll3Click(); }), MenuItem::Separator()};
  for (MenuItem& item : switches(L"3", L"AutoMeaning3", L"askbarScroller1")) {
    comboItems.push_back(std::move(item));
  }
  ComboBoxPopupMenu = ui::PopupMenu(std::move(comboItems));

  std::vector<MenuItem> memoItems = {
      command(L"copy1", L"&Copy", [this] { copy1Click(); }),
      command(L"SelectAll1", L"Select &All", [this] { SelectAll1Click(); }), MenuItem::Separator()};
  for (MenuItem& item : switches(L"2", L"Automeaning2", L"askbarScroller2")) {
    memoItems.push_back(std::move(item));
  }
  MemoPopupMenu = ui::PopupMenu(std::move(memoItems));

  // Save on exit lives in its three menu items; at design time it is on.
  saveOnExit1_ = MainPopupMenu.Find(L"SaveOnExit1");
  saveOnExit2_ = MemoPopupMenu.Find(L"SaveOnExit2");
  saveOnExit3_ = ComboBoxPopupMenu.Find(L"SaveOnExit3");
  SetSaveOnExit(true);
}

void TForm1::FormCreate() {
  // Right-to-left reading and the keyboard switching work on every system.
  application_.SetMiddleEastEnabled(true);
  dictionary_ = std::make_unique<TDictionary>();
  if (dictionary_->TakeMissingFlag()) {
    MessageBoxW(Handle(), L"Some file was not founded", L"Error", MB_OK | MB_ICONERROR);
    dictionary_.reset();  // closing then leaves the settings file as it was
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
    PostQuitMessage(0);
    return;
  }
  ApplySettings(ReadSettingsFile());
  ArrangeControls();
  if (visibleRows_ >= 2) {
    ScrollBar1.SetLargeChange(visibleRows_ - 1);
  }
  ScrollBar1.SetMaximum(dictionary_->WordCount());
  ScrollBar1.SetMinimum(1);  // moves the thumb from 0 to 1, which fills the list from entry 1
  ShowEntry(1, ShowAndWriteSearchBox);
  ListBox1.Highlight(0);
  // The first notification comes at once and looks up a text already on the clipboard.
  inClipboardChain_ = true;
  nextClipboardViewer_ = SetClipboardViewer(Handle());
}

// Closing leaves the chain, keeps the settings unless the window is maximized, and frees the
// dictionary; a failure in any step ends them quietly and the window closes all the same.
void TForm1::FormClose() {
  try {
    if (inClipboardChain_) {
      ChangeClipboardChain(Handle(), nextClipboardViewer_);
      inClipboardChain_ = false;
    }
    if (dictionary_ != nullptr && !IsZoomed(Handle())) {
      WriteSettingsFile(CurrentSettings());
    }
    dictionary_.reset();
  } catch (...) {
  }
}

// The control that had the focus gets it back when the window is activated again; at first
// that is the search box.
void TForm1::FormActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    lastFocus_ = focus != nullptr && IsChild(Handle(), focus) ? focus : nullptr;
    return;
  }
  SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : ComboBox1.EditHandle());
}

void TForm1::ShowMenuFor(HWND control, POINT screen) {
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: at the window's corner
    RECT bounds{};
    GetWindowRect(control != nullptr ? control : Handle(), &bounds);
    screen = {bounds.left, bounds.top};
  }
  (control == ComboBox1.Handle() ? ComboBoxPopupMenu : MainPopupMenu).Show(Handle(), screen);
}

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: FormResize(); return 0;
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: MouseDown(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEMOVE: MouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && SetCursorShape()) {
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      ShowMenuFor(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_TIMER:
      if (Timer1.Owns(wParam)) {
        Timer1.OnTimer();
      }
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = MinimumHeight;
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        application_.Minimize();  // the taskbar button belongs to the application window
        return 0;
      }
      break;
    case WM_ACTIVATE: FormActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_DRAWCLIPBOARD: OnDrawClipboard(); return 0;
    case WM_CHANGECBCHAIN:
      OnChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace varkam
