// GetMessageText under Wine, in the language the process's locale gives.
// CTest runs this program once per locale; OV_EXPECT_LANGID names the
// language identifier Wine should report for it, OV_EXPECT_COLUMN the
// catalogue column (0 English, 1 Italian, 2 French, 3 German) it selects
// and OV_EXPECT_ACP the ANSI code page it gives (1252 when not set).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "WinHarness.h"
#include "launcher/FailureReport.h"
#include "launcher/rules/MessageTable.h"
#include "launcher/system/MessageCatalogue.h"
#include "launcher/system/UserMessage.h"

namespace {

struct Expected {
    bool given;
    unsigned langId;
    MessageColumn column;
    unsigned codePage;
};

Expected ExpectedLanguage() {
    const char* langId = std::getenv("OV_EXPECT_LANGID");
    const char* column = std::getenv("OV_EXPECT_COLUMN");
    const char* codePage = std::getenv("OV_EXPECT_ACP");
    if (langId == nullptr || column == nullptr) return {false, 0, MESSAGE_ENGLISH, 0};
    return {true, static_cast<unsigned>(std::strtoul(langId, nullptr, 16)),
            static_cast<MessageColumn>(std::atoi(column)),
            codePage != nullptr ? static_cast<unsigned>(std::atoi(codePage)) : 1252u};
}

#define REQUIRE_EXPECTED_LANGUAGE(expected)                                        \
    const Expected expected = ExpectedLanguage();                                   \
    if (!expected.given) GTEST_SKIP() << "run through CTest, which sets the locale"

// Message 5 as the launcher formats it for drive D with 10 MB required and
// 5 MB free, by column.
const char* const InsufficientSpace[MESSAGE_COLUMNS] = {
    "Insufficient space on drive D: to run setup!\n(10.0 MB required, only 5.0 MB available)",
    "Spazio insufficiente sul disco D: per lanciare l'installazione!\n(richiesti 10.0 MB, disponibili solo 5.0 MB)",
    "Espace insuffisant pour lancer l'installation sur le disque D: !\n"
    "(10.0 Mo n\xE9" "cessaires, seulement 5.0 Mo de disponible)",
    "Nicht gen\xFCgend freier Platz auf Laufwerk D:, um Setup laufen zu lassen!\n"
    "(10.0 MB ben\xF6tigt, nur 5.0 MB vorhanden)",
};

const char* const SetupTitle[MESSAGE_COLUMNS] = {
    "Orvane Setup",
    "Installazione Orvane",
    "Installation de Orvane",
    "Orvane Setup",
};

TEST(Catalogue, TheLocaleSetsTheUserLanguage) {
    REQUIRE_EXPECTED_LANGUAGE(expected);
    EXPECT_EQ(expected.langId, GetUserDefaultLangID());
    EXPECT_EQ(expected.codePage, GetACP());
}

TEST(Catalogue, EveryMessageComesFromTheLanguagesColumn) {
    REQUIRE_EXPECTED_LANGUAGE(expected);
    EXPECT_STREQ(SetupTitle[expected.column], GetMessageText(MSG_SETUP_TITLE));
    for (int id = 0; id < MESSAGE_TABLE_END; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(MessageTable[id].texts[expected.column], GetMessageText(id));
    }
    for (const MessageRow* row = ReportTable; row->id != REPORT_TABLE_END; ++row) {
        EXPECT_EQ(row->texts[expected.column], GetMessageText(row->id)) << row->id;
    }
    const int unknown[] = {37, 38, -1};
    for (int id : unknown) EXPECT_STREQ("unknown msg text", GetMessageText(id)) << id;
}

// The launcher's message boxes, shown for real and read back from the box:
// the texts reach the screen as the catalogue means them, whatever the
// system's code page.
TEST(Catalogue, MessageBoxesShowTheTextsUnchanged) {
    REQUIRE_EXPECTED_LANGUAGE(expected);
    const struct {
        const char* text;
        int answer;
    } boxes[] = {{InsufficientSpace[expected.column], IDOK}, {GetMessageText(MSG_CONFIRM_INTERRUPT), IDNO}};
    for (const auto& box : boxes) {
        harness::MessageBoxAnswerer answer(SetupTitle[expected.column], box.answer);
        if (box.answer == IDOK) {
            // The failure report's own box for a short drive.
            RunFailure failure;
            failure.RecordShortSpace("D:", 10485760, 5242880);
            failure.Report(GetModuleHandleA(nullptr), true);
        } else {
            EXPECT_EQ(box.answer, UserMessage(box.text).Show(MB_YESNO));
        }
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(harness::Widen(box.text, 1252), answer.TextW());
    }
}

}  // namespace
