#include "common/win32/administrator.h"

#include <windows.h>

namespace common {

bool IsAdministrator() {
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &administrators)) {
        return false;
    }
    BOOL member = FALSE;
    const bool checked = CheckTokenMembership(nullptr, administrators, &member) != 0;
    FreeSid(administrators);
    return checked && member;
}

}  // namespace common
