#include "FailureReport.h"

#include "launcher/MessageCatalogue.h"
#include "stream/QlStreamException.h"
#include "string/LocalText.h"
#include "string/QlString.h"

namespace {

// In the catalogue's language and code page (Windows-1252), one text per
// column in its order.
const char* const FileFailure[] = {
    "Setup could not write or read the file\n%s\n(%s).\n\nSetup has stopped and removed the files it had written.",
    "Il programma di installazione non ha potuto scrivere o leggere il file\n%s\n(%s).\n\n"
    "L'installazione \xE8 stata interrotta e i file gi\xE0 scritti sono stati rimossi.",
    "Le programme d'installation n'a pas pu \xE9" "crire ou lire le fichier\n%s\n(%s).\n\n"
    "L'installation a \xE9t\xE9 arr\xEAt\xE9" "e et les fichiers d\xE9j\xE0 \xE9" "crits ont \xE9t\xE9 supprim\xE9s.",
    "Das Setup konnte die Datei\n%s\nnicht schreiben oder lesen (%s).\n\n"
    "Das Setup wurde beendet und hat die bereits geschriebenen Dateien entfernt.",
};

const char* const DiskReason[] = {
    "the disk is full or cannot be written",
    "il disco \xE8 pieno o protetto da scrittura",
    "le disque est plein ou prot\xE9g\xE9 en \xE9" "criture",
    "der Datentr\xE4" "ger ist voll oder schreibgesch\xFC" "tzt",
};

const char* const AccessReason[] = {
    "the file cannot be created or opened",
    "il file non pu\xF2 essere creato o aperto",
    "le fichier ne peut pas \xEAtre cr\xE9\xE9 ou ouvert",
    "die Datei kann nicht angelegt oder ge\xF6" "ffnet werden",
};

const char* const DamageReason[] = {
    "the setup program is damaged; please download it again",
    "il programma di installazione \xE8 danneggiato; scaricarlo di nuovo",
    "le programme d'installation est endommag\xE9 ; veuillez le t\xE9l\xE9" "charger \xE0 nouveau",
    "das Setup-Programm ist besch\xE4" "digt; bitte laden Sie es erneut herunter",
};

const char* const LengthReason[] = {
    "the path is too long",
    "il percorso \xE8 troppo lungo",
    "le chemin est trop long",
    "der Pfad ist zu lang",
};

const char* const StartFailure[] = {
    "Setup could not start the program\n%s\n\n%s",
    "Il programma di installazione non ha potuto avviare il programma\n%s\n\n%s",
    "Le programme d'installation n'a pas pu d\xE9marrer le programme\n%s\n\n%s",
    "Das Setup konnte das Programm\n%s\nnicht starten.\n\n%s",
};

// A folder or file the run depends on, named in what follows each text.
const char* const UnusablePathHead[] = {
    "Setup cannot use the folder or file\n",
    "Il programma di installazione non pu\xF2 usare la cartella o il file\n",
    "Le programme d'installation ne peut pas utiliser le dossier ou le fichier\n",
    "Das Setup kann den Ordner oder die Datei\n",
};

// Its name has no form that the system's code pages hold exactly.
const char* const UnusablePathTail[] = {
    "\nbecause its name holds characters that this system's code page cannot hold, and it has no short name "
    "that can.\n\nSetup has stopped without writing anything.",
    "\nperch\xE9 il suo nome contiene caratteri che la tabella codici del sistema non pu\xF2 rappresentare, e non "
    "ha un nome breve che lo possa.\n\nL'installazione \xE8 stata interrotta senza scrivere nulla.",
    "\ncar son nom contient des caract\xE8res que la page de codes du syst\xE8me ne peut pas repr\xE9senter, et il "
    "n'a pas de nom court qui le puisse.\n\nL'installation a \xE9t\xE9 arr\xEAt\xE9" "e sans rien \xE9" "crire.",
    "\nnicht verwenden, weil sein Name Zeichen enth\xE4lt, die die Codepage des Systems nicht darstellen kann, "
    "und er keinen kurzen Namen hat, der es kann.\n\nDas Setup wurde beendet, ohne etwas zu schreiben.",
};

// The drive or folder cannot be read at all; the system's reason follows.
const char* const DriveFailure[] = {
    "Setup cannot use the drive or folder\n%s\n\n%s",
    "Il programma di installazione non pu\xF2 usare l'unit\xE0 o la cartella\n%s\n\n%s",
    "Le programme d'installation ne peut pas utiliser le lecteur ou le dossier\n%s\n\n%s",
    "Das Setup kann das Laufwerk oder den Ordner\n%s\nnicht verwenden.\n\n%s",
};

const char* const* ReasonFor(int cause) {
    switch (cause) {
    case WriteFailed:
    case WriteIncomplete:
        return DiskReason;
    case PathTooLong:
        return LengthReason;
    case ReadFailed:
    case SeekFailed:
    case UnlockFailed:
    case OpenFailed:
    case CloseFailed:
        return AccessReason;
    default:  // the archive or the inflate engine: the payload is damaged
        return DamageReason;
    }
}

void Show(const QlString& text) {
    MessageBoxA(nullptr, text, GetMessageText(MSG_SETUP_TITLE), MB_TOPMOST | MB_ICONERROR);
}

// The system's text for an error, or its number.
QlString SystemReason(DWORD error) {
    QlString reason;
    LocalText system;
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, system.Receive(), 0, nullptr) != 0 &&
        system.Get() != nullptr)
        reason = system.Get();
    else
        reason.Format("Error %lu", static_cast<unsigned long>(error));
    return reason;
}

// Appends catalogue text (Windows-1252, whatever the system's code page).
void AppendText(wchar_t* text, int size, const char* part) {
    int length = lstrlenW(text);
    int added = MultiByteToWideChar(1252, 0, part, -1, text + length, size - length);
    if (added == 0) text[length] = L'\0';
}

// Wide: the name is the one thing the narrow page cannot show.
void ShowUnusablePath(const wchar_t* path) {
    MessageColumn language = GetMessageColumn();
    wchar_t text[MAX_PATH + 1024] = L"";
    AppendText(text, MAX_PATH + 1024, UnusablePathHead[language]);
    lstrcatW(text, path);
    AppendText(text, MAX_PATH + 1024, UnusablePathTail[language]);
    wchar_t title[256] = L"";
    AppendText(title, 256, GetMessageText(MSG_SETUP_TITLE));
    MessageBoxW(nullptr, text, title, MB_TOPMOST | MB_ICONERROR);
}

}  // namespace

void RunFailure::UnusablePath(const wchar_t* name) {
    kind = Path;
    lstrcpynW(path, name, MAX_PATH);
}

void RunFailure::UnusableDrive(const char* folder, DWORD systemError) {
    kind = Drive;
    name = folder;
    error = systemError;
}

void RunFailure::File(const char* file, int streamCause) {
    kind = FileError;
    name = file;
    cause = streamCause;
}

void RunFailure::Start(const char* program, DWORD systemError) {
    kind = StartError;
    name = program;
    error = systemError;
}

void RunFailure::Report() const {
    MessageColumn language = GetMessageColumn();
    QlString text;
    switch (kind) {
    case None: return;
    case Path: ShowUnusablePath(path); return;
    case Drive: text.Format(DriveFailure[language], static_cast<const char*>(name),
                            static_cast<const char*>(SystemReason(error))); break;
    case FileError: text.Format(FileFailure[language], static_cast<const char*>(name), ReasonFor(cause)[language]); break;
    case StartError: text.Format(StartFailure[language], static_cast<const char*>(name),
                                 static_cast<const char*>(SystemReason(error))); break;
    }
    Show(text);
}
