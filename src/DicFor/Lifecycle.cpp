// The window's life: its controls, menus and handlers, its creation and its closing.

#include "DicFor/TForm1.h"

#include <windowsx.h>

#include "UnitAbout.h"

namespace varkam {

namespace {

constexpr UINT_PTR TitleScrollerTimer = 1;
constexpr UINT TitleScrollerInterval = 200;

}  // namespace

TForm1::TForm1(ui::Application& application) : application_(application) {
  const Switches design;
  for (const SwitchPlace& place : SwitchTable) {
    ActionOf(place.which) = {ui::FromAnsi(place.caption), design.*place.field};
  }
  ActionNormal = {L"&Normal", !design.fullView};
  ActionView = {L"&View"};
  ActionTaskbarScroller.visible = false;  // the marquee is switched on by the settings only
  ActionAbout = {L"&About"};
}

ui::Action& TForm1::ActionOf(Switch which) {
  switch (which) {
    case Switch::ClipboardMeaning: return ActionAutomeaning;
    case Switch::StayOnTop: return ActionStayOnTop;
    case Switch::HideStatusBar: return ActionHidStatusBar;
    case Switch::FullView: return ActionFull;
    case Switch::TaskbarScrolling: return ActionTaskbarScroller;
    case Switch::SaveOnExit: break;
  }
  return ActionSaveExit;
}

TForm1::~TForm1() {
  DestroyHandle();
}

bool TForm1::Create() {
  const SettingsRecord design;
  if (!CreateBound(L"TForm1", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, design.left, design.top,
                   design.width, design.height, application_.Handle(),
                   LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"))) {
    return false;
  }
  application_.SetMainWindow(Handle());
  if (!CreateControls()) {
    MessageBoxW(Handle(), L"The window's controls could not be made", L"Error",
                MB_OK | MB_ICONERROR);
    return false;
  }
  BindHandlers();
  BuildMenus();
  FormCreate();
  return session_.has_value();
}

// Creation order is the tab order: the search box first, then the meaning pane. The fonts and
// row heights come with the first layout, at the window's dpi.
bool TForm1::CreateControls() {
  if (!ComboBox1.Create(Handle()) || !TntMemo1.Create(Handle(), true) ||
      !ListBox1.Create(Handle()) || !ScrollBar1.Create(Handle()) || !StatusBar1.Create(Handle())) {
    return false;
  }
  Timer1.Start(Handle(), TitleScrollerTimer, TitleScrollerInterval);
  return true;
}

void TForm1::BindHandlers() {
  ListBox1.onClick = [this](int row) { ListBox1Click(row); };
  ListBox1.onDoubleClick = [this] { ListBox1DblClick(); };
  ListBox1.onKeyDown = [this](WORD key) { return ListBox1KeyDown(key); };
  ScrollBar1.onChange = [this](int position) { ScrollBar1Change(position); };
  ComboBox1.onChange = [this](const std::wstring& text) { ComboBox1Change(text); };
  ComboBox1.onKeyDown = [this](WORD key) { ComboBox1KeyDown(key); };
  ComboBox1.onContextMenu = [this](POINT at) { ComboBoxPopupMenu.Show(Handle(), at); };
  ComboBox1.onCaret = [this] { ComboBox1Caret(); };
  ComboBox1.completion = [this](const std::wstring& text, std::size_t start, std::size_t end,
                                wchar_t typed) {
    return ComboBox1Completion(text, start, end, typed);
  };
  TntMemo1.onContextMenu = [this](POINT at) { MemoPopupMenu.Show(Handle(), at); };
  Timer1.onTimer = [this] { Timer1Timer(); };

  ActionAutomeaning.onExecute = [this] { ActionAutomeaningExecute(); };
  ActionStayOnTop.onExecute = [this] { ActionStayOnTopExecute(); };
  ActionHidStatusBar.onExecute = [this] { ActionHidStatusBarExecute(); };
  ActionFull.onExecute = [this] { ActionFullExecute(); };
  ActionNormal.onExecute = [this] { ActionNormalExecute(); };
  ActionTaskbarScroller.onExecute = [this] { ActionTaskbarScrollerExecute(); };
  ActionSaveExit.onExecute = [this] { ActionSaveExitExecute(); };
  ActionAbout.onExecute = [this] { ActionAboutExecute(); };
}

void TForm1::ActionAutomeaningExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.Toggle(Switch::ClipboardMeaning); });
}

