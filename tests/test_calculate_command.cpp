#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "backwater/calculate_command.h"
#include "tests/fake_dialog.h"
#include "backwater/pelvarin_fields.h"
#include "tests/run_program.h"
#include "tests/temp_folder.h"

namespace {

using Lines = std::vector<std::string>;

const Lines ALL_READS = {"bso", "m", "n", "Q", "kst", "Iso", "beta", "l", "hu", "wsp", "Pa"};

// Runs each command in a fresh current folder, as the program writes its
// report relative to it.
class CalculateCommand : public TempFolderTest {
protected:
    char previous[4096];
    FakeDialog d{PELVARIN_FIELDS};

    CalculateCommand() {
        EXPECT_NE(getcwd(previous, sizeof previous), nullptr);
        EXPECT_EQ(chdir(folder.c_str()), 0);
        d.fields = {{IDC_BSO, "2"},   {IDC_M, "1.5"},  {IDC_N, "1.5"},   {IDC_Q, "10"},
                    {IDC_KST, "30"},  {IDC_ISO, "0.001"}, {IDC_BETA, "1"}, {IDC_L, "100"},
                    {IDC_HU, "3"},    {IDC_WSP, "103"}, {IDC_PA, "20"},  {IDC_FILE, "Bericht"}};
    }
    ~CalculateCommand() override { EXPECT_EQ(chdir(previous), 0); }
    bool exists(const char* name) { return access(name, F_OK) == 0; }
};

TEST_F(CalculateCommand, WritesTheReportAndClosesItAfterTheSuccessMessage) {
    // While "Datei wurde erstellt" is shown, the body is in the file but not
    // the closing lines.
    static std::string seenWhileOpen;
    d.onMessage["Datei wurde erstellt"] = [](FakeDialog&) { seenWhileOpen = readFile("Bericht.txt"); };
    EXPECT_EQ(runCalculateCommand(d), CommandEnd::Completed);
    Lines expected;
    for (const std::string& id : ALL_READS) expected.push_back("read " + id);
    expected.push_back("read file");
    expected.push_back("Info: Datei wurde erstellt");
    EXPECT_EQ(d.log, expected);
    const std::string report = readFile("Bericht.txt");
    EXPECT_EQ(report.find("Pelvarin 1.0"), seenWhileOpen.size() + 4);
    EXPECT_EQ(report.substr(0, seenWhileOpen.size()), seenWhileOpen);
    EXPECT_NE(report.find("Stauweite: \t       2360[m]"), std::string::npos);
    EXPECT_NE(report.find("h 19: \t 1900.0 \t"), std::string::npos);
}

TEST_F(CalculateCommand, FirstFailingCheckEndsTheCommandWithoutAFile) {
    const struct {
        const char* name;
        int control;
        const char* text;
        const char* message;
        int reads;
    } cases[] = {
        {"bso negative", IDC_BSO, "-1", "Fehler!: Bitte Eingabe bso kontrollieren", 1},
        {"bso above 5000", IDC_BSO, "5000.5", "Fehler!: Bitte Eingabe bso kontrollieren", 1},
        {"m above 100", IDC_M, "100.5", "Fehler!: Bitte Eingabe m kontrollieren", 2},
        {"n NaN", IDC_N, "+NAN", "Fehler!: Bitte Eingabe n kontrollieren", 3},
        {"Q negative", IDC_Q, "-0.1", "Fehler!: Bitte Eingabe Q kontrollieren", 4},
        {"Q NaN", IDC_Q, "-NAN", "Fehler!: Bitte Eingabe Q kontrollieren", 4},
        {"kst empty", IDC_KST, "", "Fehler!: Bitte Eingabe kst kontrollieren", 5},
        {"kst above 150", IDC_KST, "150.01", "Fehler!: Bitte Eingabe kst kontrollieren", 5},
        {"Iso zero", IDC_ISO, "0", "Fehler!: Bitte Eingabe Iso kontrollieren", 6},
        {"Iso above 0.1", IDC_ISO, "0.1000001", "Fehler!: Bitte Eingabe Iso kontrollieren", 6},
        {"beta above 1.5", IDC_BETA, "1.6", "Fehler!: Bitte Eingabe beta kontrollieren", 7},
        {"l zero", IDC_L, "0", "Fehler!: Bitte Eingabe Profilabstand kontrollieren", 8},
        {"l above 1000", IDC_L, "1000.1", "Fehler!: Bitte Eingabe Profilabstand kontrollieren", 8},
        {"hu empty", IDC_HU, "", "Fehler!: Bitte Eingabe hu kontrollieren", 9},
        {"hu above 1000", IDC_HU, "1e4", "Fehler!: Bitte Eingabe hu kontrollieren", 9},
        {"wsp empty", IDC_WSP, "", "Meldung!: Eingabe wsp korrekt?", 10},
        {"wsp negative", IDC_WSP, "-5", "Meldung!: Eingabe wsp korrekt?", 10},
        {"Pa empty", IDC_PA, "", "Fehler!: Eingabe Pa korrekt?", 11},
        {"Pa 0.5", IDC_PA, "0.5", "Fehler!: Eingabe Pa korrekt?", 11},
        {"Pa above the table", IDC_PA, "15001", "Fehler!: Eingabe Pa korrekt?", 11},
        {"Pa wrapping to negative", IDC_PA, "4294967295", "", 0},  // reads -1: passes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDialog run = d;
        run.fields[c.control] = c.text;
        run.fields[IDC_FILE] = c.name;
        const CommandEnd end = runCalculateCommand(run);
        const std::string file = std::string(c.name) + ".txt";
        if (c.reads == 0) {
            EXPECT_EQ(end, CommandEnd::Completed);
            EXPECT_TRUE(exists(file.c_str()));
            continue;
        }
        EXPECT_EQ(end, CommandEnd::Stopped);
        EXPECT_EQ(run.messages(), Lines{c.message});
        EXPECT_EQ(run.reads(), Lines(ALL_READS.begin(), ALL_READS.begin() + c.reads));
        EXPECT_FALSE(exists(file.c_str()));
    }
}

TEST_F(CalculateCommand, EmptyGeometryAndZeroValuesThatPass) {
    // bso, m, n, Q and beta may be 0 each; a section with all three 0 has
    // no area and is refused, but only once every field has passed its own
    // check, so that an empty window reports kst as its first wrong field.
    FakeDialog flat = d;
    flat.fields[IDC_BSO] = "";
    flat.fields[IDC_M] = "";
    flat.fields[IDC_N] = "";
    EXPECT_EQ(runCalculateCommand(flat), CommandEnd::Stopped);
    EXPECT_EQ(flat.messages(), Lines{"Fehler!: Bitte Eingabe bso kontrollieren"});
    EXPECT_EQ(flat.reads(), ALL_READS);
    EXPECT_FALSE(exists("Bericht.txt"));

    FakeDialog flatAndWrongPa = flat;
    flatAndWrongPa.log.clear();
    flatAndWrongPa.fields[IDC_PA] = "0";
    EXPECT_EQ(runCalculateCommand(flatAndWrongPa), CommandEnd::Stopped);
    EXPECT_EQ(flatAndWrongPa.messages(), Lines{"Fehler!: Eingabe Pa korrekt?"});

    FakeDialog empty{PELVARIN_FIELDS};
    EXPECT_EQ(runCalculateCommand(empty), CommandEnd::Stopped);
    EXPECT_EQ(empty.messages(), Lines{"Fehler!: Bitte Eingabe kst kontrollieren"});

    FakeDialog triangle = d;
    triangle.fields[IDC_BSO] = "0";
    triangle.fields[IDC_BETA] = "0";
    triangle.fields[IDC_PA] = "-3";
    triangle.fields[IDC_FILE] = "triangle";
    EXPECT_EQ(runCalculateCommand(triangle), CommandEnd::Completed);
    EXPECT_EQ(triangle.messages(), Lines{"Info: Datei wurde erstellt"});
    EXPECT_NE(readFile("triangle.txt").find("Pa: -3[-]"), std::string::npos);
}

TEST_F(CalculateCommand, WarningsInTheirPlacesAndBeforeALaterFailure) {
    d.fields[IDC_KST] = "150";
    d.fields[IDC_ISO] = "0.1";
    d.fields[IDC_HU] = "0";
    EXPECT_EQ(runCalculateCommand(d), CommandEnd::Stopped);
    const Lines expected = {"read bso", "read m", "read n", "read Q", "read kst",
                            "Achtung!: Kst Wert sehr hoch!", "read Iso", "Achtung!: Wert Iso hoch",
                            "read beta", "read l", "read hu", "Fehler!: Bitte Eingabe hu kontrollieren"};
    EXPECT_EQ(d.log, expected);
    EXPECT_FALSE(exists("Bericht.txt"));

    FakeDialog limits = d;
    limits.log.clear();
    limits.fields[IDC_KST] = "90";
    limits.fields[IDC_ISO] = "0.05";
    limits.fields[IDC_HU] = "3";
    EXPECT_EQ(runCalculateCommand(limits), CommandEnd::Completed);
    // A slope of 5 % makes the example channel steep: the march upstream is
    // reported as meaningless, but no check warns.
    EXPECT_EQ(limits.messages(),
              Lines({"Achtung!: Schiessender Abfluss: Stau- bzw. Senkungsweite nicht aussagekraeftig",
                     "Info: Datei wurde erstellt"}));
}

TEST_F(CalculateCommand, WrongMIsReportedBeforeWrongIso) {
    d.fields[IDC_ISO] = "5";
    d.fields[IDC_BSO] = "abc-1";
    d.fields[IDC_M] = "-1";
    runCalculateCommand(d);
    EXPECT_EQ(d.messages(), Lines{"Fehler!: Bitte Eingabe m kontrollieren"});  // "abc-1" reads 0: passes
}

TEST_F(CalculateCommand, ExistingReportIsNeverTouched) {
    EXPECT_EQ(runCalculateCommand(d), CommandEnd::Completed);
    const std::string first = readFile("Bericht.txt");
    FakeDialog again = d;
    again.log.clear();
    again.fields[IDC_HU] = "2.5";
    EXPECT_EQ(runCalculateCommand(again), CommandEnd::Stopped);
    EXPECT_EQ(again.messages(), Lines{"Fehler!: Datei schon vorhanden"});
    EXPECT_EQ(readFile("Bericht.txt"), first);
}

TEST_F(CalculateCommand, NamesThatCannotBeCreated) {
    mkdir("folder.txt", 0755);
    ASSERT_EQ(symlink("nowhere", "appeared.txt"), 0);  // taken, though it cannot be read
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"folder", "Fehler: Datei konnte nicht erstellt werden!"},
        {"missing/folder/report", "Fehler: Datei konnte nicht erstellt werden!"},
        {"appeared", "Fehler!: Datei schon vorhanden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeDialog run = d;
        run.fields[IDC_FILE] = c.text;
        EXPECT_EQ(runCalculateCommand(run), CommandEnd::Stopped);
        EXPECT_EQ(run.messages(), Lines{c.message});
    }
    EXPECT_FALSE(exists("missing"));
    struct stat st;
    EXPECT_EQ(lstat("appeared.txt", &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(CalculateCommand, EmptyFileNameGivesDotTxt) {
    d.fields[IDC_FILE] = "";
    EXPECT_EQ(runCalculateCommand(d), CommandEnd::Completed);
    EXPECT_TRUE(exists(".txt"));
}

TEST_F(CalculateCommand, WarningsAfterTheBodyInTheirOrder) {
    const std::string HN = "Achtung!: Normaltiefe ausserhalb 0.05 bis 70 m: Ergebnisse nicht aussagekraeftig";
    const std::string HGR = "Achtung!: Kritische Tiefe ausserhalb 0.05 bis 70 m: Ergebnisse nicht aussagekraeftig";
    const std::string SUPER = "Achtung!: Schiessender Abfluss: Stau- bzw. Senkungsweite nicht aussagekraeftig";
    const std::string CRIT = "Achtung!: Energiegleichung an einem Profil nicht loesbar: Grenztiefe angesetzt";
    const std::string FAR = "Achtung!: Stau- bzw. Senkungsweite reicht ueber 14998 m hinaus";
    const std::string ISO = "Achtung!: Wert Iso hoch";
    const std::string DONE = "Info: Datei wurde erstellt";
    const struct {
        const char* name;
        std::map<int, std::string> changes;  // to the example channel
        Lines messages;
        const char* lengthLine;  // expected in the report, or nullptr
    } cases[] = {
        {"none", {}, {DONE}, "Stauweite: \t       2360[m]"},
        {"no discharge: neither depth exists, nothing else is said", {{IDC_Q, "0"}}, {HN, HGR, DONE}, nullptr},
        // Critical depth 0.014 m: below the bracket; the backwater of this
        // very rough, flat channel also outlasts the march, unsaid.
        {"critical depth below the bracket ends the list",
         {{IDC_BSO, "10"}, {IDC_M, "0"}, {IDC_N, "0"}, {IDC_Q, "0.05"}, {IDC_KST, "1"}, {IDC_ISO, "0.00001"},
          {IDC_HU, "6"}},
         {HGR, DONE}, "Stauweite: \t      14998[m]"},
        {"steep channel", {{IDC_ISO, "0.05"}}, {SUPER, DONE}, nullptr},
        {"supercritical control depth", {{IDC_HU, "0.5"}}, {SUPER, DONE}, nullptr},
        {"steep channel, length over the march: only the first is said",
         {{IDC_ISO, "0.1"}, {IDC_HU, "30"}, {IDC_L, "10"}}, {ISO, SUPER, DONE}, "Stauweite: \t      14998[m]"},
        {"critical depth assumed in the profile table", {{IDC_ISO, "0.004"}, {IDC_HU, "2"}, {IDC_L, "1000"}},
         {CRIT, DONE}, nullptr},
        {"length over the march", {{IDC_ISO, "0.00001"}, {IDC_HU, "15"}}, {FAR, DONE},
         "Stauweite: \t      14998[m]"},
        {"critical depth assumed and length over the march",
         {{IDC_ISO, "0.004"}, {IDC_HU, "70"}, {IDC_L, "1000"}, {IDC_PA, "60"}}, {CRIT, FAR, DONE},
         "Stauweite: \t      14998[m]"},
        // beta 0: no velocity heads, no critical depth of the balance
        {"beta 0 on a steep channel says nothing of it", {{IDC_ISO, "0.05"}, {IDC_BETA, "0"}}, {DONE}, nullptr},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        FakeDialog run = d;
        for (const auto& [control, text] : c.changes) run.fields[control] = text;
        const std::string file = "w" + std::to_string(i);
        run.fields[IDC_FILE] = file;
        EXPECT_EQ(runCalculateCommand(run), CommandEnd::Completed);
        EXPECT_EQ(run.messages(), c.messages);
        const std::string report = readFile(file + ".txt");
        if (c.lengthLine != nullptr) {
            EXPECT_NE(report.find(c.lengthLine), std::string::npos);
        }
    }
}

TEST_F(CalculateCommand, WarningsAreShownWhileTheBodyIsInTheFile) {
    static std::string seen;
    d.fields[IDC_ISO] = "0.00001";
    d.fields[IDC_HU] = "15";
    d.onMessage["Stau- bzw. Senkungsweite reicht ueber 14998 m hinaus"] = [](FakeDialog&) {
        seen = readFile("Bericht.txt");
    };
    EXPECT_EQ(runCalculateCommand(d), CommandEnd::Completed);
    EXPECT_NE(seen.find("h 19: \t 1900.0"), std::string::npos);
    EXPECT_EQ(seen.find("Pelvarin 1.0"), std::string::npos);
}

}  // namespace

namespace {

const char* const HOSTILE[] = {
    "", "-", ".", "1e", "-0", "+INF", "-INF", "+NAN", "-NAN", "1e309", "4.9e-324", "1e-400", "0x10",
    "\t\r\n 3", "1,5", "\xFC\xE4\xF6", "%s%n%d", "99999999999999999999", "2147483648", "-2147483649", "../x",
};

TEST_F(CalculateCommand, HostileTextsInEveryField) {
    for (int control : {IDC_BSO, IDC_M, IDC_N, IDC_Q, IDC_KST, IDC_ISO, IDC_BETA, IDC_L, IDC_HU, IDC_WSP, IDC_PA,
                        IDC_FILE}) {
        for (std::size_t i = 0; i < std::size(HOSTILE); ++i) {
            const char* text = HOSTILE[i];
            SCOPED_TRACE(testing::Message() << control << " = \"" << text << '"');
            FakeDialog run = d;
            run.fields[control] = text;
            if (control != IDC_FILE) run.fields[IDC_FILE] = "r" + std::to_string(control) + "_" + std::to_string(i);
            run.fields[IDC_PA] = control == IDC_PA ? text : "3";
            runCalculateCommand(run);
            // whatever happened, the last message tells how it ended
            ASSERT_FALSE(run.messages().empty());
        }
    }
}

TEST_F(CalculateCommand, ExtremeInputsThatPassTheChecks) {
    const std::map<int, std::string> cases[] = {
        {{IDC_BSO, "5000"}, {IDC_M, "100"}, {IDC_N, "100"}, {IDC_Q, "1e308"}, {IDC_KST, "150"}, {IDC_ISO, "0.1"},
         {IDC_BETA, "1.5"}, {IDC_L, "1000"}, {IDC_HU, "1000"}, {IDC_WSP, "1e308"}, {IDC_PA, "15000"}},
        {{IDC_BSO, "1e-300"}, {IDC_M, "0"}, {IDC_N, "0"}, {IDC_Q, "0"}, {IDC_KST, "1e-300"}, {IDC_ISO, "1e-300"},
         {IDC_BETA, "0"}, {IDC_L, "1e-300"}, {IDC_HU, "1e-300"}, {IDC_WSP, "4.9e-324"}, {IDC_PA, "-2147483648"}},
        {{IDC_BSO, "0"}, {IDC_M, "4.9e-324"}, {IDC_N, "0"}, {IDC_Q, "1e308"}, {IDC_KST, "1"}, {IDC_ISO, "0.1"},
         {IDC_BETA, "1"}, {IDC_L, "1000"}, {IDC_HU, "0.001"}, {IDC_WSP, "1"}, {IDC_PA, "100"}},
        // no discharge, steep: the march climbs by the bracket's upper end
        {{IDC_BSO, "2"}, {IDC_M, "1"}, {IDC_N, "1"}, {IDC_Q, "0"}, {IDC_KST, "30"}, {IDC_ISO, "0.1"},
         {IDC_BETA, "1"}, {IDC_L, "1000"}, {IDC_HU, "1"}, {IDC_WSP, "1"}, {IDC_PA, "15000"}},
    };
    int i = 0;
    for (const auto& fields : cases) {
        SCOPED_TRACE(i);
        FakeDialog run{PELVARIN_FIELDS};
        run.fields = fields;
        run.fields[IDC_FILE] = "extreme" + std::to_string(i++);
        EXPECT_EQ(runCalculateCommand(run), CommandEnd::Completed);
        EXPECT_EQ(run.messages().back(), "Info: Datei wurde erstellt");
    }
}

}  // namespace
