#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_dialog.h"
#include "calculator/quostel_fields.h"
#include "calculator/uniform_flow_command.h"

namespace {

using Lines = std::vector<std::string>;

FakeDialog mildExample() {
    FakeDialog d{QUOSTEL_FIELDS};
    d.fields = {{IDC_BSO, "2"}, {IDC_M, "1.5"}, {IDC_N, "1.5"}, {IDC_ISO, "1e-3"}, {IDC_KST, "30"}, {IDC_H, "1"}};
    return d;
}

const Lines ALL_READS = {"bso", "m", "n", "kst", "Iso", "h"};

TEST(UniformFlowCommand, MildExampleWritesElevenResultsInDisplayOrder) {
    FakeDialog d = mildExample();
    EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Completed);
    const Lines expected = {
        "read bso",        "read m",        "read n",       "read kst",        "read Iso",
        "read h",        "write A=3.5",   "write U=5.6056", "write R=0.62438", "write hE=1.0245",
        "write v=0.69303", "write Q=2.4256", "write hgr=0.46934", "write hEm=0.65553", "write Fr=0.32298",
        "write k=0.168", "write hp=1.05",
    };
    EXPECT_EQ(d.log, expected);
}

TEST(UniformFlowCommand, FirstFailingCheckInReadOrderEndsTheCommand) {
    const struct {
        const char* name;
        int control;
        const char* text;
        const char* message;
        int reads;
    } cases[] = {
        {"bso empty", IDC_BSO, "", "Bitte Eingabe bso kontrollieren", 1},
        {"bso zero", IDC_BSO, "0", "Bitte Eingabe bso kontrollieren", 1},
        {"bso above 5000", IDC_BSO, "5000.0001", "Bitte Eingabe bso kontrollieren", 1},
        {"bso NaN", IDC_BSO, "-NAN", "Bitte Eingabe bso kontrollieren", 1},
        {"bso infinite", IDC_BSO, "+INF", "Bitte Eingabe bso kontrollieren", 1},
        {"bso cut at 49 characters", IDC_BSO, "0000000000000000000000000000000000000000000000000001",
         "Bitte Eingabe bso kontrollieren", 1},
        {"m negative", IDC_M, "-0.1", "Bitte Eingabe m kontrollieren", 2},
        {"m just above 100", IDC_M, "100.00000000001", "Bitte Eingabe m kontrollieren", 2},
        {"n above 100", IDC_N, "101", "Bitte Eingabe n kontrollieren", 3},
        {"kst empty", IDC_KST, "", "Bitte Eingabe kst kontrollieren", 4},
        {"kst just above 150", IDC_KST, "150.000001", "Bitte Eingabe kst kontrollieren", 4},
        {"Iso empty", IDC_ISO, "", "Bitte Eingabe Iso kontrollieren", 5},
        {"Iso just above 0.1", IDC_ISO, "0.10000000001", "Bitte Eingabe Iso kontrollieren", 5},
        {"h zero", IDC_H, "0", "Bitte Eingabe hu kontrollieren", 6},
        {"h negative", IDC_H, "-2", "Bitte Eingabe hu kontrollieren", 6},
        {"h above 1000", IDC_H, "1000.5", "Bitte Eingabe hu kontrollieren", 6},
        {"h comma", IDC_H, ",5", "Bitte Eingabe hu kontrollieren", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDialog d = mildExample();
        d.fields[c.control] = c.text;
        EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Stopped);
        EXPECT_EQ(d.messages(), Lines{std::string("Fehler!: ") + c.message});
        EXPECT_EQ(d.reads(), Lines(ALL_READS.begin(), ALL_READS.begin() + c.reads));
        EXPECT_EQ(d.log.size(), static_cast<std::size_t>(c.reads) + 1) << "no result may be written";
    }
}

TEST(UniformFlowCommand, BoundsThatPass) {
    const struct {
        int control;
        const char* text;
        Lines messages;
    } cases[] = {
        {IDC_BSO, "5000", {}},
        {IDC_M, "", {}},
        {IDC_N, "100", {}},
        {IDC_M, "12abc", {}},
        {IDC_KST, "90", {}},
        {IDC_KST, "90.0000001", {"Achtung!: Kst Wert sehr hoch!"}},
        {IDC_KST, "150", {"Achtung!: Kst Wert sehr hoch!"}},
        {IDC_ISO, "0.05", {}},
        {IDC_ISO, "0.0500001", {"Achtung!: Wert Iso hoch"}},
        {IDC_ISO, "0.1", {"Achtung!: Wert Iso hoch"}},
        // a critical depth far above 70 m: shown, with the warning
        {IDC_H, "1000", {"Achtung!: Kritische Tiefe ausserhalb 0.05 bis 70 m: hgr, hEm und Fr nicht aussagekraeftig"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.control << " = " << c.text);
        FakeDialog d = mildExample();
        d.fields[c.control] = c.text;
        EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Completed);
        EXPECT_EQ(d.messages(), c.messages);
        EXPECT_FALSE(d.fields[IDC_HP].empty());
    }
}

