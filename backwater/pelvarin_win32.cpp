// Pelvarin's window: one modal dialog whose Calculate button (the default
// button, so also Enter) runs the command.
#include <windows.h>

#include "backwater/calculate_command.h"
#include "backwater/pelvarin_fields.h"
#include "platform/win32/win32_dialog.h"

INT_PTR CALLBACK backwaterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            setStandardIcons(dialog);
            return TRUE;  // focus to the first tab stop, the Calculate button
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        case WM_COMMAND:
            // Recognised by the identifier alone. Escape arrives as IDCANCEL
            // (2), which is no control here, so it does not close the window.
            switch (LOWORD(wParam)) {
                case IDC_CALCULATE: {
                    Win32Dialog port(dialog);
                    runCalculateCommand(port);
                    break;
                }
                case IDC_QUIT: EndDialog(dialog, 0); break;
                default: break;
            }
            return TRUE;
        default: return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PELVARIN), nullptr, backwaterDialogProc, 0));
}
