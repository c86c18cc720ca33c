#include "platform/console/console_program.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

class ConsoleDialog final : public DialogPort {
public:
    explicit ConsoleDialog(const ConsoleProgram& program) : program_(program) {
        for (const char*& t : texts_) t = "";
    }

    // Sets an input field from "NAME=TEXT"; false when the argument names none.
    bool assign(const char* argument, ConsoleArguments& arguments) {
        const char* equals = std::strchr(argument, '=');
        if (equals == nullptr) return false;
        const Field* field = fieldNamed(program_.fields, argument, static_cast<std::size_t>(equals - argument),
                                        FieldRole::Input);
        if (field == nullptr) return false;
        texts_[field - program_.fields.fields] = equals + 1;
        arguments.fieldGiven[field - program_.fields.fields] = true;
        return true;
    }

    void readField(int controlId, char* buffer, int bufferSize) override {
        if (bufferSize <= 0) return;
        const Field* field = fieldOfControl(program_.fields, controlId);
        const char* text = field != nullptr && field->role == FieldRole::Input ? texts_[field - program_.fields.fields] : "";
        std::size_t length = std::strlen(text);
        if (length > static_cast<std::size_t>(bufferSize - 1)) length = static_cast<std::size_t>(bufferSize - 1);
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
    }

    // A written result, or an input a command fills in (as the depth found
    // for a given discharge), printed under its name.
    void writeField(int controlId, const char* text) override {
        if (const Field* field = fieldOfControl(program_.fields, controlId)) std::printf("%s=%s\n", field->name, text);
    }

    void showMessage(const char* text, const char* caption) override {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }

private:
    const ConsoleProgram& program_;
    const char* texts_[MAX_CONSOLE_FIELDS];
};

void printUsage(const ConsoleProgram& program, std::FILE* out) {
    std::fprintf(out, "usage: %s [NAME=TEXT ...]\n%s\nNAME is one of:", program.name, program.purpose);
    for (int i = 0; i < program.fields.count; ++i) {
        if (program.fields.fields[i].role == FieldRole::Input) std::fprintf(out, " %s", program.fields.fields[i].name);
    }
    std::fprintf(out,
                 "\nEach argument sets that field's text; unnamed fields are empty.\n"
                 "Messages go to standard error as 'CAPTION: TEXT'.\n"
                 "Exit status: 0 completed, 1 stopped at a check or a file error, 2 usage error.\n");
    if (program.optionCount > 0) std::fprintf(out, "Options, which add output:\n");
    for (int i = 0; i < program.optionCount; ++i) {
        const ConsoleOption& option = program.options[i];
        std::fprintf(out, "  %s%s%s\n      %s\n", option.name, option.argument != nullptr ? " " : "",
                     option.argument != nullptr ? option.argument : "", option.help);
    }
}

int usageError(const ConsoleProgram& program, const char* what, const char* argument) {
    std::fprintf(stderr, "%s: %s%s\n", program.name, what, argument);
    printUsage(program, stderr);
    return 2;
}

}  // namespace

bool ConsoleArguments::given(const char* fieldName) const {
    const Field* field = fieldNamed(fields, fieldName, std::strlen(fieldName), FieldRole::Input);
    return field != nullptr && fieldGiven[field - fields.fields];
}

int runConsoleProgram(const ConsoleProgram& program, int argc, char** argv) {
    if (program.fields.count > MAX_CONSOLE_FIELDS || program.optionCount > MAX_CONSOLE_OPTIONS) return 2;
#ifdef SIGXFSZ
    // A file-size limit then makes a write fail, so that the program cleans
    // up and says so, instead of being killed with a partial report.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    ConsoleDialog dialog(program);
    ConsoleArguments arguments{program.fields, {}, {}};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(program, stdout);
            return 0;
        }
        if (std::strncmp(argv[i], "--", 2) == 0) {
            int found = -1;
            for (int k = 0; k < program.optionCount; ++k) {
                if (std::strcmp(argv[i], program.options[k].name) == 0) found = k;
            }
            if (found < 0) return usageError(program, "unknown option: ", argv[i]);
            if (program.options[found].argument == nullptr) {
                arguments.options[found] = "";
            } else {
                if (i + 1 >= argc) return usageError(program, "option without its value: ", argv[i]);
                arguments.options[found] = argv[++i];
            }
            continue;
        }
        if (!dialog.assign(argv[i], arguments)) {
            return usageError(program, std::strchr(argv[i], '=') == nullptr ? "argument without '=': "
                                                                             : "unknown field in: ",
                              argv[i]);
        }
    }
    if (program.usageError != nullptr) {
        if (const char* error = program.usageError(arguments)) return usageError(program, error, "");
    }
    const CommandEnd end = program.command(dialog, arguments);
    // Results that did not reach standard output are lost: say so.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "%s: standard output could not be written\n", program.name);
        return 1;
    }
    return end == CommandEnd::Completed ? 0 : 1;
}
