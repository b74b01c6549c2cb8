#include "tools/standin/si_config.h"

#include "tools/standin/si_text.h"

static void DefaultName(char* name, uint32_t port) {
    SiLine line = {0};
    si_line_str(&line, "COM");
    si_line_u64(&line, (uint64_t)port + SI_FIRST_DEFAULT_NUMBER);
    si_fill(name, 0, TP_NAME_SLOT_SIZE + 1);
    si_copy(name, line.text, line.len);
}

void si_config_defaults(SiConfig* config) {
    si_fill(config, 0, sizeof *config);
    config->seed = 1;
    config->linkCount = 1;
    si_copy(config->links[0], "tarnel", 7);
    si_config_set_ports(config, SI_DEFAULT_PORTS);
}

const char* si_config_set_ports(SiConfig* config, uint32_t ports) {
    if (ports > SI_MAX_PORTS) {
        return "at most 256 ports";
    }
    for (uint32_t port = 0; port < SI_MAX_PORTS; ++port) {
        DefaultName(config->names[port], port);
    }
    config->ports = ports;
    return 0;
}

/* Length of the item starting at `from`, up to the next comma or the end. */
static uint32_t ItemLength(const char* list, uint32_t n, uint32_t from) {
    uint32_t end = from;
    while (end < n && list[end] != ',') {
        ++end;
    }
    return end - from;
}

static const char* CheckName(const char* name, uint32_t n) {
    if (n == 0) {
        return "a port name is empty";
    }
    if (n > TP_NAME_SLOT_SIZE) {
        return "a port name is longer than 12 characters";
    }
    for (uint32_t i = 0; i < n; ++i) {
        if (name[i] <= ' ' || name[i] > '~') {
            return "a port name holds a blank or a character that is not plain ASCII";
        }
    }
    return 0;
}

const char* si_config_set_names(SiConfig* config, const char* list, uint32_t n) {
    uint32_t count = 0;
    for (uint32_t at = 0; at <= n; ++count) {
        const uint32_t length = ItemLength(list, n, at);
        const char* problem = CheckName(list + at, length);
        if (problem) {
            return problem;
        }
        if (count == config->ports) {
            return "more port names than ports";
        }
        at += length + 1;
    }
    uint32_t at = 0;
    for (uint32_t port = 0; port < count; ++port) {
        const uint32_t length = ItemLength(list, n, at);
        si_fill(config->names[port], 0, TP_NAME_SLOT_SIZE + 1);
        si_copy(config->names[port], list + at, length);
        at += length + 1;
    }
    return 0;
}

static int LinkCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
           c == '-';
}

const char* si_config_set_links(SiConfig* config, const char* list, uint32_t n) {
    char links[SI_MAX_LINKS][SI_LINK_SIZE] = {{0}};
    uint32_t count = 0;
    for (uint32_t at = 0; at <= n; ++count) {
        const uint32_t length = ItemLength(list, n, at);
        if (length == 0) {
            return "a link name is empty";
        }
        if (length >= SI_LINK_SIZE) {
            return "a link name is longer than 31 characters";
        }
        if (count == SI_MAX_LINKS) {
            return "at most 4 links";
        }
        for (uint32_t i = 0; i < length; ++i) {
            if (!LinkCharacter(list[at + i])) {
                return "a link name holds a character other than letters, digits, '.', '_' and '-'";
            }
        }
        for (uint32_t earlier = 0; earlier < count; ++earlier) {
            if (si_same_word(list + at, length, links[earlier])) {
                return "a link is named twice";
            }
        }
        si_copy(links[count], list + at, length);
        at += length + 1;
    }
    si_copy(config->links, links, sizeof links);
    config->linkCount = count;
    return 0;
}
