// What the window shows: the session's answer to each command, written onto the controls. Only
// what differs from what they show already is written, and no write raises a control's event,
// so rendering never leads back into a handler.

#include "DicFor/TForm1.h"

namespace varkam {

namespace {

constexpr int DropDownHeight = 200;  // the open list of recent words, at 96 dpi

HFONT MakeFont(const wchar_t* face, BYTE charSet, int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

std::vector<std::wstring> FromAnsi(const std::vector<std::string>& texts) {
  std::vector<std::wstring> wide;
  wide.reserve(texts.size());
  for (const std::string& text : texts) {
    wide.push_back(ui::FromAnsi(text));
  }
  return wide;
}

}  // namespace

void TForm1::Run(const std::function<const WindowView&(LookupSession&)>& command) {
  if (session_) {
    Render(command(*session_));
  }
}

void TForm1::Render(const WindowView& view) {
  const bool all = !anyShown_;
  if (all || view.switches != shown_.switches) {
    RenderSwitches(view.switches);
  }
  if (all || view.layout != shown_.layout) {
    RenderLayout(view.layout);
  }
  if (all || view.caption != shown_.caption) {
    SetCaption(ui::FromAnsi(view.caption));
  }
  if (all || view.statusText != shown_.statusText) {
    StatusBar1.SetText(ui::FromAnsi(view.statusText));
  }
  if (all || view.searchText != shown_.searchText) {
    ComboBox1.SetText(ui::FromAnsi(view.searchText));  // which leaves it selected
  } else if (view.searchSelected && !shown_.searchSelected) {
    ComboBox1.SelectAll();
  }
  if (all || view.meaning != shown_.meaning) {
    // char16_t and wchar_t are both UTF-16 code units on Windows.
    TntMemo1.SetText(std::wstring(view.meaning.begin(), view.meaning.end()));
  }
  const bool rowsChanged = all || view.rows != shown_.rows;
  if (rowsChanged) {
    ListBox1.SetRows(FromAnsi(view.rows));
  }
  if (rowsChanged || view.highlightedRow != shown_.highlightedRow) {
    ListBox1.Highlight(view.highlightedRow);
  }
  if (all || view.scrollBar != shown_.scrollBar) {
    ScrollBar1.SetState(view.scrollBar.minimum, view.scrollBar.maximum, view.scrollBar.position,
                        view.scrollBar.largeChange);
  }
  if (all || view.recentWords != shown_.recentWords) {
    ComboBox1.SetItems(FromAnsi(view.recentWords));
  }
  if (!view.title.empty() && view.title != shown_.title) {
    application_.SetTitle(ui::FromAnsi(view.title));
  }
  shown_ = view;
  anyShown_ = true;
}

void TForm1::RenderLayout(const Layout& layout) {
  if (!anyShown_ || layout.fontHeight != shown_.layout.fontHeight ||
      layout.rowHeight != shown_.layout.rowHeight) {
    RenderFonts(layout);
  }
  const auto place = [](ui::Control& control, const Bounds& bounds) {
    control.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  };
  place(ListBox1, layout.listBox);
  place(ScrollBar1, layout.scrollBar);
  place(StatusBar1, layout.statusBar);
  ComboBox1.SetBounds(layout.comboBox.left, layout.comboBox.top, layout.comboBox.width,
                      Scaled(DropDownHeight, layout.dpi));
  place(TntMemo1, layout.memo);
  // The splitter and the about button are drawn on the window itself. The status bar draws
  // only what a move uncovers, so a larger window would keep its old grip and lose its text.
  InvalidateRect(Handle(), nullptr, TRUE);
  InvalidateRect(StatusBar1.Handle(), nullptr, TRUE);
}

// The fonts' character height and the rows' height are the layout's. The new fonts reach the
// controls before the old ones are freed, so that no control draws with a deleted font.
void TForm1::RenderFonts(const Layout& layout) {
  ui::Font windowFont(MakeFont(L"MS Sans Serif", DEFAULT_CHARSET, layout.fontHeight));
  ui::Font meaningFont(MakeFont(L"Tahoma", ARABIC_CHARSET, layout.fontHeight));
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont.Get()), FALSE);
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&ComboBox1, &ListBox1, &ScrollBar1, &StatusBar1}) {
    control->SetFont(windowFont.Get());
  }
  TntMemo1.SetFont(meaningFont.Get());
  ListBox1.SetRowHeight(layout.rowHeight);
  ComboBox1.SetItemHeight(layout.rowHeight);
  windowFont_ = std::move(windowFont);
  meaningFont_ = std::move(meaningFont);
}

// The check marks are the switches; the controls they show or hide follow them.
void TForm1::RenderSwitches(const Switches& switches) {
  for (const SwitchPlace& place : SwitchTable) {
    ActionOf(place.which).checked = switches.*place.field;
  }
  ActionNormal.checked = !switches.fullView;
  ListBox1.SetVisible(switches.fullView);
  ScrollBar1.SetVisible(switches.fullView);
  StatusBar1.SetVisible(!switches.hideStatusBar);
  if (!anyShown_ || switches.stayOnTop != shown_.switches.stayOnTop) {
    // Only the z-order changes: the window keeps its handle, and so its place in the
    // clipboard viewer chain.
    SetWindowPos(Handle(), switches.stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TForm1::Timer1Timer() {
  Run([](LookupSession& session) -> const WindowView& { return session.Tick(); });
}

}  // namespace varkam
