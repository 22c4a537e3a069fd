// The message catalogue without the system: the language choice from
// language identifiers, the lookup with counted language queries, and the
// table's bytes.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "launcher/rules/MessageLanguage.h"
#include "launcher/rules/MessageLookup.h"
#include "launcher/rules/MessageTable.h"

namespace {

const char* const ColumnNames[MESSAGE_COLUMNS] = {"English", "Italian", "French", "German"};

TEST(ColumnForLanguage, GoesByThePrimaryLanguageOnly) {
    const struct {
        unsigned langId;
        MessageColumn column;
    } cases[] = {
        {0x0407, MESSAGE_GERMAN},   // Germany
        {0x0807, MESSAGE_GERMAN},   // Switzerland
        {0x0C07, MESSAGE_GERMAN},   // Austria
        {0x0007, MESSAGE_GERMAN},   // neutral
        {0x040C, MESSAGE_FRENCH},   // France
        {0x0C0C, MESSAGE_FRENCH},   // Canada
        {0x0410, MESSAGE_ITALIAN},  // Italy
        {0x0810, MESSAGE_ITALIAN},  // Switzerland
        {0xFC10, MESSAGE_ITALIAN},  // every sublanguage bit set
        {0x0409, MESSAGE_ENGLISH},
        {0x0413, MESSAGE_ENGLISH},  // Dutch
        {0x0C0A, MESSAGE_ENGLISH},  // Spanish
        {0x0000, MESSAGE_ENGLISH},
        {0x0207, MESSAGE_ENGLISH},  // primary 0x207: the mask is 10 bits, not 8
        {0x0110, MESSAGE_ENGLISH},
        {0x1000C, MESSAGE_FRENCH},  // bits above 16 do not matter
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.langId);
        EXPECT_EQ(c.column, ColumnForLanguage(c.langId));
    }
}

// Stand-ins for the system's default-language queries, counting their calls.
unsigned short userLangId, systemLangId;
int userQueries, systemQueries;

unsigned short AskUser() {
    ++userQueries;
    return userLangId;
}

unsigned short AskSystem() {
    ++systemQueries;
    return systemLangId;
}

class Lookup : public ::testing::Test {
protected:
    void SetUp() override { Languages(0x0409, 0x0409); }

    static void Languages(unsigned short user, unsigned short system) {
        userLangId = user;
        systemLangId = system;
        userQueries = systemQueries = 0;
    }

    static const char* Text(int id) { return LookUpMessage(id, AskUser, AskSystem); }
};

TEST_F(Lookup, AsksTheSystemOnlyWhenTheUserHasNoLanguage) {
    Languages(0x0407, 0x0410);
    EXPECT_EQ(0x0407, DefaultLanguage(AskUser, AskSystem));
    EXPECT_EQ(1, userQueries);
    EXPECT_EQ(0, systemQueries);

    Languages(0, 0x0410);
    EXPECT_EQ(0x0410, DefaultLanguage(AskUser, AskSystem));
    EXPECT_EQ(1, userQueries);
    EXPECT_EQ(1, systemQueries);
}

TEST_F(Lookup, TakesTheColumnOfTheDefaultLanguage) {
    const struct {
        unsigned short user, system;
        const char* title;
    } cases[] = {
        {0x0407, 0x0409, "Orvane Setup"},
        {0x0C0C, 0x0409, "Installation de Orvane"},
        {0x0810, 0x0407, "Installazione Orvane"},
        {0x0000, 0x0410, "Installazione Orvane"},
        {0x0000, 0x0000, "Orvane Setup"},
        {0x0413, 0x0407, "Orvane Setup"},  // Dutch has no column; the system's is not asked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        Languages(c.user, c.system);
        EXPECT_STREQ(c.title, Text(0));
    }
    Languages(0, 0x040C);
    EXPECT_EQ(MessageTable[1].texts[MESSAGE_FRENCH], Text(1));
}

TEST_F(Lookup, IdentifiersOutsideTheTableAskForNoLanguage) {
    const int ids[] = {37, 38, -1, 1000, INT_MAX, INT_MIN};
    for (int id : ids) {
        SCOPED_TRACE(id);
        Languages(0x0407, 0x0407);
        EXPECT_EQ(UnknownMessageText, Text(id));
        EXPECT_EQ(0, userQueries);
        EXPECT_EQ(0, systemQueries);
    }
    EXPECT_STREQ("unknown msg text", UnknownMessageText);
}

TEST_F(Lookup, AsksTheLanguageAtEveryLookup) {
    for (int id = 0; id < MESSAGE_TABLE_END; ++id) {
        SCOPED_TRACE(id);
        Languages(0x0407, 0x0409);
        EXPECT_EQ(MessageTable[id].texts[MESSAGE_GERMAN], Text(id));
        userLangId = 0x040C;  // the user switches between two lookups
        EXPECT_EQ(MessageTable[id].texts[MESSAGE_FRENCH], Text(id));
        EXPECT_EQ(2, userQueries);
    }
}

unsigned short German() {
    return 0x0407;
}

// Every row with texts, of both blocks.
std::vector<const MessageRow*> TextRows() {
    std::vector<const MessageRow*> rows;
    for (const MessageRow& row : MessageTable) rows.push_back(&row);
    for (const MessageRow& row : ReportTable) rows.push_back(&row);
    rows.erase(rows.begin() + MESSAGE_TABLE_END);
    rows.pop_back();
    return rows;
}

