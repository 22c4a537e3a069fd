#include "ScriptText.h"

#include <string.h>

bool ScriptWord(const char* oemPath, QlString& word) {
    bool quote = false;
    for (const char* p = oemPath; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c < 0x20) return false;
        if (c == ' ' || c >= 0x80 || strchr("&()[]{}^=;!'+,`~<>|", c) != nullptr) quote = true;
    }
    word = EscapePercent(oemPath);
    if (quote) word = "\"" + word + "\"";
    return true;
}

QlString EscapePercent(const char* text) {
    QlString escaped;
    for (const char* p = text; *p != '\0'; ++p) {
        escaped += *p;
        if (*p == '%') escaped += '%';
    }
    return escaped;
}

QlString NextStageCommand(const char* ownPath, const char* scriptPath) {
    return QlString("Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
                    "ResourceFile=\"") +
           ownPath + "\" CleanUp=\"" + scriptPath + "\" ";
}
