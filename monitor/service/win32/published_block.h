// Reading a block the service publishes in the global namespace: opened at
// each read, so that a service that has ended is seen as gone.
#pragma once

#include <string>

#include <windows.h>

#include "common/win32/scoped.h"

namespace zorvel {

// What `read` makes of the block named `globalName`; false when there is none.
template <typename Block, typename Read>
bool ReadPublishedBlock(const std::string& globalName, Read&& read) {
    common::UniqueKernelObject mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, globalName.c_str()));
    if (!mapping) {
        return false;
    }
    const common::MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(Block)));
    return view && read(*static_cast<const Block*>(view.Get()));
}

}  // namespace zorvel
