// squatter: a native process that takes a name in a shared folder the moment
// another program shows it is about to need it, as a hostile user of the
// same temporary folder would.
//
//   squatter READY_FILE DIR TRIGGER_SUFFIX NAME folder
//   squatter READY_FILE DIR TRIGGER_SUFFIX NAME link TARGET
//
// Watches DIR (a Unix path) and, as soon as an entry whose name ends with
// TRIGGER_SUFFIX appears there, creates DIR/NAME: a folder holding a
// version.dll, or a symbolic link to TARGET.  NAME may name a level below
// the new entry.  READY_FILE is written once the watch is in place.  Exits
// 0 after acting, 1 when creating NAME failed (it was taken first), 2 after
// 30 seconds without a trigger.
#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tools/cli/Arguments.h"

namespace {

bool EndsWith(const char* name, const char* suffix) {
    size_t n = strlen(name), s = strlen(suffix);
    return n >= s && strcmp(name + n - s, suffix) == 0;
}

int Squat(const std::string& path, const char* action, const char* target) {
    if (strcmp(action, "link") == 0) return symlink(target, path.c_str()) == 0 ? 0 : 1;
    if (mkdir(path.c_str(), 0777) != 0) return 1;
    FILE* dll = fopen((path + "/version.dll").c_str(), "wb");
    if (dll == nullptr) return 1;
    fputs("not a DLL of the setup's", dll);
    fclose(dll);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments parsed(argc, argv, 1);
    const std::vector<std::string>& words = parsed.Rest();
    if (!parsed.Error().empty() || words.size() < 5 || words.size() > 6 || (words[4] == "link" && words.size() < 6)) {
        fprintf(stderr, "usage: squatter READY DIR SUFFIX NAME folder|link [TARGET]\n");
        return 64;
    }
    int watch = inotify_init1(IN_NONBLOCK);
    if (watch < 0 || inotify_add_watch(watch, words[1].c_str(), IN_CREATE | IN_MOVED_TO) < 0) return 64;
    FILE* ready = fopen(words[0].c_str(), "w");
    if (ready == nullptr) return 64;
    fclose(ready);

    const std::string path = words[1] + "/" + words[3];
    alignas(inotify_event) char events[8192];
    for (int waited = 0; waited < 30000; waited += 100) {
        pollfd p = {watch, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        ssize_t length = read(watch, events, sizeof events);
        for (ssize_t at = 0; at < length;) {
            const inotify_event* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->len > 0 && EndsWith(event->name, words[2].c_str()))
                return Squat(path, words[4].c_str(), words.size() > 5 ? words[5].c_str() : "");
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return 2;
}
