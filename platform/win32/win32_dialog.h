// The Win32 side of the dialog interface: a command reads and writes the
// controls of a live dialog and shows its messages as message boxes owned by
// it.
#pragma once

#include <windows.h>

#include "dialog/dialog_port.h"

class Win32Dialog final : public DialogPort {
public:
    explicit Win32Dialog(HWND dialog) : dialog_(dialog) {}
    void readField(int controlId, char* buffer, int bufferSize) override;
    void writeField(int controlId, const char* text) override;
    void showMessage(const char* text, const char* caption) override;

private:
    HWND dialog_;
};

// Sets the system's standard application icon as the window's small and big
// icon, loading it anew for each.
void setStandardIcons(HWND dialog);
