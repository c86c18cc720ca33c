#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "backwater/report_file.h"
#include "tests/run_program.h"
#include "tests/temp_folder.h"

namespace {

const std::string GOLDEN = GOLDEN_DIR;

// Results set by hand, so that these tests see the layout alone.
struct Report {
    BackwaterInput in{2.0, 1.5, 1.5, 10.0, 30.0, 0.001, 1.0, 10.0, 3.0, 103.0, 3};
    std::unique_ptr<BackwaterResult> r = std::make_unique<BackwaterResult>();
    Report() {
        *r = BackwaterResult{};
        r->hn = 1.99812;
        r->An = 9.9841;
        r->Un = 9.2044;
        r->Rn = 1.08471;
        r->vn = 1.00159;
        r->hEn = 2.04925;
        r->hgr = 1.04755;
        r->hemin = 1.41194;
        r->Fr = 0.31244;
        r->kind = LengthKind::Backwater;
        r->length = 1234;
        setProfiles(3);
    }
    void setProfiles(int count) {
        r->profiles.count = count;
        for (int i = 0; i < count; ++i) {
            r->profiles.hp[i] = 3.0 - 0.08 * i;
            r->profiles.wsp[i] = 100.0 + i * in.l * in.Iso + r->profiles.hp[i];
        }
    }
};

std::string writeReport(const Report& report, const std::string& folder) {
    const std::string name = folder + "/report.txt";
    ReportStream stream;
    EXPECT_EQ(createReportFile(name.c_str(), stream), CreateOutcome::Created);
    writeReportBody(stream, report.in, *report.r);
    EXPECT_TRUE(reportWritten(stream));
    EXPECT_TRUE(finishReportFile(stream));
    return readFile(name);
}

std::vector<std::string> splitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

void expectPlainBytes(const std::string& bytes) {
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(static_cast<unsigned char>(bytes[0]), 0xEF) << "no byte-order mark";
    EXPECT_NE(bytes.back(), '\n') << "no line end after the last line";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
        if (c == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
        }
        if (c > 0x7F) {
            EXPECT_EQ(c, 0xFC) << "byte " << i;
        }
    }
}

class ReportFile : public TempFolderTest {
protected:

    void expectGolden(const std::string& bytes, const std::string& goldenName) {
        const std::string path = GOLDEN + "/" + goldenName;
        if (std::getenv("CHANNEL_UPDATE_GOLDEN") != nullptr) std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(bytes, readFile(path)) << goldenName;
        expectPlainBytes(bytes);
    }
};