TEST(MessageTable, HoldsEveryIdentifierInOrderThenTheTerminatingRow) {
    for (int row = 0; row < REPORT_TABLE_END - REPORT_TABLE_FIRST; ++row) {
        EXPECT_EQ(REPORT_TABLE_FIRST + row, ReportTable[row].id);
        EXPECT_EQ(ReportTable[row].texts[MESSAGE_GERMAN], LookUpMessage(REPORT_TABLE_FIRST + row, German, German));
    }
    EXPECT_EQ(REPORT_TABLE_END, ReportTable[REPORT_TABLE_ROWS - 1].id);
    for (const MessageRow* row : TextRows()) {
        SCOPED_TRACE(row->id);
        for (int column = 0; column < MESSAGE_COLUMNS; ++column) {
            const char* text = row->texts[column];
            ASSERT_NE(nullptr, text) << ColumnNames[column];
            EXPECT_NE('\0', text[0]) << ColumnNames[column];
            EXPECT_EQ(nullptr, std::strchr(text, '\r')) << ColumnNames[column];
        }
    }
    const MessageRow& end = MessageTable[MESSAGE_TABLE_END];
    EXPECT_EQ(37, end.id);
    for (const char* text : end.texts) EXPECT_STREQ("", text);
}

// Spot checks of bytes that an editor or a source encoding would change
// first: accented letters as single Windows-1252 bytes, blanks at line ends
// and the texts' own spellings.
TEST(MessageTable, KeepsTheTextsByteForByte) {
    const struct {
        int id;
        MessageColumn column;
        const char* part;
    } cases[] = {
        {1, MESSAGE_FRENCH, "Les fichiers d\xE9j\xE1 t\xE9l\xE9" "charg\xE9s"},
        {1, MESSAGE_GERMAN, "das Setup-Program erneut"},
        {1, MESSAGE_GERMAN, "geladenen Datein werden"},
        {1, MESSAGE_ITALIAN, "I file gi\xE0 scaricati"},
        {5, MESSAGE_GERMAN, "Nicht gen\xFCgend freier Platz"},
        {26, MESSAGE_GERMAN, "war zu gro\xDF. Es"},
        {17, MESSAGE_ITALIAN, "in pi\xFA e-mail"},
        {12, MESSAGE_ITALIAN, "Non c'\xE9 stata"},
        {9, MESSAGE_FRENCH, "a re\xE7u un"},
        {6, MESSAGE_ENGLISH, "available. \nWould"},
        {8, MESSAGE_ENGLISH, "proxy settings. \n"},
        {9, MESSAGE_ENGLISH, "download site. \nDo"},
        {10, MESSAGE_ENGLISH, "our website. \nDo"},
        {7, MESSAGE_ENGLISH, "visit the Orvane Website?"},
        {7, MESSAGE_GERMAN, "herunterzuladen.Wollen"},
        {14, MESSAGE_ITALIAN, "MAPI error\nmemoria"},
        {21, MESSAGE_ITALIAN, "Errore MAPI error\n"},
        {19, MESSAGE_ITALIAN, "Errori MAPI\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        EXPECT_NE(nullptr, std::strstr(MessageTable[c.id].texts[c.column], c.part))
            << "message " << c.id << ", " << ColumnNames[c.column];
    }
    EXPECT_STREQ(" %d KB/s, %d min remaining", MessageTable[3].texts[MESSAGE_ENGLISH]);
    EXPECT_STREQ(" %d Ko/s, %d s restantes", MessageTable[4].texts[MESSAGE_FRENCH]);
    EXPECT_EQ(' ', MessageTable[9].texts[MESSAGE_ITALIAN][0]);
    const char* proxy = MessageTable[8].texts[MESSAGE_FRENCH];
    EXPECT_EQ('\n', proxy[std::strlen(proxy) - 1]);
}

// Every accented letter of these texts lies in U+00C0..U+00FF, whose UTF-8
// forms start with byte 0xC3; no text holds that letter itself.
TEST(MessageTable, HoldsNoUtf8) {
    for (const MessageRow* row : TextRows()) {
        for (int column = 0; column < MESSAGE_COLUMNS; ++column) {
            EXPECT_EQ(nullptr, std::strchr(row->texts[column], '\xC3'))
                << "message " << row->id << ", " << ColumnNames[column];
        }
    }
}

// The printf conversions of a text, each whole ("%.1f"), without "%%".
std::vector<std::string> Conversions(const char* text) {
    std::vector<std::string> found;
    for (const char* p = std::strchr(text, '%'); p != nullptr; p = std::strchr(p, '%')) {
        if (p[1] == '%') {
            p += 2;
            continue;
        }
        size_t length = 1 + std::strspn(p + 1, "-+ #0123456789.*hlL");
        if (p[length] != '\0') ++length;  // the conversion letter
        found.emplace_back(p, length);
        p += length;
    }
    return found;
}

// A caller formats the text of whichever language it gets with the same
// arguments, so every translation must take them in English's order and kinds.
TEST(MessageTable, EveryLanguageTakesTheArgumentsOfEnglish) {
    for (const MessageRow* row : TextRows()) {
        const std::vector<std::string> english = Conversions(row->texts[MESSAGE_ENGLISH]);
        for (int column = MESSAGE_ITALIAN; column < MESSAGE_COLUMNS; ++column) {
            EXPECT_EQ(english, Conversions(row->texts[column]))
                << "message " << row->id << ", " << ColumnNames[column];
        }
    }
}

TEST(MessageTable, InsufficientSpaceReadsAsTheLauncherFormatsIt) {
    char text[256];
    std::snprintf(text, sizeof text, MessageTable[5].texts[MESSAGE_ENGLISH], "D:", 10485760 / 1048576.0,
                  5242880 / 1048576.0);
    EXPECT_STREQ("Insufficient space on drive D: to run setup!\n(10.0 MB required, only 5.0 MB available)", text);
}

}  // namespace
