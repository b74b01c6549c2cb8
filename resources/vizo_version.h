// The trace viewer's version, for its version block and its About box.
#pragma once

#define VIZO_VERSION_MAJOR 1
#define VIZO_VERSION_MINOR 12
#define VIZO_VERSION_TEXT "1.12"
#define VIZO_COPYRIGHT "Copyright (c) 2026 the TarnelPort tools developers"