TEST(UniformFlowCommand, WarningsComeBeforeTheLaterReadsAndTheirFailure) {
    FakeDialog d = mildExample();
    d.fields[IDC_KST] = "120";
    d.fields[IDC_ISO] = "0.08";
    d.fields[IDC_H] = "0";
    EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Stopped);
    const Lines expected = {"read bso", "read m", "read n", "read kst", "Achtung!: Kst Wert sehr hoch!",
                            "read Iso", "Achtung!: Wert Iso hoch", "read h", "Fehler!: Bitte Eingabe hu kontrollieren"};
    EXPECT_EQ(d.log, expected);
}

TEST(UniformFlowCommand, WrongKstIsReportedBeforeWrongIso) {
    FakeDialog d = mildExample();
    d.fields[IDC_KST] = "0";
    d.fields[IDC_ISO] = "7";
    runUniformFlowCommand(d);
    EXPECT_EQ(d.messages(), Lines{"Fehler!: Bitte Eingabe kst kontrollieren"});
}

TEST(UniformFlowCommand, FailingCommandKeepsThePreviousResults) {
    FakeDialog d = mildExample();
    runUniformFlowCommand(d);
    const auto before = d.fields;
    d.fields[IDC_H] = "-1";
    EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Stopped);
    auto after = d.fields;
    after[IDC_H] = before.at(IDC_H);
    EXPECT_EQ(after, before);
}

TEST(UniformFlowCommand, CriticalDepthOutsideTheBracketIsShownAndWarnedAbout) {
    FakeDialog d{QUOSTEL_FIELDS};
    d.fields = {{IDC_BSO, "1"}, {IDC_M, "0"}, {IDC_N, "0"}, {IDC_ISO, "1e-3"}, {IDC_KST, "30"}, {IDC_H, "0.01"}};
    EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Completed);
    EXPECT_EQ(d.fields[IDC_Q], "0.00043456");
    EXPECT_EQ(d.fields[IDC_HGR], "70");
    EXPECT_EQ(d.fields[IDC_HEM], "70");
    EXPECT_EQ(d.fields[IDC_A], "0.01");
    EXPECT_EQ(d.fields[IDC_U], "1.02");
    EXPECT_EQ(d.fields[IDC_K], "0.06");
    // the warning follows the last result
    ASSERT_GE(d.log.size(), 2u);
    EXPECT_EQ(d.log[d.log.size() - 2], "write hp=0.015");
    EXPECT_EQ(d.log.back(),
              "Achtung!: Kritische Tiefe ausserhalb 0.05 bis 70 m: hgr, hEm und Fr nicht aussagekraeftig");
}

TEST(UniformFlowCommand, LargeDischargeSwitchesToExponentNotation) {
    FakeDialog d{QUOSTEL_FIELDS};
    d.fields = {{IDC_BSO, "5000"}, {IDC_M, "0"}, {IDC_N, "0"}, {IDC_ISO, "0.01"}, {IDC_KST, "40"}, {IDC_H, "20"}};
    runUniformFlowCommand(d);
    EXPECT_NE(d.fields[IDC_Q].find("e+0"), std::string::npos) << d.fields[IDC_Q];
}

}  // namespace

namespace {

// Texts a user could type into any field; none may crash the command or
// reach undefined behaviour (the tests also run under the sanitizers).
const char* const HOSTILE[] = {
    "", " ", "-", "+", ".", "e5", "1e", "-0", "+INF", "-INF", "+NAN", "-NAN", "1e308", "1e309", "-1e309",
    "4.9e-324", "1e-320", "1e-400", "0x1p3", "\t\r\n\v\f7", "1,5", "\xFC\xE4\xF6", "%s%n%d", "99999999999999999999",
    "0.0000000000000000000000000000000000000000000001", "5000", "1000", "100", "150", "0.1",
};

TEST(UniformFlowCommand, HostileTextsInEveryField) {
    for (int control : {IDC_BSO, IDC_M, IDC_N, IDC_ISO, IDC_KST, IDC_H}) {
        for (const char* text : HOSTILE) {
            SCOPED_TRACE(testing::Message() << control << " = \"" << text << '"');
            FakeDialog d = mildExample();
            d.fields[control] = text;
            const CommandEnd end = runUniformFlowCommand(d);
            if (end == CommandEnd::Completed) {
                EXPECT_FALSE(d.fields[IDC_HP].empty());
            }
        }
    }
}

TEST(UniformFlowCommand, ExtremeInputsThatPassTheChecks) {
    const std::map<int, std::string> cases[] = {
        {{IDC_BSO, "1e-300"}, {IDC_M, "0"}, {IDC_N, "0"}, {IDC_ISO, "1e-300"}, {IDC_KST, "1e-300"}, {IDC_H, "1e-300"}},
        {{IDC_BSO, "5000"}, {IDC_M, "100"}, {IDC_N, "100"}, {IDC_ISO, "0.1"}, {IDC_KST, "150"}, {IDC_H, "1000"}},
        {{IDC_BSO, "4.9e-324"}, {IDC_M, "4.9e-324"}, {IDC_N, "0"}, {IDC_ISO, "0.05"}, {IDC_KST, "90"}, {IDC_H, "4.9e-324"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const auto& fields = cases[i];
        FakeDialog d{QUOSTEL_FIELDS};
        d.fields = fields;
        EXPECT_EQ(runUniformFlowCommand(d), CommandEnd::Completed);
        EXPECT_FALSE(d.fields[IDC_HP].empty());
    }
}

}  // namespace
