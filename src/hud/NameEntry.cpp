#include "hud/NameEntry.h"

NameEntry::Result NameEntry::type(char key, char* name, int* length) {
    if (key == kEnter) {
        return kFinished;
    }
    if (name == nullptr || length == nullptr) {
        return kTyping;
    }
    // A length from outside the buffer must not make us write outside it.
    if (*length < 0) {
        *length = 0;
    } else if (*length > kMaxLength) {
        *length = kMaxLength;
    }
    if (key == kBackspace) {
        if (*length > 0) {
            --*length;
        }
    } else if (key != ' ' && key != '\n' && *length < kMaxLength) {
        name[*length] = key;
        ++*length;
    }
    return kTyping;
}
