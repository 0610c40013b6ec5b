// GetName's reading of a code, its error line and the table selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "lexicon/Lexicon.h"

namespace {

struct Lookup {
    int32_t table;
    const char* code;
    const char* caption;
    bool reportsError;  // one "Exception: ..." line on stderr
};

struct Outcome {
    std::string caption;
    std::string errorOutput;
};

Outcome Look(int32_t table, const char* code) {
    Init(0, table);
    testing::internal::CaptureStderr();
    Outcome outcome;
    outcome.caption = GetName(code);
    outcome.errorOutput = testing::internal::GetCapturedStderr();
    return outcome;
}

void ExpectLookups(const Lookup* begin, const Lookup* end) {
    for (const Lookup* c = begin; c != end; ++c) {
        SCOPED_TRACE("table " + std::to_string(c->table) + " code \"" + (c->code ? c->code : "(null)") + "\"");
        const Outcome outcome = Look(c->table, c->code);
        EXPECT_EQ(outcome.caption, c->caption);
        if (c->reportsError) {
            EXPECT_EQ(outcome.errorOutput.rfind("Exception: ", 0), 0u) << outcome.errorOutput;
            EXPECT_EQ(std::count(outcome.errorOutput.begin(), outcome.errorOutput.end(), '\n'), 1);
            EXPECT_EQ(outcome.errorOutput.back(), '\n');
        } else {
            EXPECT_EQ(outcome.errorOutput, "");
        }
    }
}

TEST(LexiconLookup, KnownCaptionsAndEmptyOnes) {
    const Lookup cases[] = {
        {0, "A01", "PANR", false},    {0, "H01", "MAXSTICH", false}, {20, "A01", "FILENAME", false},
        {20, "E06", "DISTRB", false}, {20, "F10", "COMMENT", false}, {1, "B01", "", false},
        {1, "B02", "LAND", false},    {2, "A02", "", false},         {0, "A00", "", false},
        {20, "A99", "", false},       {0, nullptr, "", false},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconLookup, OnlyTheFirstThreeCharactersCount) {
    const Lookup cases[] = {
        {0, "A01X", "PANR", false},
        {20, "F10COMMENT", "COMMENT", false},
        {0, "H01-99", "MAXSTICH", false},
        {0, "A01 ", "PANR", false},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconLookup, AShortCodeUsesWhatThereIs) {
    const Lookup cases[] = {
        {0, "A1", "PANR", false}, {0, "H1", "MAXSTICH", false}, {20, "F9", "TP", false},
        {0, "A0", "", false},     {0, "A", "", true},           {0, "", "", true},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconLookup, ALetterOutsideAToZGivesEmptyWithoutMessage) {
    const Lookup cases[] = {
        {0, "a01", "", false},
        {20, "f10", "", false},
        {0, "@01", "", false},
        {1, "[01", "", false},
        {0,
         "\xC0"
         "01",
         "", false},  // a Cyrillic capital in Windows-1251
        {0, "101", "", false},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconLookup, AMalformedNumberReportsOneLineAndGivesEmpty) {
    const Lookup cases[] = {
        {0, "AX1", "", true},
        {0, "A1X", "", true},
        {0, "A-1", "", true},
        {0, "A+1", "", true},
        {0, "A 1", "", true},
        {0, "A1 ", "", true},
        {0, "A\n1", "", true},
        {0,
         "A\xC0"
         "1",
         "", true},
        {20, "FXX", "", true},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconLookup, ErrorLineNamesTheCode) {
    EXPECT_EQ(Look(0, "AX1").errorOutput, "Exception: \"X1\" is not a decimal number (field code \"AX1\")\n");
    // A line break inside the code must not break the one-line report.
    EXPECT_EQ(Look(0, "A\n1").errorOutput, "Exception: \"\\x0A1\" is not a decimal number (field code \"A\\x0A1\")\n");
}

TEST(LexiconLookup, AfterAnErrorTheNextLookupWorks) {
    Look(0, "AX1");
    EXPECT_EQ(Look(0, "A01").caption, "PANR");
}

TEST(LexiconTableSelection, OnlyTheLow16BitsOfTheTableCount) {
    const Lookup cases[] = {
        {65536, "A01", "PANR", false},
        {65536 + 20, "F10", "COMMENT", false},
        {-65536, "H01", "MAXSTICH", false},
        {INT32_MIN, "A01", "PANR", false},
        {0x7FFF0000 + 20, "E06", "DISTRB", false},
        {0x00010001, "B02", "LAND", false},
        {21, "A01", "", false},
        {-1, "A01", "", false},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconTableSelection, TheIdIsTakenModulo65536) {
    // 8192 * 1000 is a multiple of 65536, so table 8192 shares the ids of table 0.
    const Lookup cases[] = {
        {8192, "A01", "PANR", false},
        {8192 + 20, "F10", "COMMENT", false},
    };
    ExpectLookups(std::begin(cases), std::end(cases));
}

TEST(LexiconTableSelection, TheValueArgumentChangesNothing) {
    for (const int32_t value : {0, 1, -1, 123456, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(value);
        Init(value, 20);
        EXPECT_STREQ(GetName("A01"), "FILENAME");
        Init(value, 0);
        EXPECT_STREQ(GetName("A01"), "PANR");
    }
}

}  // namespace
