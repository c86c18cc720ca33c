#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "run_program.h"

namespace {

const std::string PELVARIN = PELVARIN_PATH;

std::vector<std::string> exampleArgs(const std::string& file) {
    return {"bso=2", "m=1.5", "n=1.5",   "Q=10",   "kst=30", "Iso=0.001",
            "beta=1", "l=100", "hu=3",   "wsp=103", "Pa=20", "file=" + file};
}

class PelvarinConsole : public testing::Test {
protected:
    std::string folder = makeTempFolder();
    ~PelvarinConsole() override { std::system(("rm -rf '" + folder + "'").c_str()); }
};

TEST_F(PelvarinConsole, WritesTheReportRelativeToTheCurrentFolder) {
    const ProgramRun run = runProgram(PELVARIN, exampleArgs("Bericht"), folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Info: Datei wurde erstellt\n");
    const std::string report = readFile(folder + "/Bericht.txt");
    EXPECT_EQ(report.rfind("Eingegebene Daten: \r\n", 0), 0u);

    const ProgramRun again = runProgram(PELVARIN, exampleArgs("Bericht"), folder);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err, "Fehler!: Datei schon vorhanden\n");
    EXPECT_EQ(readFile(folder + "/Bericht.txt"), report);
}

TEST_F(PelvarinConsole, DrawdownsOfTheWorkedChannel) {
    // hn 1.998 m, hgr 1.048 m. The lengths of the continuous profile, from
    // the gradually varied flow equation, are 1136.2, 1148.1 and 1096.1 m.
    const struct {
        const char* hu;
        const char* line;
    } cases[] = {
        {"1.3", "Senkungsweite: \t       1136[m]"},
        {"1.05", "Senkungsweite: \t       1148[m]"},
        {"1.5", "Senkungsweite: \t       1096[m]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hu);
        const std::string file = std::string("hu") + c.hu;
        const ProgramRun run = runProgram(PELVARIN,
                                          {"bso=2", "m=1.5", "n=1.5", "Q=10", "kst=30", "Iso=0.001", "beta=1",
                                           "l=100", std::string("hu=") + c.hu, "wsp=100", "Pa=20", "file=" + file},
                                          folder);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "Info: Datei wurde erstellt\n");
        EXPECT_NE(readFile(folder + "/" + file + ".txt").find(c.line), std::string::npos);
    }
}

TEST_F(PelvarinConsole, ChecksAndUsage) {
    const ProgramRun empty = runProgram(PELVARIN, {}, folder);
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "Fehler!: Bitte Eingabe kst kontrollieren\n");

    const ProgramRun noKst = runProgram(PELVARIN, {"bso=1"}, folder);
    EXPECT_EQ(noKst.err, "Fehler!: Bitte Eingabe kst kontrollieren\n");

    for (const auto& args : {std::vector<std::string>{"hn=1"}, {"file"}, {"Bso=2"}}) {
        const ProgramRun bad = runProgram(PELVARIN, args, folder);
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_NE(bad.err.find("usage: pelvarin"), std::string::npos);
    }
    const ProgramRun help = runProgram(PELVARIN, {"--help"}, folder);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("bso m n Q kst Iso beta l hu wsp Pa file"), std::string::npos);
}

TEST_F(PelvarinConsole, FailedWritesAreReportedAndLeaveNoFile) {
    // The body of this report is 1,011,xxx bytes; a file size limit makes the
    // write fail first in the body, then only in the closing lines. The
    // program is not killed by the limit's signal but sees the write fail.
    std::vector<std::string> args = exampleArgs("full");
    args[10] = "Pa=15000";
    const ProgramRun measured = runProgram(PELVARIN, args, folder);
    ASSERT_EQ(measured.exitCode, 0);
    const std::string report = readFile(folder + "/full.txt");
    const std::size_t trailer = report.size() - report.find("\r\n\r\nPelvarin 1.0");
    std::remove((folder + "/full.txt").c_str());

    const ProgramRun body = runProgram(PELVARIN, args, folder, 64 * 1024);
    EXPECT_EQ(body.exitCode, 1);
    EXPECT_EQ(body.err, "Fehler: Datei konnte nicht erstellt werden!\n");
    EXPECT_EQ(readFile(folder + "/full.txt"), "");
    EXPECT_NE(access((folder + "/full.txt").c_str(), F_OK), 0);

    // Once "Datei wurde erstellt" has been shown, the report is kept: only
    // its closing lines are missing, and the user is told so.
    const std::size_t limit = report.size() - trailer / 2;
    const ProgramRun closing = runProgram(PELVARIN, args, folder, static_cast<long>(limit));
    EXPECT_EQ(closing.exitCode, 1);
    EXPECT_EQ(closing.err, "Info: Datei wurde erstellt\nFehler: Schlusszeilen konnten nicht geschrieben werden\n");
    EXPECT_EQ(readFile(folder + "/full.txt"), report.substr(0, limit));
}

}  // namespace