TEST_F(ReportFile, BackwaterWithThreeProfilesLineByLine) {
    Report report;
    const std::string bytes = writeReport(report, folder);
    expectGolden(bytes, "backwater_pa3.txt");
    const std::vector<std::string> lines = splitCrLf(bytes);
    ASSERT_GE(lines.size(), 36u);
    auto line = [&](int number) { return lines[static_cast<std::size_t>(number - 1)]; };
    EXPECT_EQ(line(1), "Eingegebene Daten: ");
    EXPECT_EQ(line(2), "");
    EXPECT_EQ(line(3), "bso: 2.00[m] \t\tm: 1.50[-] \t\tn: 1.50[-] \t\tQ: 10.00[m^3/s]");
    EXPECT_EQ(line(4), "kst: 30.00[m^(1/3)/s] \tIso: 0.00100[-] \tbeta: 1.000[-] \t\tl: 10.00[m]");
    EXPECT_EQ(line(5), "hu: 3.00[m] \t\twsp: 103.00[m] \t\tPa: 3[-]");
    EXPECT_EQ(line(6), "");
    EXPECT_EQ(line(7), "Berechnete Daten: ");
    EXPECT_EQ(line(8), "");
    const char* results[] = {"hn: \t 1.998[m]",    "An: \t 9.984[m^2]",  "Un: \t 9.204[m]",
                             "Rn: \t 1.085[m]",    "vn: \t 1.002[m/s]",  "hEn: \t 2.049[m]",
                             "hgr: \t 1.048[m]",   "hemin: \t 1.412[m]", "Fr: \t 0.312[-]"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(line(9 + i), results[i]);
    EXPECT_EQ(line(18), "");
    EXPECT_EQ(line(19), "");
    EXPECT_EQ(line(20), "Stauweite: \t       1234[m]");  // ten columns after the space
    EXPECT_EQ(line(21), "");
    EXPECT_EQ(line(22), "");
    EXPECT_EQ(line(23), "Erlaeuterungen zu den verwendeten Variablen:");
    EXPECT_EQ(line(27), "");
    EXPECT_EQ(line(28), "Profil \t dist\t \t hp \t wsp \t\t A \t U \t R \t v");
    EXPECT_EQ(line(29), "");
    EXPECT_EQ(line(30), "[-]\t[m]\t\t[m]\t[m]\t\t[m^2]\t[m]\t[m]\t[m/s]");
    EXPECT_EQ(line(31), "");
    // A, U, R, v of each row from its depth: 3.00 m gives 19.5, 12.8, 1.52, 0.513
    EXPECT_EQ(line(32), "h  0: \t    0.0 \t 3.00 \t 103.00 \t  19.5 \t  12.8 \t  1.52 \t 0.513");
    EXPECT_EQ(line(33).substr(0, 16), "h  1: \t   10.0 \t");
    EXPECT_EQ(line(34).substr(0, 16), "h  2: \t   20.0 \t");
    EXPECT_EQ(line(35), "");
    EXPECT_EQ(line(36), "Pelvarin 1.0");
}

TEST_F(ReportFile, NoLengthLayout) {
    Report report;
    report.r->kind = LengthKind::None;
    report.r->length = 0;
    const std::string bytes = writeReport(report, folder);
    expectGolden(bytes, "none_pa3.txt");
    const std::vector<std::string> lines = splitCrLf(bytes);
    EXPECT_EQ(lines[16], "Fr: \t 0.312[-]");
    EXPECT_EQ(lines[17], "Kein R\xFC" "ckstau bzw. Senkung");
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], "Erlaeuterungen zu den verwendeten Variablen:");
}

TEST_F(ReportFile, DrawdownNegativeCountAndRoundedInputs) {
    Report report;
    report.in.Pa = -3;
    report.in.Iso = 0.000004;  // below half a unit of the fifth decimal
    report.in.beta = 1.0625;   // 1.0625 is exact: three decimals round half to even
    report.in.section.bso = 2.345;
    report.r->kind = LengthKind::Drawdown;
    report.r->length = 7;
    report.setProfiles(0);
    const std::string bytes = writeReport(report, folder);
    expectGolden(bytes, "drawdown_pa_negative.txt");
    const std::vector<std::string> lines = splitCrLf(bytes);
    EXPECT_EQ(lines[2].substr(0, 13), "bso: 2.35[m] ");  // 2.345 is a little above 2.345 in binary
    EXPECT_NE(lines[3].find("Iso: 0.00000[-]"), std::string::npos);
    EXPECT_NE(lines[3].find("beta: 1.062[-]"), std::string::npos);
    EXPECT_NE(lines[4].find("Pa: -3[-]"), std::string::npos);
    EXPECT_EQ(lines[19], "Senkungsweite: \t          7[m]");
    // no rows: the trailer follows the units line directly
    EXPECT_EQ(lines[29], "[-]\t[m]\t\t[m]\t[m]\t\t[m^2]\t[m]\t[m]\t[m/s]");
    EXPECT_EQ(lines[30], "");
    EXPECT_EQ(lines[31], "");
    EXPECT_EQ(lines[32], "Pelvarin 1.0");
}

TEST_F(ReportFile, WideProfileNumbers) {
    Report report;
    report.in.l = 1000.0;
    report.in.Pa = 1001;
    report.setProfiles(1001);
    const std::vector<std::string> lines = splitCrLf(writeReport(report, folder));
    EXPECT_EQ(lines[31 + 1000].substr(0, 19), "h1000: \t1000000.0 \t");
}

