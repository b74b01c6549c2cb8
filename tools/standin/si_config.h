/* What the stand-in is told when it starts: its ports, its device links and
   the seed of its traffic. */
#ifndef TOOLS_STANDIN_SI_CONFIG_H
#define TOOLS_STANDIN_SI_CONFIG_H

#include <stdint.h>

#include "common/driver_wire.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SI_MAX_PORTS 256u
#define SI_DEFAULT_PORTS 8u
#define SI_MAX_LINKS 4u
#define SI_LINK_SIZE 32u
#define SI_FIRST_DEFAULT_NUMBER 5u /* default names run COM5, COM6, ... */

typedef struct SiConfig {
    uint32_t ports;
    uint32_t seed;
    uint32_t linkCount;
    char links[SI_MAX_LINKS][SI_LINK_SIZE];
    /* A name fills its 12-byte slot; the extra byte keeps it terminated here. */
    char names[SI_MAX_PORTS][TP_NAME_SLOT_SIZE + 1];
} SiConfig;

/* 8 ports COM5 to COM12, the link "tarnel", seed 1. */
void si_config_defaults(SiConfig* config);

/* Each setter returns 0, or a message saying what is wrong with the value;
   on error the configuration is left as it was. */

/* Gives every port its default name. */
const char* si_config_set_ports(SiConfig* config, uint32_t ports);
/* Comma-separated names for the ports from the first on, 1 to 12 visible
   characters each. */
const char* si_config_set_names(SiConfig* config, const char* list, uint32_t n);
/* Comma-separated device link names, such as "tarnel,korvexa". */
const char* si_config_set_links(SiConfig* config, const char* list, uint32_t n);

#ifdef __cplusplus
}
#endif

#endif
