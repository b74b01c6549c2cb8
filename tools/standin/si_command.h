/* Command lines typed to the stand-in through the trace channel. */
#ifndef TOOLS_STANDIN_SI_COMMAND_H
#define TOOLS_STANDIN_SI_COMMAND_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SI_COMMAND_MAX 255u /* characters in a command line */
#define SI_WORD_SIZE 16u

typedef enum SiCommandKind {
    SI_COMMAND_NONE, /* an empty line */
    SI_COMMAND_HELP,
    SI_COMMAND_PORTS,
    SI_COMMAND_STATS,
    SI_COMMAND_RESET,
    SI_COMMAND_FAIL,
    SI_COMMAND_BURST,
    SI_COMMAND_COUNT,
    SI_COMMAND_CD,
    SI_COMMAND_FLOOD
} SiCommandKind;

typedef struct SiCommand {
    SiCommandKind kind;
    uint32_t number;         /* fail, burst, count, flood */
    int32_t cdState;         /* cd: 1 on, 0 off, -1 follow the traffic */
    char port[SI_WORD_SIZE]; /* cd: the port's name or number as typed */
} SiCommand;

/* Parses one line without its carriage return; a backspace takes back the
   character before it, as on a terminal. Returns 0, or the text of an error. */
const char* si_command_parse(const char* line, uint32_t n, SiCommand* command);

#ifdef __cplusplus
}
#endif

#endif
