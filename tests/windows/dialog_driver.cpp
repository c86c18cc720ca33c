// Test driver for the Windows programs: starts a program, finds its dialog
// and works it through real window messages, printing what it sees.
//
//   dialog_driver EXE STEP...
//
// Steps, run in order:
//   set:ID=TEXT     set the text of control ID
//   press:ID        click button ID and wait until its command has ended,
//                   answering every message box on the way
//   key:NAME        post a key to the focused control (enter, escape, altc,
//                   altq) and answer the message boxes that follow
//   focus:ID        give control ID the keyboard focus
//   close           the window's Close command (as the close box)
//   get:ID          print "ID=TEXT"
//   template:FILE   compare every control with the rows of FILE
//                   (id, class, style, x, y, width, height, text in dialog
//                   units and Windows-1252) and print the differences
//   window          print the dialog's caption, style and screen position
//   alive           print "alive" or "gone"
//   exit            wait for the program to end and print "exit CODE"
// Every message box becomes the line "CAPTION: TEXT". Lines go to standard
// output; the exit status is 0 unless the driver itself failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

PROCESS_INFORMATION program{};
HWND dialog = nullptr;

struct Search {
    DWORD processId;
    HWND owner;
    HWND found;
};

BOOL CALLBACK findWindow(HWND window, LPARAM lParam) {
    Search& s = *reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == s.processId && std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == s.owner) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findDialogWindow(HWND owner) {
    Search s{program.dwProcessId, owner, nullptr};
    EnumWindows(findWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Answers one message box if there is one: prints it and presses OK.
bool answerMessageBox() {
    HWND box = findDialogWindow(dialog);
    if (box == nullptr) return false;
    char caption[256] = "", text[1024] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("%s: %s\n", caption, text);
    std::fflush(stdout);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    return true;
}

DWORD WINAPI clickButton(LPVOID id) {
    const int control = static_cast<int>(reinterpret_cast<INT_PTR>(id));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
    return 0;
}

void press(int control) {
    // The click is sent from a thread of its own, which returns once the
    // dialog procedure has handled it, that is once the command has ended.
    HANDLE worker = CreateThread(nullptr, 0, clickButton, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(control)), 0,
                                 nullptr);
    while (WaitForSingleObject(worker, 20) == WAIT_TIMEOUT) answerMessageBox();
    CloseHandle(worker);
}

// After a key or a close, whatever follows comes by the message queue: answer
// message boxes until none has appeared for a while.
void settle() {
    for (int quiet = 0; quiet < 60;) {
        if (!IsWindow(dialog)) return;
        DWORD_PTR result;
        if (answerMessageBox()) {
            quiet = 0;
        } else if (SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0) {
            ++quiet;
            Sleep(10);
        }
    }
}

void postKey(const char* name) {
    HWND target = GetFocus();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) target = info.hwndFocus;
    if (target == nullptr) target = dialog;
    if (std::strcmp(name, "enter") == 0 || std::strcmp(name, "escape") == 0) {
        const WPARAM vk = name[0] == 'e' && name[1] == 'n' ? VK_RETURN : VK_ESCAPE;
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_CHAR, vk == VK_RETURN ? '\r' : 27, 1);
        PostMessageA(target, WM_KEYUP, vk, 1 | (1u << 30) | (1u << 31));
    } else if (std::strcmp(name, "altc") == 0 || std::strcmp(name, "altq") == 0) {
        PostMessageA(target, WM_SYSCHAR, name[3], 1 | (1 << 29));
    }
    settle();
}

