#include "console_program.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

constexpr int MAX_FIELDS = 16;

class ConsoleDialog final : public DialogPort {
public:
    explicit ConsoleDialog(const ConsoleProgram& program) : program_(program) {
        for (const char*& t : texts_) t = "";
    }

    // Sets a field from "NAME=TEXT"; false when the argument names no field.
    bool assign(const char* argument) {
        const char* equals = std::strchr(argument, '=');
        if (equals == nullptr) return false;
        const std::size_t nameLength = static_cast<std::size_t>(equals - argument);
        for (int i = 0; i < program_.inputCount; ++i) {
            const char* name = program_.inputs[i].name;
            if (std::strlen(name) == nameLength && std::strncmp(name, argument, nameLength) == 0) {
                texts_[i] = equals + 1;
                return true;
            }
        }
        return false;
    }

    void readField(int controlId, char* buffer, int bufferSize) override {
        if (bufferSize <= 0) return;
        const char* text = "";
        for (int i = 0; i < program_.inputCount; ++i) {
            if (program_.inputs[i].controlId == controlId) text = texts_[i];
        }
        std::size_t length = std::strlen(text);
        if (length > static_cast<std::size_t>(bufferSize - 1)) length = static_cast<std::size_t>(bufferSize - 1);
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
    }

    void writeField(int controlId, const char* text) override {
        for (int i = 0; i < program_.outputCount; ++i) {
            if (program_.outputs[i].controlId == controlId) {
                std::printf("%s=%s\n", program_.outputs[i].name, text);
                return;
            }
        }
    }

    void showMessage(const char* text, const char* caption) override {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }

private:
    const ConsoleProgram& program_;
    const char* texts_[MAX_FIELDS];
};

void printUsage(const ConsoleProgram& program, std::FILE* out) {
    std::fprintf(out, "usage: %s [NAME=TEXT ...]\n%s\nNAME is one of:", program.name, program.purpose);
    for (int i = 0; i < program.inputCount; ++i) std::fprintf(out, " %s", program.inputs[i].name);
    std::fprintf(out,
                 "\nEach argument sets that field's text; unnamed fields are empty.\n"
                 "Messages go to standard error as 'CAPTION: TEXT'.\n"
                 "Exit status: 0 completed, 1 stopped at a check or a file error, 2 usage error.\n");
}

}  // namespace

int runConsoleProgram(const ConsoleProgram& program, int argc, char** argv) {
    if (program.inputCount > MAX_FIELDS) return 2;
#ifdef SIGXFSZ
    // A file-size limit then makes a write fail, so that the program cleans
    // up and says so, instead of being killed with a partial report.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    ConsoleDialog dialog(program);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(program, stdout);
            return 0;
        }
        if (!dialog.assign(argv[i])) {
            if (std::strchr(argv[i], '=') == nullptr) {
                std::fprintf(stderr, "%s: argument without '=': %s\n", program.name, argv[i]);
            } else {
                std::fprintf(stderr, "%s: unknown field in: %s\n", program.name, argv[i]);
            }
            printUsage(program, stderr);
            return 2;
        }
    }
    const CommandEnd end = program.command(dialog);
    // Results that did not reach standard output are lost: say so.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "%s: standard output could not be written\n", program.name);
        return 1;
    }
    return end == CommandEnd::Completed ? 0 : 1;
}