void TForm1::ActionStayOnTopExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.Toggle(Switch::StayOnTop); });
}

void TForm1::ActionHidStatusBarExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.Toggle(Switch::HideStatusBar); });
}

void TForm1::ActionFullExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.ShowFullView(true); });
}

void TForm1::ActionNormalExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.ShowFullView(false); });
}

void TForm1::ActionTaskbarScrollerExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.Toggle(Switch::TaskbarScrolling); });
}

void TForm1::ActionSaveExitExecute() {
  Run([](LookupSession& s) -> const WindowView& { return s.Toggle(Switch::SaveOnExit); });
}

void TForm1::ActionAboutExecute() {
  TAboutBox::ShowModal(Handle());
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
    return std::vector<MenuItem>{bound(autoMeaning, ActionAutomeaning),
                                 bound((L"Stayontop" + n).c_str(), ActionStayOnTop),
                                 MenuItem::Separator(),
                                 bound(scroller, ActionTaskbarScroller),
                                 view,
                                 bound((L"SaveOnExit" + n).c_str(), ActionSaveExit),
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
}

// The dictionary, then the stored size and place, then one layout with the stored switches and
// entry 1 shown; last the clipboard viewer chain, whose first notification looks up a text
// already on the clipboard.
void TForm1::FormCreate() {
  // Right-to-left reading and the keyboard switching work on every system.
  application_.SetMiddleEastEnabled(true);
  auto dictionary = std::make_unique<TDictionary>();
  if (dictionary->TakeMissingFlag()) {
    MessageBoxW(Handle(), L"Some file was not founded", L"Error", MB_OK | MB_ICONERROR);
    return;  // with no session, Create fails and the program ends before any message loop
  }
  // A stored size is in the pixels of the display it was stored on and is taken as it is; the
  // design's size is scaled to the display the window opens on.
  const auto stored = ReadSettingsFile();
  const Bounds bounds = StoredPlacement(stored).value_or(DesignWindowBounds(ui::DpiOf(Handle())));
  SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  session_.emplace(std::move(dictionary));
  const auto [width, height] = ClientSize();
  const int dpi = ui::DpiOf(Handle());
  Run([&stored, width, height, dpi](LookupSession& session) -> const WindowView& {
    return session.Start(stored, width, height, dpi);
  });
  inClipboardChain_ = true;
  nextClipboardViewer_ = SetClipboardViewer(Handle());
}

// Closing leaves the chain, keeps the settings unless the window is maximized, and frees the
// dictionary. A settings file that cannot be written stays as it was: the window closes all
// the same, since there is nobody left to tell.
void TForm1::FormClose() {
  if (inClipboardChain_) {
    ChangeClipboardChain(Handle(), nextClipboardViewer_);
    inClipboardChain_ = false;
  }
  // A maximized window keeps its restored place and size, not the screen's, beside the
  // switches of this session.
  if (session_) {
    WriteSettingsFile(session_->SettingsToWrite(RestoredBounds()));
  }
  session_.reset();
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

// The search box has its own menu; everywhere else in the window, the window's.
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
    case WM_MOUSELEAVE:
      aboutHot_ = false;
      RepaintAboutButton();
      return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: MouseUp(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_RBUTTONUP:
      // The system turns the release into WM_CONTEXTMENU: the window's own menu.
      MouseUp(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
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
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y =
          Scaled(MinimumWindowHeight, ui::DpiOf(Handle()));
      return 0;
    case WM_DPICHANGED:
      // Any program can send the message; one without a suggested size is not followed.
      if (lParam != 0) {
        FormDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      }
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
