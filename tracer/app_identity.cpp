#include "common/app_identity.h"

namespace common {

const AppIdentity kAppIdentity = {"Port Vizo", "vizo.hlp"};

}  // namespace common
