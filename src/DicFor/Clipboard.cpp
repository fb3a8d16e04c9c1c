// Clipboard meaning: the window stays in the clipboard viewer chain for its whole life, passes
// every notification on, and looks up the text copied anywhere on the desktop.

#include "DicFor/TForm1.h"

namespace varkam {

void TForm1::OnDrawClipboard() {
  try {
    CheckClipboard();
  } catch (...) {
  }
  if (nextClipboardViewer_ != nullptr) {
    SendMessageW(nextClipboardViewer_, WM_DRAWCLIPBOARD, 0, 0);
  }
}

void TForm1::OnChangeClipboardChain(HWND leaving, HWND following) {
  if (leaving == nextClipboardViewer_) {
    nextClipboardViewer_ = following;
  } else if (nextClipboardViewer_ != nullptr) {
    SendMessageW(nextClipboardViewer_, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving),
                 reinterpret_cast<LPARAM>(following));
  }
}

void TForm1::CheckClipboard() {
  if (!OpenClipboard(Handle())) {
    return;  // another program holds it: this change is not looked up
  }
  // Password managers mark what they copy as not for clipboard viewers.
  static const UINT viewerIgnore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  static const UINT excludeFromMonitors =
      RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  bool text = false;
  bool private_ = false;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    text = text || format == CF_TEXT;
    private_ = private_ || format == viewerIgnore || format == excludeFromMonitors;
  }
  CloseClipboard();  // before the paste, which opens it again
  if (text && !private_) {
    ClipboardLookUp();
  }
}

void TForm1::ClipboardLookUp() {
  if (!ActionAutomeaning.checked) {
    return;
  }
  // A single-line field takes the clipboard's first line, in the ANSI code page.
  EditClipboard.SetText(L"");
  EditClipboard.Paste();
  const std::string text = ui::ToAnsi(EditClipboard.Text());
  if (text.empty()) {
    return;
  }
  LookUpText(text);
  AddToHistory(text.substr(0, MaxMeaningLength), true);
  ComboBox1.SetText(ui::FromAnsi(text));
}

}  // namespace varkam
