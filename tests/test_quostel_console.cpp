#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "run_program.h"

namespace {

const std::string QUOSTEL = QUOSTEL_PATH;

TEST(QuostelConsole, MildExample) {
    const ProgramRun run = runProgram(QUOSTEL, {"bso=2", "m=1.5", "n=1.5", "Iso=1e-3", "kst=30", "h=1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "A=3.5\nU=5.6056\nR=0.62438\nhE=1.0245\nv=0.69303\nQ=2.4256\nhgr=0.46934\nhEm=0.65553\n"
              "Fr=0.32298\nk=0.168\nhp=1.05\n");
}

TEST(QuostelConsole, WarningsAndChecksGoToStandardError) {
    const ProgramRun warned = runProgram(QUOSTEL, {"bso=2", "m=1.5", "n=1.5", "Iso=0.07", "kst=30", "h=1"});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_EQ(warned.err, "Achtung!: Wert Iso hoch\n");
    EXPECT_NE(warned.out.find("v=8.1031\n"), std::string::npos);

    const ProgramRun stopped = runProgram(QUOSTEL, {"bso=2", "kst=95", "Iso=0.0", "h=1"});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.err, "Achtung!: Kst Wert sehr hoch!\nFehler!: Bitte Eingabe Iso kontrollieren\n");
    EXPECT_EQ(stopped.out, "");

    const ProgramRun empty = runProgram(QUOSTEL, {});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "Fehler!: Bitte Eingabe bso kontrollieren\n");
}

TEST(QuostelConsole, TextAfterTheFirstEqualsSignIsTheField) {
    // "m==1" sets m to "=1", which reads as 0; a later argument wins.
    const ProgramRun run =
        runProgram(QUOSTEL, {"bso=9", "bso=2", "m==1", "n=1.5", "Iso=1e-3 ", "kst=30abc", "h=1,9"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("A=2.75\n"), std::string::npos) << run.out;
}

TEST(QuostelConsole, UsageErrors) {
    for (const auto& args : {std::vector<std::string>{"bso"}, {"x=1"}, {"bso=1", "H=2"}, {"=3"}}) {
        const ProgramRun run = runProgram(QUOSTEL, args);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: quostel"), std::string::npos);
    }
    const ProgramRun help = runProgram(QUOSTEL, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: quostel [NAME=TEXT ...]", 0), 0u);
}

TEST(QuostelConsole, LongFieldTextIsCutNotOverrun) {
    const std::string longText(100000, '7');
    const ProgramRun run = runProgram(QUOSTEL, {"bso=" + longText, "Iso=1e-3", "kst=30", "h=1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Fehler!: Bitte Eingabe bso kontrollieren\n");
}

}  // namespace

namespace {

TEST(QuostelConsole, LostResultsAreAnErrorNotASuccess) {
    // Standard output on a full device: the results cannot be written.
    const std::string folder = makeTempFolder();
    const std::string command = std::string(QUOSTEL) +
                                " bso=2 m=1.5 n=1.5 Iso=1e-3 kst=30 h=1 >/dev/full 2>'" + folder + "/err'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readFile(folder + "/err"), "quostel: standard output could not be written\n");
    std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace
