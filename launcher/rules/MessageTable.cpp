#include "MessageTable.h"

// Every byte above 0x7F is written as an escape so that the texts do not
// depend on the encoding this file is read in.  An escape followed by a
// letter that is also a hex digit closes its literal ("\xE9" "e"), or the
// compiler would read the letter as part of the escape.
//
// Columns in each row: English, Italian, French, German.  Blanks before a
// line break, leading blanks and the odd spellings are part of the texts;
// keep them byte for byte.
const MessageRow MessageTable[MESSAGE_TABLE_ROWS] = {
    {0,
     {"Orvane Setup",
      "Installazione Orvane",
      "Installation de Orvane",
      "Orvane Setup"}},
    {1,
     {"You are about to interrupt the Orvane download.\n"
       "To continue downloading, you just need to restart the setup program.\n"
       "Files already downloaded won't be downloaded again.\n"
       "Do you really want to interrupt the download?",
      "Sta per interrompere il download di Orvane.\n"
       "Per continuare il download, basta rilanciare il programma d'installazione.\n"
       "I file gi\xE0 scaricati non verranno scaricati nuovamente.\n"
       "Desidera veramente interrompere il download?",
      "Vous allez interrompre le t\xE9l\xE9" "chargement de Orvane.\n"
       "Pour continuer le t\xE9l\xE9" "chargement, vous devez juste relancer le setup.\n"
       "Les fichiers d\xE9j\xE1 t\xE9l\xE9" "charg\xE9s n'auront pas besoin de l'\xEAtre \xE0 nouveau.\n"
       "Voulez-vous r\xE9" "ellement interrompre le t\xE9l\xE9" "chargement ?",
      "Sie sind dabei, den Orvane-Download zu unterbrechen.\n"
       "Um den Download fortzusetzen, m\xFCssen Sie nur das Setup-Program erneut starten.\n"
       "Die bereits herunter geladenen Datein werden nicht erneut heruntergeladen.\n"
       "Wollen Sie den Download wirklich unterbrechen?"}},
    {2,
     {"Download %d%% done (%d/%d KB)",
      "Download %d%% eseguito (%d/%d KB)",
      "%d%% t\xE9l\xE9" "charg\xE9s (%d/%d Ko)",
      "Download %d%% fertig (%d/%d KB)"}},
    {3,
     {" %d KB/s, %d min remaining",
      " %d KB/s, %d min rimanenti",
      " %d Ko/s, %d min restantes",
      " %d KB/s, noch %d min"}},
    {4,
     {" %d KB/s, %d s remaining",
      " %d KB/s, %d s rimanenti",
      " %d Ko/s, %d s restantes",
      " %d KB/s, noch %d s"}},
    {5,
     {"Insufficient space on drive %s to run setup!\n(%.1f MB required, only %.1f MB available)",
      "Spazio insufficiente sul disco %s per lanciare l'installazione!\n"
       "(richiesti %.1f MB, disponibili solo %.1f MB)",
      "Espace insuffisant pour lancer l'installation sur le disque %s !\n"
       "(%.1f Mo n\xE9" "cessaires, seulement %.1f Mo de disponible)",
      "Nicht gen\xFCgend freier Platz auf Laufwerk %s, um Setup laufen zu lassen!\n"
       "(%.1f MB ben\xF6tigt, nur %.1f MB vorhanden)"}},
    {6,
     {"All necessary installation files are available. \n"
       "Would you like to check for more recent ones?",
      "Tutti i file necessari per l'installazione sono disponibili. \n"
       "Desidera verificare se ne esistono di pi\xF9 recenti?",
      "Tous les fichiers n\xE9" "cessaires \xE0 l'installation sont disponibles. \n"
       "Voulez-vous v\xE9rifier s'il en existe de plus r\xE9" "cents ?",
      "Alle notwendigen Installations-Dateien sind vorhanden. \n"
       "M\xF6" "chten Sie auf der Orvane Website nach neueren Dateien suchen?"}},
    {7,
     {"Internet Explorer (version 4.0 or higher) is required but not installed.\n"
       "The Orvane website features links to download the current Internet Explorer version. Do you want "
       "to visit the Orvane Website?",
      "Internet Explorer (versione 4.0 o superiore) necessario ma non installato.\n"
       "Sul sito web di Orvane trova il link per scaricare la versione corrente di Internet Explorer. "
       "Desidera visitare il Sito web di Orvane?",
      "Internet Explorer (version 4.0 ou sup\xE9rieure) est n\xE9" "cessaire mais pas install\xE9" "e.\n"
       "Le site Web de Orvane \xE9tablit un lien pour t\xE9l\xE9" "charger la version actuelle d'Internet "
       "Explorer. Voulez-vous visiter le site Web de Orvane ?",
      "Internet Explorer (Version 4.0 oder h\xF6her) wird ben\xF6tigt, ist aber nicht installiert.\n"
       "Die Orvane-Webseite enth\xE4lt Links, um die aktuelle Version des Internet Explorers "
       "herunterzuladen.Wollen Sie auf die Orvane-Webseite gehen?"}},
    {8,
     {"Orvane Setup requires an active Internet connection to access the download site.\n"
       "Please check your Internet connection, firewall and proxy settings. \n",
      "Il programma d'installazione di Orvane non pu\xF2 accedere al sito per il download. \n"
       "Controlli connessione Internet, firewall, ed impostazioni proxy. \n",
      "Le Setup de Orvane n\xE9" "cessite une connexion Internet active pour acc\xE9" "der au site de "
       "t\xE9l\xE9" "chargement.\n"
       "Contr\xF4lez les param\xE8tres de votre connexion Internet, pare-feu ou proxy.\n",
      "Orvane Setup ben\xF6tigt eine Internetverbindung, um auf die Download-Site zuzugreifen.\n"
       "Bitte \xFC" "berpr\xFC" "fen Sie auch die Internet-, Firewall- und Proxy-Konfiguration. \n"}},
    {9,
     {"Orvane received an error message while trying to access the download site. \n"
       "Do you want to see this message?",
      " Orvane ha ricevuto un messaggio d'errore mentre tentava di accedere al sito per il download. \n"
       "Desidera vedere questo messaggio?",
      "Orvane a re\xE7u un message d'erreur en essayant d'acc\xE9" "der au site de "
       "t\xE9l\xE9" "chargement. \n"
       "Voulez-vous voir ce message ?",
      "Orvane erhielt beim Versuch, auf die Download-Site zuzugreifen, eine Fehlermeldung. \n"
       "Wollen Sie diese Meldung sehen?"}},
    {10,
     {"It is possible to download Orvane as a single file from our website. \n"
       "Do you want to visit the Orvane website?",
      "Pu\xF2 scaricare il file singolo di Orvane dal nostro sito Internet. \n"
       "Desidera visitare il sito web di Orvane?",
      "Il est possible de t\xE9l\xE9" "charger Orvane en un seul fichier \xE0 partir de notre site Web. "
       "\n"
       "Voulez-vous visiter le site Web de Orvane ?",
      "Orvane kann in einem St\xFC" "ck heruntergeladen werden. \n"
       "M\xF6" "chten Sie Orvane Website besuchen?"}},
    {11,
     {"MAPI error\nOne or more unspecified errors occurred. No message was sent.",
      "Errore MAPI\nUno o pi\xF9 errori non specificati. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Une ou plusieurs erreurs non sp\xE9" "cifi\xE9" "es sont survenues. Aucun message n'a \xE9t\xE9 "
       "envoy\xE9.",
      "MAPI Fehler\n"
       "Ein oder mehrere nicht spezifizierte Fehler sind aufgetreten. Es wurde keine Nachricht gesendet."}},
    {12,
     {"MAPI error\n"
       "There was no default logon and the user failed to log on successfully when the logon dialog box "
       "was displayed. No message was sent.",
      "Errore MAPI\n"
       "Non c'\xE9 stata alcuna identificazione di default, e l'utente non \xE8 riuscito a fare il logon "
       "quando la finestra di dialogo era attiva. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Aucune identification par d\xE9" "faut, et l'identification de l'utilisateur a \xE9" "chou\xE9 "
       "quand la bo\xEEte de dialogue d'identification a \xE9t\xE9 affich\xE9" "e. Aucun message n'a "
       "\xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Es gab keinen standard-Logon, und der Anwender konnte sich nicht erfolgreich anmelden, als die "
       "Anmelde-Dialogbox angezeigt wurde. Es wurde keine Nachricht gesendet."}},
    {13,
     {"MAPI error\nYour disk is full. No message was sent.",
      "Errore MAPI\nIl suo disco \xE8 pieno. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nVotre disque est plein. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nIhre Festplatte ist voll. Es wurde keine Nachricht gesendet."}},
    {14,
     {"MAPI error\nOut of memory. No message was sent.",
      "MAPI error\nmemoria insufficiente. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nM\xE9moire insuffisante. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nNicht gen\xFCgend Arbeitsspeicher. Es wurde keine Nachricht gesendet."}},
    {15,
     {"MAPI error\nAccess denied. No message was sent.",
      "Errore MAPI\nAccesso negato. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nAcc\xE8s refus\xE9. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nZugriff verweigert. Es wurde keine Nachricht gesendet."}},
    {16,
     {"MAPI error\nToo many sessions. No message was sent.",
      "Errore MAPI\nTroppe sessioni. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nTrop de sessions. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nZu viele Anmeldungen. Es wurde keine Nachricht gesendet."}},
    {17,
     {"MAPI error\n"
       "There were too many images. Try to split up the images into several emails. No message was sent.",
      "Errore MAPI\n"
       "Troppe immagini. Provi a suddividerle in pi\xFA e-mail. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Trop d'images. Essayez de r\xE9partir les images dans plusieurs e-mails. Aucun message n'a "
       "\xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Es waren zu viele Bilder. Versuchen Sie, die Bilder in mehrere E-Mails aufzuteilen. Es wurde "
       "keine Nachricht gesendet."}},
    {18,
     {"MAPI error\nThere were too many recipients. No message was sent.",
      "Errore MAPI\nTroppi destinatari. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nTrop de destinataires. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Es wurden zu viele Empf\xE4nger angegeben. Es wurde keine Nachricht gesendet."}},
    {19,
     {"MAPI error\nAttachment not found. No message was sent.",
      "Errori MAPI\nAllegato non trovato. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Pi\xE8" "ce jointe non trouv\xE9" "e. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nAnhang nicht gefunden. Es wurde keine Nachricht gesendet."}},
    {20,
     {"MAPI error\nThe specified attachment could not be opened. No message was sent.",
      "Errore MAPI\n"
       "L'allegato specificato non pu\xF2 essere aperto. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "La pi\xE8" "ce jointe indiqu\xE9" "e ne peut pas \xEAtre ouverte. Aucun message n'a \xE9t\xE9 "
       "envoy\xE9.",
      "MAPI Fehler\n"
       "Der Anhang konnte nicht ge\xF6" "ffnet werden. Es wurde keine Nachricht gesendet."}},
    {21,
     {"MAPI error\nThe specified attachment could not be written to. No message was sent.",
      "Errore MAPI error\n"
       "L'allegato specificato non pu\xF2 essere scritto. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "La pi\xE8" "ce jointe indiqu\xE9" "e ne peut pas \xEAtre transmise. Aucun message n'a \xE9t\xE9 "
       "envoy\xE9.",
      "MAPI Fehler\n"
       "Der Dateianhang konnte nicht geschrieben werden. Es wurde keine Nachricht gesendet."}},
    {22,
     {"MAPI error\nA recipient did not appear in the address list. No message was sent.",
      "Errore MAPI\n"
       "Un destinatario non appare nella lista dei indirizzi. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Un destinataire n'appara\xEEt pas dans la liste d'adresse. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Ein Empf\xE4nger erschien nicht in der Adressliste. Es wurde keine Nachricht gesendet."}},
    {23,
     {"MAPI error\nThe type of a recipient was not To:, Cc:, or Bcc:. No message was sent.",
      "Errore MAPI\n"
       "Il tipo di destinatario non \xE9 A:, Cc:, o Bcc:. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Le type de destinataire n'est pas A :, Cc : ou Cci :. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Der Typ eines Empf\xE4ngers war weder To: noch Cc: noch Bcc:. Es wurde keine Nachricht gesendet."}},
    {24,
     {"MAPI error\nNo messages. No message was sent.",
      "Errore MAPI\nNessun messaggio. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nPas de message. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nKeine Nachrichten. Es wurde keine Nachricht gesendet."}},
    {25,
     {"MAPI error\nInvalid message. No message was sent.",
      "Errore MAPI\nMessaggio non valido. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nMessage invalide. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nUng\xFCltige Nachricht. Es wurde keine Nachricht gesendet."}},
    {26,
     {"MAPI error\nThe text in the message was too large. No message was sent.",
      "Errore MAPI\nTesto del messaggio troppo grande. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Le texte du message \xE9tait trop grand. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Der Text in der Nachricht war zu gro\xDF. Es wurde keine Nachricht gesendet."}},
    {27,
     {"MAPI error\nInvalid session. No message was sent.",
      "Errore MAPI\nSessione non valida. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nSession invalide. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nUng\xFCltige Anmeldung. Es wurde keine Nachricht gesendet."}},
    {28,
     {"MAPI error\nType not supported. No message was sent.",
      "Errore MAPI\nTipo non supportato. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nType non support\xE9. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nTyp nicht unterst\xFCtzt. Es wurde keine Nachricht gesendet."}},
    {29,
     {"MAPI error\n"
       "A recipient matched more than one of the recipient descriptor structures and no dialog was to be "
       "displayed. No message was sent.",
      "Errore MAPI\n"
       "Un destinatario corrisponde a pi\xFA indirizzi e nessuna finestra di dialogo \xE8 stata attivata. "
       "Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\n"
       "Un destinataire correspondait \xE0 plus d'une des structures de description de destinataire et "
       "aucun dialogue n'a \xE9t\xE9 affich\xE9. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\n"
       "Ein Empf\xE4nger passte auf mehr als eine Empf\xE4ngerstruktur und kein Dialog sollte angezeigt "
       "werden. Es wurde keine Nachricht gesendet."}},
    {30,
     {"MAPI error\nMessage in use. No message was sent.",
      "Errore MAPI\nMessaggio in uso. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nMessage en cours d'utilisation. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nNachricht in Benutzung. Es wurde keine Nachricht gesendet."}},
    {31,
     {"MAPI error\nNetwork failure. No message was sent.",
      "Errore MAPI\nFallimento rete. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nErreur r\xE9seau. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nNetzwerkfehler. Es wurde keine Nachricht gesendet."}},
    {32,
     {"MAPI error\nInvalid edit fields. No message was sent.",
      "Errore MAPI\nCampi editabili non validi. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nChamps d'\xE9" "dition invalides. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nUng\xFCltige Eingabefelder. Es wurde keine Nachricht gesendet."}},
    {33,
     {"MAPI error\nOne or more recipients were invalid or did not resolve to any address.",
      "Errore MAPI error\nUno o pi\xFA destinatari non validi o indirizzi non validi.",
      "MAPI erreur\n"
       "Un ou plusieurs destinataires \xE9taient invalides ou aucune adresse n'a \xE9t\xE9 r\xE9solue.",
      "MAPI Fehler\n"
       "Ein oder mehrere Empf\xE4nger waren ung\xFCltig oder lie\xDF" "en sich nicht auf eine Adresse "
       "aufl\xF6sen."}},
    {34,
     {"MAPI error\nNot supported. No message was sent.",
      "Errore MAPI\nNon supportato. Nessun messaggio \xE8 stato spedito.",
      "MAPI erreur\nNon support\xE9. Aucun message n'a \xE9t\xE9 envoy\xE9.",
      "MAPI Fehler\nNicht unterst\xFCtzt. Es wurde keine Nachricht gesendet."}},
    {35,
     {"MAPI Error:%x\n%s",
      "Errore MAPI:%x\n%s",
      "Erreur MAPI :%x\n%s",
      "MAPI-Fehler:%x\n%s"}},
    {36,
     {"Orvane could not generate an email because MAPI is not configured or installed on your system.\n"
       "Please send us the file %s by other means.",
      "Orvane non \xE8 riuscito a generare una e-mail perch\xE9 MAPI non \xE8 stato configurato o "
       "installato sul suo sistema.\n"
       "La pregiamo di spedirci il file %s in modo diverso.",
      "Orvane n'a pu g\xE9n\xE9rer un e-mail parce que MAPI n'est pas configur\xE9 ou install\xE9 sur "
       "votre syst\xE8me.\n"
       "Envoyez-nous le fichier %s par d'autres moyens SVP.",
      "Orvane konnte keine E-Mail erstellen, weil MAPI auf Ihrem System nicht eingerichtet ist.\n"
       "Bitte senden Sie uns die Datei %s \xFC" "ber andere Wege."}},
    {MESSAGE_TABLE_END, {"", "", "", ""}},
};

