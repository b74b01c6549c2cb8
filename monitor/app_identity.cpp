#include "common/app_identity.h"

namespace common {

const AppIdentity kAppIdentity = {"TarnelPort Monitor", "zorvel.hlp"};

}  // namespace common
