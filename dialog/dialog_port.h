// The three things a Calculate command needs of its window: read a field's
// text, write a field's text, show a message and wait until it is dismissed.
// The commands talk to the window through this interface only, so the same
// command logic runs in the Win32 dialog and in the console front ends.
#pragma once

// Every field is read into one buffer of this size: a field yields at most
// its first 49 characters and a terminating NUL.
constexpr int FIELD_BUFFER_SIZE = 50;

class DialogPort {
public:
    // Copies the text of control `controlId` into `buffer`, at most
    // bufferSize - 1 characters, always NUL-terminated (as GetDlgItemTextA).
    virtual void readField(int controlId, char* buffer, int bufferSize) = 0;

    // Replaces the text of control `controlId`.
    virtual void writeField(int controlId, const char* text) = 0;

    // Shows a modal message with one OK button and the exclamation icon,
    // owned by the window, and returns once the user has dismissed it.
    virtual void showMessage(const char* text, const char* caption) = 0;

protected:
    ~DialogPort() = default;
};

// How a Calculate command ended.
enum class CommandEnd {
    Completed,  // ran to its end and delivered its output
    Stopped,    // ended at a check or a file error, after its message
};
