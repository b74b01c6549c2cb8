#include "tools/standin/si_command.h"

#include "common/driver_wire.h"
#include "tools/standin/si_flood.h"
#include "tools/standin/si_text.h"

#define MAX_WORDS 4u

typedef struct Words {
    uint32_t count;
    uint32_t length[MAX_WORDS];
    char text[MAX_WORDS][SI_WORD_SIZE];
} Words;

/* 0 when there are too many words or one is too long. */
static int Split(const char* line, uint32_t n, Words* words) {
    char edited[SI_COMMAND_MAX];
    uint32_t length = 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (line[i] == '\b') {
            if (length > 0) {
                --length;
            }
        } else {
            edited[length++] = line[i];
        }
    }
    si_fill(words, 0, sizeof *words);
    uint32_t at = 0;
    while (at < length) {
        if (edited[at] == ' ' || edited[at] == '\t') {
            ++at;
            continue;
        }
        if (words->count == MAX_WORDS) {
            return 0;
        }
        uint32_t end = at;
        while (end < length && edited[end] != ' ' && edited[end] != '\t') {
            ++end;
        }
        if (end - at >= SI_WORD_SIZE) {
            return 0;
        }
        si_copy(words->text[words->count], edited + at, end - at);
        words->length[words->count++] = end - at;
        at = end;
    }
    return 1;
}

static int Is(const Words* words, uint32_t index, const char* word) {
    return si_same_word(words->text[index], words->length[index], word);
}

static const char* Number(const Words* words, SiCommand* command, uint32_t low, uint32_t high, const char* usage) {
    if (words->count != 2 || !si_parse_u32(words->text[1], words->length[1], &command->number) ||
        command->number < low || command->number > high) {
        return usage;
    }
    return 0;
}

static const char* Carrier(const Words* words, SiCommand* command) {
    static const char* const usage = "usage: cd P on|off|auto";
    if (words->count != 3) {
        return usage;
    }
    if (Is(words, 2, "on")) {
        command->cdState = 1;
    } else if (Is(words, 2, "off")) {
        command->cdState = 0;
    } else if (Is(words, 2, "auto")) {
        command->cdState = -1;
    } else {
        return usage;
    }
    si_copy(command->port, words->text[1], words->length[1]);
    return 0;
}

static const char* Alone(const Words* words, const char* usage) {
    return words->count == 1 ? 0 : usage;
}

const char* si_command_parse(const char* line, uint32_t n, SiCommand* command) {
    Words words;
    si_fill(command, 0, sizeof *command);
    if (n > SI_COMMAND_MAX) {
        return "command line too long";
    }
    if (!Split(line, n, &words)) {
        return "too many words, or a word too long";
    }
    if (words.count == 0) {
        command->kind = SI_COMMAND_NONE;
        return 0;
    }
    static const struct {
        const char* word;
        SiCommandKind kind;
    } table[] = {{"help", SI_COMMAND_HELP},   {"ports", SI_COMMAND_PORTS}, {"stats", SI_COMMAND_STATS},
                 {"reset", SI_COMMAND_RESET}, {"fail", SI_COMMAND_FAIL},   {"burst", SI_COMMAND_BURST},
                 {"count", SI_COMMAND_COUNT}, {"cd", SI_COMMAND_CD},       {"flood", SI_COMMAND_FLOOD}};
    for (uint32_t i = 0; i < sizeof table / sizeof table[0]; ++i) {
        if (Is(&words, 0, table[i].word)) {
            command->kind = table[i].kind;
        }
    }
    switch (command->kind) {
        case SI_COMMAND_HELP: return Alone(&words, "usage: help");
        case SI_COMMAND_PORTS: return Alone(&words, "usage: ports");
        case SI_COMMAND_STATS: return Alone(&words, "usage: stats");
        case SI_COMMAND_RESET: return Alone(&words, "usage: reset");
        case SI_COMMAND_FAIL: return Number(&words, command, 0, 0xFFFFFFFFu, "usage: fail N");
        case SI_COMMAND_BURST:
            return Number(&words, command, 1, TP_TRACE_TEXT_ROOM, "usage: burst N, N from 1 to 10084");
        case SI_COMMAND_COUNT: return Number(&words, command, 0, 0xFFFFFFFFu, "usage: count N");
        case SI_COMMAND_CD: return Carrier(&words, command);
        case SI_COMMAND_FLOOD:
            return Number(&words, command, 0, SI_FLOOD_MAX_RATE, "usage: flood N, N from 0 to 1000000 bytes a second");
        default: return "unknown command; help lists them";
    }
}