TEST(ReportName, FieldTextWithTxtAppended) {
    const struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"Bericht", "Bericht.txt"},
        {"Bericht.txt", "Bericht.txt.txt"},
        {"", ".txt"},
        {" a b ", " a b .txt"},
        {"1234567890123456789012345678901234567890123456789",
         "1234567890123456789012345678901234567890123456789.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char name[REPORT_NAME_SIZE];
        composeReportName(c.text, name);
        EXPECT_STREQ(name, c.name);
    }
}

TEST_F(ReportFile, ExistenceTestAndExclusiveCreation) {
    const std::string file = folder + "/old.txt";
    std::ofstream(file) << "keep me";
    mkdir((folder + "/dir.txt").c_str(), 0755);
    symlink((folder + "/nowhere").c_str(), (folder + "/dangling.txt").c_str());

    EXPECT_TRUE(reportFileExists(file.c_str()));
    EXPECT_FALSE(reportFileExists((folder + "/new.txt").c_str()));
    EXPECT_FALSE(reportFileExists((folder + "/dir.txt").c_str())) << "a directory is no file";
    EXPECT_FALSE(reportFileExists((folder + "/dangling.txt").c_str()));

    ReportStream stream;
    // A file that appeared after the existence test is never opened.
    EXPECT_EQ(createReportFile(file.c_str(), stream), CreateOutcome::NameTaken);
    EXPECT_EQ(createReportFile((folder + "/dangling.txt").c_str(), stream), CreateOutcome::NameTaken);
    EXPECT_EQ(readFile(file), "keep me");
    EXPECT_EQ(createReportFile((folder + "/dir.txt").c_str(), stream), CreateOutcome::CannotCreate);
    EXPECT_EQ(createReportFile((folder + "/no/such/folder.txt").c_str(), stream), CreateOutcome::CannotCreate);
}

TEST(ReportWriteFailure, FullDeviceIsDetected) {
    ReportStream stream{std::fopen("/dev/full", "wb"), "/dev/null/none"};
    ASSERT_NE(stream.file, nullptr);
    Report report;
    writeReportBody(stream, report.in, *report.r);
    EXPECT_FALSE(reportWritten(stream));
    std::fclose(stream.file);

    ReportStream trailer{std::fopen("/dev/full", "wb"), "/dev/null/none"};
    EXPECT_FALSE(finishReportFile(trailer));
}

}  // namespace

namespace {

TEST(WindowsReportName, ColonsAndDeviceNamesAreRefused) {
    const struct {
        const char* name;
        bool allowed;
    } cases[] = {
        {"Bericht.txt", true},
        {"C:\\Daten\\Bericht.txt", true},
        {"c:Bericht.txt", true},
        {"Unterordner/Bericht.txt", true},
        {"CONSOLE.txt", true},
        {"COM0.txt", true},
        {"COM10.txt", true},
        {"Nullpunkt.txt", true},
        {"..txt", true},
        {".txt", true},
        {"Lauf 12:30.txt", false},      // a stream "30.txt" of a file "Lauf 12"
        {"Bericht.txt:2.txt", false},   // a stream attached to a report
        {"1:Bericht.txt", false},       // no drive letter
        {"C:\\a:b.txt", false},
        {"NUL.txt", false},
        {"nul.txt", false},
        {"CON.txt", false},
        {"Con.txt.txt", false},
        {"PRN.txt", false},
        {"AUX.txt", false},
        {"COM1.txt", false},
        {"com9.txt", false},
        {"LPT1.txt", false},
        {"lpt9.log.txt", false},
        {"CONIN$.txt", false},
        {"C:\\Daten\\NUL.txt", false},
        {"Daten/aux.txt", false},
        {"NUL .txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(windowsReportNameAllowed(c.name), c.allowed);
    }
}

}  // namespace
