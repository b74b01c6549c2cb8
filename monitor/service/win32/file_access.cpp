#include "monitor/service/win32/file_access.h"

#include <vector>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include "common/win32/system_message.h"

namespace zorvel {
namespace {

// Frees what the security functions hand back.
struct LocalMemory {
    void* Pointer = nullptr;
    ~LocalMemory() { LocalFree(Pointer); }
};

std::string SidText(PSID sid) {
    char* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidA(sid, &text)) {
        return {};
    }
    std::string result(text);
    LocalFree(text);
    return result;
}

std::string AccountNameOf(PSID sid) {
    char name[256];
    char domain[256];
    DWORD nameSize = sizeof name;
    DWORD domainSize = sizeof domain;
    SID_NAME_USE use;
    if (!LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) {
        return SidText(sid);
    }
    return domainSize > 0 ? std::string(domain) + "\\" + name : std::string(name);
}

}  // namespace

std::optional<AccessDescription> DescribeAccess(const std::string& path) {
    PSID owner = nullptr;
    PACL list = nullptr;
    LocalMemory descriptor;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &list, nullptr, &descriptor.Pointer) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    AccessDescription access;
    access.OwnerSid = SidText(owner);
    access.OwnerName = owner != nullptr ? AccountNameOf(owner) : std::string();
    access.HasList = list != nullptr;
    for (DWORD i = 0; list != nullptr && i < list->AceCount; ++i) {
        void* raw = nullptr;
        if (!GetAce(list, i, &raw)) {
            continue;
        }
        const auto* header = static_cast<const ACE_HEADER*>(raw);
        // Allowed and denied entries share their layout up to the SID.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE) {
            continue;
        }
        auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(raw);
        PSID sid = &ace->SidStart;
        access.Entries.push_back(AccessEntry{SidText(sid), AccountNameOf(sid),
                                             header->AceType == ACCESS_ALLOWED_ACE_TYPE,
                                             (header->AceFlags & INHERIT_ONLY_ACE) != 0, ace->Mask});
    }
    return access;
}

const char* AccountSid(ServiceAccount account) {
    return account == ServiceAccount::LocalSystem ? "S-1-5-18" : "S-1-5-19";
}

std::string ProtectForService(const std::string& path, ServiceAccount account) {
    const std::string text = "O:BA" + ServiceFolderAccess(AccountSid(account));
    LocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text.c_str(), SDDL_REVISION_1, &descriptor.Pointer,
                                                              nullptr)) {
        return common::SystemMessage(GetLastError());
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL list = nullptr;
    PSID owner = nullptr;
    GetSecurityDescriptorDacl(descriptor.Pointer, &present, &list, &defaulted);
    GetSecurityDescriptorOwner(descriptor.Pointer, &owner, &defaulted);
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    const DWORD error = SetNamedSecurityInfoA(
        name.data(), SE_FILE_OBJECT,
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, owner, nullptr,
        list, nullptr);
    return error == ERROR_SUCCESS ? std::string() : common::SystemMessage(error);
}

}  // namespace zorvel
