// Clipboard meaning: the window stays in the clipboard viewer chain for its whole life, passes
// every notification on, and looks up the text copied anywhere on the desktop.

#include "ui/Clipboard.h"
#include "DicFor/TForm1.h"

namespace varkam {

namespace {

// A viewer after us that has stopped answering must not stop us too: the message waits for it
// a little, and not at all once the system counts it as hung.
constexpr UINT PassOnTimeout = 1000;

void PassOn(HWND next, UINT message, WPARAM wParam, LPARAM lParam) {
  if (next != nullptr) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(next, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        PassOnTimeout, &ignored);
  }
}

}  // namespace

void TForm1::OnDrawClipboard() {
  // A copy whose lookup fails (no memory left for its texts) is passed over; the chain must
  // hear of the change all the same.
  try {
    CheckClipboard();
  } catch (const std::exception&) {
  }
  PassOn(nextClipboardViewer_, WM_DRAWCLIPBOARD, 0, 0);
}

void TForm1::OnChangeClipboardChain(HWND leaving, HWND following) {
  if (leaving == nextClipboardViewer_) {
    nextClipboardViewer_ = following;
  } else {
    PassOn(nextClipboardViewer_, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving),
           reinterpret_cast<LPARAM>(following));
  }
}

// Text that password managers mark as theirs is left alone; of the rest the first line is
// looked up, when the code page can hold it.
void TForm1::CheckClipboard() {
  if (!session_ || !session_->ReadsCopiedText()) {
    return;
  }
  const auto content = ui::ReadClipboard(Handle(), CopiedTextLimit);
  if (!content || !content->text || content->privateContent) {
    return;
  }
  const auto line = ui::ToAnsiExactly(FirstLine(*content->text));
  Run([&line](LookupSession& session) -> const WindowView& { return session.CopiedText(line); });
}

}  // namespace varkam
