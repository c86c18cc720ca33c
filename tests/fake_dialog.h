// A scripted dialog for the command tests: field texts set by the test, and a
// log of everything the command did to the window, in order, naming each
// field by the program's field table.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "dialog/dialog_port.h"
#include "dialog/field_table.h"

class FakeDialog final : public DialogPort {
public:
    explicit FakeDialog(FieldTable table) : table_(table) {}

    std::map<int, std::string> fields;  // control id -> text
    std::vector<std::string> log;       // "read bso", "write A=3.5", "Fehler!: text"

    // Runs a hook right before the message with this text is dismissed.
    std::map<std::string, void (*)(FakeDialog&)> onMessage;

    void readField(int controlId, char* buffer, int bufferSize) override {
        log.push_back("read " + name(controlId));
        const std::string& text = fields[controlId];
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(bufferSize - 1));
        text.copy(buffer, n);
        buffer[n] = '\0';
    }

    void writeField(int controlId, const char* text) override {
        fields[controlId] = text;
        log.push_back("write " + name(controlId) + "=" + text);
    }

    void showMessage(const char* text, const char* caption) override {
        log.push_back(std::string(caption) + ": " + text);
        auto hook = onMessage.find(text);
        if (hook != onMessage.end()) hook->second(*this);
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const std::string& entry : log) {
            if (entry.rfind("read ", 0) != 0 && entry.rfind("write ", 0) != 0) out.push_back(entry);
        }
        return out;
    }

    std::vector<std::string> reads() const {
        std::vector<std::string> out;
        for (const std::string& entry : log) {
            if (entry.rfind("read ", 0) == 0) out.push_back(entry.substr(5));
        }
        return out;
    }

private:
    // The field's name, or the bare identifier of a control without one.
    std::string name(int controlId) const {
        const Field* field = fieldOfControl(table_, controlId);
        return field != nullptr ? field->name : std::to_string(controlId);
    }

    FieldTable table_;
};
