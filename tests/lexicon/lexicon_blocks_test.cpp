// First and last caption of every letter block of every table, the codes
// just outside each block, and each number a block leaves out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexicon/Lexicon.h"

namespace {

struct Block {
    int32_t table;
    const char* firstCode;
    const char* firstCaption;
    const char* lastCode;
    const char* lastCaption;
    std::vector<std::string> missing;
};

// Written out independently of Captions.txt, so that a slip in either shows.
const Block kBlocks[] = {
    {0, "A01", "PANR", "A43", "MPRTEXT", {}},
    {0, "B01", "FIRMA1", "B06", "POSTFACH", {}},
    {0, "C01", "BEZEICHNUN", "C02", "SEKUNDAER", {}},
    {0, "D01", "MERKMALNR", "D33", "FORMEL", {}},
    {0, "E01", "MERKMALNR", "E03", "MEMOFELD", {}},
    {0, "F01", "FEHLERID", "F24", "BEARBEITER", {}},
    {0, "G01", "FEHLERID", "G35", "EDINICA", {}},
    {0, "H01", "MAXSTICH", "H01", "MAXSTICH", {}},
    {1, "A01", "PANR", "A49", "BEZEICHNUNG", {}},
    {1, "B02", "LAND", "B06", "POSTFACH", {}},
    {1, "C01", "SEKUNDAER", "C01", "SEKUNDAER", {}},
    {1, "D01", "MERKMALNR", "D33", "FORMEL", {}},
    {1, "F01", "FEHLERID", "F24", "BEARBEITER", {}},
    {1, "G01", "FEHLERID", "G35", "EDINICA", {}},
    {1, "H01", "MAXSTICH", "H01", "MAXSTICH", {}},
    {2,
     "A01",
     "PANR",
     "A49",
     "BEZEICHNUNG",
     {"A02", "A15", "A16", "A17", "A18", "A19", "A20", "A21", "A22", "A37", "A38", "A39", "A40", "A41", "A42", "A43"}},
    {3, "A01", "ZAVOD", "A05", "PCNR", {}},
    {3, "D01", "KDNR", "D26", "GEW4", {"D03", "D04"}},
    {3, "E01", "KK", "E22", "GEW4", {}},
    {3, "F01", "KDNR", "F26", "GEW4", {}},
    {4, "A01", "PPLANNR", "A11", "MEMOFELD", {}},
    {4, "B01", "GROUP", "B04", "SIDX", {}},
    {4, "C01", "MERKMALNR", "C41", "COMMENT", {}},
    {5, "A01", "FEHLERID", "A38", "EDINICA", {}},
    {6, "A01", "FEHLERID", "A38", "EDINICA", {}},
    {6, "B01", "PLZ", "B06", "TELEX", {}},
    {6, "C01", "SEKUNDAER", "C01", "SEKUNDAER", {}},
    {7, "A01", "MASSNID", "A24", "BEARBEITER", {"A07"}},
    {7, "B01", "FEHLERID", "B38", "EDINICA", {}},
    {8, "A01", "RMNUMMER", "A39", "BEARBEITER", {"A34"}},
    {8, "B01", "BEZEICHNUN", "B02", "SEKUNDAER", {}},
    {8, "C01", "ADRESS", "C03", "TELEX", {}},
    {8, "D01", "ABTEILUNG", "D03", "VORNAME", {}},
    {8, "E01", "ADRESS", "E03", "TELEX", {}},
    {8, "F01", "ABTEILUNG", "F03", "VORNAME", {}},
    {8, "G01", "FEHLERID", "G36", "EDINICA", {}},
    {8, "H01", "FEHLERID", "H24", "BEARBEITER", {}},
    {9, "A01", "MANDANT", "A31", "EINH", {}},
    {9, "C01", "MERKMALNR", "C09", "CODFTXT", {}},
    {9, "D01", "AKTION", "D05", "EDITOR", {}},
    {9, "E01", "ARCHDATE", "E10", "PKOMENTAR", {}},
    {9, "F01", "KINVNR", "F04", "STATUS", {}},
    {10, "A01", "KUNDENNR", "A18", "PKOMENTAR", {}},
    {10, "B01", "MERKMALNR", "B16", "PINTERF", {}},
    {11, "A01", "KUNDENNR", "A40", "SKOMENTAR", {}},
    {11, "B01", "NO", "B02", "MVALUE", {}},
    {12, "A01", "ZNR", "A34", "KOMENTAR", {}},
    {12, "B01", "MERKMALNR", "B34", "RLCL", {}},
    {13, "A01", "ZNR", "A34", "KOMENTAR", {}},
    {13, "B01", "MERKMALNR", "B34", "RLCL", {}},
    {14, "A01", "AUDITID", "A47", "POSTO", {}},
    {15, "A01", "AUDITID", "A47", "POSTO", {}},
    {15, "B01", "STRASSE", "B04", "FAX", {}},
    {15, "C01", "METHOD0", "C06", "STATUS0", {}},
    {15, "D01", "REQNR", "D13", "DOCS", {}},
    {15, "E01", "FEHLERID", "E35", "EDINICA", {}},
    {15, "F01", "FEHLERID", "F24", "BEARBEITER", {}},
    {16, "A01", "AUDITID", "A47", "POSTO", {}},
    {16, "B01", "STRASSE", "B04", "FAX", {}},
    {16, "C01", "METHOD0", "C06", "STATUS0", {}},
    {16, "D01", "REQNR", "D13", "DOCS", {}},
    {16, "E01", "FEHLERID", "E35", "EDINICA", {}},
    {16, "F01", "FEHLERID", "F24", "BEARBEITER", {}},
    {17, "A01", "PCNO", "A09", "OPERATOR", {}},
    {17, "B01", "POS", "B10", "COSTNORM", {}},
    {17, "C01", "ARTICLE", "C03", "DOPBRAK", {}},
    {17, "D01", "ARTICLE", "D03", "DOPBRAK", {}},
    {17, "E01", "POS", "E10", "COSTNORM", {}},
    {18, "A01", "ORDERNO", "A17", "OPERATOR", {}},
    {18, "B01", "POS", "B13", "SUBTOTAL", {}},
    {19, "A01", "ORDERNO", "A18", "OPERATOR", {}},
    {19, "B01", "POS", "B13", "SUBTOTAL", {}},
    {20, "A01", "FILENAME", "A04", "MODEL", {}},
    {20, "B01", "PARAM", "B06", "DESCR", {}},
    {20, "C01", "PARAM1", "C03", "VALUE", {}},
    {20, "D01", "PARAM", "D20", "VALUES", {}},
    {20, "E01", "PARAM", "E11", "INDX", {}},
    {20, "F01", "PARAM", "F10", "COMMENT", {}},
};

// The code `offset` numbers away from `code` in the same letter ("A01", -1 -> "A00").
std::string Neighbour(const char* code, int offset) {
    const int number = (code[1] - '0') * 10 + (code[2] - '0') + offset;
    return std::string(1, code[0]) + static_cast<char>('0' + number / 10) + static_cast<char>('0' + number % 10);
}

std::string CaptionOf(int32_t table, const std::string& code) {
    Init(0, table);
    return GetName(code.c_str());
}

TEST(LexiconBlocks, FirstAndLastCaptionOfEveryBlock) {
    for (const Block& block : kBlocks) {
        SCOPED_TRACE("table " + std::to_string(block.table) + " " + block.firstCode + "-" + block.lastCode);
        EXPECT_EQ(CaptionOf(block.table, block.firstCode), block.firstCaption);
        EXPECT_EQ(CaptionOf(block.table, block.lastCode), block.lastCaption);
    }
}

TEST(LexiconBlocks, CodesJustOutsideABlockAreEmpty) {
    for (const Block& block : kBlocks) {
        SCOPED_TRACE("table " + std::to_string(block.table) + " " + block.firstCode + "-" + block.lastCode);
        EXPECT_EQ(CaptionOf(block.table, Neighbour(block.firstCode, -1)), "");
        EXPECT_EQ(CaptionOf(block.table, Neighbour(block.lastCode, +1)), "");
    }
}

TEST(LexiconBlocks, NumbersLeftOutOfABlockAreEmpty) {
    for (const Block& block : kBlocks) {
        for (const std::string& code : block.missing) {
            SCOPED_TRACE("table " + std::to_string(block.table) + " " + code);
            EXPECT_EQ(CaptionOf(block.table, code), "");
        }
    }
    // The neighbours of a gap are still there.
    EXPECT_EQ(CaptionOf(2, "A01"), "PANR");
    EXPECT_EQ(CaptionOf(2, "A03"), "KUNDENNR");
    EXPECT_EQ(CaptionOf(3, "D05"), "KK");
}

}  // namespace
