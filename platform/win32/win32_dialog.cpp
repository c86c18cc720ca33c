#include "platform/win32/win32_dialog.h"

void Win32Dialog::readField(int controlId, char* buffer, int bufferSize) {
    // GetDlgItemTextA copies at most bufferSize - 1 characters and the NUL;
    // the buffer is emptied first in case the control does not exist.
    if (bufferSize <= 0) return;
    buffer[0] = '\0';
    GetDlgItemTextA(dialog_, controlId, buffer, bufferSize);
    buffer[bufferSize - 1] = '\0';
}

void Win32Dialog::writeField(int controlId, const char* text) {
    SetDlgItemTextA(dialog_, controlId, text);
}

void Win32Dialog::showMessage(const char* text, const char* caption) {
    MessageBoxA(dialog_, text, caption, MB_OK | MB_ICONWARNING);  // 0x30
}

void setStandardIcons(HWND dialog) {
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
}
