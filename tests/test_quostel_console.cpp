#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "tests/run_program.h"
#include "tests/temp_folder.h"

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
        SCOPED_TRACE(args.back());
        const ProgramRun run = runProgram(QUOSTEL, args);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: quostel"), std::string::npos);
    }
    const ProgramRun help = runProgram(QUOSTEL, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: quostel [NAME=TEXT ...]", 0), 0u);
    EXPECT_NE(help.out.find("--table h=FROM:TO:STEP"), std::string::npos);
    EXPECT_NE(help.out.find("Q"), std::string::npos);
}

TEST(QuostelConsole, LongFieldTextIsCutNotOverrun) {
    const std::string longText(100000, '7');
    const ProgramRun run = runProgram(QUOSTEL, {"bso=" + longText, "Iso=1e-3", "kst=30", "h=1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Fehler!: Bitte Eingabe bso kontrollieren\n");
}

}  // namespace

namespace {

class QuostelOutput : public TempFolderTest {};

TEST_F(QuostelOutput, LostResultsAreAnErrorNotASuccess) {
    // Standard output on a full device: the results cannot be written.
    const std::string command = std::string(QUOSTEL) +
                                " bso=2 m=1.5 n=1.5 Iso=1e-3 kst=30 h=1 >/dev/full 2>'" + folder + "/err'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readFile(folder + "/err"), "quostel: standard output could not be written\n");
}

}  // namespace

namespace {

TEST(QuostelConsole, DepthFromDischarge) {
    const ProgramRun run = runProgram(QUOSTEL, {"bso=2", "m=1.5", "n=1.5", "Iso=1e-3", "kst=30", "Q=2.4256181984"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("h=1\nA=3.5\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nQ=2.4256\n"), std::string::npos);

    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    } cases[] = {
        {{"bso=2", "Iso=1e-3", "kst=30", "Q=0"}, 1, "Fehler!: Bitte Eingabe Q kontrollieren\n"},
        {{"bso=2", "Iso=1e-3", "kst=30", "Q=-NAN"}, 1, "Fehler!: Bitte Eingabe Q kontrollieren\n"},
        {{"bso=2", "Iso=1e-3", "kst=30", "Q=1e9"}, 1, "Achtung!: Wassertiefe ueber 1000 m\n"},
        {{"bso=0", "Iso=1e-3", "kst=30", "Q=1"}, 1, "Fehler!: Bitte Eingabe bso kontrollieren\n"},
        {{"bso=2", "Iso=1e-3", "kst=30", "Q=1", "h=1"}, 2, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ProgramRun bad = runProgram(QUOSTEL, c.args);
        EXPECT_EQ(bad.exitCode, c.exitCode);
        EXPECT_EQ(bad.out, "");
        if (c.err != nullptr) {
            EXPECT_EQ(bad.err, c.err);
        }
    }
}

TEST(QuostelConsole, RatingTable) {
    const ProgramRun run =
        runProgram(QUOSTEL, {"--table", "h=0.5:2:0.25", "bso=2", "m=1.5", "n=1.5", "Iso=1e-3", "kst=30"});
    EXPECT_EQ(run.exitCode, 0);
    std::vector<std::string> rows;
    for (std::size_t start = 0, end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1) {
        rows.push_back(run.out.substr(start, end - start));
    }
    ASSERT_EQ(rows.size(), 1u + 7u);
    EXPECT_EQ(rows[0], "h,A,U,R,hE,v,Q,hgr,hEm,Fr,k,hp");
    EXPECT_EQ(rows[3].rfind("1,3.5,", 0), 0u);  // the row of h 1: A 3.5
    EXPECT_EQ(rows[7].rfind("2,10,", 0), 0u);

    for (const char* range : {"h=0:1:0.1", "h=1:0.5:0.1", "h=1:2:0", "h=1:2:-1", "h=1:1001:1", "h=0.001:1000:0.001",
                              "h=1:2", "x=1:2:0.5", "h=a:2:1", "h=1:2:0.5x"}) {
        SCOPED_TRACE(range);
        const ProgramRun bad = runProgram(QUOSTEL, {"--table", range, "bso=2", "Iso=1e-3", "kst=30"});
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_EQ(bad.out, "");
        EXPECT_NE(bad.err.find("usage: quostel"), std::string::npos);
    }
    const ProgramRun last = runProgram(QUOSTEL, {"--table"});
    EXPECT_EQ(last.exitCode, 2);
}

}  // namespace
