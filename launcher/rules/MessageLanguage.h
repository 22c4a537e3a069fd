// How the message catalogue picks its language column from a Windows
// language identifier.  Portable: no system call here, the caller hands in
// the queries that ask the system for its default languages.
#ifndef ORVANE_LAUNCHER_MESSAGELANGUAGE_H
#define ORVANE_LAUNCHER_MESSAGELANGUAGE_H

// The catalogue's text columns, in the order of its rows.
enum MessageColumn {
    MESSAGE_ENGLISH = 0,
    MESSAGE_ITALIAN = 1,
    MESSAGE_FRENCH = 2,
    MESSAGE_GERMAN = 3,
    MESSAGE_COLUMNS = 4
};

// The column for a language identifier, chosen by its primary language (the
// low 10 bits), so every regional variant shares its language's column:
// German for 7, French for 12, Italian for 16, English for any other value.
MessageColumn ColumnForLanguage(unsigned langId);

// Asks the system for a 16-bit language identifier (0 when it has none).
typedef unsigned short (*LanguageQuery)();

// The user's default language, else, when the user's query gives 0, the
// system's.  The system is asked only in that case.
unsigned short DefaultLanguage(LanguageQuery user, LanguageQuery system);

#endif
