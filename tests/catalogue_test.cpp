// GetMessageText under Wine, in the language the process's locale gives.
// CTest runs this program once per locale; OV_EXPECT_LANGID names the
// language identifier Wine should report for it and OV_EXPECT_COLUMN the
// catalogue column (0 English, 1 Italian, 2 French, 3 German) it selects.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "WinHarness.h"
#include "launcher/MessageCatalogue.h"
#include "launcher/MessageTable.h"
#include "string/QlString.h"

namespace {

struct Expected {
    bool given;
    unsigned langId;
    MessageColumn column;
};

Expected ExpectedLanguage() {
    const char* langId = std::getenv("OV_EXPECT_LANGID");
    const char* column = std::getenv("OV_EXPECT_COLUMN");
    if (langId == nullptr || column == nullptr) return {false, 0, MESSAGE_ENGLISH};
    return {true, static_cast<unsigned>(std::strtoul(langId, nullptr, 16)),
            static_cast<MessageColumn>(std::atoi(column))};
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
    // The texts are Windows-1252 and go to the narrow calls unchanged.
    EXPECT_EQ(1252u, GetACP());
}

TEST(Catalogue, EveryMessageComesFromTheLanguagesColumn) {
    REQUIRE_EXPECTED_LANGUAGE(expected);
    EXPECT_EQ(expected.column, GetMessageColumn());
    EXPECT_STREQ(SetupTitle[expected.column], GetMessageText(MSG_SETUP_TITLE));
    for (int id = 0; id < MESSAGE_TABLE_END; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(MessageTable[id].texts[expected.column], GetMessageText(id));
    }
    const int unknown[] = {37, 38, -1};
    for (int id : unknown) EXPECT_STREQ("unknown msg text", GetMessageText(id)) << id;
}

// The launcher's two message boxes, shown for real and read back from the
// box: the texts reach the screen byte for byte.
TEST(Catalogue, MessageBoxesShowTheTextsUnchanged) {
    REQUIRE_EXPECTED_LANGUAGE(expected);
    const char* title = GetMessageText(MSG_SETUP_TITLE);

    QlString space;
    space.Format(GetMessageText(MSG_INSUFFICIENT_SPACE), "D:", 10485760 / 1048576.0, 5242880 / 1048576.0);
    EXPECT_STREQ(InsufficientSpace[expected.column], space);
    {
        harness::MessageBoxAnswerer answer(title, IDOK);
        EXPECT_EQ(IDOK, MessageBoxA(nullptr, space, title, MB_TOPMOST));
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(std::string(space), answer.Text());
    }
    {
        harness::MessageBoxAnswerer answer(title, IDNO);
        EXPECT_EQ(IDNO, MessageBoxA(nullptr, GetMessageText(MSG_CONFIRM_INTERRUPT), title, MB_YESNO | MB_TOPMOST));
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(GetMessageText(MSG_CONFIRM_INTERRUPT), answer.Text());
    }
}

}  // namespace