// The launcher's own reports, in the same columns.
const MessageRow ReportTable[REPORT_TABLE_ROWS] = {
    {100,
     {"Setup could not write or read the file\n%s\n(%s).\n\nSetup has stopped and removed the files it had written.",
      "Il programma di installazione non ha potuto scrivere o leggere il file\n%s\n(%s).\n\n"
       "L'installazione \xE8 stata interrotta e i file gi\xE0 scritti sono stati rimossi.",
      "Le programme d'installation n'a pas pu \xE9" "crire ou lire le fichier\n%s\n(%s).\n\n"
       "L'installation a \xE9t\xE9 arr\xEAt\xE9" "e et les fichiers d\xE9j\xE0 \xE9" "crits ont \xE9t\xE9 supprim\xE9s.",
      "Das Setup konnte die Datei\n%s\nnicht schreiben oder lesen (%s).\n\n"
       "Das Setup wurde beendet und hat die bereits geschriebenen Dateien entfernt."}},
    {101,
     {"the disk is full or cannot be written",
      "il disco \xE8 pieno o protetto da scrittura",
      "le disque est plein ou prot\xE9g\xE9 en \xE9" "criture",
      "der Datentr\xE4" "ger ist voll oder schreibgesch\xFC" "tzt"}},
    {102,
     {"the file cannot be created or opened",
      "il file non pu\xF2 essere creato o aperto",
      "le fichier ne peut pas \xEAtre cr\xE9\xE9 ou ouvert",
      "die Datei kann nicht angelegt oder ge\xF6" "ffnet werden"}},
    {103,
     {"the setup program is damaged; please download it again",
      "il programma di installazione \xE8 danneggiato; scaricarlo di nuovo",
      "le programme d'installation est endommag\xE9 ; veuillez le t\xE9l\xE9" "charger \xE0 nouveau",
      "das Setup-Programm ist besch\xE4" "digt; bitte laden Sie es erneut herunter"}},
    {104,
     {"the path is too long",
      "il percorso \xE8 troppo lungo",
      "le chemin est trop long",
      "der Pfad ist zu lang"}},
    {105,
     {"Setup could not start the program\n%s\n\n%s",
      "Il programma di installazione non ha potuto avviare il programma\n%s\n\n%s",
      "Le programme d'installation n'a pas pu d\xE9marrer le programme\n%s\n\n%s",
      "Das Setup konnte das Programm\n%s\nnicht starten.\n\n%s"}},
    {106,
     {"Setup cannot use the folder or file\n%s\nbecause its name holds characters that this system's code page "
       "cannot hold, and it has no short name that can.\n\nSetup has stopped without writing anything.",
      "Il programma di installazione non pu\xF2 usare la cartella o il file\n%s\nperch\xE9 il suo nome contiene "
       "caratteri che la tabella codici del sistema non pu\xF2 rappresentare, e non ha un nome breve che lo "
       "possa.\n\nL'installazione \xE8 stata interrotta senza scrivere nulla.",
      "Le programme d'installation ne peut pas utiliser le dossier ou le fichier\n%s\ncar son nom contient des "
       "caract\xE8res que la page de codes du syst\xE8me ne peut pas repr\xE9senter, et il n'a pas de nom court "
       "qui le puisse.\n\nL'installation a \xE9t\xE9 arr\xEAt\xE9" "e sans rien \xE9" "crire.",
      "Das Setup kann den Ordner oder die Datei\n%s\nnicht verwenden, weil sein Name Zeichen enth\xE4lt, die "
       "die Codepage des Systems nicht darstellen kann, und er keinen kurzen Namen hat, der es kann.\n\n"
       "Das Setup wurde beendet, ohne etwas zu schreiben."}},
    {107,
     {"Setup cannot use the drive or folder\n%s\n\n%s",
      "Il programma di installazione non pu\xF2 usare l'unit\xE0 o la cartella\n%s\n\n%s",
      "Le programme d'installation ne peut pas utiliser le lecteur ou le dossier\n%s\n\n%s",
      "Das Setup kann das Laufwerk oder den Ordner\n%s\nnicht verwenden.\n\n%s"}},
    {108,
     {"Setup cannot extract the file\n%s\nbecause its name cannot be used on this system: its characters "
       "mean other letters here, or none.\n\nSetup has stopped and removed the files it had written.",
      "Il programma di installazione non pu\xF2 estrarre il file\n%s\nperch\xE9 il suo nome non pu\xF2 essere "
       "usato su questo sistema: i suoi caratteri qui indicano altre lettere, o nessuna.\n\n"
       "L'installazione \xE8 stata interrotta e i file gi\xE0 scritti sono stati rimossi.",
      "Le programme d'installation ne peut pas extraire le fichier\n%s\ncar son nom ne peut pas \xEAtre "
       "utilis\xE9 sur ce syst\xE8me : ses caract\xE8res y d\xE9signent d'autres lettres, ou aucune.\n\n"
       "L'installation a \xE9t\xE9 arr\xEAt\xE9" "e et les fichiers d\xE9j\xE0 \xE9" "crits ont \xE9t\xE9 supprim\xE9s.",
      "Das Setup kann die Datei\n%s\nnicht entpacken, weil ihr Name auf diesem System nicht verwendet werden "
       "kann: seine Zeichen bedeuten hier andere oder keine Buchstaben.\n\n"
       "Das Setup wurde beendet und hat die bereits geschriebenen Dateien entfernt."}},
    {109,
     {"Setup cannot start the setup program: the command line is too long.\n\n"
       "Setup has stopped without writing anything.",
      "Il programma di installazione non pu\xF2 avviare il programma di installazione: la riga di comando "
       "\xE8 troppo lunga.\n\nL'installazione \xE8 stata interrotta senza scrivere nulla.",
      "Le programme d'installation ne peut pas d\xE9marrer le programme d'installation : la ligne de commande "
       "est trop longue.\n\nL'installation a \xE9t\xE9 arr\xEAt\xE9" "e sans rien \xE9" "crire.",
      "Das Setup kann das Installationsprogramm nicht starten: die Befehlszeile ist zu lang.\n\n"
       "Das Setup wurde beendet, ohne etwas zu schreiben."}},
    {110,
     {"Setup ran out of memory.\n\nSetup has stopped and removed the files it had written.",
      "Memoria insufficiente per il programma di installazione.\n\n"
       "L'installazione \xE8 stata interrotta e i file gi\xE0 scritti sono stati rimossi.",
      "M\xE9moire insuffisante pour le programme d'installation.\n\n"
       "L'installation a \xE9t\xE9 arr\xEAt\xE9" "e et les fichiers d\xE9j\xE0 \xE9" "crits ont \xE9t\xE9 supprim\xE9s.",
      "Dem Setup steht nicht genug Arbeitsspeicher zur Verf\xFC" "gung.\n\n"
       "Das Setup wurde beendet und hat die bereits geschriebenen Dateien entfernt."}},
    {REPORT_TABLE_END, {"", "", "", ""}},
};

const MessageRow* FindMessageRow(int id) {
    // Each block's terminating row is tested before the comparison, so
    // asking for its own identifier finds nothing either.
    bool report = id >= REPORT_TABLE_FIRST;
    const int end = report ? REPORT_TABLE_END : MESSAGE_TABLE_END;
    for (const MessageRow* row = report ? ReportTable : MessageTable; row->id != end; ++row) {
        if (row->id == id) return row;
    }
    return nullptr;
}