INT_PTR CALLBACK ignoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Dialog units of another process's window cannot be mapped through its
// handle; a hidden dialog of our own with the same font has the same units.
RECT dialogUnitsToPixels(int x, int y, int w, int h) {
    static HWND reference = nullptr;
    if (reference == nullptr) {
        alignas(4) static WORD tmpl[64] = {};
        DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(tmpl);
        t->style = WS_POPUP | DS_SETFONT;
        t->cx = 100;
        t->cy = 100;
        WORD* p = reinterpret_cast<WORD*>(t + 1);
        *p++ = 0;  // no menu
        *p++ = 0;  // standard class
        *p++ = 0;  // no title
        *p++ = 8;  // point size
        for (const char* f = "MS Sans Serif"; *f; ++f) *p++ = static_cast<WORD>(*f);
        *p++ = 0;
        reference = CreateDialogIndirectA(GetModuleHandleA(nullptr), t, nullptr, ignoreMessages);
    }
    // Position and size are mapped one by one, as the dialog manager does
    // when it creates the controls.
    RECT r{x, y, w, h};
    MapDialogRect(reference, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

int compareTemplate(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::printf("template: cannot read %s\n", path);
        return 1;
    }
    HWND control = GetWindow(dialog, GW_CHILD);
    char line[512];
    int row = 0, mismatches = 0;
    while (std::fgets(line, sizeof line, file)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        ++row;
        int id, x, y, w, h;
        unsigned style;
        char cls[32], text[256] = "";
        if (std::sscanf(line, "%d\t%31[^\t]\t%x\t%d\t%d\t%d\t%d\t%255[^\n]", &id, cls, &style, &x, &y, &w, &h, text) < 7) {
            continue;
        }
        // "\n" in the file stands for a line break of a multi-line label
        std::string expectedText;
        for (const char* p = text; *p; ++p) {
            if (p[0] == '\\' && p[1] == 'n') {
                expectedText += '\n';
                ++p;
            } else {
                expectedText += *p;
            }
        }
        if (control == nullptr) {
            std::printf("row %d: no control\n", row);
            ++mismatches;
            continue;
        }
        char actualClass[32] = "", actualText[256] = "";
        GetClassNameA(control, actualClass, sizeof actualClass);
        GetWindowTextA(control, actualText, sizeof actualText);
        const int actualId = GetDlgCtrlID(control) & 0xFFFF;
        const unsigned actualStyle = static_cast<unsigned>(GetWindowLongA(control, GWL_STYLE));
        RECT expected = dialogUnitsToPixels(x, y, w, h);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        // With the three-dimensional look the dialog manager turns the border
        // of an edit control into a sunken client edge.
        unsigned comparedStyle = actualStyle;
        if (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) comparedStyle |= WS_BORDER;
        const bool same = actualId == (id & 0xFFFF) && _stricmp(actualClass, cls) == 0 && comparedStyle == style &&
                          EqualRect(&expected, &actual) && expectedText == actualText;
        if (!same) {
            ++mismatches;
            std::printf("row %d: id %d class %s style 0x%08X rect %ld,%ld,%ld,%ld (expected %ld,%ld,%ld,%ld) text \"%s\"; "
                        "expected %s\n",
                        row, actualId, actualClass, comparedStyle, actual.left, actual.top, actual.right, actual.bottom,
                        expected.left, expected.top, expected.right, expected.bottom, actualText, line);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    std::fclose(file);
    if (control != nullptr) {
        std::printf("more controls than rows\n");
        ++mismatches;
    }
    std::printf("template: %d rows, %d mismatches\n", row, mismatches);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_driver EXE STEP...\n");
        return 2;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = std::string("\"") + argv[1] + "\"";
    if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &program)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 2;
    }
    WaitForInputIdle(program.hProcess, 20000);
    for (int i = 0; i < 2000 && dialog == nullptr; ++i) {
        dialog = findDialogWindow(nullptr);
        if (dialog == nullptr) Sleep(10);
    }
    if (dialog == nullptr) {
        std::fprintf(stderr, "no dialog appeared\n");
        TerminateProcess(program.hProcess, 3);
        return 2;
    }

    for (int i = 2; i < argc; ++i) {
        const char* step = argv[i];
        if (std::strncmp(step, "set:", 4) == 0) {
            const char* equals = std::strchr(step, '=');
            if (equals == nullptr) return 2;
            SetDlgItemTextA(dialog, std::atoi(step + 4), equals + 1);
        } else if (std::strncmp(step, "press:", 6) == 0) {
            press(std::atoi(step + 6));
        } else if (std::strncmp(step, "key:", 4) == 0) {
            postKey(step + 4);
        } else if (std::strncmp(step, "focus:", 6) == 0) {
            PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, std::atoi(step + 6))), TRUE);
            settle();
        } else if (std::strcmp(step, "close") == 0) {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            settle();
        } else if (std::strncmp(step, "get:", 4) == 0) {
            char text[256] = "";
            GetDlgItemTextA(dialog, std::atoi(step + 4), text, sizeof text);
            std::printf("%d=%s\n", std::atoi(step + 4), text);
        } else if (std::strncmp(step, "template:", 9) == 0) {
            compareTemplate(step + 9);
        } else if (std::strcmp(step, "window") == 0) {
            char caption[64] = "";
            GetWindowTextA(dialog, caption, sizeof caption);
            RECT r;
            GetWindowRect(dialog, &r);
            std::printf("caption %s style 0x%08lX exstyle 0x%08lX at %ld,%ld\n", caption,
                        static_cast<unsigned long>(GetWindowLongA(dialog, GWL_STYLE)),
                        static_cast<unsigned long>(GetWindowLongA(dialog, GWL_EXSTYLE)), r.left, r.top);
        } else if (std::strcmp(step, "alive") == 0) {
            std::printf("%s\n", IsWindow(dialog) ? "alive" : "gone");
        } else if (std::strcmp(step, "exit") == 0) {
            DWORD code = 259;
            if (WaitForSingleObject(program.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(program.hProcess, &code);
            std::printf("exit %lu\n", static_cast<unsigned long>(code));
        } else {
            std::fprintf(stderr, "unknown step %s\n", step);
            return 2;
        }
        std::fflush(stdout);
    }
    if (WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(program.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(program.hProcess, 4);
    }
    return 0;
}
