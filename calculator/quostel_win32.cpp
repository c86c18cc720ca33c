// Quostel's window: one modal dialog whose Calculate button runs the command.
#include <windows.h>

#include "calculator/quostel_fields.h"
#include "calculator/uniform_flow_command.h"
#include "platform/win32/win32_dialog.h"

INT_PTR CALLBACK calculatorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            setStandardIcons(window);
            return TRUE;  // focus to the first tab stop, the bso field
        case WM_CLOSE:
            EndDialog(window, 0);
            return TRUE;
        case WM_COMMAND:
            // Recognised by the identifier alone; Escape arrives as IDC_QUIT (2).
            switch (LOWORD(wParam)) {
                case IDC_QUIT: EndDialog(window, 0); break;
                case IDC_CALCULATE: {
                    Win32Dialog dialog(window);
                    runUniformFlowCommand(dialog);
                    break;
                }
                default: break;
            }
            return TRUE;
        default: return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_QUOSTEL), nullptr, calculatorDialogProc, 0));
}
