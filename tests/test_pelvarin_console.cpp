#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "tests/run_program.h"
#include "tests/temp_folder.h"

namespace {

const std::string PELVARIN = PELVARIN_PATH;

std::vector<std::string> exampleArgs(const std::string& file) {
    return {"bso=2", "m=1.5", "n=1.5",   "Q=10",   "kst=30", "Iso=0.001",
            "beta=1", "l=100", "hu=3",   "wsp=103", "Pa=20", "file=" + file};
}

class PelvarinConsole : public TempFolderTest {};

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
        SCOPED_TRACE(args[0]);
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

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

std::vector<double> csvNumbers(const std::string& line) {
    std::vector<double> out;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(',', start);
        if (end == std::string::npos) end = line.size();
        double value = 0;
        std::from_chars(line.data() + start, line.data() + end, value);
        out.push_back(value);
        start = end + 1;
    }
    return out;
}

std::string fixed(double value, int width, int precision) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, precision, value);
    return text;
}

TEST_F(PelvarinConsole, SummaryAfterTheCommand) {
    std::vector<std::string> args = exampleArgs("summary");
    args.insert(args.begin(), "--summary");
    const ProgramRun run = runProgram(PELVARIN, args, folder);
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 6u) << run.out;
    EXPECT_EQ(out[0].rfind("hn=1.99803930", 0), 0u);
    EXPECT_EQ(out[1].rfind("hgr=1.04787882", 0), 0u);
    EXPECT_EQ(out[2], "hb=" + out[1].substr(4));  // beta 1: the same critical depth
    EXPECT_EQ(out[3], "profile=M1");
    EXPECT_EQ(out[4], "kind=Stauweite");
    EXPECT_EQ(out[5], "length=2360");
    // 17 significant digits read back to the depth itself
    EXPECT_EQ(out[0].size(), std::string("hn=").size() + 18);

    // A drawdown of a steep channel, with its warning; a stopped command
    // prints no summary.
    args = exampleArgs("steep");
    args[5] = "Iso=0.05";
    args.push_back("--summary");
    const ProgramRun steep = runProgram(PELVARIN, args, folder);
    const std::vector<std::string> steepOut = lines(steep.out);
    ASSERT_EQ(steepOut.size(), 7u) << steep.out;
    EXPECT_EQ(steepOut[3], "profile=S1");
    EXPECT_EQ(steepOut[6], "warning=Schiessender Abfluss: Stau- bzw. Senkungsweite nicht aussagekraeftig");
    const ProgramRun stopped = runProgram(PELVARIN, {"--summary", "bso=2"}, folder);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, "");
}

TEST_F(PelvarinConsole, CsvOfTheMarchAgreesWithTheReportRows) {
    // At a spacing of 1 m the profile table is the 1 m march itself, so the
    // report's rows print the CSV's values rounded.
    std::vector<std::string> args = exampleArgs("csv");
    args[7] = "l=1";
    args[10] = "Pa=300";
    args.insert(args.begin(), {"--csv", "march.csv"});
    const ProgramRun run = runProgram(PELVARIN, args, folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> csv = lines(readFile(folder + "/march.csv"));
    ASSERT_EQ(csv.size(), 1u + 14999u);
    EXPECT_EQ(csv[0], "x[m],h[m],wsp[m],zs[m],A[m2],v[m/s],hE[m]");
    const std::string report = readFile(folder + "/csv.txt");
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const std::vector<double> v = csvNumbers(csv[1 + i]);
        ASSERT_EQ(v.size(), 7u);
        EXPECT_EQ(v[0], i);
        const std::string row = "\r\nh" + fixed(i, 3, 0) + ": \t" + fixed(v[0], 7, 1) + " \t" + fixed(v[1], 5, 2) +
                                " \t " + fixed(v[2], 5, 2) + " \t " + fixed(v[4], 5, 1);
        EXPECT_NE(report.find(row), std::string::npos) << row;
        EXPECT_NEAR(v[2], v[3] + v[1], 1e-12);                            // water level over the bed
        EXPECT_NEAR(v[3], 100.0 + i * 0.001, 1e-12);                      // the bed rises by Iso
        EXPECT_NEAR(v[6], v[2] + v[5] * v[5] / (2 * 9.81), 1e-12);        // energy level, beta 1
        EXPECT_NEAR(v[5], 10.0 / v[4], 1e-15);
    }
    // Never over an existing file.
    const std::string before = readFile(folder + "/march.csv");
    args[args.size() - 1] = "file=csv2";
    const ProgramRun again = runProgram(PELVARIN, args, folder);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("march.csv: file exists, not overwritten"), std::string::npos);
    EXPECT_EQ(readFile(folder + "/march.csv"), before);
}

}  // namespace
