#include "tests/run_program.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string slurp(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

}  // namespace

ProgramRun runProgram(const std::string& path, const std::vector<std::string>& args, const std::string& folder,
                      long fileSizeLimit) {
    // Output goes to files, not pipes, so a large output cannot block the child.
    char outName[] = "/tmp/run_out_XXXXXX";
    char errName[] = "/tmp/run_err_XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        if (chdir(folder.c_str()) != 0) _exit(126);
        if (fileSizeLimit > 0) {
            // Past the limit the kernel sends SIGXFSZ, which kills a process
            // unless it ignores the signal: the default disposition, so that
            // the program itself must see to it.
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(path.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    lseek(outFd, 0, SEEK_SET);
    lseek(errFd, 0, SEEK_SET);
    ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), slurp(outFd), slurp(errFd)};
    close(outFd);
    close(errFd);
    unlink(outName);
    unlink(errName);
    return run;
}

std::string makeTempFolder() {
    char name[] = "/tmp/channel_test_XXXXXX";
    return mkdtemp(name);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
