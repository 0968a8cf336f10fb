#include "core/log_line.h"

#include <string.h>

size_t BuildLogLine(char* line, size_t size, const char* message) {
    memset(line, 0, size);
    const size_t tagLength = sizeof(kLogTag) - 1;
    memcpy(line, kLogTag, tagLength);
    // Room for the message: everything but the tag, a newline and the NUL.
    const size_t room = size - tagLength - 2;
    size_t messageLength = strlen(message);
    if (messageLength > room) messageLength = room;
    memcpy(line + tagLength, message, messageLength);
    size_t length = tagLength + messageLength;
    if (line[length - 1] != '\n') line[length++] = '\n';
    line[length] = '\0';
    return length;
}
